// The demo test bank: for every test of the catalogue, the runner's own queries return the item
// shape it reads, the factor positions its rule reads, and norm bands for every score it can reach.
#include "TestHome.h"
#include "data/Database.h"
#include "data/bank/TestBankCompiler.h"
#include "data/bank/TestBankRequirements.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <set>

namespace {

const QString kItems = QStringLiteral("select * from toplr where hmid=:p order by topid");
const QString kFactors = QStringLiteral(
    "select * from hmez where hmid=:o and agemin<=:l and agemax>=:k and xb like :o order by id ");
const QString kAllFactors = QStringLiteral("select * from hmez where hmid=:o");
const QString kNorm = QStringLiteral("select * from [account] where name=:i and min<=:o and max>:p and "
                                     "hmid=:j and agemin<=:s and agemax>=:d and xb like :w");
const QString kConversion = QStringLiteral(
    "select * from Convert_MMPI where User_Sex=:H  and Factor_Number=:K and Original_Score=:S");
const QString kScenes =
    QStringLiteral("select * from toplr where (hmid=:p) and ((ac>=:k) or (bc>=:u)) order by b,topid");
const char* const kTextColumns[] = {"A", "B", "C", "D", "E", "f", "g", "h", "i", "j"};
const char* const kScoreColumns[] = {"ac", "bc", "cc", "dc", "ec", "fc", "gc", "hc", "ic", "jc"};

// Tests whose conclusion rule replaces the total-score lookup (108 keeps it).
const std::set<int> kConclusionRules{10, 11, 16, 20, 28, 36,  46,  55,  66,  76,
                                     77, 78, 86, 89, 90, 116, 122, 132, 142, 148};
// Entries per scale of the inventory's built-in answer key: the highest raw score of each scale.
const int kInventoryEntries[24] = {15, 63, 30, 32, 57, 59, 49, 59, 59, 40, 47, 79,
                                   46, 71, 39, 40, 50, 67, 57, 28, 32, 32, 35, 50};

struct Range {
    double lo = 0;
    double hi = 0;
};

std::vector<int> itemList(const QString& text)
{
    std::vector<int> items;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        items.push_back(part.toInt());
    return items;
}

} // namespace

class DemoBankTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogueRunsEveryPath();
    void everyTestGivesItsRunnerWhatItReads_data();
    void everyTestGivesItsRunnerWhatItReads();
    void pictureNormsCoverEveryAgeAndSex();
    void inventoryConversionCoversEveryRawScore();

private:
    // Lowest and highest score of each item as the runner scores it.
    std::vector<std::pair<double, double>> itemScores(int hmid, const std::vector<QSqlRecord>& items);
    Range factorRange(int hmid, int position, const QSqlRecord& factor,
                      const std::vector<std::pair<double, double>>& scores, const QString& sex);
    void checkCoverage(int hmid, const QString& name, Range range, int age, const QString& sex);

    QTemporaryDir m_dir;
    Database m_bank;
    int m_lookups = 0;
};

void DemoBankTest::initTestCase()
{
    const QString file = m_dir.filePath(QStringLiteral("sysinfodb.db"));
    TestBankCompiler compiler;
    QVERIFY2(compiler.build(QStringLiteral(PSYDESK_SOURCE_DIR "/data/testbank"), file),
             qPrintable(compiler.errors().join(QLatin1Char('\n'))));
    ConnectionSettings settings;
    settings.file = file;
    settings.readOnly = true;
    QVERIFY(m_bank.open(settings));
}

