// The runner dispatch by test id and the factor positions and items each scoring rule reads,
// as the bank compiler checks them.
#include "TestBankRequirements.h"

BankRunner bankRunnerFor(int hmid)
{
    switch (hmid) {
    case 18:
    case 48:
        return BankRunner::PictureMatrix;
    case 40:
    case 41:
    case 42:
    case 43:
    case 125:
        return BankRunner::Temperament;
    case 81:
        return BankRunner::Inventory;
    case 102:
        return BankRunner::LifeEvents;
    case 103:
        return BankRunner::ForcedChoice;
    case 104:
        return BankRunner::ScenarioRating;
    case 133:
        return BankRunner::Cancellation;
    case 147:
        return BankRunner::Passage;
    default:
        return BankRunner::Choice;
    }
}

QString bankRunnerName(BankRunner runner)
{
    switch (runner) {
    case BankRunner::Choice:
        return QStringLiteral("选择题");
    case BankRunner::Passage:
        return QStringLiteral("带阅读材料的选择题");
    case BankRunner::Temperament:
        return QStringLiteral("气质问卷");
    case BankRunner::Inventory:
        return QStringLiteral("多相人格问卷");
    case BankRunner::PictureMatrix:
        return QStringLiteral("图形推理");
    case BankRunner::LifeEvents:
        return QStringLiteral("生活事件");
    case BankRunner::ForcedChoice:
        return QStringLiteral("最符合/最不符合迫选");
    case BankRunner::ScenarioRating:
        return QStringLiteral("情景评定");
    case BankRunner::Cancellation:
        return QStringLiteral("数字划消");
    }
    return {};
}

int bankRunnerButtons(BankRunner runner)
{
    switch (runner) {
    case BankRunner::Choice:
    case BankRunner::Passage:
    case BankRunner::Inventory:
        return 9;
    case BankRunner::Temperament:
    case BankRunner::PictureMatrix:
        return 8;
    default:
        return 0;
    }
}

bool bankRunnerFiltersFactors(BankRunner runner)
{
    return runner != BankRunner::PictureMatrix;
}

BankRuleNeeds bankRuleNeedsFor(int hmid)
{
    BankRuleNeeds needs;
    auto factors = [&](int count, const char* why) {
        needs.minFactors = count;
        needs.why = QString::fromUtf8(why);
    };
    switch (hmid) {
    case 16:
        needs.factorNames = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
        needs.why = QStringLiteral("饮酒诊断规则读取名为 A、B、C 的因子");
        break;
    case 28:
        factors(24, "参照总分换算改写第1至24个因子");
        break;
    case 36:
        factors(8, "内外向结论读取第7、8个因子");
        break;
    case 46:
        factors(16, "次级人格因素读取16个主因素");
        needs.everyFactorHasItems = true;
        break;
    case 55:
        factors(6, "应付方式读取第1至6个因子");
        break;
    case 66:
        factors(7, "换算读取第1至7个因子");
        break;
    case 70:
        factors(1, "等级分写入第1个因子并读取第11题");
        needs.minItems = 11;
        break;
    case 76:
        factors(2, "行为类型读取第1、2个因子");
        break;
    case 77:
        factors(3, "职业兴趣代码取得分最高的三个因子");
        break;
    case 78:
        factors(2, "学生分类读取第1、2个因子和第8、16、25、26题");
        needs.minItems = 26;
        break;
    case 86:
    case 89:
    case 90:
    case 132:
        factors(2, "结论规则读取第1、2个因子");
        break;
    case 102:
        factors(5, "好事与坏事合计写入第4、5个因子");
        break;
    case 104:
        factors(2, "月龄换算改写第1、2个因子");
        needs.maxItems = 244;
        break;
    case 114:
        factors(8, "0-100 换算改写第1至8个因子");
        break;
    case 116:
        factors(1, "结论取第1个因子的解释");
        break;
    case 121:
        factors(4, "总分公式读取第1至4个因子");
        break;
    case 122:
        factors(3, "疲劳说明写入第3个因子并读取第2、3、4题");
        needs.minItems = 4;
        break;
    case 147:
        factors(4, "类别计数写入第1至4个因子");
        break;
    case 148:
        factors(8, "疾病信念与疑病指数读取第2、8个因子");
        break;
    case 40:
    case 41:
    case 42:
    case 43:
    case 125:
        factors(6, "气质类型读取第2至6个因子的平均分");
        break;
    case 81:
        factors(24, "答案键的24个量表依次写入24个因子");
        needs.exactItems = 566;
        break;
    default:
        break;
    }
    return needs;
}
