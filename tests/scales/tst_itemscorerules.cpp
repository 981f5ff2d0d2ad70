// Item-score and explanation rules: tests 16, 108, 116, 122 and 142.
#include "ScaleFixture.h"

class TestItemScoreRules : public QObject {
    Q_OBJECT
private slots:
    void drinkingDiagnosis_data();
    void drinkingDiagnosis();
    void impairmentCount_data();
    void impairmentCount();
    void conclusionFromFirstFactor();
    void fatigueRemarks_data();
    void fatigueRemarks();
    void helpingType_data();
    void helpingType();
};

namespace {

const QString kProblem = QStringLiteral("有问题");

QVector<double> scores(std::initializer_list<std::pair<double, int>> runs)
{
    QVector<double> v;
    for (const auto& [score, count] : runs)
        v << QVector<double>(count, score);
    return v;
}

} // namespace

void TestItemScoreRules::drinkingDiagnosis_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("explanations"); // norm text of each factor, empty for none
    QTest::addColumn<QString>("conclusion");
    const QStringList abc{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    QTest::newRow("A B C") << abc << QStringList{kProblem, kProblem, kProblem} << "该测试者诊断为酒精滥用!";
    QTest::newRow("A B, C empty") << abc << QStringList{kProblem, kProblem, QString()} << "该测试者诊断为酒精依赖!";
    QTest::newRow("A B, C other text") << abc << QStringList{kProblem, kProblem, QStringLiteral("无问题")}
                                       << "该测试者诊断为酒精依赖!";
    QTest::newRow("A only") << abc << QStringList{kProblem, QString(), kProblem} << "该测试者诊断为问题饮酒!";
    QTest::newRow("B C without A") << abc << QStringList{QString(), kProblem, kProblem} << QString();
    QTest::newRow("trailing blank does not count") << abc << QStringList{kProblem + QLatin1Char(' '), kProblem, kProblem}
                                                   << QString();
    QTest::newRow("other factors and order do not matter")
        << QStringList{QStringLiteral("C"), QStringLiteral("总量"), QStringLiteral("B"), QStringLiteral("A")}
        << QStringList{kProblem, kProblem, kProblem, kProblem} << "该测试者诊断为酒精滥用!";
    QTest::newRow("the last factor named A counts")
        << QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}
        << QStringList{kProblem, kProblem, QString(), QString()} << QString();
    QTest::newRow("C missing from the bank") << QStringList{QStringLiteral("A"), QStringLiteral("B")}
                                             << QStringList{kProblem, kProblem}
                                             << "试题库中本测验缺少因子C,无法得出诊断!";
}

void TestItemScoreRules::drinkingDiagnosis()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, explanations);
    QFETCH(QString, conclusion);
    ScaleCase c;
    c.hmid = 16;
    // Factor k has item k scored k; its norm band [k, k + 1) carries the explanation.
    for (int k = 1; k <= names.size(); ++k) {
        c.items << k;
        c.factors << FactorSpec{names[k - 1], QStringLiteral(",%1,").arg(k)};
    }
    for (int k = 1; k <= names.size(); ++k)
        if (!explanations[k - 1].isEmpty())
            c.norms << BankNorm{0, names[k - 1], double(k), double(k + 1), 0, 9999, QStringLiteral("男女"), explanations[k - 1]};
    c.norms << norm(c.testName, -1000, 1000, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.session.conclusion, conclusion);
    QCOMPARE(run.line(QStringLiteral("结论：")), conclusion);
}

void TestItemScoreRules::impairmentCount_data()
{
    QTest::addColumn<QVector<double>>("items");
    QTest::addColumn<bool>("totalNorm");
    QTest::addColumn<QString>("conclusion");
    QTest::newRow("3 1 3 2 with norm") << QVector<double>{3, 1, 3, 2} << true << "总分说明;有2项明显的功能障碍";
    QTest::newRow("3 1 3 2 without norm") << QVector<double>{3, 1, 3, 2} << false << ";有2项明显的功能障碍";
    QTest::newRow("score 2 is not counted") << QVector<double>{3, 2, 2, 2} << true << "总分说明";
    QTest::newRow("one item above 2") << QVector<double>{4, 0, 0, 0} << false << QString();
    QTest::newRow("2.5 counts") << QVector<double>{2.5, 3, 4, 0} << true << "总分说明;有3项明显的功能障碍";
}

void TestItemScoreRules::impairmentCount()
{
    QFETCH(QVector<double>, items);
    QFETCH(bool, totalNorm);
    QFETCH(QString, conclusion);
    ScaleCase c;
    c.hmid = 108;
    c.items = items;
    c.factors = oneItemFactors(1);
    if (totalNorm)
        c.norms << norm(c.testName, 0, 100, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.session.conclusion, conclusion);
    QCOMPARE(run.line(QStringLiteral("结论：")), conclusion);
}