void DemoBankTest::catalogueRunsEveryPath()
{
    std::map<int, QSqlRecord> nodes;
    for (const QSqlRecord& row : m_bank.rows(QStringLiteral("select * from  treename")))
        nodes[row.value(QStringLiteral("id")).toInt()] = row;
    const std::set<int> wanted{10,  11, 16, 20, 28,  36,  46,  54,  55,  66,  70,  76,  77,
                               78,  86, 89, 90, 108, 114, 116, 121, 122, 132, 142, 148, 147,
                               118, 40, 41, 42, 43,  125, 18,  48,  81,  102, 103, 104, 133};
    for (int id : wanted)
        QVERIFY2(nodes.count(id), qPrintable(QStringLiteral("test %1 is missing").arg(id)));

    int withoutRule = 0, nested = 0;
    for (const auto& [id, row] : nodes) {
        const bool isTest =
            m_bank.scalar(QStringLiteral("select count(*) from toplr where hmid=:p"), {id}).toInt() > 0;
        const int parent = row.value(QStringLiteral("parentid")).toInt();
        const QString sex = row.value(QStringLiteral("xb")).toString();
        QVERIFY(sex == QStringLiteral("男") || sex == QStringLiteral("女") || sex == QStringLiteral("男女"));
        QVERIFY(row.value(QStringLiteral("min")).toInt() <= row.value(QStringLiteral("max")).toInt());
        QVERIFY(!row.value(QStringLiteral("hmjg")).toString().isEmpty());
        if (!isTest) {
            // Categories say that this is sample content and how a bank of one's own is made.
            if (parent == 0) {
                QVERIFY(row.value(QStringLiteral("hmjg")).toString().contains(QStringLiteral("演示")));
            } else {
                QVERIFY(nodes.count(parent));
                ++nested;
            }
            continue;
        }
        QVERIFY2(nodes.count(parent), qPrintable(QStringLiteral("test %1 has no category").arg(id)));
        if (!wanted.count(id) && bankRunnerFor(id) == BankRunner::Choice)
            ++withoutRule;
    }
    QVERIFY(withoutRule >= 2);
    QVERIFY(nested >= 1);
    const QString about = m_bank.scalar(QStringLiteral("select hmjg from treename where id=1001")).toString();
    QVERIFY(about.contains(QStringLiteral("bank build")));
}

void DemoBankTest::everyTestGivesItsRunnerWhatItReads_data()
{
    QTest::addColumn<int>("hmid");
    for (const QSqlRecord& row :
         m_bank.rows(QStringLiteral("select distinct hmid from toplr order by hmid"))) {
        const int id = row.value(0).toInt();
        QTest::newRow(qPrintable(QString::number(id))) << id;
    }
}

std::vector<std::pair<double, double>> DemoBankTest::itemScores(int hmid,
                                                                const std::vector<QSqlRecord>& items)
{
    std::vector<std::pair<double, double>> scores;
    const BankRunner runner = bankRunnerFor(hmid);
    for (const QSqlRecord& item : items) {
        const int k = item.value(QStringLiteral("topid")).toInt();
        switch (runner) {
        case BankRunner::LifeEvents:
            scores.push_back({0, 3 * 4 * 4});
            break; // frequency x strength x duration
        case BankRunner::ForcedChoice:
            scores.push_back(k <= 20 ? std::make_pair(1.0, 7.0) : std::make_pair(0.0, 0.0));
            break;
        case BankRunner::ScenarioRating:
            scores.push_back({0, 1});
            break;
        case BankRunner::PictureMatrix:
        case BankRunner::Cancellation:
            scores.push_back({0, 1});
            break;
        default: {
            double lo = 1e9, hi = -1e9;
            const int chc = item.value(QStringLiteral("chc")).toInt();
            for (int o = 0; o < chc; ++o) {
                const QVariant score = item.value(QString::fromLatin1(kScoreColumns[o]));
                lo = std::min(lo, score.toDouble());
                hi = std::max(hi, score.toDouble());
            }
            scores.push_back({lo, hi});
        }
        }
    }
    return scores;
}

