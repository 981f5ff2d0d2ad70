// Scoring core: rounding, ages and the start checks, keys, unanswered items, norm bands,
// the category count of test 147, and the save with its rollback.
#include "TestHome.h"

#include "data/Clock.h"
#include "data/ResultStore.h"
#include "testing/ChoiceRun.h"
#include "testing/NumberFormat.h"

#include <QtTest>

class TestScoring : public QObject {
    Q_OBJECT
private slots:
    void init() { SessionContext::current().reset(); setUnsavedResult(false); }

    void rounding_data();
    void rounding();
    void numberTextForms();
    void startChecks_data();
    void startChecks();
    void matrixAgeAdjustment_data();
    void matrixAgeAdjustment();
    void keysByOptionCount_data();
    void keysByOptionCount();
    void firstUnansweredItemIsReported();
    void factorSumsAndNormBandEdges_data();
    void factorSumsAndNormBandEdges();
    void categoryCountOfTest147();
    void totalShownAsIntegerPartButStoredWhole();
    void saveStoresHeaderFactorsAndItems();
    void failedSaveLeavesNothingBehind();
    void emptyResultTableGivesIdOne();
};

void TestScoring::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.25 halfway rounds down") << 2.25 << 2.2;
    QTest::newRow("2.45 stored above rounds up") << 2.45 << 2.5;
    QTest::newRow("0.75 rounds down") << 0.75 << 0.7;
    QTest::newRow("0.25 ties to even") << 0.25 << 0.2;
    QTest::newRow("1.5 average") << 1.5 << 1.5;
    QTest::newRow("10/3") << 10.0 / 3 << 3.3;
    QTest::newRow("negative -2.25") << -2.25 << -2.2;
    QTest::newRow("whole") << 30.0 << 30.0;
}

void TestScoring::rounding()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(roundOneDecimal(value), expected);
}

void TestScoring::numberTextForms()
{
    QCOMPARE(numberText(roundOneDecimal(2.25)), QStringLiteral("2.2"));
    QCOMPARE(numberText(30), QStringLiteral("30"));
    QCOMPARE(numberText(0.5), QStringLiteral("0.5"));
    QCOMPARE(numberText(123456.5), QStringLiteral("123456.5"));
    QCOMPARE(numberText(0), QStringLiteral("0"));
    QCOMPARE(integerPart(37.5), 37LL);
    QCOMPARE(integerPart(-37.5), -37LL);
}

void TestScoring::startChecks_data()
{
    QTest::addColumn<int>("ageMonths");
    QTest::addColumn<QString>("testSex");
    QTest::addColumn<QString>("subjectSex");
    QTest::addColumn<QString>("message");
    const QString ageRefusal = QStringLiteral("该测试者的年龄不适合进行此项测试！\n年龄要求:36--72个月!");
    const QString sexRefusal = QStringLiteral("该测试者的性别不适合进行此项测试！");
    QTest::newRow("35 months refused") << 35 << "男女" << "男" << ageRefusal;
    QTest::newRow("36 months accepted") << 36 << "男女" << "男" << QString();
    QTest::newRow("72 months accepted") << 72 << "男女" << "女" << QString();
    QTest::newRow("73 months refused") << 73 << "男女" << "女" << ageRefusal;
    QTest::newRow("女 test refuses a boy") << 50 << "女" << "男" << sexRefusal;
    QTest::newRow("女 test accepts a girl") << 50 << "女" << "女" << QString();
    QTest::newRow("男女 accepts a boy") << 50 << "男女" << "男" << QString();
}

