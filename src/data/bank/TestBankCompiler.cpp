// Checks the test bank sources against what the runners and rules read, then writes the bank.
#include "TestBankCompiler.h"
#include "TestBankPictures.h"
#include "TestBankRequirements.h"
#include "data/TestBankWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <climits>
#include <filesystem>
#include <map>
#include <set>

namespace {

const char* const kTextColumns[] = {"A", "B", "C", "D", "E", "f", "g", "h", "i", "j"};
const char* const kScoreColumns[] = {"ac", "bc", "cc", "dc", "ec", "fc", "gc", "hc", "ic", "jc"};

bool validSex(const QString& sex)
{
    return sex == QStringLiteral("男") || sex == QStringLiteral("女") || sex == QStringLiteral("男女");
}

QString sexError(const QString& sex)
{
    return QStringLiteral("性别“%1”无效，只能是“男”、“女”或“男女”").arg(sex);
}

// chc as written, or the number of option texts from the first one on.
int optionCount(const SourceItem& item)
{
    if (item.optionCount)
        return *item.optionCount;
    int count = 0;
    while (count < 10 && item.texts[count] && !item.texts[count]->isEmpty())
        ++count;
    return count;
}

QString testLabel(const SourceTest& test)
{
    return QStringLiteral("测试 %1“%2”").arg(test.id).arg(test.name);
}

void checkChoiceItem(const SourceItem& item, BankRunner runner, BankSource& source)
{
    const int buttons = bankRunnerButtons(runner);
    const int chc = optionCount(item);
    const QString label = QStringLiteral("第%1题").arg(item.number);
    if (chc < 1) {
        source.error(item.at, label + QStringLiteral("没有选项"));
        return;
    }
    if (chc > buttons) {
        source.error(item.at, label + QStringLiteral("有 %1 个选项，而%2答题页只有 %3 个选项按钮")
                                          .arg(chc)
                                          .arg(bankRunnerName(runner))
                                          .arg(buttons));
        return;
    }
    for (int k = 0; k < 10; ++k) {
        const QString text = QString::fromLatin1(kTextColumns[k]);
        const QString score = QString::fromLatin1(kScoreColumns[k]);
        if (k < chc) {
            if (!item.texts[k] || item.texts[k]->isEmpty()) {
                source.error(item.at, label + QStringLiteral("有 %1 个选项，但第%2个选项（%3 列）没有文字")
                                                  .arg(chc)
                                                  .arg(k + 1)
                                                  .arg(text));
                return;
            }
            if (!item.scores[k]) {
                source.error(
                    item.at,
                    label +
                        QStringLiteral("第%1个选项（%2 列）没有分数（%3 列）").arg(k + 1).arg(text, score));
                return;
            }
            continue;
        }
        const bool passage = runner == BankRunner::Passage && k == 9;
        if ((item.texts[k] && !passage) || item.scores[k]) {
            source.error(item.at,
                         label + QStringLiteral("有 %1 个选项，却还写了第%2个选项的%3（%4 列）")
                                     .arg(chc)
                                     .arg(k + 1)
                                     .arg(item.scores[k] ? QStringLiteral("分数") : QStringLiteral("文字"))
                                     .arg(item.scores[k] ? score : text));
            return;
        }
    }
    if (runner == BankRunner::Passage && (!item.texts[9] || item.texts[9]->isEmpty()))
        source.error(item.at, label + QStringLiteral("缺少阅读材料（j 列）"));
    if (runner == BankRunner::Inventory) {
        if (chc < 3 || !item.scores[2] || *item.scores[2] != 0) {
            source.error(item.at,
                         label + QStringLiteral("的 cc 列必须为 0 分（399题结束时其余各题按 cc 计为未答）"));
            return;
        }
        for (int k = 0; k < chc; ++k)
            if (*item.scores[k] != 0 && *item.scores[k] != 1 && *item.scores[k] != 2) {
                source.error(
                    item.at,
                    label + QStringLiteral("的选项分数只能是 1（是）、2（否）或 0（未答），第%1个选项却是 %2")
                                .arg(k + 1)
                                .arg(*item.scores[k]));
                return;
            }
    }
}

void checkItems(SourceTest& test, BankRunner runner, BankSource& source)
{
    if (test.items.empty()) {
        source.error(test.at, testLabel(test) + QStringLiteral("没有题目"));
        return;
    }
    for (size_t k = 0; k < test.items.size(); ++k) {
        const SourceItem& item = test.items[k];
        if (item.number != int(k) + 1) {
            source.error(
                item.at,
                QStringLiteral("题号应为 %1（题目从1起连续编号），这里是 %2").arg(k + 1).arg(item.number));
            return;
        }
    }
    const BankRuleNeeds needs = bankRuleNeedsFor(test.id);
    const int n = int(test.items.size());
    if ((needs.exactItems && n != needs.exactItems) || n < needs.minItems ||
        (needs.maxItems && n > needs.maxItems)) {
        const QString wanted = needs.exactItems ? QStringLiteral("正好 %1 道").arg(needs.exactItems)
                               : needs.maxItems ? QStringLiteral("最多 %1 道").arg(needs.maxItems)
                                                : QStringLiteral("至少 %1 道").arg(needs.minItems);
        source.error(test.at, testLabel(test) +
                                  QStringLiteral("有 %1 道题，需要%2（%3）").arg(n).arg(wanted, needs.why));
    }

    double oldest = -1;
    for (const SourceItem& item : test.items) {
        const QString label = QStringLiteral("第%1题").arg(item.number);
        const bool needsText = runner != BankRunner::PictureMatrix && runner != BankRunner::ForcedChoice;
        if (needsText && item.text.isEmpty()) {
            source.error(item.at, label + QStringLiteral("没有题目文字（toplr 列）"));
            continue;
        }
        switch (runner) {
        case BankRunner::Choice:
        case BankRunner::Passage:
        case BankRunner::Temperament:
        case BankRunner::Inventory:
            checkChoiceItem(item, runner, source);
            break;
        case BankRunner::PictureMatrix: {
            const int chc = optionCount(item);
            if (chc != 6 && chc != 8) {
                source.error(item.at,
                             label + QStringLiteral("应有 6 个或 8 个备选图，这里是 %1 个").arg(chc));
                break;
            }
            bool texts = true;
            for (int k = 0; k < chc; ++k)
                texts = texts && item.texts[k] && !item.texts[k]->isEmpty();
            if (!texts) {
                source.error(item.at, label + QStringLiteral("的 %1 个备选图没有都写上文字").arg(chc));
                break;
            }
            const double answer = item.scores[0].value_or(0);
            if (answer != int(answer) || answer < 1 || answer > chc) {
                source.error(item.at,
                             label + QStringLiteral("的正确答案（ac 列）应为 1 到 %1 之间的整数").arg(chc));
                break;
            }
            if (item.picture.isEmpty())
                source.error(item.at, label + QStringLiteral("没有图片（picture 列）"));
            else if (!looksLikePicture(item.picture))
                source.error(item.at, label + QStringLiteral("的图片不是 PNG、BMP 或 JPEG"));
            break;
        }
        case BankRunner::LifeEvents:
            break;
        case BankRunner::ForcedChoice:
            for (int k = 0; k < 3; ++k)
                if (!item.texts[k] || item.texts[k]->isEmpty()) {
                    source.error(item.at, label + QStringLiteral("缺少第%1句陈述（%2 列）")
                                                      .arg(k + 1)
                                                      .arg(QString::fromLatin1(kTextColumns[k]).toLower()));
                    break;
                }
            break;
        case BankRunner::ScenarioRating:
            if (!item.texts[1] || item.texts[1]->isEmpty()) {
                source.error(item.at, label + QStringLiteral("缺少情景（b 列）"));
                break;
            }
            if (!item.scores[0] && !item.scores[1]) {
                source.error(item.at, label + QStringLiteral("缺少月龄界限（ac、bc 列至少写一个）"));
                break;
            }
            for (int k = 0; k < 2; ++k)
                if (item.scores[k]) {
                    if (*item.scores[k] < 0)
                        source.error(item.at, label + QStringLiteral("的月龄界限不能为负数"));
                    oldest = std::max(oldest, *item.scores[k]);
                }
            break;
        case BankRunner::Cancellation: {
            const QString digits = item.text.left(35);
            bool ok = digits.size() == 35;
            for (QChar c : digits)
                ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
            if (!ok)
                source.error(
                    item.at,
                    label +
                        QStringLiteral("应以 35 个数字开头（7列×5行的数字表），这里是“%1”").arg(item.text));
            break;
        }
        }
    }
    if (runner == BankRunner::ScenarioRating && oldest >= 0 && oldest < test.ageMax)
        source.error(test.at,
                     testLabel(test) +
                         QStringLiteral(
                             "允许 %1 个月的受测者，但题目的月龄界限最高只有 %2，年龄较大的受测者将没有题目")
                             .arg(test.ageMax)
                             .arg(oldest));
}

// The factor rows the runner loads for a subject of that sex and age.
std::vector<const SourceFactor*> loadedFactors(const SourceTest& test, BankRunner runner, const QString& sex,
                                               int age)
{
    std::vector<const SourceFactor*> rows;
    for (const SourceFactor& f : test.factors)
        if (!bankRunnerFiltersFactors(runner) || (f.ageMin <= age && age <= f.ageMax && f.sex.contains(sex)))
            rows.push_back(&f);
    return rows;
}

void checkFactors(const SourceTest& test, BankRunner runner, BankSource& source)
{
    const int n = int(test.items.size());
    for (const SourceFactor& f : test.factors) {
        const QString label = QStringLiteral("因子“%1”").arg(f.name);
        if (f.name.isEmpty())
            source.error(f.at, QStringLiteral("因子名是空的"));
        else if (!validSex(f.sex))
            source.error(f.at, label + QStringLiteral(": ") + sexError(f.sex));
        else if (f.ageMin > f.ageMax)
            source.error(f.at,
                         label + QStringLiteral(": 年龄下限 %1 大于上限 %2").arg(f.ageMin).arg(f.ageMax));
        else
            for (int k : f.items)
                if (k > n) {
                    source.error(
                        f.at,
                        label + QStringLiteral("的题目列表含有题号 %1，而本测试只有 %2 道题").arg(k).arg(n));
                    break;
                }
    }
    const BankRuleNeeds needs = bankRuleNeedsFor(test.id);
    if (needs.everyFactorHasItems)
        for (const SourceFactor& f : test.factors)
            if (f.items.empty())
                source.error(
                    f.at,
                    QStringLiteral("因子“%1”没有题目，而%2需要每个因子都有题目").arg(f.name, needs.why));
    if (needs.minFactors == 0 && needs.factorNames.isEmpty())
        return;

    // Every subject the test admits must get the factor positions the rule reads.
    std::set<int> ages{test.ageMin};
    for (const SourceFactor& f : test.factors)
        for (int a : {f.ageMin, f.ageMax + 1})
            if (a > test.ageMin && a <= test.ageMax)
                ages.insert(a);
    QStringList sexes;
    if (test.sex.contains(QStringLiteral("男")))
        sexes << QStringLiteral("男");
    if (test.sex.contains(QStringLiteral("女")))
        sexes << QStringLiteral("女");
    for (const QString& sex : sexes)
        for (int age : ages) {
            const auto rows = loadedFactors(test, runner, sex, age);
            const QString subject = QStringLiteral("%1性、%2个月的受测者").arg(sex).arg(age);
            if (int(rows.size()) < needs.minFactors) {
                source.error(test.at,
                             testLabel(test) + QStringLiteral("对%1只有 %2 个因子，%3，需要至少 %4 个")
                                                   .arg(subject)
                                                   .arg(rows.size())
                                                   .arg(needs.why)
                                                   .arg(needs.minFactors));
                return;
            }
            for (const QString& name : needs.factorNames)
                if (std::none_of(rows.begin(), rows.end(),
                                 [&](const SourceFactor* f) { return f->name.trimmed() == name; })) {
                    source.error(
                        test.at,
                        testLabel(test) +
                            QStringLiteral("对%1没有名为“%2”的因子（%3）").arg(subject, name, needs.why));
                    return;
                }
        }
}

void checkNorms(const SourceTest& test, BankSource& source)
{
    QSet<QString> names{test.name};
    for (const SourceFactor& f : test.factors)
        names.insert(f.name.trimmed());
    for (const SourceNorm& norm : test.norms) {
        const QString label = QStringLiteral("常模“%1”").arg(norm.name);
        if (!names.contains(norm.name))
            source.error(norm.at,
                         label + QStringLiteral("既不是本测试的因子名，也不是测试名“%1”，评分时永远查不到")
                                     .arg(test.name));
        else if (!(norm.min < norm.max))
            source.error(norm.at,
                         label + QStringLiteral("的分数下限 %1 应小于上限 %2（分数段为 下限 ≤ 分数 < 上限）")
                                     .arg(norm.min)
                                     .arg(norm.max));
        else if (norm.ageMin > norm.ageMax)
            source.error(norm.at,
                         label +
                             QStringLiteral("的年龄下限 %1 大于上限 %2").arg(norm.ageMin).arg(norm.ageMax));
        else if (!validSex(norm.sex))
            source.error(norm.at, label + QStringLiteral(": ") + sexError(norm.sex));
        else if (norm.explain.isEmpty())
            source.error(norm.at, label + QStringLiteral("没有解释文字"));
    }
}

void checkTables(BankSource& source)
{
    const bool pictureTests = std::any_of(source.tests.begin(), source.tests.end(), [](const SourceTest& t) {
        return bankRunnerFor(t.id) == BankRunner::PictureMatrix;
    });
    std::map<std::pair<int, QString>, const SourceAverageSd*> norms;
    for (const SourceAverageSd& row : source.averageSd) {
        if (row.sex != QStringLiteral("男") && row.sex != QStringLiteral("女"))
            source.error(row.at, QStringLiteral("性别“%1”无效，只能是“男”或“女”").arg(row.sex));
        else if (row.age < 0 || row.average < 0 || !(row.sd > 0))
            source.error(row.at, QStringLiteral("年龄和平均分不能为负，标准差必须大于0"));
        else if (norms.count({row.age, row.sex}))
            source.error(row.at, QStringLiteral("%1岁%2性的常模重复（另一行在 %3）")
                                     .arg(row.age)
                                     .arg(row.sex, norms.at({row.age, row.sex})->at.where()));
        else
            norms[{row.age, row.sex}] = &row;
    }
    if (pictureTests) {
        QStringList missing;
        for (int age = 5; age <= 16; ++age)
            for (const QString sex : {QStringLiteral("男"), QStringLiteral("女")})
                if (!norms.count({age, sex}))
                    missing << QStringLiteral("%1岁%2").arg(age).arg(sex);
        if (!missing.isEmpty())
            source.errors << QStringLiteral(
                                 "[average-sd]: 图形推理测验需要 5 至 16 岁男女各年龄的常模，缺少: %1")
                                 .arg(missing.join(QStringLiteral("、")));
    }
    // The launcher looks subjects of 100 years and more up by their own age: a picture test that
    // admits them needs those rows too, or its IQ cannot be computed.
    for (const SourceTest& test : source.tests) {
        if (bankRunnerFor(test.id) != BankRunner::PictureMatrix)
            continue;
        for (int years = 100; years <= test.ageMax / 12; ++years)
            for (const QString sex : {QStringLiteral("男"), QStringLiteral("女")})
                if (test.sex.contains(sex) && !norms.count({years, sex})) {
                    source.error(test.at,
                                 testLabel(test) +
                                     QStringLiteral("允许 %1 个月的受测者，但没有%2岁%3性的年龄常模；"
                                                    "最大月龄应小于 1200")
                                         .arg(test.ageMax)
                                         .arg(years)
                                         .arg(sex));
                    years = INT_MAX - 1;
                    break;
                }
    }

    const auto inventory = std::find_if(source.tests.begin(), source.tests.end(), [](const SourceTest& t) {
        return bankRunnerFor(t.id) == BankRunner::Inventory;
    });
    std::map<std::tuple<QString, int, double>, const SourceConversion*> seen;
    std::map<std::pair<QString, int>, std::set<double>> raws;
    for (const SourceConversion& row : source.conversions) {
        const auto key = std::make_tuple(row.sex, row.factor, row.raw);
        if (row.sex != QStringLiteral("男") && row.sex != QStringLiteral("女"))
            source.error(row.at, QStringLiteral("性别“%1”无效，只能是“男”或“女”").arg(row.sex));
        else if (row.factor < 1 || row.factor > 24)
            source.error(row.at, QStringLiteral("量表序号 %1 无效，应为 1 到 24").arg(row.factor));
        else if (seen.count(key))
            source.error(row.at, QStringLiteral("%1性第%2量表原始分 %3 的转换重复（另一行在 %4）")
                                     .arg(row.sex)
                                     .arg(row.factor)
                                     .arg(row.raw)
                                     .arg(seen.at(key)->at.where()));
        else {
            seen[key] = &row;
            raws[{row.sex, row.factor}].insert(row.raw);
        }
    }
    if (inventory != source.tests.end()) {
        for (const QString sex : {QStringLiteral("男"), QStringLiteral("女")})
            for (int factor = 1; factor <= 24; ++factor) {
                const std::set<double>& got = raws[{sex, factor}];
                int expected = 0;
                for (double raw : got) {
                    if (raw != expected)
                        break;
                    ++expected;
                }
                if (got.empty() || expected != int(got.size())) {
                    source.errors
                        << QStringLiteral(
                               "[mmpi-conversion]: %1性第%2量表的原始分转换应从 0 起逐分连续，缺少原始分 %3")
                               .arg(sex)
                               .arg(factor)
                               .arg(expected);
                    return;
                }
            }
    }
}

} // namespace