// What a factor's norm lookup is asked with: its sum after the test's conversion, or its average.
Range DemoBankTest::factorRange(int hmid, int position, const QSqlRecord& factor,
                                const std::vector<std::pair<double, double>>& scores, const QString& sex)
{
    const std::vector<int> items = itemList(factor.value(QStringLiteral("topid")).toString());
    double lo = 0, hi = 0;
    for (int k : items) {
        lo += scores.at(k - 1).first;
        hi += scores.at(k - 1).second;
    }
    const double count = double(items.size());
    const BankRunner runner = bankRunnerFor(hmid);
    if (runner == BankRunner::Temperament)
        return {lo / count, hi / count};
    if (runner == BankRunner::Passage) { // the count of items answered in category `position`
        int reach = 0;
        for (const auto& [low, high] : scores)
            reach += position >= low && position <= high ? 1 : 0;
        return {0, double(position <= 4 ? reach : 0)};
    }
    if (runner == BankRunner::Inventory) {
        const auto rows =
            m_bank.rows(QStringLiteral("select min(CONVERTED_SCORE), max(CONVERTED_SCORE) from Convert_MMPI "
                                       "where User_Sex=:s and Factor_Number=:k"),
                        {sex, position});
        return {rows.at(0).value(0).toDouble(), rows.at(0).value(1).toDouble()};
    }
    if (runner == BankRunner::LifeEvents && (position == 4 || position == 5))
        return {0, 48.0 * scores.size()};
    if (runner == BankRunner::ScenarioRating && position <= 2)
        return {50, 150};
    switch (hmid) {
    case 46:
        return {5 * lo / count, 5 * hi / count};
    case 66:
        if (position == 1)
            return {(20 - hi) * 2, (20 - lo) * 2};
        if (position == 3)
            return {(lo + 8) * 2, (hi + 8) * 2};
        return {lo * 2, hi * 2};
    case 70: // the level score of the last positive item, or the plain sum when none is positive
        return {std::min(lo, scores.at(10).first), std::max(hi, 90 + scores.at(10).second)};
    case 114: { // (x - base) x multiplier / divisor, truncated
        static const double base[] = {10, 4, 2, 5, 4, 2, 3, 5};
        static const double multiplier[] = {5, 100, 10, 5, 5, 100, 100, 4};
        static const double divisor[] = {1, 4, 1, 1, 1, 8, 3, 1};
        if (position <= 8) {
            const int p = position - 1;
            return {std::trunc((lo - base[p]) * multiplier[p] / divisor[p]),
                    std::trunc((hi - base[p]) * multiplier[p] / divisor[p])};
        }
        break;
    }
    default:
        break;
    }
    return {lo, hi};
}

// The bands of a name must cover [lo, hi] without a gap (a band holds min <= score < max); the
// runner's own lookup is then asked at both ends and at every band edge in between.
void DemoBankTest::checkCoverage(int hmid, const QString& name, Range range, int age, const QString& sex)
{
    const QString pattern = QStringLiteral("%") + sex + QStringLiteral("%");
    const auto bands = m_bank.rows(
        QStringLiteral("select min, max from account where hmid=:h and name=:n and agemin<=:a and agemax>=:b "
                       "and xb like :s order by min"),
        {hmid, name, age, age, pattern});
    double covered = range.lo;
    bool started = false;
    std::vector<double> probes{range.lo, range.hi};
    for (const QSqlRecord& band : bands) {
        const double min = band.value(0).toDouble(), max = band.value(1).toDouble();
        if (min > covered)
            break;
        started = started || min <= range.lo;
        covered = std::max(covered, max);
        if (min > range.lo && min <= range.hi)
            probes.push_back(min);
    }
    if (!started || covered <= range.hi)
        QFAIL(qPrintable(
            QStringLiteral("test %1: no norm band of “%2” for %3 at %4 months, %5 (reachable %6..%7)")
                .arg(hmid)
                .arg(name, QString::number(started ? covered : range.lo), QString::number(age), sex)
                .arg(range.lo)
                .arg(range.hi)));
    for (double value : probes) {
        ++m_lookups;
        const auto rows = m_bank.rows(kNorm, {name, value, value, hmid, age, age, pattern});
        QVERIFY(!rows.empty());
        QVERIFY(!rows.front().value(QStringLiteral("explain")).toString().isEmpty());
    }
}

