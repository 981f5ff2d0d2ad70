// Result maintenance page.
#include "TFrame2.h"

#include "data/Database.h"
#include "data/LazyQueryModel.h"
#include "querybuilder/pages/TFormQueryDlg.h"
#include "shell/Dialogs.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

static const QString editCaption = QStringLiteral("修改");
static const QString saveCaption = QStringLiteral("保存");

TFrame2::TFrame2(const PageContext& ctx, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_store(*ctx.info), m_results(new LazyQueryModel(this)),
      m_factors(new LazyQueryModel(this)) {
    setObjectName(QStringLiteral("TFrame2"));
    using F = LazyQueryModel::Format;
    // Newest first, as the list statement orders it; the chunks follow the same order.
    m_results->setKeyColumn(QStringLiteral("id"), Qt::DescendingOrder);
    m_results->setAlignment(Qt::AlignCenter);
    m_results->setColumns({
        {QStringLiteral("id"), QStringLiteral("测试ID")},
        {QStringLiteral("userid"), QStringLiteral("用户ID")},
        {QStringLiteral("username"), QStringLiteral("用户姓名")},
        {QStringLiteral("timeing"), QStringLiteral("测试时间"), F::DateTime},
        {QStringLiteral("hmna"), QStringLiteral("测试项目")},
        {QStringLiteral("tmc"), QStringLiteral("试题数")},
        {QStringLiteral("sumcount"), QStringLiteral("总得分"), F::Number},
        {QStringLiteral("maxavgcount"), QStringLiteral("分制"), F::Number},
        {QStringLiteral("avgcount"), QStringLiteral("平均分"), F::Number},
        {QStringLiteral("type"), QStringLiteral("结论")},
        {QStringLiteral("bgr"), QStringLiteral("报告人")},
    });
    m_factors->setKeyColumn(QStringLiteral("id"));
    m_factors->setAlignment(Qt::AlignCenter);
    m_factors->setColumns({
        {QStringLiteral("jgid"), QStringLiteral("测试ID")},
        {QStringLiteral("hmna"), QStringLiteral("因子名称")},
        {QStringLiteral("sumcount"), QStringLiteral("总得分"), F::Number},
        {QStringLiteral("avgcount"), QStringLiteral("平均分"), F::Number},
        {QStringLiteral("type"), QStringLiteral("结论")},
    });
    // Queued: a view asks for more rows while it paints, no place for a message box.
    connect(m_results, &LazyQueryModel::readFailed, this, [](const QString& message) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("读取测试结果失败: ") + message);
    }, Qt::QueuedConnection);
    connect(m_factors, &LazyQueryModel::readFailed, this, [](const QString& message) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("读取因子结果失败: ") + message);
    }, Qt::QueuedConnection);
    ResultMaintenance::configureQuery(m_query);
    m_query.setConnection(ctx.info);
    TFormQueryDlg::install(m_query, this);
    m_sql = ResultMaintenance::listSql();
    buildUi();
}

TFrame2::~TFrame2() = default;

static QTableView* makeGrid(const char* name, QAbstractItemModel* model, QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QLatin1String(name));
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setAlternatingRowColors(true);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(24);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

