// psydesk-cli score: its contract (JSON fields, exit statuses, --save), and that it prints the
// very lines the runner page shows for the same answers.
#include "TestHome.h"

#include "testing/pages/ChoiceRunnerPage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRadioButton>
#include <QTextEdit>
#include <QtTest>

namespace {

struct CliRun {
    int status = -1;
    QByteArray out;
    QString err;
    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

CliRun runCli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(PSYDESK_BIN_DIR "/psydesk-cli"), QStringList{QStringLiteral("score")} + args);
    p.waitForFinished(60000);
    CliRun r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
    return r;
}

// The result lines the runner page shows after answering with option numbers and "统计".
QStringList pageLines(Database& bank, Database& info, int hmid, const QString& sex, int ageMonths,
                      const QString& name, const QVector<int>& options)
{
    SessionContext& s = SessionContext::current();
    s.reset();
    QSqlQuery node = bank.run(QStringLiteral("select * from treename where id=:p"), {hmid});
    node.next();
    chooseTest(s, catalogNodeFromRecord(node.record()));
    s.subjectSex = sex;
    s.subjectName = name;
    s.age = ageMonths;
    const RunnerKind kind = runnerKindFor(hmid);
    std::unique_ptr<ChoiceRunnerPage> page(createChoiceRunnerPage(kind, hmid, bank, info, nullptr));
    if (!page)
        return {};
    page->LoadTest();
    auto* itemText = page->findChild<QTextEdit*>("RzRichEdit1");
    for (int option : options) {
        if (option == 10)
            QTest::keyClick(itemText, '0');
        else
            page->RzRadioButtonClick(option - 1);
    }
    page->RzBitBtn3Click();
    return itemText->toPlainText().split(QLatin1Char('\n'));
}

} // namespace

class TestCliScore : public QObject {
    Q_OBJECT
private slots:
    void init() { setUnsavedResult(false); }
    void jsonContractOnFixture();
    void refusals_data();
    void refusals();
    void saveStoresTheResult();
    void demoBankLinesMatchThePage();
};

void TestCliScore::jsonContractOnFixture()
{
    TestHome home;
    writeSmallChoiceTest(home.bank());
    home.finishBank();
    const CliRun r = runCli({"--bank", home.bankFile(), "--test", "200", "--sex", "女", "--age-months", "120",
                             "--answers", "2,3,4,1", "--name", "张三"});
    QCOMPARE(r.status, 0);
    const QJsonObject o = r.json();
    QCOMPARE(o.value("test").toInt(), 200);
    QCOMPARE(o.value("testName").toString(), QStringLiteral("测试量表"));
    QCOMPARE(o.value("items").toInt(), 4);
    QVERIFY(o.value("total").isDouble());
    QCOMPARE(o.value("total").toDouble(), 10.0);
    QCOMPARE(o.value("average").toDouble(), 2.5);
    QCOMPARE(o.value("conclusion").toString(), QStringLiteral("总分偏高"));
    const QJsonArray factors = o.value("factors").toArray();
    QCOMPARE(factors.size(), 2);
    QCOMPARE(factors[0].toObject().value("name").toString(), QStringLiteral("因子甲"));
    QCOMPARE(factors[0].toObject().value("count").toInt(), 2);
    QCOMPARE(factors[0].toObject().value("sum").toDouble(), 6.0);
    QCOMPARE(factors[0].toObject().value("average").toDouble(), 3.0);
    QCOMPARE(factors[0].toObject().value("explanation").toString(), QStringLiteral("甲偏高"));
    QCOMPARE(factors[1].toObject().value("name").toString(), QStringLiteral("因子乙"));
    QStringList lines;
    for (const QJsonValue& v : o.value("lines").toArray())
        lines << v.toString();
    QCOMPARE(lines.first(), QStringLiteral("本次测试已完成！"));
    QCOMPARE(lines.value(1), QStringLiteral("姓名：张三"));
    QCOMPARE(lines.last(), QStringLiteral("结论：总分偏高"));

    auto bank = home.openBank();
    auto info = home.openInfo();
    QCOMPARE(lines, pageLines(*bank, *info, 200, QStringLiteral("女"), 120, QStringLiteral("张三"), {2, 3, 4, 1}));
}

void TestCliScore::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("stderrStart");
    const QStringList base{"--test", "200", "--sex", "女", "--age-months", "120"};
    QTest::newRow("unanswered item 3") << (base + QStringList{"--answers", "2,3,0,1"}) << 1 << "第3题未做!";
    QTest::newRow("fewer answers than items") << (base + QStringList{"--answers", "2,3,4"}) << 1 << "第4题未做!";
    QTest::newRow("option beyond the item's options") << (base + QStringList{"--answers", "2,3,5,1"}) << 1 << "第3题";
    QTest::newRow("more answers than items") << (base + QStringList{"--answers", "1,1,1,1,1"}) << 1 << "答案个数";
    QTest::newRow("answer not a number") << (base + QStringList{"--answers", "1,x,1,1"}) << 2 << "--answers";
    QTest::newRow("answer above 10") << (base + QStringList{"--answers", "1,11,1,1"}) << 2 << "--answers";
    QTest::newRow("bad sex") << QStringList{"--test", "200", "--sex", "M", "--age-months", "120", "--answers", "1"}
                             << 2 << "--sex";
    QTest::newRow("missing test") << QStringList{"--sex", "女", "--age-months", "120", "--answers", "1"} << 2
                                  << "缺少参数 --test";
    QTest::newRow("unknown option") << (base + QStringList{"--answers", "1,1,1,1", "--loud"}) << 2 << "未知参数";
    QTest::newRow("save without info") << (base + QStringList{"--answers", "1,1,1,1", "--save"}) << 2 << "--save";
    QTest::newRow("unknown test") << QStringList{"--test", "999", "--sex", "女", "--age-months", "120", "--answers",
                                                 "1"}
                                  << 1 << "试题库中没有";
}

