// The test launcher page.
#include "LauncherPage.h"
#include "ChoiceRunnerPage.h"

#include "data/Clock.h"
#include "shell/Dialogs.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

TFrame3::TFrame3(const PageContext& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("TFrame3"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* group = new QGroupBox(QStringLiteral("项目测试模块"), this);
    outer->addWidget(group);
    auto* layout = new QVBoxLayout(group);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("请选择测试用户:"), group));
    m_subjects = new QComboBox(group);
    m_subjects->setObjectName(QStringLiteral("RzComboBox1"));
    m_subjects->setEditable(false);
    m_subjects->setMinimumWidth(180);
    top->addWidget(m_subjects);
    m_sexLabel = new QLabel(group);
    m_sexLabel->setObjectName(QStringLiteral("sexLabel"));
    m_birthLabel = new QLabel(group);
    m_birthLabel->setObjectName(QStringLiteral("birthLabel"));
    m_nameLabel = new QLabel(group);
    m_nameLabel->setObjectName(QStringLiteral("nameLabel"));
    for (QLabel* label : {m_sexLabel, m_birthLabel, m_nameLabel}) {
        label->setMinimumWidth(150);
        top->addSpacing(12);
        top->addWidget(label);
    }
    m_start = new QPushButton(QStringLiteral("开始测试"), group);
    m_start->setObjectName(QStringLiteral("RzBitBtn1"));
    top->addWidget(m_start);
    top->addStretch();
    layout->addLayout(top);

    auto* splitter = new QSplitter(Qt::Horizontal, group);
    m_tree = new QTreeWidget(splitter);
    m_tree->setObjectName(QStringLiteral("catalogTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setMouseTracking(true); // hot tracking
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette palette = m_tree->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::ToolTipBase));
    m_tree->setPalette(palette);
    m_pageArea = new QWidget(splitter);
    m_pageArea->setObjectName(QStringLiteral("pageArea"));
    auto* areaLayout = new QVBoxLayout(m_pageArea);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    splitter->addWidget(m_tree);
    splitter->addWidget(m_pageArea);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 900});
    layout->addWidget(splitter, 1);

    connect(m_subjects, &QComboBox::currentIndexChanged, this, &TFrame3::RzComboBox1Change);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { treeNodeClicked(item); });
    connect(m_start, &QPushButton::clicked, this, &TFrame3::RzBitBtn1Click);
}

void TFrame3::fill()
{
    const QSignalBlocker blocker(m_subjects);
    m_subjects->clear();
    try {
        if (m_context.bank && m_context.bank->isOpen()) {
            m_catalog = loadCatalog(*m_context.bank);
            buildTree();
        }
        if (m_context.info && m_context.info->isOpen())
            for (const SubjectEntry& entry : loadSubjectEntries(*m_context.info))
                m_subjects->addItem(entry.text());
    } catch (const DbError& e) {
        Dialogs::instance().message(Dialogs::Icon::Error, Dialogs::Buttons::Ok, e.message());
    }
    m_subjects->setCurrentIndex(-1);
    freeRunnerPage();
    m_pageArea->show();
}

void TFrame3::buildTree()
{
    m_tree->clear();
    const QColor colours[] = {QColor(0x00, 0x80, 0x00), QColor(0xFF, 0x00, 0x00), QColor(0x00, 0x00, 0xFF)};
    std::function<void(QTreeWidgetItem*, const QVector<int>&)> add = [&](QTreeWidgetItem* parent,
                                                                          const QVector<int>& indexes) {
        for (int index : indexes) {
            const CatalogNode& node = m_catalog.nodes[index];
            auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_tree);
            item->setText(0, node.name);
            item->setToolTip(0, node.name);
            item->setData(0, Qt::UserRole, index);
            item->setForeground(0, colours[static_cast<int>(catalogNodeColour(node.level, node.siblingIndex))]);
            add(item, node.children);
        }
    };
    add(nullptr, m_catalog.roots);
}

void TFrame3::RzComboBox1Change(int index)
{
    if (index < 0 || !m_context.info)
        return;
    SessionContext& s = SessionContext::current();
    try {
        const auto chosen = chooseSubject(*m_context.info, s, m_subjects->itemText(index));
        if (!chosen) {
            m_sexLabel->clear();
            m_birthLabel->clear();
            m_nameLabel->clear();
            m_birth = QDate();
            return;
        }
        m_sexLabel->setText(chosen->sexLabel);
        m_birthLabel->setText(chosen->birthLabel);
        m_nameLabel->setText(chosen->nameLabel);
        m_birth = chosen->birth;
        if (m_birth.isValid())
            s.age = monthsBetween(QDateTime(m_birth, QTime(0, 0)), Clock::now());
    } catch (const DbError& e) {
        Dialogs::instance().message(Dialogs::Icon::Error, Dialogs::Buttons::Ok, e.message());
    }
}

void TFrame3::treeNodeClicked(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const int index = item->data(0, Qt::UserRole).toInt();
    if (index >= 0 && index < m_catalog.nodes.size())
        chooseTest(SessionContext::current(), m_catalog.nodes[index]);
}

void TFrame3::freeRunnerPage()
{
    delete m_runner;
    m_runner = nullptr;
}

void TFrame3::RzBitBtn1Click()
{
    SessionContext& s = SessionContext::current();
    const StartCheck check = checkStart(s, m_subjects->currentIndex() >= 0, m_birth, Clock::now());
    if (!check.ok) {
        if (check.warningIcon)
            Dialogs::instance().warning(check.message);
        else
            Dialogs::instance().information(check.message);
        freeRunnerPage();
        m_pageArea->show();
        return;
    }
    freeRunnerPage();
    const RunnerKind kind = runnerKindFor(s.hmid);
    if (!m_context.bank || !m_context.info) {
        Dialogs::instance().warning(QStringLiteral("数据库未连接，无法开始测试！"));
        return;
    }
    ChoiceRunnerPage* page = createChoiceRunnerPage(kind, s.hmid, *m_context.bank, *m_context.info, m_pageArea);
    if (!page) {
        Dialogs::instance().information(QStringLiteral("本版本尚未提供“") + s.testName + QStringLiteral("”的测试页面(")
                                        + runnerPageClass(kind) + QStringLiteral(")，暂时不能进行此项测试。"));
        m_pageArea->show();
        return;
    }
    m_runner = page;
    m_pageArea->layout()->addWidget(page);
    try {
        page->LoadTest();
    } catch (const DbError& e) {
        Dialogs::instance().message(Dialogs::Icon::Error, Dialogs::Buttons::Ok, e.message());
    }
    if (m_context.applyImeName)
        m_context.applyImeName(page);
    page->show();
    m_pageArea->show();
}
