// Threshold typing: tests 10, 11, 20, 36, 55, 76, 78, 86, 89, 90 and 148.
#include "ScaleFixture.h"

class TestThresholdTyping : public QObject {
    Q_OBJECT
private slots:
    void conclusion_data();
    void conclusion();
};

namespace {

QVector<double> items26(double f1, double f2, std::initializer_list<int> ones)
{
    QVector<double> items(26, 0.0);
    items[0] = f1;
    items[1] = f2;
    for (int k : ones)
        items[k - 1] = 1;
    return items;
}

const QString kBelow = QStringLiteral("总结论:低于标准值");
const QString kEqual = QStringLiteral("总结论:等于标准值");
const QString kAbove = QStringLiteral("总结论:高于标准值");
const QString kSeeDoctor = QStringLiteral("您可能存在有躯体障碍,或心理障碍,或精神问题,建议找专科医生咨询就诊!");
const QString kFine = QStringLiteral("您基本上不存在有躯体障碍,或心理障碍,或精神问题!");

const QString kVeryNormal = QStringLiteral("该测试者很正常,低于标准值!");
const QString kNormal = QStringLiteral("该测试者正常,属于标准值范围!");
const QString kAbnormal = QStringLiteral("该测试者不正常,高于标准值范围!有可能存在述情障碍!");

const QString kProblemsScale = QStringLiteral("各项因子的分数越高,行为问题则越大.");

const QString kMature = QStringLiteral("成熟型:在面对应激事件或环境时,常能采取解决问题和求助等合理的应付方式,而较少使用退避,自责,幻想等不成熟的应付方式,在生活中表现出一种成熟稳定的人格特征和行为方式.");
const QString kImmature = QStringLiteral("不成熟型:在生活中常以退避,自责,幻想等应付方式应付困难和挫折,而较少使用解决问题这类积极的应付方式,表现出一种神经症状的人格特点,其情绪和行为均缺少稳定性.");
const QString kMixed = QStringLiteral("混合型:应付行为集成熟与不成熟的应付方式于一体,在应付行为上表现出一种矛盾的心态和两面性的人格特点");

const QString kTypeA = QStringLiteral("A型:对过去的成就总不满意，不断地为自己确立新的更高的奋斗目标，并为此不懈地努力，宁愿牺牲娱乐和家庭生活；没有耐心，对人常怀有敌意。");
const QString kTypeAMinus = QStringLiteral("A-型:过份努力地工作，有雄心和强烈的竞争意识；总是处于时间压力下，从来不满足于工作的进度，总是试图在最短的时间内完成尽可能多的工作；");
const QString kTypeM = QStringLiteral("M型:中间型,宽容平和,在工作中很会劳逸结合.");
const QString kTypeBMinus = QStringLiteral("B-型:现实,稳重,在工作中十年好一日.");
const QString kTypeB = QStringLiteral("B型:从容不迫，悠闲自得，稳重，现实，随遇而安，对人较随和，较少侵犯性。");

const QString kClassA = QStringLiteral("A类学生, 需要进行持续的心理咨询。");
const QString kClassB = QStringLiteral("B类学生，可作为咨询机构今后关注的对象");
const QString kClassC = QStringLiteral("C类学生,没有任何心理卫生问题");

} // namespace