void TestItemScoreRules::conclusionFromFirstFactor()
{
    ScaleCase c;
    c.hmid = 116;
    c.items = {4, 2};
    c.factors = oneItemFactors(2);
    c.norms << norm(QStringLiteral("因子1"), 4, 5, QStringLiteral("第一因子说明"))
            << norm(QStringLiteral("因子2"), 2, 3, QStringLiteral("第二因子说明"))
            << norm(c.testName, 0, 100, QStringLiteral("总分说明"));
    ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QVERIFY(run.outcome.lines.contains(QStringLiteral("因子1:第一因子说明")));
    QCOMPARE(run.line(QStringLiteral("结论：")), QStringLiteral("第一因子说明"));
    QCOMPARE(run.stored.conclusion, QStringLiteral("第一因子说明"));
    QCOMPARE(run.stored.factors[0].explanation, QString());
    QCOMPARE(run.stored.factors[1].explanation, QStringLiteral("第二因子说明"));

    // Factor 1 without a norm row: the conclusion is empty, not the total's text.
    c.norms.removeFirst();
    run = scoreScale(c);
    QCOMPARE(run.stored.conclusion, QString());
}

void TestItemScoreRules::fatigueRemarks_data()
{
    QTest::addColumn<QVector<double>>("items"); // I1..I4; factor 3 holds item 1
    QTest::addColumn<QString>("explanation");
    const QString impatient = QStringLiteral("测试者因疲劳而缺乏耐心;");
    const QString desire = QStringLiteral("测试者因疲劳而欲望降低;");
    const QString attention = QStringLiteral("测试者因疲劳而注意力不集中;");
    QTest::newRow("I2 3, I3 5, I4 4: appended to the norm text") << QVector<double>{1, 3, 5, 4}
                                                                 << QStringLiteral("疲劳说明") + desire + attention;
    QTest::newRow("I2 5 replaces the norm text") << QVector<double>{1, 5, 5, 4} << impatient + desire + attention;
    QTest::newRow("I2 5 only") << QVector<double>{1, 5, 4, 3} << impatient;
    QTest::newRow("nothing above the limits") << QVector<double>{1, 4, 4, 3} << QStringLiteral("疲劳说明");
}

void TestItemScoreRules::fatigueRemarks()
{
    QFETCH(QVector<double>, items);
    QFETCH(QString, explanation);
    ScaleCase c;
    c.hmid = 122;
    c.items = items;
    c.factors = {{QStringLiteral("因子1"), QStringLiteral(",2,")},
                 {QStringLiteral("因子2"), QStringLiteral(",3,")},
                 {QStringLiteral("疲劳"), QStringLiteral(",1,")}};
    c.norms << norm(QStringLiteral("疲劳"), 1, 2, QStringLiteral("疲劳说明"))
            << norm(c.testName, 0, 100, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.stored.factors[2].explanation, explanation);
    // The screen line was written before the remarks.
    QVERIFY(run.outcome.lines.contains(QStringLiteral("疲劳:疲劳说明")));
    QCOMPARE(run.stored.conclusion, QString());
    QCOMPARE(run.line(QStringLiteral("结论：")), QString());
}

void TestItemScoreRules::helpingType_data()
{
    QTest::addColumn<QVector<double>>("items");
    QTest::addColumn<QString>("conclusion");
    const QString kind = QStringLiteral("你是一位善良、极有爱心的人。但你要当心，千万别被低效率的人拖后腿，再不要被别有用心者利用。");
    const QString cooperative = QStringLiteral("你很善于合作，但并非失去个性。你认为礼尚往来是一种美德，在商业生活中亦不可缺少。你慷慨助人，同时也希望别人同样回报你。");
    const QString selfCentred = QStringLiteral("你是一位以自我为中心的人，不愿意为自己找麻烦，不想让自己的生活规律、工作秩序受到任何干扰。无疑，你有困难时也很难得到别人的帮助。");
    const QString alone = QStringLiteral("你是一个名副其实的孤家寡人。");
    QTest::newRow("ten 0") << scores({{0, 10}}) << kind;
    QTest::newRow("4 4 2") << scores({{0, 4}, {1, 4}, {2, 2}}) << cooperative;
    QTest::newRow("3 4 4") << scores({{0, 3}, {1, 4}, {2, 4}}) << selfCentred;
    QTest::newRow("3 2 5") << scores({{0, 3}, {1, 2}, {2, 5}}) << alone;
    QTest::newRow("ten 0 and one 1") << scores({{0, 10}, {1, 1}}) << kind;
    QTest::newRow("twelve 0") << scores({{0, 12}}) << cooperative;
    QTest::newRow("0.5 counts as 0, 3 not at all") << scores({{0.5, 3}, {1, 2}, {3, 5}}) << cooperative;
    QTest::newRow("nothing counted: ties go to 0") << scores({{3, 4}}) << cooperative;
}

void TestItemScoreRules::helpingType()
{
    QFETCH(QVector<double>, items);
    QFETCH(QString, conclusion);
    ScaleCase c;
    c.hmid = 142;
    c.items = items;
    c.norms << norm(c.testName, -1000, 1000, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.session.conclusion, conclusion);
}

QTEST_GUILESS_MAIN(TestItemScoreRules)
#include "tst_itemscorerules.moc"