void DemoBankTest::everyTestGivesItsRunnerWhatItReads()
{
    QFETCH(int, hmid);
    const QSqlRecord node = m_bank.rows(QStringLiteral("select * from treename where id=:i"), {hmid}).at(0);
    const QString testName = node.value(QStringLiteral("name")).toString();
    const BankRunner runner = bankRunnerFor(hmid);
    const int buttons = bankRunnerButtons(runner);

    // Items, as the runner loads them.
    const auto items = m_bank.rows(kItems, {hmid});
    QVERIFY(!items.empty());
    for (size_t k = 0; k < items.size(); ++k) {
        const QSqlRecord& item = items[k];
        QCOMPARE(item.value(QStringLiteral("topid")).toInt(), int(k) + 1);
        const int chc = item.value(QStringLiteral("chc")).toInt();
        switch (runner) {
        case BankRunner::Choice:
        case BankRunner::Passage:
        case BankRunner::Temperament:
        case BankRunner::Inventory:
            QVERIFY(!item.value(QStringLiteral("toplr")).toString().isEmpty());
            QVERIFY(chc >= 1 && chc <= buttons);
            for (int o = 0; o < chc; ++o) {
                QVERIFY(!item.value(QString::fromLatin1(kTextColumns[o])).toString().isEmpty());
                QVERIFY(!item.value(QString::fromLatin1(kScoreColumns[o])).isNull());
            }
            if (runner == BankRunner::Passage)
                QVERIFY(!item.value(QStringLiteral("j")).toString().isEmpty());
            if (runner == BankRunner::Inventory) {
                QCOMPARE(item.value(QStringLiteral("cc")).toDouble(), 0.0);
                QVERIFY(!item.value(QStringLiteral("cc")).isNull());
            }
            break;
        case BankRunner::PictureMatrix:
            QVERIFY(chc == 6 || chc == 8);
            QVERIFY(item.value(QStringLiteral("picture")).toByteArray().startsWith("\x89PNG"));
            QVERIFY(item.value(QStringLiteral("ac")).toInt() >= 1 &&
                    item.value(QStringLiteral("ac")).toInt() <= chc);
            for (int o = 0; o < chc; ++o)
                QVERIFY(!item.value(QString::fromLatin1(kTextColumns[o])).toString().isEmpty());
            break;
        case BankRunner::LifeEvents:
            QVERIFY(!item.value(QStringLiteral("toplr")).toString().isEmpty());
            break;
        case BankRunner::ForcedChoice:
            for (const char* column : {"a", "b", "c"})
                QVERIFY(!item.value(QString::fromLatin1(column)).toString().isEmpty());
            break;
        case BankRunner::ScenarioRating:
            QVERIFY(!item.value(QStringLiteral("b")).toString().isEmpty());
            QVERIFY(!item.value(QStringLiteral("toplr")).toString().isEmpty());
            break;
        case BankRunner::Cancellation: {
            const QString digits = item.value(QStringLiteral("toplr")).toString().left(35);
            QCOMPARE(digits.size(), 35);
            QVERIFY(digits.contains(QLatin1Char('3')));
            break;
        }
        }
    }
    const BankRuleNeeds needs = bankRuleNeedsFor(hmid);
    QVERIFY(int(items.size()) >= needs.minItems);
    if (needs.exactItems)
        QCOMPARE(int(items.size()), needs.exactItems);
    if (runner == BankRunner::ForcedChoice)
        QCOMPARE(int(items.size()), 20);
    const auto scores = itemScores(hmid, items);

    // Subjects the test admits: both ends of its age range and every age where a factor or norm row starts or
    // ends.
    const int ageMin = node.value(QStringLiteral("min")).toInt();
    const int ageMax = node.value(QStringLiteral("max")).toInt();
    std::set<int> ages{ageMin, ageMax};
    for (const QString& table : {QStringLiteral("hmez"), QStringLiteral("account")})
        for (const QSqlRecord& row :
             m_bank.rows(QStringLiteral("select agemin, agemax from %1 where hmid=:h").arg(table), {hmid}))
            for (int age : {row.value(0).toInt() - 1, row.value(0).toInt(), row.value(1).toInt(),
                            row.value(1).toInt() + 1})
                if (age >= ageMin && age <= ageMax)
                    ages.insert(age);
    QStringList sexes;
    for (const QString& sex : {QStringLiteral("男"), QStringLiteral("女")})
        if (node.value(QStringLiteral("xb")).toString().contains(sex))
            sexes << sex;

    for (const QString& sex : sexes)
        for (int age : ages) {
            if (runner == BankRunner::ScenarioRating)
                QVERIFY2(!m_bank.rows(kScenes, {hmid, age, age}).empty(),
                         qPrintable(QStringLiteral("no scene item at %1 months").arg(age)));
            const auto factors =
                runner == BankRunner::PictureMatrix
                    ? m_bank.rows(kAllFactors, {hmid})
                    : m_bank.rows(kFactors,
                                  {hmid, age, age, QStringLiteral("%") + sex + QStringLiteral("%")});
            QVERIFY2(!factors.empty(),
                     qPrintable(QStringLiteral("no factors for %1 at %2 months").arg(sex).arg(age)));
            QVERIFY(int(factors.size()) >= needs.minFactors);
            QStringList names;
            for (const QSqlRecord& f : factors)
                names << f.value(QStringLiteral("ez")).toString().trimmed();
            for (const QString& name : needs.factorNames)
                QVERIFY(names.contains(name));
            if (hmid == 77)
                for (const char* type : {"现实型", "调查型", "艺术型", "社会型", "企事业型"})
                    QVERIFY(names.contains(QString::fromUtf8(type)));
            if (hmid == 10 || hmid == 11)
                QVERIFY(names.contains(QStringLiteral("抑郁")) && names.contains(QStringLiteral("焦虑")));
            if (hmid == 16)
                for (const QString& name : names) // the diagnosis needs bands whose text is exactly 有问题
                    QVERIFY(!m_bank
                                 .rows(QStringLiteral(
                                           "select * from account where hmid=:h and name=:n and explain=:e"),
                                       {hmid, name, QStringLiteral("有问题")})
                                 .empty());

            if (runner == BankRunner::PictureMatrix || runner == BankRunner::Cancellation)
                continue; // scored without the norm table
            int position = 0;
            for (const QSqlRecord& f : factors) {
                ++position;
                if (hmid == 46)
                    QVERIFY(!itemList(f.value(QStringLiteral("topid")).toString()).empty());
                checkCoverage(hmid, names.at(position - 1), factorRange(hmid, position, f, scores, sex), age,
                              sex);
                if (QTest::currentTestFailed())
                    return;
            }
            if (runner == BankRunner::Temperament || kConclusionRules.count(hmid))
                continue;
            Range total;
            for (const auto& [lo, hi] : scores) {
                total.lo += lo;
                total.hi += hi;
            }
            if (hmid == 54) {
                total = {0, 0};
                for (int k = 0; k < int(factors.size()); ++k) {
                    const Range r = factorRange(hmid, k + 1, factors[k], scores, sex);
                    total.lo += r.lo;
                    total.hi += r.hi;
                }
            } else if (hmid == 70) {
                total = factorRange(hmid, 1, factors[0], scores, sex);
            } else if (hmid == 121) {
                Range f[4];
                for (int k = 0; k < 4; ++k)
                    f[k] = factorRange(hmid, k + 1, factors[k], scores, sex);
                total = {f[0].lo + 24 + f[2].lo - f[1].hi - f[3].hi,
                         f[0].hi + 24 + f[2].hi - f[1].lo - f[3].lo};
            } else if (runner == BankRunner::ScenarioRating) {
                total = {100, 300};
            }
            checkCoverage(hmid, testName, total, age, sex);
        }
}

