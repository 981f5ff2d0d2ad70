// The whole road on screen: launcher -> subject -> test -> "开始测试" -> answers by keys and
// clicks -> "统计" -> "保存测试", and the runner page's navigation rules.
#include "TestHome.h"

#include "data/Clock.h"
#include "testing/pages/ChoiceRunnerPage.h"
#include "testing/pages/LauncherPage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QtTest>

class TestRunnerGui : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void wholeRoadFromLauncherToSavedResult();
    void refusalsLeaveNoRunnerPage();
    void navigationAndEarlierAnswers();
    void testWithoutItemsWarns();
    void temperamentRunFromLauncherToSavedResult();

private:
    // Opens the launcher on a home with the small test and two subjects.
    TFrame3* openLauncher();
    QTreeWidgetItem* findNode(QTreeWidget* tree, const QString& caption);

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Database> m_info;
    std::unique_ptr<Database> m_bank;
    std::unique_ptr<ScopedScriptedDialogs> m_dialogs;
    std::unique_ptr<TFrame3> m_page;
};

void TestRunnerGui::init()
{
    SessionContext::current().reset();
    setUnsavedResult(false);
    Clock::setFixed(QDateTime(QDate(2026, 12, 11), QTime(10, 30)));
    m_home = std::make_unique<TestHome>();
    writeSmallChoiceTest(m_home->bank());
    m_home->bank().addNode({201, 1, QStringLiteral("空量表"), 4, 4, 9999, 0, QStringLiteral("男女"), {}});
    m_home->bank().addNode({202, 1, QStringLiteral("女生量表"), 4, 4, 9999, 0, QStringLiteral("女"), {}});
    m_home->finishBank();
    m_info = m_home->openInfo();
    m_bank = m_home->openBank();
    addSubject(*m_info, QStringLiteral("A001"), QStringLiteral("张三"), QStringLiteral("女"), QDate(2016, 5, 1));
    addSubject(*m_info, QStringLiteral("B002"), QStringLiteral("李四"), QStringLiteral("男"), QDate(2025, 12, 1));
    m_dialogs = std::make_unique<ScopedScriptedDialogs>();
}

void TestRunnerGui::cleanup()
{
    m_page.reset();
    m_dialogs.reset();
    m_bank.reset();
    m_info.reset();
    m_home.reset();
    Clock::setFixed({});
}

TFrame3* TestRunnerGui::openLauncher()
{
    PageContext context;
    context.info = m_info.get();
    context.bank = m_bank.get();
    m_page = std::make_unique<TFrame3>(context);
    m_page->resize(1200, 800);
    m_page->fill();
    m_page->show();
    return m_page.get();
}