void TFrame2::buildUi() {
    auto* group = new QGroupBox(QStringLiteral("结果测评维护"), this);
    auto* groupLayout = new QVBoxLayout(group);

    auto* buttons = new QHBoxLayout;
    auto button = [group, buttons](const char* name, const QString& text) {
        auto* b = new QPushButton(text, group);
        b->setObjectName(QLatin1String(name));
        buttons->addWidget(b);
        return b;
    };
    connect(button("findButton", QStringLiteral("查找")), &QPushButton::clicked, this,
            &TFrame2::RzBitBtn1Click);
    connect(button("deleteButton", QStringLiteral("删除")), &QPushButton::clicked, this,
            &TFrame2::RzBitBtn2Click);
    connect(button("refreshButton", QStringLiteral("刷新")), &QPushButton::clicked, this,
            &TFrame2::RzBitBtn3Click);
    buttons->addStretch();
    groupLayout->addLayout(buttons);

    m_resultGrid = makeGrid("resultGrid", m_results, group);
    const int widths[] = {60, 80, 80, 130, 150, 55, 60, 50, 60, 200};
    for (int i = 0; i < 10; ++i)
        m_resultGrid->setColumnWidth(i, widths[i]);
    m_factorGrid = makeGrid("factorGrid", m_factors, group);
    const int factorWidths[] = {60, 120, 60, 60};
    for (int i = 0; i < 4; ++i)
        m_factorGrid->setColumnWidth(i, factorWidths[i]);

    m_headerPanel = new QGroupBox(QStringLiteral("测试评论编辑:"), group);
    m_headerPanel->setObjectName(QStringLiteral("headerPanel"));
    auto* headerLayout = new QGridLayout(m_headerPanel);
    m_reporterEdit = new QLineEdit(m_headerPanel);
    m_reporterEdit->setObjectName(QStringLiteral("reporterEdit"));
    m_reporterEdit->setMaxLength(50);
    m_conclusionMemo = new QPlainTextEdit(m_headerPanel);
    m_conclusionMemo->setObjectName(QStringLiteral("conclusionMemo"));
    m_headerToggle = new QPushButton(editCaption, m_headerPanel);
    m_headerToggle->setObjectName(QStringLiteral("headerToggle"));
    headerLayout->addWidget(new QLabel(QStringLiteral("报告人:"), m_headerPanel), 0, 0);
    headerLayout->addWidget(m_reporterEdit, 0, 1);
    headerLayout->addWidget(m_headerToggle, 0, 2);
    headerLayout->addWidget(new QLabel(QStringLiteral("结论:"), m_headerPanel), 1, 0, Qt::AlignTop);
    headerLayout->addWidget(m_conclusionMemo, 1, 1, 1, 2);

    m_factorPanel = new QGroupBox(QStringLiteral("测试因子结论浏览:"), group);
    m_factorPanel->setObjectName(QStringLiteral("factorPanel"));
    auto* factorLayout = new QGridLayout(m_factorPanel);
    m_factorLabel = new QLabel(m_factorPanel);
    m_factorLabel->setObjectName(QStringLiteral("factorLabel"));
    m_factorMemo = new QPlainTextEdit(m_factorPanel);
    m_factorMemo->setObjectName(QStringLiteral("factorMemo"));
    m_factorToggle = new QPushButton(saveCaption, m_factorPanel);
    m_factorToggle->setObjectName(QStringLiteral("factorToggle"));
    factorLayout->addWidget(m_factorLabel, 0, 0);
    factorLayout->addWidget(m_factorToggle, 0, 1, Qt::AlignRight);
    factorLayout->addWidget(m_factorMemo, 1, 0, 1, 2);
    m_factorPanel->hide();

    auto* lower = new QHBoxLayout;
    lower->addWidget(m_factorGrid, 3);
    auto* panels = new QVBoxLayout;
    panels->addWidget(m_headerPanel);
    panels->addWidget(m_factorPanel);
    lower->addLayout(panels, 2);

    groupLayout->addWidget(m_resultGrid, 3);
    groupLayout->addLayout(lower, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);

    connect(m_headerToggle, &QPushButton::clicked, this, &TFrame2::RzBitBtn4Click);
    connect(m_factorToggle, &QPushButton::clicked, this, &TFrame2::RzBitBtn5Click);
    connect(m_resultGrid, &QTableView::clicked, this, &TFrame2::RzDBGrid1CellClick);
    connect(m_factorGrid, &QTableView::clicked, this, &TFrame2::RzDBGrid2CellClick);
    connect(m_resultGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { resultRowChanged(current.isValid() ? current.row() : -1); });
    connect(m_factorGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { factorRowChanged(current.isValid() ? current.row() : -1); });
    // Typing into a bound field puts its row into edit, as the toggles would.
    auto headerTyped = [this] {
        if (!m_loading && m_row >= 0)
            m_headerEditing = true;
    };
    connect(m_reporterEdit, &QLineEdit::textEdited, this, headerTyped);
    connect(m_conclusionMemo, &QPlainTextEdit::textChanged, this, headerTyped);
    connect(m_factorMemo, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading && m_factorRow >= 0)
            m_factorEditing = true;
    });
}