void DemoBankTest::pictureNormsCoverEveryAgeAndSex()
{
    // The launcher maps ages below 6 years to 5 and 16 to 99 years to 16; the tests stop before 100 years.
    for (int id : {18, 48})
        QVERIFY(m_bank.scalar(QStringLiteral("select max from treename where id=:i"), {id}).toInt() < 1200);
    for (int age = 5; age <= 16; ++age)
        for (const QString& sex : {QStringLiteral("男"), QStringLiteral("女")}) {
            const auto rows =
                m_bank.rows(QStringLiteral("select average,sd from AverageSD where age=:age and gender=:sex"),
                            {age, sex});
            QCOMPARE(rows.size(), size_t(1));
            QVERIFY(rows[0].value(QStringLiteral("sd")).toDouble() > 0);
        }
}

void DemoBankTest::inventoryConversionCoversEveryRawScore()
{
    QCOMPARE(m_bank.rows(kAllFactors, {81}).size(), size_t(24));
    for (const QString& sex : {QStringLiteral("男"), QStringLiteral("女")})
        for (int k = 1; k <= 24; ++k)
            for (int raw = 0; raw <= kInventoryEntries[k - 1]; ++raw)
                QVERIFY2(m_bank.rows(kConversion, {sex, k, double(raw)}).size() == 1,
                         qPrintable(QStringLiteral("%1 scale %2 raw %3").arg(sex).arg(k).arg(raw)));
    qInfo("%d norm lookups checked", m_lookups);
}

QTEST_GUILESS_MAIN(DemoBankTest)
#include "tst_demo_bank.moc"
