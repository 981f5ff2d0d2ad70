// The date value editor of the query dialog: "YYYY-MM-DD", one character selected, overwrite.
#pragma once

#include "querybuilder/DateEditRules.h"

#include <QLineEdit>

class TZTDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TZTDateEdit(QWidget* parent = nullptr); // starts with today

    QDate date() const { return m_state.date(); }
    void setDate(const QDate& date);
    int selectedPosition() const { return m_state.position(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void showState();

    DateEditState m_state;
    QDate m_enteredDate;
};
