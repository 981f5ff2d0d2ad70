// Launcher logic without widgets.
#include "Launcher.h"

#include "data/Dialect.h"

#include <QCollator>
#include <QHash>
#include <algorithm>
#include <cmath>

int monthsBetween(const QDateTime& birth, const QDateTime& moment)
{
    const double days = std::fabs(static_cast<double>(birth.msecsTo(moment))) / 86400000.0;
    return static_cast<int>(std::trunc(days / 30.4375));
}

double adjustedYearsForMatrices(double ageMonths)
{
    const long long years = static_cast<long long>(std::trunc(ageMonths)) / 12;
    if (years < 6)
        return 5;
    if (years >= 16 && years <= 99)
        return 16;
    return static_cast<double>(years);
}

RunnerKind runnerKindFor(int hmid)
{
    switch (hmid) {
    case 18:
    case 48:
        return RunnerKind::PictureMatrix;
    case 40:
    case 41:
    case 42:
    case 43:
    case 125:
        return RunnerKind::Temperament;
    case 81:
        return RunnerKind::Inventory;
    case 102:
        return RunnerKind::LifeEvents;
    case 103:
        return RunnerKind::ForcedChoice;
    case 104:
        return RunnerKind::ScenarioRating;
    case 133:
        return RunnerKind::Cancellation;
    case 147:
        return RunnerKind::PlainChoice;
    default:
        return RunnerKind::DefaultChoice;
    }
}

QString runnerPageClass(RunnerKind kind)
{
    switch (kind) {
    case RunnerKind::PictureMatrix: return QStringLiteral("TFrame101");
    case RunnerKind::Temperament: return QStringLiteral("TFrame102");
    case RunnerKind::DefaultChoice: return QStringLiteral("TFrame103");
    case RunnerKind::LifeEvents: return QStringLiteral("TFrame104");
    case RunnerKind::ForcedChoice: return QStringLiteral("TFrame105");
    case RunnerKind::ScenarioRating: return QStringLiteral("TFrame106");
    case RunnerKind::Inventory: return QStringLiteral("TFrame107");
    case RunnerKind::Cancellation: return QStringLiteral("TFrame108");
    case RunnerKind::PlainChoice: return QStringLiteral("TFrame109");
    }
    return {};
}

CatalogNode catalogNodeFromRecord(const QSqlRecord& r)
{
    CatalogNode node;
    node.id = r.value(QStringLiteral("id")).toInt();
    node.parentId = r.value(QStringLiteral("parentid")).toInt();
    node.name = r.value(QStringLiteral("name")).toString();
    node.optionCount = r.value(QStringLiteral("chc")).toInt();
    node.maxAverage = r.value(QStringLiteral("maxavg")).toInt();
    node.maxAge = r.value(QStringLiteral("max")).toInt();
    node.minAge = r.value(QStringLiteral("min")).toInt();
    node.sex = r.value(QStringLiteral("xb")).toString();
    node.description = r.value(QStringLiteral("hmjg")).toString();
    return node;
}

Catalog loadCatalog(Database& bank)
{
    Catalog catalog;
    QSqlQuery q = bank.run(QStringLiteral("select * from  treename"));
    QHash<int, int> byId;
    while (q.next()) {
        CatalogNode node = catalogNodeFromRecord(q.record());
        byId.insert(node.id, catalog.nodes.size());
        catalog.nodes.push_back(node);
    }
    for (int i = 0; i < catalog.nodes.size(); ++i) {
        const CatalogNode& node = catalog.nodes[i];
        const auto parent = byId.constFind(node.parentId);
        if (parent == byId.constEnd() || *parent == i)
            catalog.roots.push_back(i);
        else
            catalog.nodes[*parent].children.push_back(i);
    }
    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    auto byCaption = [&](int a, int b) { return collator.compare(catalog.nodes[a].name, catalog.nodes[b].name) < 0; };
    // Walk from the roots so that levels and sibling positions follow the sorted tree;
    // nodes on a cycle are never reached and stay out of the tree.
    std::function<void(QVector<int>&, int)> place = [&](QVector<int>& siblings, int level) {
        std::stable_sort(siblings.begin(), siblings.end(), byCaption);
        for (int k = 0; k < siblings.size(); ++k) {
            CatalogNode& node = catalog.nodes[siblings[k]];
            node.level = level;
            node.siblingIndex = k;
            if (level < 64)
                place(node.children, level + 1);
        }
    };
    place(catalog.roots, 0);
    return catalog;
}

