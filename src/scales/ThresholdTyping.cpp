// Threshold typing rules.
#include "ThresholdTyping.h"
#include "testing/NumberFormat.h"

namespace {

double F(const FactorTable& factors, int k)
{
    return factors.at(k - 1).sum;
}

} // namespace

double symptomSubscaleSum(const FactorTable& factors)
{
    // Delimited on both sides so that only whole names match (焦 is not 焦虑).
    const QString names = QStringLiteral("\\不适应\\抑郁\\焦虑\\敏感\\愤怒\\紧张\\");
    double s = 0;
    for (const tmx& f : factors)
        if (names.contains(QLatin1Char('\\') + f.name.trimmed() + QLatin1Char('\\')))
            s += f.sum;
    return s;
}

QString standardValueConclusion(int hmid, double total, const FactorTable& factors)
{
    const double totalLimit = hmid == 10 ? 35 : 40;
    const double subscaleLimit = hmid == 10 ? 15 : 20;
    QString text;
    if (total > totalLimit)
        text = QStringLiteral("总结论:高于标准值");
    else if (total == totalLimit)
        text = QStringLiteral("总结论:等于标准值");
    else
        text = QStringLiteral("总结论:低于标准值");
    if (total >= totalLimit && symptomSubscaleSum(factors) >= subscaleLimit)
        text += QStringLiteral("您可能存在有躯体障碍,或心理障碍,或精神问题,建议找专科医生咨询就诊!");
    else
        text += QStringLiteral("您基本上不存在有躯体障碍,或心理障碍,或精神问题!");
    return text;
}

QString alexithymiaConclusion(double total, const QString& sex)
{
    // The total is a whole number for this test; a fractional one is read by its integer
    // part, the same number the "测试总分：" line shows.
    const long long v = integerPart(total);
    const long long normalTop = sex.trimmed() == QStringLiteral("男") ? 80 : 72;
    if (v >= 0 && v <= 49)
        return QStringLiteral("该测试者很正常,低于标准值!");
    if (v >= 50 && v <= normalTop)
        return QStringLiteral("该测试者正常,属于标准值范围!");
    if (v > normalTop && v <= 130)
        return QStringLiteral("该测试者不正常,高于标准值范围!有可能存在述情障碍!");
    return {};
}

QString introversionConclusion(const FactorTable& factors)
{
    QString text;
    if (F(factors, 7) - F(factors, 8) > 9)
        text = QStringLiteral("该测试者行为属内向,");
    else if (F(factors, 8) - F(factors, 7) > 9)
        text = QStringLiteral("该测试者行为属外向,");
    return text + QStringLiteral("各项因子的分数越高,行为问题则越大.");
}

QString copingStyleConclusion(const FactorTable& factors)
{
    const double mature = F(factors, 1) + F(factors, 3) + F(factors, 6);
    const double immature = F(factors, 2) + F(factors, 4) + F(factors, 5);
    if (mature - immature > 7)
        return QStringLiteral("成熟型:在面对应激事件或环境时,常能采取解决问题和求助等合理的应付方式,而较少使用退避,自责,幻想等不成熟的应付方式,在生活中表现出一种成熟稳定的人格特征和行为方式.");
    if (immature - mature > 5)
        return QStringLiteral("不成熟型:在生活中常以退避,自责,幻想等应付方式应付困难和挫折,而较少使用解决问题这类积极的应付方式,表现出一种神经症状的人格特点,其情绪和行为均缺少稳定性.");
    return QStringLiteral("混合型:应付行为集成熟与不成熟的应付方式于一体,在应付行为上表现出一种矛盾的心态和两面性的人格特点");
}

QString behaviourTypeConclusion(const FactorTable& factors)
{
    const double r = F(factors, 1) + F(factors, 2);
    if (r > 35)
        return QStringLiteral("A型:对过去的成就总不满意，不断地为自己确立新的更高的奋斗目标，并为此不懈地努力，宁愿牺牲娱乐和家庭生活；没有耐心，对人常怀有敌意。");
    if (r > 27)
        return QStringLiteral("A-型:过份努力地工作，有雄心和强烈的竞争意识；总是处于时间压力下，从来不满足于工作的进度，总是试图在最短的时间内完成尽可能多的工作；");
    if (r == 27)
        return QStringLiteral("M型:中间型,宽容平和,在工作中很会劳逸结合.");
    if (r > 17)
        return QStringLiteral("B-型:现实,稳重,在工作中十年好一日.");
    return QStringLiteral("B型:从容不迫，悠闲自得，稳重，现实，随遇而安，对人较随和，较少侵犯性。");
}

QString screeningClassConclusion(const FactorTable& factors, const QVector<double>& I)
{
    auto item = [&](int k) { return I.at(k - 1); };
    const double f1 = F(factors, 1);
    const double f2 = F(factors, 2);
    if (f1 > 24 || item(25) == 1 || f2 > 1)
        return QStringLiteral("A类学生, 需要进行持续的心理咨询。");
    if (f1 > 19 || f2 == 1 || item(8) == 1 || item(16) == 1 || item(26) == 1)
        return QStringLiteral("B类学生，可作为咨询机构今后关注的对象");
    return QStringLiteral("C类学生,没有任何心理卫生问题");
}

QString balanceTypeConclusion(const FactorTable& factors)
{
    const bool p = 43 <= F(factors, 1) && F(factors, 1) < 70;
    const bool q = 37 <= F(factors, 2) && F(factors, 2) < 63;
    if (p && q)
        return QStringLiteral("平衡型");
    if (p || q)
        return QStringLiteral("中间型");
    return QStringLiteral("极端型");
}

QString behaviourProblemConclusion(int hmid, double total, const FactorTable& factors)
{
    const double limit = hmid == 89 ? 13 : 9;
    if (total < limit)
        return QStringLiteral("无行为问题;");
    const double f1 = F(factors, 1);
    const double f2 = F(factors, 2);
    if (f1 > f2)
        return QStringLiteral("有行为问题,违纪行为;");
    if (f1 == f2)
        return QStringLiteral("有行为问题,混合行为;");
    return QStringLiteral("有行为问题,神经症行为;");
}

QString hypochondriaConclusion(const FactorTable& factors)
{
    const bool belief = 2 < F(factors, 2) && F(factors, 2) < 5;
    const bool index = 5 < F(factors, 8) && F(factors, 8) < 8;
    if (belief && index)
        return QStringLiteral("测试者正常!");
    if (belief)
        return QStringLiteral("测试者疾病信念正常,疑病指数不正常!");
    if (index)
        return QStringLiteral("测试者疾病信念不正常，疑病指数正常");
    return QStringLiteral("测试者多数不正常!");
}
