// Temperament typing: thresholds and advice of tests 40-43, norms and types of test 125.
#include "ScaleFixture.h"

#include "scales/ChildTemperamentType.h"
#include "scales/TemperamentTyping.h"

class TestTemperament : public QObject {
    Q_OBJECT
private slots:
    void thresholdTypes_data();
    void thresholdTypes();
    void averageEqualToThresholdReachesIt_data();
    void averageEqualToThresholdReachesIt();
    void temperamentRunnerLines();
    void adviceParagraphs();
    void childNormByAgeAndSex_data();
    void childNormByAgeAndSex();
    void childTypes_data();
    void childTypes();
    void childTypeDecision_data();
    void childTypeDecision();
};

namespace {

// Factor 1: one item scored 2.25 (no part in the typing). Factors 2..6: ten whole-numbered
// items each, whose average is the wanted A2..A6.
ScaleCase temperamentCase(int hmid, const QVector<double>& averages, const QString& sex = QStringLiteral("男"),
                          double ageMonths = 50)
{
    ScaleCase c;
    c.hmid = hmid;
    c.testName = QStringLiteral("气质问卷");
    c.temperament = true;
    c.sex = sex;
    c.ageMonths = ageMonths;
    c.items << 2.25;
    c.factors << FactorSpec{QStringLiteral("活动水平"), QStringLiteral(",1,")};
    for (int k = 0; k < averages.size(); ++k) {
        QStringList list;
        for (double score : itemsWithAverage(averages[k])) {
            c.items << score;
            list << QString::number(c.items.size());
        }
        c.factors << FactorSpec{QStringLiteral("因子%1").arg(k + 2),
                                QLatin1Char(',') + list.join(QLatin1Char(',')) + QLatin1Char(',')};
    }
    // Never consulted by this runner.
    c.norms << norm(c.testName, -1000, 1000, QStringLiteral("总分说明"));
    return c;
}

QString withAdvice(const QString& label)
{
    return label + temperamentAdvice(label).join(QString());
}

} // namespace

void TestTemperament::thresholdTypes_data()
{
    QTest::addColumn<int>("hmid");
    QTest::addColumn<QVector<double>>("averages"); // A2..A6
    QTest::addColumn<QString>("label");
    using V = QVector<double>;
    QTest::newRow("40 all 3.0") << 40 << V{3.0, 3.0, 3.0, 3.0, 3.0} << "平易型:";
    QTest::newRow("40 4.0 4.0 4.0 4.5 4.5") << 40 << V{4.0, 4.0, 4.0, 4.5, 4.5} << "麻烦型:";
    QTest::newRow("40 slow: A4 3.7 reaches 3.7") << 40 << V{3.0, 3.9, 3.7, 4.0, 4.2} << "缓动型:";
    QTest::newRow("40 slow: 4.3 is below 4.3") << 40 << V{4.0, 4.0, 4.0, 4.3, 4.5} << "缓动型:";
    QTest::newRow("41 A5 5.0") << 41 << V{3.0, 4.5, 4.5, 5.0, 3.0} << "中间麻烦型:";
    QTest::newRow("41 A5 4.0") << 41 << V{3.0, 4.5, 4.5, 4.0, 3.0} << "中间平易型:";
    QTest::newRow("42 A2 4.0 reaches 4.0") << 42 << V{4.0, 3.0, 3.0, 3.0, 3.0} << "中间平易型:";
    QTest::newRow("42 A5 5.1 reaches 5.1") << 42 << V{4.0, 3.9, 3.7, 5.1, 4.1} << "麻烦型:";
    QTest::newRow("43 slow with A5 4.3") << 43 << V{1.0, 3.7, 3.7, 4.3, 3.6} << "缓动型:";
    QTest::newRow("43 A6 below breaks slow") << 43 << V{1.0, 3.7, 3.7, 4.0, 3.5} << "中间平易型:";
}

void TestTemperament::thresholdTypes()
{
    QFETCH(int, hmid);
    QFETCH(QVector<double>, averages);
    QFETCH(QString, label);
    const ScaleRun run = scoreScale(temperamentCase(hmid, averages));
    QVERIFY(run.outcome.complete);
    for (int k = 0; k < 5; ++k)
        QCOMPARE(run.stored.factors[k + 1].average, averages[k]);
    QCOMPARE(run.session.conclusion, withAdvice(label));
    QVERIFY(run.session.conclusion.startsWith(label));
    QCOMPARE(run.line(QStringLiteral("结论：")), withAdvice(label));
}