void TestCliScore::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, stderrStart);
    TestHome home;
    writeSmallChoiceTest(home.bank());
    home.finishBank();
    const CliRun r = runCli(QStringList{"--bank", home.bankFile()} + args);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.startsWith(stderrStart), qPrintable(r.err));
    QVERIFY(r.out.isEmpty());
}

void TestCliScore::saveStoresTheResult()
{
    TestHome home;
    writeSmallChoiceTest(home.bank());
    home.finishBank();
    {
        auto info = home.openInfo();
        addSubject(*info, QStringLiteral("A001"), QStringLiteral("张三"), QStringLiteral("女"), QDate(2016, 5, 1));
        info->run(QStringLiteral("insert into jg (id) values (7)"));
    }
    const CliRun r = runCli({"--bank", home.bankFile(), "--test", "200", "--sex", "女", "--age-months", "120",
                             "--answers", "2,3,4,1", "--info", home.infoFile(), "--subject", "A001", "--save"});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.json().value("id").toInt(), 8);
    auto info = home.openInfo();
    const auto header = info->rows(QStringLiteral("select * from jg where id=8"));
    QCOMPARE(int(header.size()), 1);
    QCOMPARE(header[0].value("username").toString(), QStringLiteral("张三"));
    QCOMPARE(header[0].value("type").toString(), QStringLiteral("总分偏高"));
    QCOMPARE(info->scalar(QStringLiteral("select count(*) from jgmx where jgid=8")).toInt(), 2);
    QCOMPARE(info->scalar(QStringLiteral("select count(*) from jgmxx where jgid=8")).toInt(), 4);

    const CliRun unknown = runCli({"--bank", home.bankFile(), "--test", "200", "--sex", "女", "--age-months", "120",
                                   "--answers", "2,3,4,1", "--info", home.infoFile(), "--subject", "Z9", "--save"});
    QCOMPARE(unknown.status, 1);
    QCOMPARE(info->scalar(QStringLiteral("select count(*) from jg")).toInt(), 2);
}

void TestCliScore::demoBankLinesMatchThePage()
{
    // Every choice test of the demo bank, answered with a fixed pattern, gives the same lines
    // through the headless tool as on the runner page.
    QTemporaryDir dir;
    const QString bankFile = dir.filePath(QStringLiteral("sysinfodb.db"));
    QString error;
    QVERIFY2(buildDemoBank(bankFile, &error), qPrintable(error));

    TestHome home;
    auto info = home.openInfo();
    Database bank;
    ConnectionSettings settings;
    settings.file = bankFile;
    settings.readOnly = true;
    QVERIFY(bank.open(settings));
    int compared = 0;
    for (const QSqlRecord& node : bank.rows(QStringLiteral("select * from treename order by id"))) {
        const int hmid = node.value("id").toInt();
        const RunnerKind kind = runnerKindFor(hmid);
        if (kind != RunnerKind::DefaultChoice && kind != RunnerKind::PlainChoice && kind != RunnerKind::Temperament)
            continue;
        const auto items = bank.rows(QStringLiteral("select chc from toplr where hmid=:p order by topid"), {hmid});
        if (items.empty())
            continue;
        const QString sex = node.value("xb").toString() == QStringLiteral("女") ? QStringLiteral("女") : QStringLiteral("男");
        const int age = (node.value("min").toInt() + node.value("max").toInt()) / 2;
        QVector<int> options;
        QStringList answers;
        for (size_t k = 0; k < items.size(); ++k) {
            const int chc = std::max(1, std::min(items[k].value(0).toInt(), kind == RunnerKind::Temperament ? 8 : 9));
            options << int(k * 7 % chc) + 1;
            answers << QString::number(options.last());
        }
        const CliRun r = runCli({"--bank", bankFile, "--test", QString::number(hmid), "--sex", sex, "--age-months",
                                 QString::number(age), "--answers", answers.join(','), "--name", "王五"});
        QVERIFY2(r.status == 0, qPrintable(QStringLiteral("test %1: %2").arg(hmid).arg(r.err)));
        QStringList lines;
        for (const QJsonValue& v : r.json().value("lines").toArray())
            lines << v.toString();
        QCOMPARE(lines, pageLines(bank, *info, hmid, sex, age, QStringLiteral("王五"), options));
        ++compared;
    }
    QVERIFY(compared >= 10);
}

QTEST_MAIN(TestCliScore)
#include "tst_cli_score.moc"
