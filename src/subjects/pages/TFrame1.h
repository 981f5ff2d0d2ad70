// The subject list page: grid of subjects, edit fields of the current one, record buttons,
// and the search through the query builder.
#pragma once

#include "querybuilder/TZTQueryEx.h"
#include "shell/PageContext.h"
#include "subjects/SubjectList.h"

#include <QWidget>

class LazyQueryModel;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;
class RecordNavigator;

class TFrame1 : public QWidget {
    Q_OBJECT
public:
    enum class State { Browse, Edit, Insert };

    explicit TFrame1(const PageContext& ctx, QWidget* parent = nullptr);
    ~TFrame1() override;

    // Opens the list (every subject) and sets the builder's date delimiter for the engine.
    void fill();

    State state() const { return m_state; }
    int currentRow() const { return m_row; }
    LazyQueryModel* model() const { return m_model; }
    TZTQueryEx& query() { return m_query; }
    QString listSql() const { return m_sql; }

    // Record buttons.
    void first();
    void prior();
    void next();
    void last();
    void insertRecord();
    void deleteRecord();
    void editRecord();
    bool post();
    void cancel();
    void refresh();
    // "查找记录"
    void findRecords();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    bool openList(const QString& sql, int keepRow);
    void moveTo(int row);
    void showRow(int row);
    void fieldEdited();
    SubjectRecord recordFromFields() const;
    void updateNavigator();
    void navigatorClicked(int button);
    void gridRowChanged(int row);

    PageContext m_ctx;
    SubjectList m_list;
    TZTQueryEx m_query;
    QString m_sql;
    LazyQueryModel* m_model;
    State m_state = State::Browse;
    int m_row = -1;
    bool m_loading = false;
    bool m_syncingGrid = false;

    QTableView* m_grid = nullptr;
    QPushButton* m_findButton = nullptr;
    QLineEdit* m_idEdit = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_telEdit = nullptr;
    QLineEdit* m_addressEdit = nullptr;
    QComboBox* m_sexBox = nullptr;
    QComboBox* m_groupBox = nullptr;
    QDateEdit* m_birthEdit = nullptr;
    RecordNavigator* m_navigator = nullptr;
};
