// The interest type table, the leading-type texts and the interest code rule.
#include "InterestCode.h"

#include <utility>

namespace {

struct InterestType {
    QString factorName;
    QString letter;
    QString leadingText;
};

const QVector<InterestType>& interestTypes()
{
    static const QVector<InterestType> types{
        {QStringLiteral("现实型"), QStringLiteral("R"),
         QStringLiteral("R(实际型)：木匠、农民、操作X光的技师、工程师、飞机机械师、鱼类和野生动物专家、自动化技师、机械工(车工、钳工等)、电工、无线电报务员、火车司机、长途汽车司机、机械制图员、修理机器、电器师。")},
        {QStringLiteral("调查型"), QStringLiteral("I"),
         QStringLiteral("I(探索型):气象学者、生物学者、天文学家、药剂师、动物学者、化学家、科学报刊编辑、地质学者、植物学者、物理学者、数学家、实验员、科研人员、科技作者。")},
        {QStringLiteral("艺术型"), QStringLiteral("A"),
         QStringLiteral("A(艺术型):室内装饰专家、图书管理专家、摄影师、音乐教师、作家、演员、记者、诗人、作曲家、编剧、雕刻家、漫画家。")},
        {QStringLiteral("社会型"), QStringLiteral("S"),
         QStringLiteral("S(社会型):社会学者、导游、福利机构工作者、咨询人员、社会工作者、社会科学教师、学校领导、精神病工作者、公共保健护士。")},
        {QStringLiteral("企事业型"), QStringLiteral("E"),
         QStringLiteral("E(企业型):推销员、进货员、商品批发员、旅馆经理、饭店经理、广告宣传员、调度员、律师、政治家、零售商。")},
        {conventionalTypeName(), QStringLiteral("C"),
         QStringLiteral("C(传统型):记账员、会计、银行出纳、法庭速记员、成本估算员、税务员、核算员、打字员、办公室职员、统计员、计算机操作员、秘书。")},
    };
    return types;
}

} // namespace

QString conventionalTypeName()
{
    return QStringLiteral("常规型");
}

QString interestLetter(const QString& factorName)
{
    for (const InterestType& t : interestTypes())
        if (t.factorName == factorName)
            return t.letter;
    return {};
}

QString leadingTypeText(const QString& letter)
{
    for (const InterestType& t : interestTypes())
        if (t.letter == letter)
            return t.leadingText;
    return {};
}

void sortByScoreDescending(FactorTable& factors)
{
    const int m = factors.size();
    for (int i = 0; i < m - 1; ++i)
        for (int j = i + 1; j < m; ++j)
            if (factors[i].sum < factors[j].sum)
                std::swap(factors[i], factors[j]);
}

QString interestCode(const FactorTable& factors)
{
    QString code;
    for (int k = 0; k < 3 && k < factors.size(); ++k)
        code += interestLetter(factors[k].name);
    return code;
}

void applyInterestCode(SessionContext& session)
{
    sortByScoreDescending(session.factors);
    const QString code = interestCode(session.factors);
    if (code.isEmpty())
        return;
    session.conclusion = leadingTypeText(code.left(1));
    for (const InterestCodeRow& row : interestCodeTable())
        if (row.code == code) {
            session.conclusion += row.occupations;
            break;
        }
}
