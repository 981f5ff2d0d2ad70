// Score conversions and composite totals: tests 114, 121, 54, 70, 66, 132 and 28.
#include "ScaleFixture.h"

class TestScoreConversions : public QObject {
    Q_OBJECT
private slots:
    void healthScales_data();
    void healthScales();
    void compositeTotals_data();
    void compositeTotals();
    void levelScore_data();
    void levelScore();
    void estimateTotals_data();
    void estimateTotals();
    void referenceTotal100();
};

void TestScoreConversions::healthScales_data()
{
    QTest::addColumn<QVector<double>>("raw");
    QTest::addColumn<QVector<double>>("scaled");
    // F1 10.9 -> 4.5 -> 4; F2 3 (below the lowest 4) -> -25; F6 3 -> 12.5 -> 12; F7 4 -> 33.3 -> 33.
    QTest::newRow("truncations") << QVector<double>{10.9, 3, 2, 5, 4, 3, 4, 5}
                                 << QVector<double>{4, -25, 0, 0, 0, 12, 33, 0};
    QTest::newRow("top of every scale") << QVector<double>{30, 8, 12, 25, 24, 10, 6, 30}
                                        << QVector<double>{100, 100, 100, 100, 100, 100, 100, 100};
    QTest::newRow("F7 5 -> 66.6 -> 66, F6 7 -> 62.5 -> 62") << QVector<double>{20, 6, 7, 15, 14, 7, 5, 17.5}
                                                            << QVector<double>{50, 50, 50, 50, 50, 62, 66, 50};
}

void TestScoreConversions::healthScales()
{
    QFETCH(QVector<double>, raw);
    QFETCH(QVector<double>, scaled);
    ScaleCase c;
    c.hmid = 114;
    c.items = raw;
    c.factors = oneItemFactors(8);
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    for (int k = 1; k <= 8; ++k) {
        QCOMPARE(run.storedSum(k), scaled[k - 1]);
        QCOMPARE(run.stored.factors[k - 1].average, scaled[k - 1]); // converted sum / count 1
        QVERIFY2(run.outcome.lines.contains(QStringLiteral("因子%1:得分: %2").arg(k).arg(scaled[k - 1])),
                 qPrintable(QString::number(k)));
    }
    double total = 0;
    for (double r : raw)
        total += r;
    QCOMPARE(run.stored.total, total); // T is not changed
}

void TestScoreConversions::compositeTotals_data()
{
    QTest::addColumn<int>("hmid");
    QTest::addColumn<QVector<double>>("items");
    QTest::addColumn<QStringList>("itemLists");
    QTest::addColumn<double>("total");
    QTest::addColumn<QString>("totalLine");
    QTest::addColumn<QString>("averageLine");
    // 121: 10 + 24 + 5 - 3 - 2.
    QTest::newRow("121") << 121 << QVector<double>{10, 3, 5, 2}
                         << QStringList{QStringLiteral(",1,"), QStringLiteral(",2,"), QStringLiteral(",3,"), QStringLiteral(",4,")}
                         << 34.0 << "34" << "8.5";
    // 121 below zero: 0 + 24 + 0 - 20 - 10.5.
    QTest::newRow("121 negative") << 121 << QVector<double>{0, 20, 0, 10.5}
                                  << QStringList{QStringLiteral(",1,"), QStringLiteral(",2,"), QStringLiteral(",3,"), QStringLiteral(",4,")}
                                  << -6.5 << "-6" << "-1.6";
    // 54: an item in two factors counts twice; an item in none not at all.
    QTest::newRow("54") << 54 << QVector<double>{1, 2, 3, 4} << QStringList{QStringLiteral(",1,2,"), QStringLiteral(",2,3,")}
                        << 8.0 << "8" << "2";
    QTest::newRow("54 without factors") << 54 << QVector<double>{1, 2} << QStringList{} << 0.0 << "0" << "0";
}

void TestScoreConversions::compositeTotals()
{
    QFETCH(int, hmid);
    QFETCH(QVector<double>, items);
    QFETCH(QStringList, itemLists);
    QFETCH(double, total);
    QFETCH(QString, totalLine);
    QFETCH(QString, averageLine);
    ScaleCase c;
    c.hmid = hmid;
    c.items = items;
    for (int k = 0; k < itemLists.size(); ++k)
        c.factors << FactorSpec{QStringLiteral("因子%1").arg(k + 1), itemLists[k]};
    // The total-score lookup is made with the converted total.
    c.norms << norm(c.testName, total, total + 1, QStringLiteral("换算总分的说明"))
            << norm(c.testName, -1000, total, QStringLiteral("低于换算总分"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.stored.total, total);
    QCOMPARE(run.line(QStringLiteral("测试总分：")), totalLine);
    QCOMPARE(run.line(QStringLiteral("测试平均分：")), averageLine);
    QCOMPARE(run.stored.conclusion, QStringLiteral("换算总分的说明"));
}

void TestScoreConversions::levelScore_data()
{
    QTest::addColumn<QVector<double>>("items"); // eleven items; factor 1 holds items 1..10
    QTest::addColumn<double>("total");
    QTest::addColumn<double>("f1");
    QTest::newRow("items 3 and 6 positive, I11 2") << QVector<double>{0, 0, 1, 0, 0, 3, 0, 0, 0, 0, 2} << 42.0 << 42.0;
    QTest::newRow("only item 11 positive: unchanged") << QVector<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4} << 4.0 << 0.0;
    QTest::newRow("item 1 gives 90") << QVector<double>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0} << 90.0 << 90.0;
    QTest::newRow("item 10 gives 0 + I11") << QVector<double>{1, 0, 0, 0, 0, 0, 0, 0, 0, 2, 5} << 5.0 << 5.0;
    QTest::newRow("negative scores are not positive") << QVector<double>{0, 2, 0, 0, 0, 0, 0, 0, -1, 0, 1} << 81.0 << 81.0;
}

