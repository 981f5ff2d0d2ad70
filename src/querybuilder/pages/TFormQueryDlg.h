// The query builder's dialog: pick field, comparison, value and logic; list, order, confirm.
#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QHBoxLayout;
class QPushButton;
class QTreeWidget;
class TField;
class TZTQueryEx;

class TFormQueryDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFormQueryDlg(TZTQueryEx& query, QWidget* parent = nullptr);

    // Shows the dialog for one run; true when closed with "查        询" (or Enter).
    static bool run(TZTQueryEx& query, QWidget* parent);
    // Makes Execute() of the builder open this dialog over parent.
    static void install(TZTQueryEx& query, QWidget* parent);

    // Tests drive the dialog through this instead of a modal loop: the driver gets the
    // shown dialog and clicks what it wants; a dialog still open afterwards is cancelled.
    using Driver = std::function<void(TFormQueryDlg&)>;
    static void setDriver(Driver driver);

    QWidget* valueEditor() const { return m_valueEditor; }

    // The buttons' actions.
    void addTerm();      // "添加条件"
    void deleteTerm();   // "删除条件"
    void moveTermUp();   // "条件上移"
    void moveTermDown(); // "条件下移"
    void abandon();      // "放        弃"

private:
    void fieldChanged(int index);
    QWidget* createValueEditor(const TField& field);
    bool readValue(QString* value, QString* caption) const;
    void refreshList(int selectRow);
    int selectedRow() const;

    TZTQueryEx& m_query;
    QComboBox* m_fieldBox;
    QComboBox* m_compareBox;
    QComboBox* m_logicBox;
    QHBoxLayout* m_valueSlot;
    QWidget* m_valueEditor = nullptr;
    QTreeWidget* m_termList;
};