QTreeWidgetItem* TestRunnerGui::findNode(QTreeWidget* tree, const QString& caption)
{
    const auto found = tree->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// With PSYDESK_SCREENSHOTS=DIR set, pages are saved as pictures for a look by eye.
static void snapshot(QWidget* widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("PSYDESK_SCREENSHOTS");
    if (!dir.isEmpty())
        widget->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

static void clickNode(QTreeWidget* tree, QTreeWidgetItem* item)
{
    tree->scrollToItem(item);
    const QRect rect = tree->visualItemRect(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
}

void TestRunnerGui::wholeRoadFromLauncherToSavedResult()
{
    TFrame3* page = openLauncher();
    auto* subjects = page->findChild<QComboBox*>("RzComboBox1");
    auto* tree = page->findChild<QTreeWidget*>("catalogTree");
    QCOMPARE(subjects->count(), 2);
    QCOMPARE(subjects->itemText(0), QStringLiteral("张三#A001"));

    subjects->setCurrentIndex(0);
    QCOMPARE(page->findChild<QLabel*>("sexLabel")->text(), QStringLiteral("性别:女"));
    QCOMPARE(page->findChild<QLabel*>("birthLabel")->text(), QStringLiteral("出生日期:2016-05-01"));
    QCOMPARE(page->findChild<QLabel*>("nameLabel")->text(), QStringLiteral("姓名:张三"));

    // Catalogue: a root category (green) with tests under it, sorted by caption.
    QTreeWidgetItem* root = findNode(tree, QStringLiteral("测试目录"));
    QVERIFY(root);
    QCOMPARE(root->foreground(0).color(), QColor(0, 0x80, 0));
    tree->expandAll();
    QTreeWidgetItem* node = findNode(tree, QStringLiteral("测试量表"));
    QVERIFY(node);
    clickNode(tree, node);
    QCOMPARE(SessionContext::current().hmid, 200);

    QTest::mouseClick(page->findChild<QPushButton*>("RzBitBtn1"), Qt::LeftButton);
    auto* runner = qobject_cast<ChoiceRunnerPage*>(page->runnerPage());
    QVERIFY2(runner, qPrintable(m_dialogs->texts().join('|')));
    QCOMPARE(runner->objectName(), QStringLiteral("TFrame103"));
    auto* itemText = runner->findChild<QTextEdit*>("RzRichEdit1");
    QVERIFY(itemText->toPlainText().startsWith(QStringLiteral("1、第1题的题目")));
    QCOMPARE(runner->findChild<QLabel*>("statusRight")->text(), QStringLiteral("测试进行中...1/4"));
    QVERIFY(runner->findChild<QRadioButton*>("RzRadioButton4")->isVisibleTo(runner));
    QVERIFY(!runner->findChild<QRadioButton*>("RzRadioButton5")->isVisibleTo(runner));

    // Item 1 by key, item 2 by a click, item 3 by key; "5" is ignored on four options.
    snapshot(page, QStringLiteral("runner-first-item"));
    QTest::keyClick(itemText, '5');
    QCOMPARE(runner->run()->cursor(), 0);
    QTest::keyClick(itemText, '2');
    QTest::mouseClick(runner->findChild<QRadioButton*>("RzRadioButton3"), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(itemText, '4');
    QTest::mouseClick(runner->findChild<QRadioButton*>("RzRadioButton1"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(runner->findChild<QLabel*>("statusRight")->text(), QStringLiteral("测试已完成,未保存..."));
    QVERIFY(!runner->findChild<QGroupBox*>("optionGroup")->isEnabled());

    QTest::mouseClick(runner->findChild<QPushButton*>("RzBitBtn3"), Qt::LeftButton);
    const QString shown = itemText->toPlainText();
    QVERIFY2(shown.contains(QStringLiteral("本次测试已完成！")), qPrintable(shown));
    QVERIFY(shown.contains(QStringLiteral("因子甲:甲偏高")));
    QVERIFY(shown.contains(QStringLiteral("测试总分：10")));
    QVERIFY(shown.contains(QStringLiteral("结论：总分偏高")));
    snapshot(page, QStringLiteral("runner-scored"));
    auto* save = runner->findChild<QPushButton*>("RzShapeButton1");
    QVERIFY(save->isVisibleTo(runner));
    QVERIFY(!runner->findChild<QWidget*>("navigationPanel")->isVisibleTo(runner));

    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("记录已保存！"));
    QVERIFY(!save->isVisibleTo(runner));
    QCOMPARE(runner->findChild<QLabel*>("statusRight")->text(), QStringLiteral("记录已保存..."));

    const auto header = m_info->rows(QStringLiteral("select * from jg"));
    QCOMPARE(int(header.size()), 1);
    QCOMPARE(header[0].value("id").toInt(), 1);
    QCOMPARE(header[0].value("userid").toString(), QStringLiteral("A001"));
    QCOMPARE(header[0].value("sumcount").toDouble(), 10.0);
    QCOMPARE(header[0].value("tmc").toInt(), 4);
    QCOMPARE(variantToDateTime(header[0].value("timeing")), QDateTime(QDate(2026, 12, 11), QTime(10, 30)));
    QCOMPARE(m_info->scalar(QStringLiteral("select count(*) from jgmx where jgid=1")).toInt(), 2);
    const auto items = m_info->rows(QStringLiteral("select topid, sorc from jgmxx where jgid=1 order by id"));
    QCOMPARE(int(items.size()), 4);
    const double expected[] = {2, 3, 4, 1};
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(items[k].value(0).toString(), QStringLiteral("题号：%1").arg(k + 1));
        QCOMPARE(items[k].value(1).toDouble(), expected[k]);
    }
}

void TestRunnerGui::refusalsLeaveNoRunnerPage()
{
    TFrame3* page = openLauncher();
    auto* start = page->findChild<QPushButton*>("RzBitBtn1");
    auto* tree = page->findChild<QTreeWidget*>("catalogTree");
    tree->expandAll();

    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("请选择测试会员！"));
    QVERIFY(!page->runnerPage());

    // The boy is 12 months old: the small test needs 36 months.
    page->findChild<QComboBox*>("RzComboBox1")->setCurrentIndex(1);
    clickNode(tree, findNode(tree, QStringLiteral("测试量表")));
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("该测试者的年龄不适合进行此项测试！\n年龄要求:36--1200个月!"));
    QVERIFY(!page->runnerPage());

    clickNode(tree, findNode(tree, QStringLiteral("女生量表")));
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("该测试者的性别不适合进行此项测试！"));
    QVERIFY(!page->runnerPage());
}

void TestRunnerGui::navigationAndEarlierAnswers()
{
    TFrame3* page = openLauncher();
    page->findChild<QComboBox*>("RzComboBox1")->setCurrentIndex(0);
    auto* tree = page->findChild<QTreeWidget*>("catalogTree");
    tree->expandAll();
    clickNode(tree, findNode(tree, QStringLiteral("测试量表")));
    QTest::mouseClick(page->findChild<QPushButton*>("RzBitBtn1"), Qt::LeftButton);
    auto* runner = qobject_cast<ChoiceRunnerPage*>(page->runnerPage());
    QVERIFY(runner);
    auto* itemText = runner->findChild<QTextEdit*>("RzRichEdit1");
    auto* previous = runner->findChild<QPushButton*>("RzBitBtn1");
    auto* next = runner->findChild<QPushButton*>("RzBitBtn2");
    auto* options = runner->findChild<QGroupBox*>("optionGroup");

    // "上一题目" on the first item right after loading changes nothing.
    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(runner->run()->cursor(), 0);

    for (char key : {'1', '2', '3', '4'})
        QTest::keyClick(itemText, key);
    QVERIFY(!options->isEnabled());
    QCOMPARE(runner->run()->cursor(), 3);
    // "下一题目" after the last answer does nothing; "上一题目" shows item 3 with its answer in red.
    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(runner->run()->cursor(), 3);
    QVERIFY(!options->isEnabled());
    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(runner->run()->cursor(), 2);
    QVERIFY(options->isEnabled());
    auto* third = runner->findChild<QRadioButton*>("RzRadioButton3");
    QVERIFY(third->styleSheet().contains(QStringLiteral("red")));
    for (int k = 1; k <= 4; ++k)
        QVERIFY(!runner->findChild<QRadioButton*>(QStringLiteral("RzRadioButton%1").arg(k))->isChecked());
    QVERIFY(runner->findChild<QRadioButton*>("RzRadioButton1")->styleSheet().isEmpty());
    // Choosing another option replaces the answer and moves on.
    QTest::keyClick(itemText, '1');
    QCOMPARE(runner->run()->answers().value(2), QStringLiteral("ac"));
    QCOMPARE(runner->run()->cursor(), 3);
}

void TestRunnerGui::testWithoutItemsWarns()
{
    TFrame3* page = openLauncher();
    page->findChild<QComboBox*>("RzComboBox1")->setCurrentIndex(0);
    auto* tree = page->findChild<QTreeWidget*>("catalogTree");
    tree->expandAll();
    clickNode(tree, findNode(tree, QStringLiteral("空量表")));
    QTest::mouseClick(page->findChild<QPushButton*>("RzBitBtn1"), Qt::LeftButton);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("数据库中不存在空量表试题集"));
    auto* runner = qobject_cast<ChoiceRunnerPage*>(page->runnerPage());
    QVERIFY(runner);
    // Nothing to answer: "统计" does nothing and stores nothing.
    QTest::mouseClick(runner->findChild<QPushButton*>("RzBitBtn3"), Qt::LeftButton);
    QCOMPARE(m_info->scalar(QStringLiteral("select count(*) from jg")).toInt(), 0);
}