void TFrame2::fill() {
    m_query.setDateTimeCompart(m_ctx.info->dialect().dateDelimiter());
    openResults(m_sql);
}

bool TFrame2::openResults(const QString& sql) {
    m_headerEditing = false;
    m_factorEditing = false;
    bool ok = true;
    try {
        m_results->open(*m_ctx.info, sql);
    } catch (const DbError& e) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("读取测试结果失败: ") + e.message());
        ok = false;
    }
    moveTo(m_results->rowCount() > 0 ? 0 : -1);
    return ok;
}

void TFrame2::selectGridRow(QTableView* grid, int row) {
    m_syncing = true;
    if (row >= 0) {
        const QModelIndex index = grid->model()->index(row, 0);
        grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
        grid->scrollTo(index);
    } else {
        grid->selectionModel()->clearSelection();
    }
    m_syncing = false;
}

void TFrame2::moveTo(int row) {
    m_row = row;
    selectGridRow(m_resultGrid, row);
    ADOQuery1AfterScroll();
}

void TFrame2::ADOQuery1AfterScroll() {
    m_selectedId = m_row >= 0 ? m_results->value(m_row, QStringLiteral("id")).toInt() : 0;
    m_headerEditing = false;
    m_factorEditing = false;
    showHeader();
    try {
        m_factors->open(*m_ctx.info, ResultMaintenance::factorSql(), {m_selectedId});
    } catch (const DbError& e) {
        m_factors->clear();
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("读取因子结果失败: ") + e.message());
    }
    moveFactorTo(m_factors->rowCount() > 0 ? 0 : -1);
}

void TFrame2::moveFactorTo(int row) {
    m_factorRow = row;
    selectGridRow(m_factorGrid, row);
    showFactor();
}

void TFrame2::showHeader() {
    m_loading = true;
    m_reporterEdit->setText(m_results->value(m_row, QStringLiteral("bgr")).toString());
    m_conclusionMemo->setPlainText(m_results->value(m_row, QStringLiteral("type")).toString());
    m_loading = false;
}

void TFrame2::showFactor() {
    m_loading = true;
    m_factorMemo->setPlainText(m_factors->value(m_factorRow, QStringLiteral("type")).toString());
    m_loading = false;
}

void TFrame2::resultRowChanged(int row) {
    if (m_syncing || row == m_row)
        return;
    // Leaving a row saves what was typed into it.
    if (!postPending()) {
        selectGridRow(m_resultGrid, m_row);
        return;
    }
    moveTo(row);
}

void TFrame2::factorRowChanged(int row) {
    if (m_syncing || row == m_factorRow)
        return;
    if (!postFactor()) {
        selectGridRow(m_factorGrid, m_factorRow);
        return;
    }
    moveFactorTo(row);
}

bool TFrame2::postHeader() {
    if (!m_headerEditing)
        return true;
    const QString reporter = m_reporterEdit->text();
    const QString conclusion = m_conclusionMemo->toPlainText();
    try {
        m_store.saveHeader(m_selectedId, reporter, conclusion);
    } catch (const DbError& e) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("保存数据失败,请重新保存!\n") + e.message());
        return false;
    }
    QVariantList values = m_results->rowValues(m_row);
    const int bgr = m_results->fieldIndex(QStringLiteral("bgr"));
    const int type = m_results->fieldIndex(QStringLiteral("type"));
    if (bgr >= 0)
        values[bgr] = reporter.isEmpty() ? QVariant() : QVariant(reporter);
    if (type >= 0)
        values[type] = conclusion.isEmpty() ? QVariant() : QVariant(conclusion);
    m_results->setRowValues(m_row, values);
    m_headerEditing = false;
    return true;
}