void TestScoring::startChecks()
{
    QFETCH(int, ageMonths);
    QFETCH(QString, testSex);
    QFETCH(QString, subjectSex);
    QFETCH(QString, message);
    SessionContext s;
    s.minAge = 36;
    s.maxAge = 72;
    s.testSex = testSex;
    s.subjectSex = subjectSex;
    s.hmid = 200;
    // A birth date exactly ageMonths * 30.4375 days (plus half a day) before now.
    const QDateTime now(QDate(2026, 12, 11), QTime(12, 0));
    const QDateTime birth = now.addMSecs(-qint64((ageMonths * 30.4375 + 0.5) * 86400000.0));
    const StartCheck check = checkStart(s, true, birth.date(), now);
    QCOMPARE(int(s.age), ageMonths);
    QCOMPARE(check.message, message);
    QCOMPARE(check.ok, message.isEmpty());

    const StartCheck none = checkStart(s, false, birth.date(), now);
    QCOMPARE(none.message, QStringLiteral("请选择测试会员！"));
    QVERIFY(none.warningIcon);
}

void TestScoring::matrixAgeAdjustment_data()
{
    QTest::addColumn<double>("months");
    QTest::addColumn<double>("years");
    QTest::newRow("70 months -> 5") << 70.0 << 5.0;
    QTest::newRow("71 months (5 years) -> 5") << 71.0 << 5.0;
    QTest::newRow("72 months -> 6") << 72.0 << 6.0;
    QTest::newRow("90 months -> 7") << 90.0 << 7.0;
    QTest::newRow("200 months -> 16") << 200.0 << 16.0;
    QTest::newRow("1200 months -> 100") << 1200.0 << 100.0;
}

void TestScoring::matrixAgeAdjustment()
{
    QFETCH(double, months);
    QFETCH(double, years);
    QCOMPARE(adjustedYearsForMatrices(months), years);
}

void TestScoring::keysByOptionCount_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("optionCount");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("option");
    const int def = int(RunnerKind::DefaultChoice);
    const int tem = int(RunnerKind::Temperament);
    QTest::newRow("4 options, key 1") << def << 4 << "1" << 0;
    QTest::newRow("4 options, key 4") << def << 4 << "4" << 3;
    QTest::newRow("4 options, key 5 ignored") << def << 4 << "5" << -1;
    QTest::newRow("4 options, key 9 ignored") << def << 4 << "9" << -1;
    QTest::newRow("letter ignored") << def << 4 << "a" << -1;
    QTest::newRow("default runner ignores 0") << def << 10 << "0" << -1;
    QTest::newRow("9 options, key 9") << def << 9 << "9" << 8;
    QTest::newRow("temperament, 8 options, key 0 ignored") << tem << 8 << "0" << -1;
    QTest::newRow("temperament, 10 options, key 0") << tem << 10 << "0" << 9;
    QTest::newRow("temperament, 8 options, key 8") << tem << 8 << "8" << 7;
}

void TestScoring::keysByOptionCount()
{
    QFETCH(int, kind);
    QFETCH(int, optionCount);
    QFETCH(QString, key);
    QFETCH(int, option);
    TestHome home;
    BankItem item;
    item.hmid = 200;
    item.number = 1;
    item.text = QStringLiteral("题");
    for (int k = 0; k < optionCount; ++k)
        item.options.push_back({QStringLiteral("选项"), double(k)});
    home.bank().addNode({200, 0, QStringLiteral("按键"), optionCount, 4, 9999, 0, QStringLiteral("男女"), {}});
    home.bank().addItem(item);
    home.finishBank();
    auto bank = home.openBank();
    SessionContext& s = SessionContext::current();
    s.hmid = 200;
    s.subjectSex = QStringLiteral("男");
    ChoiceRun run(*bank, s, ChoiceRunnerVariant::forKind(RunnerKind(kind), 200), nullptr);
    QVERIFY(run.load(nullptr));
    QCOMPARE(run.optionForKey(key.at(0)), option);
}

// Loads the small fixture test for a subject, answers it and scores it.
struct SmallRun {
    TestHome home;
    std::unique_ptr<Database> bank;
    std::unique_ptr<ChoiceRun> run;