void TestTemperament::averageEqualToThresholdReachesIt_data()
{
    QTest::addColumn<int>("hmid");
    QTest::addColumn<int>("factor");
    QTest::addColumn<double>("threshold");
    const double table[4][5] = {{3.8, 3.8, 3.7, 4.3, 4.1},
                                {3.6, 4.1, 4.2, 4.8, 3.9},
                                {4.0, 3.9, 3.7, 5.1, 4.1},
                                {3.8, 3.7, 3.7, 4.3, 3.6}};
    for (int t = 0; t < 4; ++t)
        for (int k = 0; k < 5; ++k)
            QTest::addRow("%d factor %d at %.1f", 40 + t, k + 2, table[t][k]) << 40 + t << k + 2 << table[t][k];
}

void TestTemperament::averageEqualToThresholdReachesIt()
{
    QFETCH(int, hmid);
    QFETCH(int, factor);
    QFETCH(double, threshold);
    // Every other average far below: the subject is 平易型 exactly when this one stays below too.
    QVector<double> averages(5, 1.0);
    averages[factor - 2] = threshold;
    const ScaleRun run = scoreScale(temperamentCase(hmid, averages));
    const bool easy = run.session.conclusion.startsWith(QStringLiteral("平易型:"));
    // Only 4.3 lies below its threshold when the average is produced by the rounding.
    QCOMPARE(easy, threshold == 4.3);
}

void TestTemperament::temperamentRunnerLines()
{
    ScaleCase c = temperamentCase(40, {3.0, 3.0, 3.0, 3.0, 3.0});
    // Looked up by the average (3.0), not the sum (30).
    c.norms << norm(QStringLiteral("因子2"), 3, 3.5, QStringLiteral("节律一般"));
    ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.lines.contains(QStringLiteral("因子2:节律一般")));
    // No row: the sum unrounded.
    QVERIFY(run.outcome.lines.contains(QStringLiteral("活动水平:得分: 2.25")));
    QVERIFY(run.outcome.lines.contains(QStringLiteral("因子3:得分: 30")));
    // The total in general format: 2.25 + 5 x 30.
    QCOMPARE(run.line(QStringLiteral("测试总分：")), QStringLiteral("152.25"));

    // A test id of this runner without a typing rule: no conclusion, no total lookup.
    c.hmid = 44;
    run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.session.conclusion, QString());

    // Fewer than six factors: the typing is not made and the conclusion says why.
    c = temperamentCase(41, {3.0, 3.0, 3.0, 3.0});
    run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.session.conclusion, QStringLiteral("试题库中本测验只有5个因子,本测验的结论需要6个,无法得出结论!"));
}

void TestTemperament::adviceParagraphs()
{
    const struct { const char* label; int count; } labels[] = {
        {"平易型:", 6}, {"麻烦型:", 7}, {"缓动型:", 7}, {"中间平易型:", 7}, {"中间麻烦型:", 7}};
    for (const auto& l : labels)
        QCOMPARE(temperamentAdvice(QString::fromUtf8(l.label)).size(), l.count);
    QVERIFY(temperamentAdvice(QStringLiteral("难养型")).isEmpty());
    QCOMPARE(temperamentAdvice(QStringLiteral("缓动型:")).at(1),
             QStringLiteral("有时会被父母教养者误认为宝宝反应迟钝或\"笨\"；同时行为抑制、社交性能力差、对环境情绪反应强烈，表现胆怯、淡漠、孤僻等。"));
    QCOMPARE(temperamentAdvice(QStringLiteral("平易型:")).first(),
             QStringLiteral("特征：生物节律性强，易接受新刺激，适应性强，反应温和，情绪积极，见到生人常微笑，睡醒后愉快，不哭闹，能接受新事物。"));
    QCOMPARE(temperamentAdvice(QStringLiteral("中间麻烦型:")).last(),
             QStringLiteral("规律性运动：帮助、引导宝宝每晚睡觉前慢运动20～30分钟；保证睡眠：早起床，早睡觉。睡觉前可与宝宝交流(讲故事、听音乐等)，培养宝宝睡觉好心情；规律性大便：养成每天大便1次，最好有固定的大便时间。"));
}

void TestTemperament::childNormByAgeAndSex_data()
{
    QTest::addColumn<QString>("sex");
    QTest::addColumn<double>("months");
    QTest::addColumn<double>("mean2"); // 0 when there is no norm
    QTest::addColumn<double>("sd6");
    QTest::newRow("boy 50 months: group 4") << "男" << 50.0 << 4.64 << 0.6;
    QTest::newRow("girl 95 months: group 7") << "女" << 95.0 << 4.52 << 0.6;
    QTest::newRow("girl 36 months: group 3") << "女" << 36.0 << 4.63 << 0.62;
    QTest::newRow("boy 71 months: group 5") << "男" << 71.0 << 4.49 << 0.63;
    QTest::newRow("boy 35 months: none") << "男" << 35.0 << 0.0 << 0.0;
    QTest::newRow("girl 96 months: none") << "女" << 96.0 << 0.0 << 0.0;
    QTest::newRow("sex with a blank: none") << "男 " << 50.0 << 0.0 << 0.0;
}