NodeColour catalogNodeColour(int level, int siblingIndex)
{
    if (level <= 1)
        return NodeColour::Green;
    return siblingIndex % 2 ? NodeColour::Red : NodeColour::Blue;
}

void chooseTest(SessionContext& s, const CatalogNode& node)
{
    s.hmid = node.id;
    s.testName = node.name;
    s.optionCount = node.optionCount;
    s.maxAverage = node.maxAverage;
    s.maxAge = node.maxAge;
    s.minAge = node.minAge;
    s.testSex = node.sex;
}

QVector<SubjectEntry> loadSubjectEntries(Database& info)
{
    QVector<SubjectEntry> entries;
    QSqlQuery q = info.run(QStringLiteral("select * from username"));
    while (q.next())
        entries.push_back({q.value(QStringLiteral("name")).toString(), q.value(QStringLiteral("id")).toString()});
    return entries;
}

std::optional<ChosenSubject> chooseSubject(Database& info, SessionContext& s, const QString& itemText)
{
    const int hash = itemText.indexOf(QLatin1Char('#'));
    s.subjectName = hash < 0 ? itemText : itemText.left(hash);
    s.subjectId = hash < 0 ? QString() : itemText.mid(hash + 1);
    QSqlQuery q = info.run(QStringLiteral("select * from username where id=:p"), {s.subjectId});
    if (!q.next())
        return std::nullopt;
    ChosenSubject chosen;
    chosen.birth = variantToDate(q.value(QStringLiteral("csdate")));
    chosen.sexLabel = QStringLiteral("性别:") + q.value(QStringLiteral("xb")).toString();
    chosen.birthLabel = QStringLiteral("出生日期:") + chosen.birth.toString(QStringLiteral("yyyy-MM-dd"));
    chosen.nameLabel = QStringLiteral("姓名:") + q.value(QStringLiteral("name")).toString();
    s.subjectSex = q.value(QStringLiteral("xb")).toString();
    return chosen;
}

StartCheck checkStart(SessionContext& s, bool subjectChosen, const QDate& birth, const QDateTime& now)
{
    StartCheck check;
    if (!subjectChosen) {
        check.warningIcon = true;
        check.message = QStringLiteral("请选择测试会员！");
        return check;
    }
    if (!birth.isValid()) {
        // The subject row has no usable birth date: the age cannot be checked.
        check.warningIcon = true;
        check.message = QStringLiteral("该测试者的出生日期无效，无法计算年龄！");
        return check;
    }
    s.age = monthsBetween(QDateTime(birth, QTime(0, 0)), now);
    if (s.maxAge < s.age || s.minAge > s.age) {
        check.message = QStringLiteral("该测试者的年龄不适合进行此项测试！\n年龄要求:") + QString::number(s.minAge)
                        + QStringLiteral("--") + QString::number(s.maxAge) + QStringLiteral("个月!");
        return check;
    }
    if (s.testSex != QStringLiteral("男女") && s.testSex != s.subjectSex) {
        check.message = QStringLiteral("该测试者的性别不适合进行此项测试！");
        return check;
    }
    if (runnerKindFor(s.hmid) == RunnerKind::PictureMatrix)
        s.age = adjustedYearsForMatrices(s.age);
    check.ok = true;
    return check;
}
