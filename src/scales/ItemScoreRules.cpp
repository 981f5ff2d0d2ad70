// Item-score and explanation rules.
#include "ItemScoreRules.h"
#include "testing/NumberFormat.h"

std::optional<QString> drinkingDiagnosis(const FactorTable& factors, QString* missing)
{
    // The last factor of each name counts when a name occurs more than once.
    const QString names[3] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    const tmx* found[3] = {nullptr, nullptr, nullptr};
    for (const tmx& f : factors)
        for (int k = 0; k < 3; ++k)
            if (f.name.trimmed() == names[k])
                found[k] = &f;
    QStringList lacking;
    for (int k = 0; k < 3; ++k)
        if (!found[k])
            lacking << names[k];
    if (!lacking.isEmpty()) {
        if (missing)
            *missing = lacking.join(QLatin1Char(','));
        return std::nullopt;
    }
    // Compared exactly as stored: a norm text with a trailing blank is a different text.
    const QString problem = QStringLiteral("有问题");
    const bool a = found[0]->explanation == problem;
    const bool b = found[1]->explanation == problem;
    const bool c = found[2]->explanation == problem;
    if (a && b && c)
        return QStringLiteral("该测试者诊断为酒精滥用!");
    if (a && b)
        return QStringLiteral("该测试者诊断为酒精依赖!");
    if (a)
        return QStringLiteral("该测试者诊断为问题饮酒!");
    return QString();
}

QString impairmentCountText(const QVector<double>& I)
{
    int c = 0;
    for (double score : I)
        if (score > 2)
            ++c;
    if (c < 2)
        return {};
    return QStringLiteral(";有") + QString::number(c) + QStringLiteral("项明显的功能障碍");
}

void conclusionFromFirstFactor(SessionContext& s)
{
    s.conclusion = s.factors[0].explanation;
    s.factors[0].explanation.clear();
}

void fatigueRemarks(FactorTable& f, const QVector<double>& I)
{
    QString& text = f[2].explanation;
    if (I[1] > 4)
        text = QStringLiteral("测试者因疲劳而缺乏耐心;");
    if (I[2] > 4)
        text += QStringLiteral("测试者因疲劳而欲望降低;");
    if (I[3] > 3)
        text += QStringLiteral("测试者因疲劳而注意力不集中;");
}

QString helpingTypeConclusion(const QVector<double>& I)
{
    int c0 = 0, c1 = 0, c2 = 0;
    for (double score : I) {
        switch (integerPart(score)) {
        case 0: ++c0; break;
        case 1: ++c1; break;
        case 2: ++c2; break;
        default: break;
        }
    }
    if (c0 == 10)
        return QStringLiteral("你是一位善良、极有爱心的人。但你要当心，千万别被低效率的人拖后腿，再不要被别有用心者利用。");
    if (c0 >= c1 && c0 >= c2)
        return QStringLiteral("你很善于合作，但并非失去个性。你认为礼尚往来是一种美德，在商业生活中亦不可缺少。你慷慨助人，同时也希望别人同样回报你。");
    if (c1 >= c0 && c1 >= c2)
        return QStringLiteral("你是一位以自我为中心的人，不愿意为自己找麻烦，不想让自己的生活规律、工作秩序受到任何干扰。无疑，你有困难时也很难得到别人的帮助。");
    return QStringLiteral("你是一个名副其实的孤家寡人。");
}