void TestBankCompiler::check(BankSource& source)
{
    // Node ids are shared by categories and tests.
    std::map<int, SourcePlace> ids;
    std::map<int, int> parents;
    std::set<int> categories;
    auto node = [&](int id, int parent, const SourcePlace& at, const QString& name, const QString& sex,
                    int ageMin, int ageMax) {
        if (id <= 0)
            source.error(at, QStringLiteral("编号必须是正整数"));
        else if (ids.count(id))
            source.error(at, QStringLiteral("编号 %1 已在 %2 使用").arg(id).arg(ids.at(id).where()));
        else
            ids[id] = at;
        parents[id] = parent;
        if (!validSex(sex))
            source.error(at, sexError(sex));
        if (ageMin > ageMax)
            source.error(at, QStringLiteral("年龄下限 %1 大于上限 %2").arg(ageMin).arg(ageMax));
    };
    for (const SourceCategory& c : source.categories) {
        node(c.id, c.parent, c.at, c.name, c.sex, c.ageMin, c.ageMax);
        categories.insert(c.id);
    }
    for (const SourceTest& t : source.tests)
        node(t.id, t.parent, t.at, t.name, t.sex, t.ageMin, t.ageMax);
    for (const SourceCategory& c : source.categories) {
        if (c.parent != 0 && !categories.count(c.parent))
            source.error(c.at, QStringLiteral("上级分类 %1 不存在").arg(c.parent));
        int steps = 0;
        for (int at = c.parent; at != 0 && parents.count(at) && steps <= int(parents.size());
             at = parents.at(at))
            ++steps;
        if (steps > int(parents.size()))
            source.error(c.at, QStringLiteral("分类 %1 的上级关系形成了循环").arg(c.id));
    }
    for (SourceTest& test : source.tests) {
        if (test.parent != 0 && !categories.count(test.parent))
            source.error(test.at,
                         QStringLiteral("上级分类 %1 不存在（分类写在 catalogue.txt 中）").arg(test.parent));
        if (test.maxAverage < 0)
            source.error(test.at, QStringLiteral("maxavg 不能为负"));
        const BankRunner runner = bankRunnerFor(test.id);
        checkItems(test, runner, source);
        checkFactors(test, runner, source);
        checkNorms(test, source);
    }
    checkTables(source);
}