    explicit SmallRun(const QString& sex = QStringLiteral("女"))
    {
        writeSmallChoiceTest(home.bank());
        home.finishBank();
        bank = home.openBank();
        SessionContext& s = SessionContext::current();
        s.hmid = 200;
        s.testName = QStringLiteral("测试量表");
        s.subjectName = QStringLiteral("张三");
        s.subjectId = QStringLiteral("A001");
        s.subjectSex = sex;
        s.age = 120;
        s.maxAverage = 4;
        run = std::make_unique<ChoiceRun>(*bank, s, ChoiceRunnerVariant::forKind(RunnerKind::DefaultChoice, 200),
                                          nullptr);
        run->load(nullptr);
    }
    // Answers the items with option numbers (0 leaves an item unanswered).
    void answer(const QVector<int>& options)
    {
        for (int k = 0; k < options.size(); ++k) {
            run->moveTo(k);
            if (options[k] > 0)
                run->recordAnswer(OptionTable()[options[k] - 1].answerCode);
        }
    }
};

void TestScoring::firstUnansweredItemIsReported()
{
    SmallRun r;
    r.answer({2, 3, 0, 1});
    const ScoreOutcome out = r.run->score();
    QVERIFY(!out.complete);
    QCOMPARE(out.message, QStringLiteral("第3题未做!"));
    QCOMPARE(r.run->cursor(), 2);
    QVERIFY(!unsavedResult());

    SmallRun none;
    for (int k = 0; k < 4; ++k)
        none.run->next();
    QCOMPARE(none.run->score().message, QStringLiteral("第1题未做!"));
}

void TestScoring::factorSumsAndNormBandEdges_data()
{
    QTest::addColumn<QVector<int>>("options");
    QTest::addColumn<QString>("factorLine");
    QTest::addColumn<QString>("conclusion");
    // Factor 甲 holds items 1 and 3; norm bands 0-5 偏低, 5-8 偏高; the total 0-10, 10-17.
    QTest::newRow("sum 3 below band edge") << QVector<int>{2, 1, 1, 1} << "因子甲:甲偏低" << "总分正常";
    QTest::newRow("sum 5 equals band edge") << QVector<int>{2, 1, 3, 1} << "因子甲:甲偏高" << "总分正常";
    QTest::newRow("total 10 takes the upper band") << QVector<int>{2, 4, 3, 1} << "因子甲:甲偏高" << "总分偏高";
    QTest::newRow("sum 8 past the last band") << QVector<int>{4, 1, 4, 1} << "因子甲:得分: 8" << "总分偏高";
}

void TestScoring::factorSumsAndNormBandEdges()
{
    QFETCH(QVector<int>, options);
    QFETCH(QString, factorLine);
    QFETCH(QString, conclusion);
    SmallRun r;
    r.answer(options);
    const ScoreOutcome out = r.run->score();
    QVERIFY2(out.complete, qPrintable(out.message));
    QCOMPARE(out.lines.value(3), factorLine);
    QCOMPARE(SessionContext::current().conclusion, conclusion);
    QCOMPARE(out.lines.last(), QStringLiteral("结论：") + conclusion);
}