bool TFrame2::postFactor() {
    if (!m_factorEditing)
        return true;
    const QString conclusion = m_factorMemo->toPlainText();
    try {
        m_store.saveFactorConclusion(m_factors->value(m_factorRow, QStringLiteral("id")).toInt(), conclusion);
    } catch (const DbError& e) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("保存数据失败,请重新保存!\n") + e.message());
        return false;
    }
    QVariantList values = m_factors->rowValues(m_factorRow);
    const int type = m_factors->fieldIndex(QStringLiteral("type"));
    if (type >= 0)
        values[type] = conclusion.isEmpty() ? QVariant() : QVariant(conclusion);
    m_factors->setRowValues(m_factorRow, values);
    m_factorEditing = false;
    return true;
}

bool TFrame2::postPending() {
    if (!postHeader() || !postFactor())
        return false;
    m_headerToggle->setText(editCaption);
    m_factorToggle->setText(saveCaption);
    return true;
}

void TFrame2::RzBitBtn1Click() {
    if (!postPending())
        return;
    if (!m_query.Execute(true))
        return;
    const QString sql = ResultMaintenance::listSql(m_query.QueryTerm());
    if (openResults(sql))
        m_sql = sql;
    else
        openResults(m_sql);
}

void TFrame2::RzBitBtn2Click() {
    if (m_selectedId == 0)
        return;
    if (!Dialogs::instance().okCancel(QStringLiteral("确定要删除选定记录？"), Dialogs::Icon::Warning))
        return;
    const int row = m_row;
    m_selectedId = m_results->value(row, QStringLiteral("id")).toInt();
    try {
        m_store.deleteResult(m_selectedId);
    } catch (const DbError& e) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("删除失败,该测试结果没有删除: ") + e.message());
        return;
    }
    // Whatever was typed into the deleted result goes with it.
    m_headerEditing = false;
    m_factorEditing = false;
    m_headerToggle->setText(editCaption);
    m_factorToggle->setText(saveCaption);
    m_results->removeCachedRow(row);
    if (row >= m_results->rowCount() && m_results->canFetchMore())
        m_results->fetchMore();
    moveTo(qMin(row, m_results->rowCount() - 1));
}

void TFrame2::RzBitBtn3Click() {
    if (!postPending())
        return;
    openResults(m_sql);
}

void TFrame2::RzBitBtn4Click() {
    if (m_headerToggle->text() == editCaption) {
        if (m_row < 0)
            return;
        m_headerEditing = true;
        m_headerToggle->setText(saveCaption);
        m_conclusionMemo->setFocus();
        return;
    }
    if (m_headerEditing && postHeader())
        m_headerToggle->setText(editCaption);
}

void TFrame2::RzBitBtn5Click() {
    if (m_factorToggle->text() != editCaption) {
        if (m_factorEditing && postFactor())
            m_factorToggle->setText(editCaption);
        return;
    }
    if (m_factorRow < 0)
        return;
    m_factorEditing = true;
    m_factorToggle->setText(saveCaption);
    m_factorMemo->setFocus();
}

void TFrame2::RzDBGrid1CellClick(const QModelIndex& index) {
    if (m_results->columnName(index.column()).compare(QLatin1String("type"), Qt::CaseInsensitive) != 0)
        return;
    m_headerPanel->show();
    m_factorPanel->hide();
}

void TFrame2::RzDBGrid2CellClick(const QModelIndex& index) {
    if (m_factors->columnName(index.column()).compare(QLatin1String("type"), Qt::CaseInsensitive) != 0)
        return;
    m_headerPanel->hide();
    m_factorPanel->show();
    m_factorLabel->setText(m_factors->value(index.row(), QStringLiteral("hmna")).toString().trimmed() +
                           QStringLiteral("因子结论:"));
}