bool TestBankCompiler::build(const QString& folder, const QString& output)
{
    m_errors.clear();
    m_summary = {};
    BankSource source = readBankSource(folder);
    // Content is checked only on sources that read cleanly, so a typo gives one message.
    if (source.errors.isEmpty())
        check(source);
    if (!source.errors.isEmpty()) {
        m_errors = source.errors;
        return false;
    }
    const QFileInfo target(output);
    if (!target.absoluteDir().exists()) {
        m_errors << QStringLiteral("输出文件夹不存在: %1").arg(target.absolutePath());
        return false;
    }
    const QString temporary = target.absoluteFilePath() + QStringLiteral(".building");
    try {
        write(source, temporary);
    } catch (const DbError& e) {
        QFile::remove(temporary);
        m_errors << QStringLiteral("写入题库失败: %1").arg(e.message());
        return false;
    }
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(temporary.toStdU16String()),
                            std::filesystem::path(target.absoluteFilePath().toStdU16String()), error);
    if (error) {
        QFile::remove(temporary);
        m_errors << QStringLiteral("无法生成 %1: %2").arg(output, QString::fromStdString(error.message()));
        return false;
    }
    return true;
}

void TestBankCompiler::write(const BankSource& source, const QString& file)
{
    TestBankWriter writer(file);
    for (const SourceCategory& c : source.categories) {
        writer.addNode({c.id, c.parent, c.name, 0, 0, c.ageMax, c.ageMin, c.sex, c.description});
        ++m_summary.categories;
    }
    std::vector<const SourceTest*> tests;
    for (const SourceTest& t : source.tests)
        tests.push_back(&t);
    // Factor rows get ascending ids per test in source order, which is the order the rules read.
    std::sort(tests.begin(), tests.end(),
              [](const SourceTest* a, const SourceTest* b) { return a->id < b->id; });
    for (const SourceTest* test : tests) {
        int chc = test->optionCount.value_or(0);
        if (!test->optionCount)
            for (const SourceItem& item : test->items)
                chc = std::max(chc, optionCount(item));
        writer.addNode({test->id, test->parent, test->name, chc, test->maxAverage, test->ageMax, test->ageMin,
                        test->sex, test->description});
        ++m_summary.tests;
        for (const SourceItem& from : test->items) {
            BankItem item;
            item.hmid = test->id;
            item.number = from.number;
            item.text = from.text;
            const int count = std::min(optionCount(from), 10);
            item.optionCount = count;
            for (int k = 0; k < 10; ++k) {
                if (k < count) {
                    item.options.push_back({from.texts[k].value_or(QString()), from.scores[k]});
                    continue;
                }
                if (from.texts[k])
                    item.extraTexts.push_back({QString::fromLatin1(kTextColumns[k]), *from.texts[k]});
                if (from.scores[k])
                    item.extraScores.push_back({QString::fromLatin1(kScoreColumns[k]), *from.scores[k]});
            }
            item.picture = from.picture;
            writer.addItem(item);
            ++m_summary.items;
        }
        for (const SourceFactor& f : test->factors) {
            writer.addFactor({0, test->id, f.name, f.itemList, f.ageMin, f.ageMax, f.sex});
            ++m_summary.factors;
        }
        for (const SourceNorm& n : test->norms) {
            writer.addNorm({test->id, n.name, n.min, n.max, n.ageMin, n.ageMax, n.sex, n.explain});
            ++m_summary.norms;
        }
    }
    for (const SourceConversion& row : source.conversions) {
        writer.addMmpiConversion(row.sex, row.factor, row.raw, row.converted);
        ++m_summary.conversions;
    }
    for (const SourceAverageSd& row : source.averageSd) {
        writer.addAverageSd(row.age, row.sex, row.average, row.sd);
        ++m_summary.averageSd;
    }
    writer.finish();
}