void TestScoreConversions::levelScore()
{
    QFETCH(QVector<double>, items);
    QFETCH(double, total);
    QFETCH(double, f1);
    ScaleCase c;
    c.hmid = 70;
    c.items = items;
    c.factors = {{QStringLiteral("水平"), QStringLiteral(",1,2,3,4,5,6,7,8,9,10,")}};
    c.norms << norm(c.testName, total, total + 1, QStringLiteral("水平说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.stored.total, total);
    QCOMPARE(run.storedSum(1), f1);
    QCOMPARE(run.stored.conclusion, QStringLiteral("水平说明"));
    QVERIFY(run.outcome.lines.contains(QStringLiteral("水平:得分: ") + numberText(f1)));
}

void TestScoreConversions::estimateTotals_data()
{
    QTest::addColumn<QVector<double>>("raw");
    QTest::addColumn<QVector<double>>("converted");
    QTest::addColumn<QString>("conclusion");
    QTest::newRow("F1 12, others 5") << QVector<double>{12, 5, 5, 5, 5, 5, 5} << QVector<double>{16, 10, 26, 10, 10, 10, 10}
                                     << "测试结果：总积极因素得分52;总消极因素得分40;病情总估计得分140";
    QTest::newRow("fractions in general format") << QVector<double>{12.5, 5.25, 0, 0, 0, 0, 30}
                                                 << QVector<double>{15, 10.5, 16, 0, 0, 0, 60}
                                                 << "测试结果：总积极因素得分41.5;总消极因素得分60;病情总估计得分109.5";
}

void TestScoreConversions::estimateTotals()
{
    QFETCH(QVector<double>, raw);
    QFETCH(QVector<double>, converted);
    QFETCH(QString, conclusion);
    ScaleCase c;
    c.hmid = 66;
    c.items = raw;
    c.factors = oneItemFactors(7);
    c.norms << norm(c.testName, -1000, 1000, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    for (int k = 1; k <= 7; ++k) {
        QCOMPARE(run.storedSum(k), converted[k - 1]);
        QVERIFY(run.outcome.lines.contains(QStringLiteral("因子%1:得分: ").arg(k) + numberText(converted[k - 1])));
    }
    QCOMPARE(run.session.conclusion, conclusion);
    double total = 0;
    for (double r : raw)
        total += r;
    QCOMPARE(run.stored.total, total);
}

void TestScoreConversions::referenceTotal100()
{
    // 24 one-item factors: F1 2, F21 50, F24 18, the rest 0; T = 70.
    QVector<double> raw(24, 0.0);
    raw[0] = 2;
    raw[20] = 50;
    raw[23] = 18;
    ScaleCase c;
    c.hmid = 28;
    c.items = raw;
    c.factors = oneItemFactors(24);
    c.norms << norm(c.testName, -1000, 1000, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);

    // Factors 1..20: sum x 5, average the integer part of average x 5.
    QCOMPARE(run.storedSum(1), 10.0);
    QCOMPARE(run.stored.factors[0].average, 10.0);
    QCOMPARE(run.storedSum(2), 0.0);
    // 21..23: (sum - 20) / 80 x 100 truncated, average unchanged.
    QCOMPARE(run.storedSum(21), 37.0);
    QCOMPARE(run.stored.factors[20].average, 50.0);
    QCOMPARE(run.storedSum(22), -25.0);
    // 24: (18 - 16) / 64 x 100 = 3.125 -> 3.
    QCOMPARE(run.storedSum(24), 3.0);
    QCOMPARE(run.stored.factors[23].average, 18.0);
    // T 70 -> -3.125 -> -3; the average score stays 70 / 24.
    QCOMPARE(run.stored.total, -3.0);
    QCOMPARE(run.line(QStringLiteral("测试总分：")), QStringLiteral("-3"));
    QCOMPARE(run.stored.average, 2.9);
    QCOMPARE(run.stored.conclusion, QStringLiteral("各项目的参照总分为100,"));
    // The screen shows the factors before the conversion.
    QVERIFY(run.outcome.lines.contains(QStringLiteral("因子1:得分: 2")));
    QVERIFY(run.outcome.lines.contains(QStringLiteral("因子21:得分: 50")));
}

QTEST_GUILESS_MAIN(TestScoreConversions)
#include "tst_scoreconversions.moc"
