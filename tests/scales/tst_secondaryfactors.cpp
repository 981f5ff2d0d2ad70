// Test 46: the conversion of the sixteen primary factors and the secondary factor sentences.
#include "ScaleFixture.h"

#include "scales/SecondaryFactors.h"

class TestSecondaryFactors : public QObject {
    Q_OBJECT
private slots:
    void conversionByItemCount();
    void conclusionFromEqualPrimaries_data();
    void conclusionFromEqualPrimaries();
    void sentenceBoundaries_data();
    void sentenceBoundaries();
    void factorWithoutItemsIsReported();
};

namespace {

const QStringList kPrimaryNames = QStringLiteral("A B C E F G H I L M N O Q1 Q2 Q3 Q4").split(QLatin1Char(' '));

const QString kX1Low = QStringLiteral("适应与焦虑型:低分,生活适应顺利,通常感到心满意足,能做到所期望的及自认为重要的事情;");
const QString kX1Mid = QStringLiteral("适应与焦虑型:中间状态;");
const QString kX1High = QStringLiteral("适应与焦虑型:高分,可能有一些调节不良的情况,对生活所要求的和自己意欲达成的,常感到不满意,高度的焦虑可能会使工作受到破坏和影响身体健康;");
const QString kX2Low = QStringLiteral("内向与外向型:内倾,趋于胆小,自足,在与别人接触中采取克制态度,有利于从事精细工作;");
const QString kX2Mid = QStringLiteral("内向与外向型:中间型;");
const QString kX2High = QStringLiteral("内向与外向型:外倾,开朗,善于交际,不受拘束,有利于从事贸易工作;");
const QString kX3Low = QStringLiteral("感情用事与安详机警型:情感丰富而感到困扰不安,它可能是缺乏信心,颓丧的类型,对生活中的细节较为含蓄敏感,性格温和,讲究生活艺术,采取行动前再三思考,顾虑太多;");
const QString kX3Mid = QStringLiteral("感情用事与安详机警型:中间型;");
const QString kX3High = QStringLiteral("感情用事与安详机警型:富有事业心,果断,刚毅,有进取精神,精力充沛,行动迅速,但常忽视生活上的细节,只对明显的事物注意,有时会考虑不周,不计后果,贸然行事;");
const QString kX4Low = QStringLiteral("怯懦与果断型:依赖别人,纯洁,个性被动,受人驱使而不能独立,对支持他的人在行动上常适应其需求,为获取别人的欢心会事事迁就;");
const QString kX4Mid = QStringLiteral("怯懦与果断型:中间型;");
const QString kX4High = QStringLiteral("怯懦与果断型:果断,独立,露锋芒,有气魄,有攻击性的倾向,通常会主动地寻找可以施展这种行为的环境或机会,以充分表现自己的独创能力,并从中取得利益;");
const QString kY1 = QStringLiteral("心理健康因素:情绪不稳定的程度颇为显著;");
const QString kY2 = QStringLiteral("专业成就因素:其成功的机会很大;");
const QString kY3 = QStringLiteral("创造能力因素:属于创造能力强者的范围,应有其成就;");
const QString kY4Low = QStringLiteral("环境适应因素:从事专业或训练成功的可能性较小;");
const QString kY4High = QStringLiteral("环境适应因素:有希望成功;");

// Sixteen one-item factors; the item score is the raw sum, converted to 5 x raw.
ScaleCase sixteenFactorCase(const QVector<double>& raw)
{
    ScaleCase c;
    c.hmid = 46;
    c.testName = QStringLiteral("16PF");
    c.items = raw;
    c.factors = oneItemFactors(16, kPrimaryNames);
    // A total-score norm that the rule replaces.
    c.norms << norm(c.testName, -1000, 1000, QStringLiteral("总分说明"));
    return c;
}

} // namespace