void TestScoring::categoryCountOfTest147()
{
    TestHome home;
    TestBankWriter& b = home.bank();
    b.addNode({147, 0, QStringLiteral("阅读"), 7, 4, 9999, 0, QStringLiteral("男女"), {}});
    const QVector<double> scores{1, 2, 2, 4, 7};
    for (int k = 0; k < scores.size(); ++k) {
        BankItem item;
        item.hmid = 147;
        item.number = k + 1;
        item.text = QStringLiteral("题");
        for (int o = 0; o < 7; ++o)
            item.options.push_back({QStringLiteral("选项"), o == 0 ? scores[k] : 0.0});
        item.extraTexts.push_back({QStringLiteral("j"), QStringLiteral("短文")});
        b.addItem(item);
    }
    for (int f = 1; f <= 5; ++f)
        b.addFactor({0, 147, QStringLiteral("类%1").arg(f), QStringLiteral(",1,"), 0, 9999, QStringLiteral("男女")});
    b.addNorm({147, QStringLiteral("类2"), 2, 3, 0, 9999, QStringLiteral("男女"), QStringLiteral("两题")});
    home.finishBank();
    auto bank = home.openBank();
    SessionContext& s = SessionContext::current();
    s.hmid = 147;
    s.testName = QStringLiteral("阅读");
    s.subjectSex = QStringLiteral("男");
    ChoiceRun run(*bank, s, ChoiceRunnerVariant::forKind(RunnerKind::PlainChoice, 147), nullptr);
    QVERIFY(run.load(nullptr));
    for (int k = 0; k < 5; ++k)
        run.recordAnswer(QStringLiteral("ac"));
    const ScoreOutcome out = run.score();
    QVERIFY(out.complete);
    const QVector<double> sums{1, 2, 0, 1, 0};
    for (int f = 0; f < 5; ++f) {
        QCOMPARE(s.factors[f].sum, sums[f]);
        QCOMPARE(s.factors[f].count, int(sums[f]));
        QCOMPARE(s.factors[f].average, sums[f] > 0 ? 1.0 : 0.0);
    }
    QCOMPARE(s.total, 16.0);
    QVERIFY(out.lines.contains(QStringLiteral("类2:两题")));
    QVERIFY(out.lines.contains(QStringLiteral("类3:得分: 0")));
}

void TestScoring::totalShownAsIntegerPartButStoredWhole()
{
    TestHome home;
    TestBankWriter& b = home.bank();
    b.addNode({300, 0, QStringLiteral("半分"), 2, 4, 9999, 0, QStringLiteral("男女"), {}});
    const QVector<double> scores{2, 5, 1, 29.5};
    for (int k = 0; k < scores.size(); ++k) {
        BankItem item;
        item.hmid = 300;
        item.number = k + 1;
        item.text = QStringLiteral("题");
        item.options = {{QStringLiteral("是"), scores[k]}, {QStringLiteral("否"), 0.0}};
        b.addItem(item);
    }
    b.addFactor({0, 300, QStringLiteral("一三"), QStringLiteral(",1,3,"), 0, 9999, QStringLiteral("男女")});
    home.finishBank();
    auto bank = home.openBank();
    SessionContext& s = SessionContext::current();
    s.hmid = 300;
    s.testName = QStringLiteral("半分");
    s.subjectSex = QStringLiteral("女");
    ChoiceRun run(*bank, s, ChoiceRunnerVariant::forKind(RunnerKind::DefaultChoice, 300), nullptr);
    QVERIFY(run.load(nullptr));
    for (int k = 0; k < 4; ++k)
        run.recordAnswer(QStringLiteral("ac"));
    const ScoreOutcome out = run.score();
    QVERIFY(out.complete);
    QCOMPARE(s.factors[0].sum, 3.0);
    QCOMPARE(s.factors[0].count, 2);
    QCOMPARE(s.factors[0].average, 1.5);
    QVERIFY(out.lines.contains(QStringLiteral("测试总分：37")));
    QVERIFY(out.lines.contains(QStringLiteral("测试平均分：9.4"))); // 37.5 / 4 = 9.375
    QCOMPARE(run.storedResult().total, 37.5);
}

