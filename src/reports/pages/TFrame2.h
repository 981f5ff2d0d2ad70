// Result maintenance page: stored results newest first, their factor rows, search, delete,
// and the edits of reporter, conclusion and factor conclusions.
#pragma once

#include "querybuilder/TZTQueryEx.h"
#include "reports/ResultMaintenance.h"
#include "shell/PageContext.h"

#include <QWidget>

class LazyQueryModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPlainTextEdit;
class QPushButton;
class QTableView;

class TFrame2 : public QWidget {
    Q_OBJECT
public:
    explicit TFrame2(const PageContext& ctx, QWidget* parent = nullptr);
    ~TFrame2() override;

    // Opens both lists and sets the builder's date delimiter for the engine.
    void fill();

    int selectedId() const { return m_selectedId; }
    int currentRow() const { return m_row; }
    int currentFactorRow() const { return m_factorRow; }
    bool headerEditing() const { return m_headerEditing; }
    bool factorEditing() const { return m_factorEditing; }
    LazyQueryModel* resultModel() const { return m_results; }
    LazyQueryModel* factorModel() const { return m_factors; }
    TZTQueryEx& query() { return m_query; }
    QString listSql() const { return m_sql; }

    void RzBitBtn1Click(); // "查找"
    void RzBitBtn2Click(); // "删除"
    void RzBitBtn3Click(); // "刷新"
    void RzBitBtn4Click(); // "修改" / "保存" of the result header
    void RzBitBtn5Click(); // "保存" / "修改" of the factor conclusion
    void RzDBGrid1CellClick(const QModelIndex& index);
    void RzDBGrid2CellClick(const QModelIndex& index);

    // Moves the result list to a row (as a click on the grid does).
    void moveTo(int row);
    void moveFactorTo(int row);

private:
    void buildUi();
    bool openResults(const QString& sql);
    void ADOQuery1AfterScroll();
    void showHeader();
    void showFactor();
    bool postHeader();
    bool postFactor();
    bool postPending();
    void resultRowChanged(int row);
    void factorRowChanged(int row);
    void selectGridRow(QTableView* grid, int row);

    PageContext m_ctx;
    ResultMaintenance m_store;
    TZTQueryEx m_query;
    QString m_sql;
    LazyQueryModel* m_results;
    LazyQueryModel* m_factors;
    int m_row = -1;
    int m_factorRow = -1;
    int m_selectedId = 0;
    bool m_headerEditing = false;
    bool m_factorEditing = false;
    bool m_loading = false;
    bool m_syncing = false;

    QTableView* m_resultGrid = nullptr;
    QTableView* m_factorGrid = nullptr;
    QGroupBox* m_headerPanel = nullptr;
    QGroupBox* m_factorPanel = nullptr;
    QLineEdit* m_reporterEdit = nullptr;
    QPlainTextEdit* m_conclusionMemo = nullptr;
    QPlainTextEdit* m_factorMemo = nullptr;
    QLabel* m_factorLabel = nullptr;
    QPushButton* m_headerToggle = nullptr;
    QPushButton* m_factorToggle = nullptr;
};
