// The 16PF secondary factors: the formulas and the sentence of each factor.
#include "SecondaryFactors.h"
#include "testing/NumberFormat.h"

void convertPrimaryFactors(FactorTable& factors)
{
    for (tmx& f : factors)
        if (f.count != 0)
            f.sum = roundOneDecimal(5 * f.sum / f.count);
}

std::optional<QString> missingPrimaryFactor(const FactorTable& factors)
{
    if (factors.size() < 16)
        return QStringLiteral("试题库中本测验只有") + QString::number(factors.size())
             + QStringLiteral("个因子,计算次级人格因素需要16个,无法得出结论!");
    for (int k = 0; k < 16; ++k)
        if (factors[k].count == 0)
            return QStringLiteral("因子") + factors[k].name + QStringLiteral("在试题库中没有试题,无法计算次级人格因素!");
    return std::nullopt;
}

SecondaryFactors secondaryFactors(const FactorTable& f)
{
    using namespace PrimaryFactor;
    auto v = [&](int k) { return f[k - 1].sum; };
    // Evaluated in the written order: the boundaries (3, 8, 17, 25 ...) are met exactly
    // only when the rounding follows the same sequence of operations.
    SecondaryFactors x;
    x.X1 = (38 + 2 * v(L) + 3 * v(O) + 4 * v(Q4) - 2 * v(C) - 2 * v(H) - 2 * v(Q3)) / 10;
    x.X2 = (2 * v(A) + 3 * v(E) + 4 * v(F) + 5 * v(H) - 2 * v(Q2) - 11) / 10;
    x.X3 = (77 + 2 * v(C) + 2 * v(E) + 2 * v(F) + 2 * v(N) - 4 * v(A) - 6 * v(I) - 2 * v(M)) / 10;
    x.X4 = (4 * v(E) + 3 * v(M) + 4 * v(Q1) + 4 * v(Q2) - 3 * v(A) - 2 * v(G)) / 10;
    x.Y1 = v(C) + v(F) + (11 - v(O)) + (11 - v(Q4));
    x.Y2 = 2 * v(Q3) + 2 * v(G) + 2 * v(C) + v(E) + v(N) + v(Q2) + v(Q1);
    x.Y3 = 2 * (11 - v(A)) + 2 * v(B) + v(E) + 2 * (11 - v(F)) + v(H) + 2 * v(I) + v(M) + (11 - v(N)) + v(Q1)
         + 2 * v(Q2);
    x.Y4 = v(B) + v(G) + v(Q3) + (11 - v(F));
    return x;
}

namespace {

// Low (<= 3), middle, high (>= 8).
QString typeDimension(double x, const QString& low, const QString& middle, const QString& high)
{
    if (x <= 3)
        return low;
    if (x < 8)
        return middle;
    return high;
}

} // namespace

QString secondaryFactorConclusion(const SecondaryFactors& x)
{
    QString text = typeDimension(
        x.X1,
        QStringLiteral("适应与焦虑型:低分,生活适应顺利,通常感到心满意足,能做到所期望的及自认为重要的事情;"),
        QStringLiteral("适应与焦虑型:中间状态;"),
        QStringLiteral("适应与焦虑型:高分,可能有一些调节不良的情况,对生活所要求的和自己意欲达成的,常感到不满意,高度的焦虑可能会使工作受到破坏和影响身体健康;"));
    text += typeDimension(
        x.X2, QStringLiteral("内向与外向型:内倾,趋于胆小,自足,在与别人接触中采取克制态度,有利于从事精细工作;"),
        QStringLiteral("内向与外向型:中间型;"),
        QStringLiteral("内向与外向型:外倾,开朗,善于交际,不受拘束,有利于从事贸易工作;"));
    text += typeDimension(
        x.X3,
        QStringLiteral("感情用事与安详机警型:情感丰富而感到困扰不安,它可能是缺乏信心,颓丧的类型,对生活中的细节较为含蓄敏感,性格温和,讲究生活艺术,采取行动前再三思考,顾虑太多;"),
        QStringLiteral("感情用事与安详机警型:中间型;"),
        QStringLiteral("感情用事与安详机警型:富有事业心,果断,刚毅,有进取精神,精力充沛,行动迅速,但常忽视生活上的细节,只对明显的事物注意,有时会考虑不周,不计后果,贸然行事;"));
    text += typeDimension(
        x.X4,
        QStringLiteral("怯懦与果断型:依赖别人,纯洁,个性被动,受人驱使而不能独立,对支持他的人在行动上常适应其需求,为获取别人的欢心会事事迁就;"),
        QStringLiteral("怯懦与果断型:中间型;"),
        QStringLiteral("怯懦与果断型:果断,独立,露锋芒,有气魄,有攻击性的倾向,通常会主动地寻找可以施展这种行为的环境或机会,以充分表现自己的独创能力,并从中取得利益;"));
    if (x.Y1 < 12)
        text += QStringLiteral("心理健康因素:情绪不稳定的程度颇为显著;");
    if (x.Y2 > 67)
        text += QStringLiteral("专业成就因素:其成功的机会很大;");
    if (x.Y3 > 7)
        text += QStringLiteral("创造能力因素:属于创造能力强者的范围,应有其成就;");
    if (x.Y4 < 17)
        text += QStringLiteral("环境适应因素:从事专业或训练成功的可能性较小;");
    else if (x.Y4 > 25)
        text += QStringLiteral("环境适应因素:有希望成功;");
    return text;
}