void TestSecondaryFactors::conversionByItemCount()
{
    // Factor A: ten items, raw 13 -> 6.5; factor B: thirteen items, raw 10 -> 3.8 (3.846...).
    QVector<double> items(23, 1.0);
    for (int k = 0; k < 10; ++k)
        items[k] = k < 3 ? 2 : 1; // 13
    for (int k = 10; k < 23; ++k)
        items[k] = k < 20 ? 1 : 0; // 10
    ScaleCase c = sixteenFactorCase({});
    c.items = items;
    QStringList list;
    for (int k = 1; k <= 10; ++k)
        list << QString::number(k);
    c.factors = {{QStringLiteral("A"), QLatin1Char(',') + list.join(QLatin1Char(',')) + QLatin1Char(',')}};
    list.clear();
    for (int k = 11; k <= 23; ++k)
        list << QString::number(k);
    c.factors << FactorSpec{QStringLiteral("B"), QLatin1Char(',') + list.join(QLatin1Char(',')) + QLatin1Char(',')};
    c.norms << norm(QStringLiteral("A"), 6.5, 7, QStringLiteral("A中等"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    // The converted value is looked up, shown and stored.
    QVERIFY(run.outcome.lines.contains(QStringLiteral("A:A中等")));
    QVERIFY(run.outcome.lines.contains(QStringLiteral("B:得分: 3.8")));
    QCOMPARE(run.storedSum(1), 6.5);
    QCOMPARE(run.storedSum(2), 3.8);
    QCOMPARE(run.stored.factors[0].explanation, QStringLiteral("A中等"));
    // Only two factors: the secondary factors cannot be computed, and no total lookup is made.
    QCOMPARE(run.session.conclusion,
             QStringLiteral("试题库中本测验只有2个因子,计算次级人格因素需要16个,无法得出结论!"));
}

void TestSecondaryFactors::conclusionFromEqualPrimaries_data()
{
    QTest::addColumn<double>("raw");       // every factor's raw one-item sum
    QTest::addColumn<double>("converted"); // 5 x raw
    QTest::addColumn<QString>("conclusion");
    // X1 5.45, X2 = X3 = X4 = 5.5, Y1 22, Y2 55, Y3 82.5, Y4 22.
    QTest::newRow("all 5.5") << 1.1 << 5.5 << kX1Mid + kX2Mid + kX3Mid + kX4Mid + kY3;
    // X1 4.7, X2 2.5, X3 6.5, X4 exactly 3, Y3 70, Y4 exactly 17.
    QTest::newRow("all 3") << 0.6 << 3.0 << kX1Mid + kX2Low + kX3Mid + kX4Low + kY3;
    // X4 exactly 7, Y2 70, Y3 90, Y4 exactly 25.
    QTest::newRow("all 7") << 1.4 << 7.0 << kX1Mid + kX2Mid + kX3Mid + kX4Mid + kY2 + kY3;
    // X2 8.5, X4 exactly 8, Y4 27.
    QTest::newRow("all 8") << 1.6 << 8.0 << kX1Mid + kX2High + kX3Mid + kX4High + kY2 + kY3 + kY4High;
}

void TestSecondaryFactors::conclusionFromEqualPrimaries()
{
    QFETCH(double, raw);
    QFETCH(double, converted);
    QFETCH(QString, conclusion);
    const ScaleRun run = scoreScale(sixteenFactorCase(QVector<double>(16, raw)));
    QVERIFY(run.outcome.complete);
    for (int k = 1; k <= 16; ++k)
        QCOMPARE(run.storedSum(k), converted);
    QCOMPARE(run.session.conclusion, conclusion);
    QCOMPARE(run.line(QStringLiteral("结论：")), conclusion);
}

void TestSecondaryFactors::sentenceBoundaries_data()
{
    QTest::addColumn<QVector<double>>("x"); // X1..X4, Y1..Y4
    QTest::addColumn<QString>("conclusion");
    QTest::newRow("all low edges") << QVector<double>{3, 3, 3, 3, 11.9, 67, 7, 16.9}
                                   << kX1Low + kX2Low + kX3Low + kX4Low + kY1 + kY4Low;
    QTest::newRow("just inside the middle") << QVector<double>{3.01, 7.99, 3.01, 7.99, 12, 67.01, 7.01, 17}
                                            << kX1Mid + kX2Mid + kX3Mid + kX4Mid + kY2 + kY3;
    QTest::newRow("high edges") << QVector<double>{8, 8, 8, 8, 12, 0, 0, 25.01}
                                << kX1High + kX2High + kX3High + kX4High + kY4High;
}

void TestSecondaryFactors::sentenceBoundaries()
{
    QFETCH(QVector<double>, x);
    QFETCH(QString, conclusion);
    const SecondaryFactors s{x[0], x[1], x[2], x[3], x[4], x[5], x[6], x[7]};
    QCOMPARE(secondaryFactorConclusion(s), conclusion);
}

void TestSecondaryFactors::factorWithoutItemsIsReported()
{
    ScaleCase c = sixteenFactorCase(QVector<double>(16, 1.1));
    c.factors[4].itemList = QStringLiteral(",99,"); // F: no item of the test
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.session.conclusion, QStringLiteral("因子F在试题库中没有试题,无法计算次级人格因素!"));
    QCOMPARE(run.storedSum(5), 0.0);
    QVERIFY(run.outcome.lines.contains(QStringLiteral("F:得分: 0")));
    QCOMPARE(run.storedSum(1), 5.5);
}

QTEST_GUILESS_MAIN(TestSecondaryFactors)
#include "tst_secondaryfactors.moc"