void TestRunnerGui::temperamentRunFromLauncherToSavedResult()
{
    // The demo bank's infant temperament test (1-4 months, eight options) on a 2-month-old.
    QTemporaryDir dir;
    const QString bankFile = dir.filePath(QStringLiteral("sysinfodb.db"));
    QString error;
    QVERIFY2(buildDemoBank(bankFile, &error), qPrintable(error));
    Database demo;
    ConnectionSettings settings;
    settings.file = bankFile;
    settings.readOnly = true;
    QVERIFY(demo.open(settings));
    addSubject(*m_info, QStringLiteral("C003"), QStringLiteral("小明"), QStringLiteral("男"), QDate(2026, 10, 1));

    PageContext context;
    context.info = m_info.get();
    context.bank = &demo;
    m_page = std::make_unique<TFrame3>(context);
    m_page->resize(1200, 800);
    m_page->fill();
    m_page->show();
    auto* subjects = m_page->findChild<QComboBox*>("RzComboBox1");
    subjects->setCurrentIndex(subjects->findText(QStringLiteral("小明#C003")));
    auto* tree = m_page->findChild<QTreeWidget*>("catalogTree");
    tree->expandAll();
    const auto nodes = tree->findItems(QStringLiteral("婴儿气质问卷(1-4个月"), Qt::MatchStartsWith | Qt::MatchRecursive);
    QCOMPARE(nodes.size(), 1);
    clickNode(tree, nodes.first());
    QCOMPARE(SessionContext::current().hmid, 40);
    QTest::mouseClick(m_page->findChild<QPushButton*>("RzBitBtn1"), Qt::LeftButton);
    auto* runner = qobject_cast<ChoiceRunnerPage*>(m_page->runnerPage());
    QVERIFY2(runner, qPrintable(m_dialogs->texts().join('|')));
    QCOMPARE(runner->objectName(), QStringLiteral("TFrame102"));
    QVERIFY(runner->findChild<QRadioButton*>("RzRadioButton8")->isVisibleTo(runner));
    QVERIFY(!runner->findChild<QRadioButton*>("RzRadioButton9"));

    auto* itemText = runner->findChild<QTextEdit*>("RzRichEdit1");
    const int n = runner->run()->itemCount();
    QTest::keyClick(itemText, '0'); // no tenth option: ignored
    QCOMPARE(runner->run()->cursor(), 0);
    for (int k = 0; k < n; ++k)
        QTest::keyClick(itemText, char('1' + (k * 3) % 8));
    QTest::mouseClick(runner->findChild<QPushButton*>("RzBitBtn3"), Qt::LeftButton);
    snapshot(m_page.get(), QStringLiteral("temperament-scored"));
    const QString shown = itemText->toPlainText();
    QVERIFY2(shown.contains(QStringLiteral("测试总分：")), qPrintable(shown));
    const QString conclusion = SessionContext::current().conclusion;
    static const QStringList types{QStringLiteral("平易型:"), QStringLiteral("麻烦型:"), QStringLiteral("缓动型:"),
                                   QStringLiteral("中间平易型:"), QStringLiteral("中间麻烦型:")};
    QVERIFY2(std::any_of(types.begin(), types.end(), [&](const QString& t) { return conclusion.startsWith(t); }),
             qPrintable(conclusion));

    QTest::mouseClick(runner->findChild<QPushButton*>("RzShapeButton1"), Qt::LeftButton);
    QCOMPARE(m_dialogs->lastText(), QStringLiteral("记录已保存！"));
    const auto header = m_info->rows(QStringLiteral("select * from jg where userid='C003'"));
    QCOMPARE(int(header.size()), 1);
    QCOMPARE(header[0].value("type").toString(), conclusion.trimmed());
    QCOMPARE(header[0].value("tmc").toInt(), n);
    const int id = header[0].value("id").toInt();
    QCOMPARE(m_info->scalar(QStringLiteral("select count(*) from jgmx where jgid=:p"), {id}).toInt(),
             SessionContext::current().factors.size());
    QCOMPARE(m_info->scalar(QStringLiteral("select count(*) from jgmxx where jgid=:p"), {id}).toInt(), n);
    m_page.reset();
}

QTEST_MAIN(TestRunnerGui)
#include "tst_runner_gui.moc"
