// A row of ten record buttons (first … refresh) for a page that edits one row at a time.
#pragma once

#include <QWidget>

class QToolButton;

class RecordNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

    explicit RecordNavigator(QWidget* parent = nullptr);

    QToolButton* button(Button which) const { return m_buttons[which]; }
    void setEnabled(Button which, bool enabled);

signals:
    void clicked(RecordNavigator::Button which);

private:
    QToolButton* m_buttons[ButtonCount] = {};
};