void TestThresholdTyping::conclusion_data()
{
    QTest::addColumn<int>("hmid");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QVector<double>>("items"); // T is their sum
    QTest::addColumn<int>("factorCount");       // factor k holds item k
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("conclusion");
    const QString m = QStringLiteral("男"), f = QStringLiteral("女");
    using V = QVector<double>;
    const QStringList noNames;

    // 10 and 11: T against 35/40; the subscale is the named factors only.
    const QStringList dep{QStringLiteral("抑郁"), QStringLiteral("焦虑")};
    QTest::newRow("10: T 35, S 15") << 10 << m << V{10, 5, 20} << 2 << dep << kEqual + kSeeDoctor;
    QTest::newRow("10: T 36, S 14") << 10 << m << V{9, 5, 22} << 2 << dep << kAbove + kFine;
    QTest::newRow("10: T 34, S 20") << 10 << m << V{15, 5, 14} << 2 << dep << kBelow + kFine;
    QTest::newRow("10: 焦 is no subscale name") << 10 << m << V{15, 20} << 1 << QStringList{QStringLiteral("焦")}
                                                << kEqual + kFine;
    QTest::newRow("10: 躯体 does not count") << 10 << m << V{15, 20} << 2
                                           << QStringList{QStringLiteral("躯体"), QStringLiteral("敏感")} << kEqual + kSeeDoctor;
    const QStringList tense{QStringLiteral("不适应"), QStringLiteral("紧张")};
    QTest::newRow("11: T 40, S 20") << 11 << m << V{10, 10, 20} << 2 << tense << kEqual + kSeeDoctor;
    QTest::newRow("11: T 41, S 19") << 11 << m << V{10, 9, 22} << 2 << tense << kAbove + kFine;
    QTest::newRow("11: T 35, S 20 (10's limits do not apply)") << 11 << m << V{10, 10, 15} << 2 << tense
                                                               << kBelow + kFine;

    // 20: the total in bands by sex.
    QTest::newRow("20: man 75") << 20 << m << V{75} << 0 << noNames << kNormal;
    QTest::newRow("20: woman 75") << 20 << f << V{75} << 0 << noNames << kAbnormal;
    QTest::newRow("20: 131 gives nothing") << 20 << m << V{131} << 0 << noNames << QString();
    QTest::newRow("20: 0") << 20 << f << V{0} << 0 << noNames << kVeryNormal;
    QTest::newRow("20: 49") << 20 << m << V{49} << 0 << noNames << kVeryNormal;
    QTest::newRow("20: 50") << 20 << f << V{50} << 0 << noNames << kNormal;
    QTest::newRow("20: man 80") << 20 << m << V{80} << 0 << noNames << kNormal;
    QTest::newRow("20: man 81") << 20 << m << V{81} << 0 << noNames << kAbnormal;
    QTest::newRow("20: woman 72") << 20 << f << V{72} << 0 << noNames << kNormal;
    QTest::newRow("20: woman 73") << 20 << f << V{73} << 0 << noNames << kAbnormal;
    QTest::newRow("20: 130") << 20 << m << V{130} << 0 << noNames << kAbnormal;
    QTest::newRow("20: 49.5 reads as 49") << 20 << m << V{49.5} << 0 << noNames << kVeryNormal;
    QTest::newRow("20: sex text with a blank") << 20 << QStringLiteral("男 ") << V{75} << 0 << noNames << kNormal;

    // 36: factors 7 and 8, margin above 9.
    QTest::newRow("36: F7 20, F8 15") << 36 << m << V{0, 0, 0, 0, 0, 0, 20, 15} << 8 << noNames << kProblemsScale;
    QTest::newRow("36: F7 25, F8 15") << 36 << m << V{0, 0, 0, 0, 0, 0, 25, 15} << 8 << noNames
                                      << QStringLiteral("该测试者行为属内向,") + kProblemsScale;
    QTest::newRow("36: F7 24, F8 15") << 36 << m << V{0, 0, 0, 0, 0, 0, 24, 15} << 8 << noNames << kProblemsScale;
    QTest::newRow("36: F7 5, F8 15") << 36 << m << V{0, 0, 0, 0, 0, 0, 5, 15} << 8 << noNames
                                     << QStringLiteral("该测试者行为属外向,") + kProblemsScale;

    // 55: M = F1 + F3 + F6 against U = F2 + F4 + F5.
    QTest::newRow("55: M 20, U 14") << 55 << m << V{10, 5, 5, 5, 4, 5} << 6 << noNames << kMixed;
    QTest::newRow("55: M 14, U 20") << 55 << m << V{4, 10, 5, 5, 5, 5} << 6 << noNames << kImmature;
    QTest::newRow("55: M 22, U 14") << 55 << m << V{12, 5, 5, 5, 4, 5} << 6 << noNames << kMature;
    QTest::newRow("55: M 14, U 19") << 55 << m << V{4, 9, 5, 5, 5, 5} << 6 << noNames << kMixed;

    // 76: R = F1 + F2.
    const struct { double r; QString text; } types[] = {{36, kTypeA},      {35, kTypeAMinus}, {28, kTypeAMinus},
                                                        {27, kTypeM},      {26, kTypeBMinus}, {18, kTypeBMinus},
                                                        {17.5, kTypeBMinus}, {17, kTypeB},      {0, kTypeB}};
    for (const auto& t : types)
        QTest::addRow("76: R %g", t.r) << 76 << m << V{t.r - 10, 10} << 2 << noNames << t.text;

    // 78: F1, F2 and items 8, 16, 25, 26.
    QTest::newRow("78: F1 10, I8 1") << 78 << m << items26(10, 0, {8}) << 2 << noNames << kClassB;
    QTest::newRow("78: F1 25") << 78 << m << items26(25, 0, {}) << 2 << noNames << kClassA;
    QTest::newRow("78: F1 20") << 78 << m << items26(20, 0, {}) << 2 << noNames << kClassB;
    QTest::newRow("78: F1 19") << 78 << m << items26(19, 0, {}) << 2 << noNames << kClassC;
    QTest::newRow("78: I25 1") << 78 << m << items26(0, 0, {25}) << 2 << noNames << kClassA;
    QTest::newRow("78: F2 2") << 78 << m << items26(0, 2, {}) << 2 << noNames << kClassA;
    QTest::newRow("78: F2 1") << 78 << m << items26(0, 1, {}) << 2 << noNames << kClassB;
    QTest::newRow("78: I16 1") << 78 << m << items26(0, 0, {16}) << 2 << noNames << kClassB;
    QTest::newRow("78: I26 1") << 78 << m << items26(0, 0, {26}) << 2 << noNames << kClassB;
    QTest::newRow("78: I3 1 counts for nothing") << 78 << m << items26(0, 0, {3}) << 2 << noNames << kClassC;

    // 86: 43 <= F1 < 70 and 37 <= F2 < 63.
    QTest::newRow("86: 70, 50") << 86 << m << V{70, 50} << 2 << noNames << QStringLiteral("中间型");
    QTest::newRow("86: 69, 62") << 86 << m << V{69, 62} << 2 << noNames << QStringLiteral("平衡型");
    QTest::newRow("86: 42, 63") << 86 << m << V{42, 63} << 2 << noNames << QStringLiteral("极端型");
    QTest::newRow("86: 43, 37") << 86 << m << V{43, 37} << 2 << noNames << QStringLiteral("平衡型");

    // 89 and 90: limits 13 and 9.
    QTest::newRow("89: T 12") << 89 << m << V{5, 7} << 2 << noNames << QStringLiteral("无行为问题;");
    QTest::newRow("90: T 12, F1 < F2") << 90 << m << V{5, 7} << 2 << noNames << QStringLiteral("有行为问题,神经症行为;");
    QTest::newRow("90: T 12, F1 = F2") << 90 << m << V{6, 6} << 2 << noNames << QStringLiteral("有行为问题,混合行为;");
    QTest::newRow("89: T 13, F1 > F2") << 89 << m << V{7, 6} << 2 << noNames << QStringLiteral("有行为问题,违纪行为;");
    QTest::newRow("90: T 8") << 90 << m << V{7, 1} << 2 << noNames << QStringLiteral("无行为问题;");

    // 148: 2 < F2 < 5 and 5 < F8 < 8.
    QTest::newRow("148: F2 5, F8 6") << 148 << m << V{0, 5, 0, 0, 0, 0, 0, 6} << 8 << noNames
                                     << QStringLiteral("测试者疾病信念不正常，疑病指数正常");
    QTest::newRow("148: F2 3, F8 6") << 148 << m << V{0, 3, 0, 0, 0, 0, 0, 6} << 8 << noNames
                                     << QStringLiteral("测试者正常!");
    QTest::newRow("148: F2 3, F8 8") << 148 << m << V{0, 3, 0, 0, 0, 0, 0, 8} << 8 << noNames
                                     << QStringLiteral("测试者疾病信念正常,疑病指数不正常!");
    QTest::newRow("148: F2 2, F8 5") << 148 << m << V{0, 2, 0, 0, 0, 0, 0, 5} << 8 << noNames
                                     << QStringLiteral("测试者多数不正常!");

    // A test bank with fewer factors or items than the rule reads.
    QTest::newRow("36 with seven factors") << 36 << m << V{0, 0, 0, 0, 0, 0, 20} << 7 << noNames
                                           << QStringLiteral("试题库中本测验只有7个因子,本测验的结论需要8个,无法得出结论!");
    QTest::newRow("78 with 25 items") << 78 << m << V(25, 0.0) << 2 << noNames
                                      << QStringLiteral("试题库中本测验只有25道题,本测验的结论需要26道,无法得出结论!");
}

void TestThresholdTyping::conclusion()
{
    QFETCH(int, hmid);
    QFETCH(QString, sex);
    QFETCH(QVector<double>, items);
    QFETCH(int, factorCount);
    QFETCH(QStringList, names);
    QFETCH(QString, conclusion);
    ScaleCase c;
    c.hmid = hmid;
    c.sex = sex;
    c.items = items;
    c.factors = oneItemFactors(factorCount, names);
    // Every rule here replaces the total-score lookup, even where it sets nothing.
    c.norms << norm(c.testName, -1000, 1000, QStringLiteral("总分说明"));
    const ScaleRun run = scoreScale(c);
    QVERIFY(run.outcome.complete);
    QCOMPARE(run.session.conclusion, conclusion);
    QCOMPARE(run.line(QStringLiteral("结论：")), conclusion);
    QCOMPARE(run.stored.conclusion, conclusion);
}

QTEST_GUILESS_MAIN(TestThresholdTyping)
#include "tst_thresholdtyping.moc"