void TestScoring::saveStoresHeaderFactorsAndItems()
{
    SmallRun r;
    Clock::setFixed(QDateTime(QDate(2026, 3, 15), QTime(14, 7, 41)));
    r.answer({2, 3, 4, 1});
    QVERIFY(r.run->score().complete);
    QVERIFY(unsavedResult());
    auto info = r.home.openInfo();
    const SaveOutcome saved = saveScoredResult(*info, r.run->storedResult());
    Clock::setFixed({});
    QVERIFY2(saved.saved, qPrintable(saved.error));
    QCOMPARE(saved.message, QStringLiteral("记录已保存！"));
    QVERIFY(!unsavedResult());
    QCOMPARE(saved.id, 1);

    auto header = info->rows(QStringLiteral("select * from jg"));
    QCOMPARE(int(header.size()), 1);
    const QSqlRecord& h = header.front();
    QCOMPARE(h.value("userid").toString(), QStringLiteral("A001"));
    QCOMPARE(h.value("username").toString(), QStringLiteral("张三"));
    QCOMPARE(h.value("hmna").toString(), QStringLiteral("测试量表"));
    QCOMPARE(variantToDateTime(h.value("timeing")), QDateTime(QDate(2026, 3, 15), QTime(14, 7)));
    QCOMPARE(h.value("sumcount").toDouble(), 10.0);
    QCOMPARE(h.value("type").toString(), QStringLiteral("总分偏高"));
    QCOMPARE(h.value("avgcount").toDouble(), 2.5);
    QCOMPARE(h.value("maxavgcount").toDouble(), 4.0);
    QCOMPARE(h.value("tmc").toInt(), 4);

    // A girl gets both factors: 甲 (男女) and 乙 (女).
    auto factors = info->rows(QStringLiteral("select * from jgmx where jgid=:p order by id"), {1});
    QCOMPARE(int(factors.size()), 2);
    QCOMPARE(factors[0].value("hmna").toString(), QStringLiteral("因子甲"));
    QCOMPARE(factors[0].value("sumcount").toDouble(), 6.0);
    QCOMPARE(factors[0].value("avgcount").toDouble(), 3.0);
    QCOMPARE(factors[0].value("type").toString(), QStringLiteral("甲偏高"));
    QCOMPARE(factors[1].value("hmna").toString(), QStringLiteral("因子乙"));
    auto items = info->rows(QStringLiteral("select * from jgmxx where jgid=:p order by id"), {1});
    QCOMPARE(int(items.size()), 4);
    QCOMPARE(items[2].value("topid").toString(), QStringLiteral("题号：3"));
    QCOMPARE(items[2].value("sorc").toDouble(), 4.0);

    // A second press only says that the record is saved.
    const SaveOutcome again = saveScoredResult(*info, r.run->storedResult());
    QVERIFY(again.alreadySaved);
    QCOMPARE(info->scalar(QStringLiteral("select count(*) from jg")).toInt(), 1);

    // A boy is not given factor 乙.
    SmallRun boy(QStringLiteral("男"));
    QCOMPARE(SessionContext::current().factors.size(), 1);
}

void TestScoring::failedSaveLeavesNothingBehind()
{
    SmallRun r;
    r.answer({1, 1, 1, 1});
    QVERIFY(r.run->score().complete);
    auto info = r.home.openInfo();
    // A trigger refuses item rows: the header and factor rows written before must go too.
    info->run(QStringLiteral("create trigger refuse_items before insert on jgmxx "
                             "begin select raise(abort, 'refused'); end"));
    const SaveOutcome failed = saveScoredResult(*info, r.run->storedResult());
    QVERIFY(!failed.saved);
    QCOMPARE(failed.message, QStringLiteral("保存数据失败,请重新保存!"));
    QVERIFY(unsavedResult());
    QCOMPARE(info->scalar(QStringLiteral("select count(*) from jg")).toInt(), 0);
    QCOMPARE(info->scalar(QStringLiteral("select count(*) from jgmx")).toInt(), 0);
    QCOMPARE(info->scalar(QStringLiteral("select count(*) from jgmxx")).toInt(), 0);

    info->run(QStringLiteral("drop trigger refuse_items"));
    const SaveOutcome retried = saveScoredResult(*info, r.run->storedResult());
    QVERIFY(retried.saved);
    QCOMPARE(info->scalar(QStringLiteral("select count(*) from jgmxx")).toInt(), 4);
}

void TestScoring::emptyResultTableGivesIdOne()
{
    TestHome home;
    auto info = home.openInfo();
    QCOMPARE(ResultStore(*info).NextResultId(), 1);
    info->run(QStringLiteral("insert into jg (id) values (:p)"), {41});
    QCOMPARE(ResultStore(*info).NextResultId(), 42);
}

QTEST_GUILESS_MAIN(TestScoring)
#include "tst_scoring.moc"
