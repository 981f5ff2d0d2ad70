// Where the scale rules enter the default runner's scoring and what the screen and the stored
// result each carry.
#include "ScaleFixture.h"

class TestRuleDispatch : public QObject {
    Q_OBJECT
private slots:
    void conversionReachesLinesLookupsAndAverages();
    void conclusionRuleRunsAfterTheLines();
    void totalLookupWithoutRule_data();
    void totalLookupWithoutRule();
    void missingFactorsOrItems_data();
    void missingFactorsOrItems();
};

void TestRuleDispatch::conversionReachesLinesLookupsAndAverages()
{
    // Test 114: factor 1 holds items 1 and 2 (raw 20 -> 50), factors 2..8 one item each.
    ScaleCase c;
    c.hmid = 114;
    c.testName = QStringLiteral("健康调查");
    c.items = {12, 8, 6, 2, 5, 4, 2, 4, 5};
    c.factors << FactorSpec{QStringLiteral("生理功能"), QStringLiteral(",1,2,")};
    for (int k = 3; k <= 9; ++k)
        c.factors << FactorSpec{QStringLiteral("量表%1").arg(k - 1), QStringLiteral(",%1,").arg(k)};
    c.norms << norm(QStringLiteral("生理功能"), 50, 60, QStringLiteral("一般"))   // converted value
            << norm(QStringLiteral("生理功能"), 20, 21, QStringLiteral("原始分")) // raw value: must not match
            << norm(c.testName, 48, 49, QStringLiteral("按原始总分的结论"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QVERIFY(run.outcome.lines.contains(QStringLiteral("生理功能:一般")));
    QVERIFY(run.outcome.lines.contains(QStringLiteral("量表2:得分: 50"))); // (6 - 4) x 100 / 4
    QCOMPARE(run.storedSum(1), 50.0);
    QCOMPARE(run.stored.factors[0].average, 25.0); // converted sum / count 2
    QCOMPARE(run.stored.factors[0].explanation, QStringLiteral("一般"));
    // The total is not converted: 48 is looked up, shown and stored.
    QCOMPARE(run.stored.total, 48.0);
    QCOMPARE(run.line(QStringLiteral("测试总分：")), QStringLiteral("48"));
    QCOMPARE(run.stored.conclusion, QStringLiteral("按原始总分的结论"));
}

void TestRuleDispatch::conclusionRuleRunsAfterTheLines()
{
    // Test 132: the factor lines are written first; the total and average come from the rule.
    ScaleCase c;
    c.hmid = 132;
    c.testName = QStringLiteral("双因子");
    c.items = {12, 9, 30};
    c.factors = oneItemFactors(2);
    c.norms << norm(c.testName, 0, 1000, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    const QStringList tail = run.outcome.lines.mid(run.outcome.lines.size() - 5);
    QCOMPARE(tail, (QStringList{QStringLiteral("双因子测试结果："), QStringLiteral("测试总分：21"),
                                QStringLiteral("测试试题数：3"), QStringLiteral("测试平均分：2.1"),
                                QStringLiteral("结论：")}));
    QVERIFY(run.outcome.lines.contains(QStringLiteral("因子1:得分: 12")));
    QCOMPARE(run.stored.total, 21.0);
    QCOMPARE(run.stored.average, 2.1);
    QCOMPARE(run.stored.conclusion, QString());
    QCOMPARE(run.stored.itemCount, 3);
}

void TestRuleDispatch::totalLookupWithoutRule_data()
{
    QTest::addColumn<int>("hmid");
    QTest::addColumn<bool>("totalNorm");
    QTest::addColumn<QString>("conclusion");
    QTest::newRow("no rule, no norm row") << 200 << false << QString();
    QTest::newRow("no rule, norm row") << 200 << true << "总分说明";
    QTest::newRow("108, no norm row, two items above 2") << 108 << false << ";有2项明显的功能障碍";
    QTest::newRow("108, norm row") << 108 << true << "总分说明;有2项明显的功能障碍";
    // Ids whose neighbours have rules take the plain lookup.
    QTest::newRow("45 has no rule") << 45 << true << "总分说明";
    QTest::newRow("40 is a temperament test: no rule in this runner") << 40 << true << "总分说明";
}

void TestRuleDispatch::totalLookupWithoutRule()
{
    QFETCH(int, hmid);
    QFETCH(bool, totalNorm);
    QFETCH(QString, conclusion);
    ScaleCase c;
    c.hmid = hmid;
    c.items = {3, 1, 3, 2};
    c.factors = oneItemFactors(2);
    if (totalNorm)
        c.norms << norm(c.testName, 9, 10, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.line(QStringLiteral("结论：")), conclusion);
    QCOMPARE(run.stored.conclusion, conclusion);
}

void TestRuleDispatch::missingFactorsOrItems_data()
{
    QTest::addColumn<int>("hmid");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("factors");
    QTest::addColumn<QString>("conclusion");
    QTest::newRow("114 with seven factors") << 114 << 7 << 7
                                            << "试题库中本测验只有7个因子,本测验的结论需要8个,无法得出结论!";
    QTest::newRow("70 with ten items") << 70 << 10 << 1 << "试题库中本测验只有10道题,本测验的结论需要11道,无法得出结论!";
    QTest::newRow("28 with 23 factors") << 28 << 23 << 23
                                        << "试题库中本测验只有23个因子,本测验的结论需要24个,无法得出结论!";
    QTest::newRow("121 with three factors") << 121 << 3 << 3
                                            << "试题库中本测验只有3个因子,本测验的结论需要4个,无法得出结论!";
    QTest::newRow("122 with three items") << 122 << 3 << 3 << "试题库中本测验只有3道题,本测验的结论需要4道,无法得出结论!";
    QTest::newRow("116 without factors") << 116 << 2 << 0 << "试题库中本测验只有0个因子,本测验的结论需要1个,无法得出结论!";
}

void TestRuleDispatch::missingFactorsOrItems()
{
    QFETCH(int, hmid);
    QFETCH(int, items);
    QFETCH(int, factors);
    QFETCH(QString, conclusion);
    ScaleCase c;
    c.hmid = hmid;
    c.items = QVector<double>(items, 1.0);
    c.factors = oneItemFactors(factors);
    // The values the rule would have converted are not looked up as if they had been.
    c.norms << norm(c.testName, -1000, 1000, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.stored.conclusion, conclusion);
    QCOMPARE(run.stored.total, double(items));
    for (const StoredFactor& f : run.stored.factors)
        QCOMPARE(f.sum, 1.0);
}

QTEST_GUILESS_MAIN(TestRuleDispatch)
#include "tst_ruledispatch.moc"