void TestTemperament::childNormByAgeAndSex()
{
    QFETCH(QString, sex);
    QFETCH(double, months);
    QFETCH(double, mean2);
    QFETCH(double, sd6);
    const auto n = childTemperamentNorm(sex, months);
    QCOMPARE(n.has_value(), mean2 != 0);
    if (n) {
        QCOMPARE(n->mean[0], mean2);
        QCOMPARE(n->sd[4], sd6);
    }
}

void TestTemperament::childTypes_data()
{
    QTest::addColumn<QString>("sex");
    QTest::addColumn<double>("months");
    QTest::addColumn<QVector<double>>("averages");
    QTest::addColumn<QString>("type");
    using V = QVector<double>;
    // Boy of 50 months: m 4.64 4.84 5.16 3.9 4.62, s 0.83 0.82 0.83 0.84 0.6.
    QTest::newRow("easy: all near the mean") << "男" << 50.0 << V{4.7, 4.9, 5.2, 3.8, 4.7} << "易养型";
    QTest::newRow("difficult: four leaning, two a deviation away") << "男" << 50.0 << V{3.5, 3.8, 5.0, 4.5, 4.8}
                                                                   << "难养型";
    QTest::newRow("only one a deviation away") << "男" << 50.0 << V{4.0, 3.8, 5.0, 4.5, 4.8} << "中间型";
    QTest::newRow("slow to warm up") << "男" << 50.0 << V{4.7, 4.5, 4.0, 3.5, 3.9} << "启动缓慢型";
    QTest::newRow("slow needs factor 6 away") << "男" << 50.0 << V{4.7, 4.5, 4.0, 3.5, 4.1} << "中间型";
    // Girl of 95 months: m 4.52 5.03 5.21 3.52 4.8, s 0.86 0.82 0.77 0.82 0.6.
    QTest::newRow("girl, group 7: easy") << "女" << 95.0 << V{4.6, 5.1, 5.3, 3.4, 4.9} << "易养型";
    QTest::newRow("no norm above group 7") << "男" << 100.0 << V{4.7, 4.9, 5.2, 3.8, 4.7}
                                           << "本测验只有3至7岁男女儿童的常模,无法判定该测试者的气质类型!";
}

void TestTemperament::childTypes()
{
    QFETCH(QString, sex);
    QFETCH(double, months);
    QFETCH(QVector<double>, averages);
    QFETCH(QString, type);
    const ScaleRun run = scoreScale(temperamentCase(125, averages, sex, months));
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.session.conclusion, type);
    QCOMPARE(run.line(QStringLiteral("结论：")), type);
}

void TestTemperament::childTypeDecision_data()
{
    // Flags of factors 2..6 as strings: d = direction on, c = closeness on, "dc" both, "-" neither.
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("type");
    QTest::newRow("all leaning, all away") << QStringList{"d", "d", "d", "d", "d"} << "难养型";
    QTest::newRow("difficult needs factor 5") << QStringList{"d", "d", "d", "c", "d"} << "中间型";
    QTest::newRow("difficult needs four leaning") << QStringList{"d", "d", "c", "d", "c"} << "中间型";
    QTest::newRow("all close, two leaning") << QStringList{"dc", "dc", "c", "c", "c"} << "易养型";
    QTest::newRow("all close, three leaning") << QStringList{"dc", "dc", "dc", "c", "c"} << "中间型";
    QTest::newRow("slow, factor 3 close") << QStringList{"-", "dc", "d", "c", "d"} << "启动缓慢型";
    QTest::newRow("slow, factor 4 close") << QStringList{"dc", "d", "dc", "c", "d"} << "启动缓慢型";
    QTest::newRow("slow needs 3 or 4 close") << QStringList{"-", "d", "d", "c", "d"} << "中间型";
    QTest::newRow("slow needs mild intensity") << QStringList{"c", "dc", "dc", "dc", "d"} << "中间型";
    QTest::newRow("difficult wins over slow") << QStringList{"d", "dc", "d", "dc", "d"} << "难养型";
}

void TestTemperament::childTypeDecision()
{
    QFETCH(QStringList, flags);
    QFETCH(QString, type);
    ChildTemperamentFlags f;
    for (int k = 0; k < 5; ++k) {
        f.direction[k] = flags[k].contains(QLatin1Char('d'));
        f.close[k] = flags[k].contains(QLatin1Char('c'));
    }
    QCOMPARE(childTemperamentType(f), type);
}

QTEST_GUILESS_MAIN(TestTemperament)
#include "tst_temperament.moc"
