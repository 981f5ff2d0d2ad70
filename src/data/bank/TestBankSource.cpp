// Reader of the test bank source files: sections of "key: value" lines and "|" tables.
#include "TestBankSource.h"
#include "TestBankPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <cmath>
#include <map>

namespace {

const char* const kTextColumns[] = {"A", "B", "C", "D", "E", "f", "g", "h", "i", "j"};
const char* const kScoreColumns[] = {"ac", "bc", "cc", "dc", "ec", "fc", "gc", "hc", "ic", "jc"};

struct Line {
    SourcePlace at;
    QString text;
};

struct Section {
    SourcePlace at;
    QString kind;     // the word in brackets
    QString argument; // the rest, for [options NAME]
    std::vector<Line> lines;
};

enum class UnitKind { Catalogue, Test, Tables };

struct Unit {
    UnitKind kind;
    SourcePlace at;
    std::vector<Section> sections;
};

QString unescape(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar next = text.at(i + 1);
            if (next == QLatin1Char('n')) {
                out += QLatin1Char('\n');
                ++i;
                continue;
            }
            if (next == QLatin1Char('|') || next == QLatin1Char('\\')) {
                out += next;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

// Reads one file into lines; a UTF-8 byte-order mark is skipped, "\r" dropped.
bool readLines(const QString& root, const QString& path, std::vector<Line>* lines, BankSource* source)
{
    const QString relative = QDir(root).relativeFilePath(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        source->error({relative, 0}, QStringLiteral("无法读取文件"));
        return false;
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter)) {
        source->error({relative, 0}, QStringLiteral("文件不是 UTF-8 编码"));
        return false;
    }
    const QStringList all = text.split(QLatin1Char('\n'));
    for (int i = 0; i < all.size(); ++i) {
        QString line = all.at(i);
        line.remove(QLatin1Char('\r'));
        lines->push_back({{relative, i + 1}, line});
    }
    return true;
}

// Nothing when a file cannot be read: its content would only add errors that follow from that.
std::optional<Unit> readUnit(UnitKind kind, const QString& root, const QStringList& files, BankSource* source)
{
    Unit unit{kind, {QDir(root).relativeFilePath(files.value(0)), 0}, {}};
    std::vector<Line> lines;
    bool read = true;
    for (const QString& path : files)
        read = readLines(root, path, &lines, source) && read;
    if (!read)
        return std::nullopt;
    static const QRegularExpression header(QStringLiteral("^\\[\\s*([A-Za-z-]+)\\s*(.*?)\\s*\\]$"));
    for (const Line& line : lines) {
        const QString trimmed = line.text.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        const auto match = header.match(trimmed);
        if (match.hasMatch()) {
            unit.sections.push_back({line.at, match.captured(1).toLower(), match.captured(2), {}});
            continue;
        }
        if (unit.sections.empty()) {
            source->error(line.at, QStringLiteral("内容前缺少节标题（例如 [test]）"));
            continue;
        }
        unit.sections.back().lines.push_back({line.at, trimmed});
    }
    return unit;
}

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> integer(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool ageRange(const QString& text, int* low, int* high)
{
    static const QRegularExpression range(QStringLiteral("^(\\d+)\\s*-\\s*(\\d+)$"));
    const auto match = range.match(text);
    if (!match.hasMatch())
        return false;
    *low = match.captured(1).toInt();
    *high = match.captured(2).toInt();
    return true;
}

// "key: value" lines; description may repeat and its lines are joined.
std::map<QString, Line> keyValues(const Section& section, const QStringList& keys, BankSource* source)
{
    std::map<QString, Line> values;
    static const QRegularExpression pair(QStringLiteral("^([A-Za-z]+)\\s*[:：]\\s*(.*)$"));
    for (const Line& line : section.lines) {
        const auto match = pair.match(line.text);
        if (!match.hasMatch()) {
            source->error(line.at, QStringLiteral("应为“名称: 值”形式"));
            continue;
        }
        const QString key = match.captured(1).toLower();
        const QString value = unescape(match.captured(2).trimmed());
        if (!keys.contains(key)) {
            source->error(
                line.at,
                QStringLiteral("未知的项目“%1”（可用: %2）").arg(key, keys.join(QStringLiteral(", "))));
            continue;
        }
        auto found = values.find(key);
        if (found != values.end()) {
            if (key == QLatin1String("description")) {
                found->second.text += QLatin1Char('\n') + value;
                continue;
            }
            source->error(line.at, QStringLiteral("“%1”重复出现").arg(key));
            continue;
        }
        values[key] = {line.at, value};
    }
    return values;
}

// The header fields shared by tests and categories.
struct Header {
    int id = 0;
    int parent = 0;
    QString name;
    int ageMin = 0;
    int ageMax = 1200;
    QString sex = QStringLiteral("男女");
    QString description;
    std::optional<int> optionCount;
    int maxAverage = 0;
};

bool readHeader(const Section& section, bool isTest, Header* header, BankSource* source)
{
    QStringList keys{QStringLiteral("id"),  QStringLiteral("parent"), QStringLiteral("name"),
                     QStringLiteral("age"), QStringLiteral("sex"),    QStringLiteral("description")};
    if (isTest)
        keys << QStringLiteral("maxavg") << QStringLiteral("chc");
    const int before = source->errors.size();
    const auto values = keyValues(section, keys, source);
    auto required = [&](const char* key) -> const Line* {
        auto found = values.find(QString::fromLatin1(key));
        if (found == values.end()) {
            source->error(section.at, QStringLiteral("缺少“%1”").arg(QString::fromLatin1(key)));
            return nullptr;
        }
        return &found->second;
    };
    auto integerField = [&](const Line* line, const char* key, int* out) {
        if (!line)
            return;
        const auto value = integer(line->text);
        if (!value)
            source->error(
                line->at,
                QStringLiteral("“%1”应为整数，而不是“%2”").arg(QString::fromLatin1(key), line->text));
        else
            *out = *value;
    };
    integerField(required("id"), "id", &header->id);
    if (values.count(QStringLiteral("parent")))
        integerField(&values.at(QStringLiteral("parent")), "parent", &header->parent);
    else if (isTest)
        required("parent");
    if (const Line* name = required("name")) {
        header->name = name->text;
        if (name->text.isEmpty())
            source->error(name->at, QStringLiteral("名称不能为空"));
    }
    const Line* age =
        isTest ? required("age")
               : (values.count(QStringLiteral("age")) ? &values.at(QStringLiteral("age")) : nullptr);
    if (age && !ageRange(age->text, &header->ageMin, &header->ageMax))
        source->error(
            age->at,
            QStringLiteral("年龄范围应写成“最小月龄-最大月龄”，例如 216-1199，而不是“%1”").arg(age->text));
    if (values.count(QStringLiteral("sex")))
        header->sex = values.at(QStringLiteral("sex")).text;
    if (values.count(QStringLiteral("description")))
        header->description = values.at(QStringLiteral("description")).text;
    if (isTest) {
        integerField(required("maxavg"), "maxavg", &header->maxAverage);
        if (values.count(QStringLiteral("chc"))) {
            int chc = 0;
            integerField(&values.at(QStringLiteral("chc")), "chc", &chc);
            header->optionCount = chc;
        }
    }
    return source->errors.size() == before;
}

struct OptionSet {
    SourcePlace at;
    std::vector<std::pair<QString, std::optional<double>>> options;
};

OptionSet readOptions(const Section& section, BankSource* source)
{
    OptionSet set{section.at, {}};
    for (const Line& line : section.lines) {
        const QStringList fields = splitSourceRow(line.text);
        if (fields.size() > 2 || fields.at(0).isEmpty()) {
            source->error(line.at, QStringLiteral("选项应写成“选项文字 | 分数”"));
            continue;
        }
        std::optional<double> score;
        if (fields.size() == 2 && !fields.at(1).isEmpty()) {
            score = number(fields.at(1));
            if (!score) {
                source->error(line.at, QStringLiteral("选项分数“%1”不是数字").arg(fields.at(1)));
                continue;
            }
        }
        set.options.push_back({fields.at(0), score});
    }
    if (set.options.size() > 10)
        source->error(section.at, QStringLiteral("选项组最多10个选项，这里有 %1 个").arg(set.options.size()));
    if (set.options.empty())
        source->error(section.at, QStringLiteral("选项组是空的"));
    return set;
}

// An item column: -1 unknown, otherwise an index into the names below.
enum ItemColumn { TopId = 100, TopText, OptionCount, OptionSetName, Picture };

int itemColumn(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("topid"))
        return TopId;
    if (lower == QLatin1String("toplr"))
        return TopText;
    if (lower == QLatin1String("chc"))
        return OptionCount;
    if (lower == QLatin1String("options"))
        return OptionSetName;
    if (lower == QLatin1String("picture"))
        return Picture;
    for (int k = 0; k < 10; ++k) {
        if (lower == QString::fromLatin1(kTextColumns[k]).toLower())
            return k;
        if (lower == QString::fromLatin1(kScoreColumns[k]))
            return 10 + k;
    }
    return -1;
}

bool itemList(const QString& text, QString* canonical, std::vector<int>* items, QString* error)
{
    if (!text.startsWith(QLatin1Char(',')) || !text.endsWith(QLatin1Char(','))) {
        *error = QStringLiteral("题目列表应以逗号开头并以逗号结尾，例如 ,1,2,5-8,（没有题目时写一个逗号）");
        return false;
    }
    items->clear();
    if (text != QLatin1String(",")) {
        const QStringList parts = text.mid(1, text.size() - 2).split(QLatin1Char(','));
        static const QRegularExpression entry(QStringLiteral("^(\\d+)(?:-(\\d+))?$"));
        for (const QString& part : parts) {
            const auto match = entry.match(part);
            if (!match.hasMatch()) {
                *error = QStringLiteral("题目列表中的“%1”不是题号或题号范围").arg(part);
                return false;
            }
            const int first = match.captured(1).toInt();
            const int last = match.captured(2).isEmpty() ? first : match.captured(2).toInt();
            if (first < 1 || last < first) {
                *error = QStringLiteral("题目列表中的“%1”无效").arg(part);
                return false;
            }
            for (int k = first; k <= last; ++k) {
                if (std::find(items->begin(), items->end(), k) != items->end()) {
                    *error = QStringLiteral("题号 %1 在题目列表中重复").arg(k);
                    return false;
                }
                items->push_back(k);
            }
        }
    }
    QString stored = QStringLiteral(",");
    for (int k : *items)
        stored += QString::number(k) + QLatin1Char(',');
    *canonical = stored;
    return true;
}

// Applies "@age a-b" / "@sex X" to the rows that follow; returns true when the line was one.
bool directive(const Line& line, int* ageMin, int* ageMax, QString* sex, BankSource* source)
{
    if (!line.text.startsWith(QLatin1Char('@')))
        return false;
    const QString word = line.text.section(QLatin1Char(' '), 0, 0);
    const QString value = line.text.section(QLatin1Char(' '), 1).trimmed();
    if (word == QLatin1String("@age")) {
        if (!ageRange(value, ageMin, ageMax))
            source->error(line.at, QStringLiteral("@age 应写成“最小月龄-最大月龄”，而不是“%1”").arg(value));
    } else if (word == QLatin1String("@sex")) {
        *sex = value;
    } else {
        source->error(line.at, QStringLiteral("未知的指令“%1”（可用 @age、@sex）").arg(word));
    }
    return true;
}

void readTableSection(const Section& section, BankSource* source)
{
    for (const Line& line : section.lines) {
        const QStringList f = splitSourceRow(line.text);
        auto bad = [&](const QString& layout) {
            source->error(line.at, QStringLiteral("[%1] 的每行应为“%2”").arg(section.kind, layout));
        };
        if (section.kind == QLatin1String("average-sd")) {
            const auto age = f.size() == 4 ? integer(f.at(0)) : std::nullopt;
            const auto average = f.size() == 4 ? integer(f.at(2)) : std::nullopt;
            const auto sd = f.size() == 4 ? number(f.at(3)) : std::nullopt;
            if (!age || !average || !sd) {
                bad(QStringLiteral("年龄(岁) | 性别 | 平均分(整数) | 标准差"));
                continue;
            }
            source->averageSd.push_back({line.at, *age, f.at(1), *average, *sd});
        } else if (section.kind == QLatin1String("mmpi-conversion")) {
            const auto factor = f.size() == 4 ? integer(f.at(1)) : std::nullopt;
            const auto raw = f.size() == 4 ? number(f.at(2)) : std::nullopt;
            const auto converted = f.size() == 4 ? number(f.at(3)) : std::nullopt;
            if (!factor || !raw || !converted) {
                bad(QStringLiteral("性别 | 量表序号 | 原始分 | 转换分"));
                continue;
            }
            source->conversions.push_back({line.at, f.at(0), *factor, *raw, *converted});
        } else { // mmpi-conversion-linear
            const auto factor = f.size() == 5 ? integer(f.at(1)) : std::nullopt;
            const auto top = f.size() == 5 ? integer(f.at(2)) : std::nullopt;
            const auto mean = f.size() == 5 ? number(f.at(3)) : std::nullopt;
            const auto sd = f.size() == 5 ? number(f.at(4)) : std::nullopt;
            if (!factor || !top || !mean || !sd || *top < 0 || *sd <= 0) {
                bad(QStringLiteral("性别 | 量表序号 | 最高原始分 | 平均数 | 标准差(大于0)"));
                continue;
            }
            // T = 50 + 10 (raw - mean) / sd, rounded to a whole number, for raw 0 .. top.
            for (int raw = 0; raw <= *top; ++raw)
                source->conversions.push_back(
                    {line.at, f.at(0), *factor, double(raw), double(qRound(50 + 10 * (raw - *mean) / *sd))});
        }
    }
}

bool isTableSection(const QString& kind)
{
    return kind == QLatin1String("average-sd") || kind == QLatin1String("mmpi-conversion") ||
           kind == QLatin1String("mmpi-conversion-linear");
}

void readTestUnit(const Unit& unit, const QString& root, BankSource* source)
{
    const Section* headerSection = nullptr;
    std::map<QString, OptionSet> optionSets;
    std::vector<const Section*> itemSections, factorSections, normSections;
    for (const Section& section : unit.sections) {
        if (section.kind == QLatin1String("test")) {
            if (headerSection)
                source->error(section.at, QStringLiteral("一个测试只能有一个 [test] 节（另一个在 %1）")
                                              .arg(headerSection->at.where()));
            else
                headerSection = &section;
        } else if (section.kind == QLatin1String("options")) {
            if (optionSets.count(section.argument))
                source->error(section.at, QStringLiteral("选项组“%1”重复定义").arg(section.argument));
            optionSets[section.argument] = readOptions(section, source);
        } else if (section.kind == QLatin1String("items")) {
            itemSections.push_back(&section);
        } else if (section.kind == QLatin1String("factors")) {
            factorSections.push_back(&section);
        } else if (section.kind == QLatin1String("norms")) {
            normSections.push_back(&section);
        } else if (isTableSection(section.kind)) {
            readTableSection(section, source);
        } else {
            source->error(section.at, QStringLiteral("未知的节 [%1]").arg(section.kind));
        }
    }
    if (!headerSection) {
        source->error(unit.at, QStringLiteral("缺少 [test] 节"));
        return;
    }
    Header header;
    readHeader(*headerSection, true, &header, source);
    SourceTest test;
    test.at = headerSection->at;
    test.id = header.id;
    test.parent = header.parent;
    test.name = header.name;
    test.optionCount = header.optionCount;
    test.maxAverage = header.maxAverage;
    test.ageMin = header.ageMin;
    test.ageMax = header.ageMax;
    test.sex = header.sex;
    test.description = header.description;
    // Factor and norm rows default to the test's age and sex; a wrong header is reported once,
    // not again on every row that inherits it.
    const bool headerSex = test.sex == QStringLiteral("男") || test.sex == QStringLiteral("女") ||
                           test.sex == QStringLiteral("男女");
    const QString rowSex = headerSex ? test.sex : QStringLiteral("男女");
    const int rowAgeMin = test.ageMin <= test.ageMax ? test.ageMin : 0;
    const int rowAgeMax = test.ageMin <= test.ageMax ? test.ageMax : 1200;

    for (const Section* section : itemSections) {
        QList<int> columns{TopId, TopText};
        bool started = false;
        for (const Line& line : section->lines) {
            if (line.text.startsWith(QLatin1String("columns:"))) {
                if (started) {
                    source->error(line.at, QStringLiteral("columns: 必须写在题目行之前"));
                    continue;
                }
                columns.clear();
                for (const QString& name : splitSourceRow(line.text.mid(8))) {
                    const int column = itemColumn(name);
                    if (column < 0)
                        source->error(line.at, QStringLiteral("未知的题目列“%1”").arg(name));
                    else if (columns.contains(column))
                        source->error(line.at, QStringLiteral("题目列“%1”重复").arg(name));
                    else
                        columns << column;
                }
                if (!columns.contains(TopId))
                    source->error(line.at, QStringLiteral("columns: 必须含有 topid 列"));
                continue;
            }
            started = true;
            const QStringList fields = splitSourceRow(line.text);
            if (fields.size() != columns.size()) {
                source->error(
                    line.at,
                    QStringLiteral("这一行有 %1 个字段，columns: 规定了 %2 个（文字中的“|”请写成“\\|”）")
                        .arg(fields.size())
                        .arg(columns.size()));
                continue;
            }
            SourceItem item;
            item.at = line.at;
            QString setName;
            bool setGiven = false;
            std::array<std::optional<QString>, 10> texts;
            std::array<std::optional<double>, 10> scores;
            bool ok = true;
            for (int c = 0; c < columns.size(); ++c) {
                const QString& value = fields.at(c);
                const int column = columns.at(c);
                if (column == TopId) {
                    const auto topid = integer(value);
                    if (!topid) {
                        source->error(line.at, QStringLiteral("题号“%1”不是整数").arg(value));
                        ok = false;
                    } else {
                        item.number = *topid;
                    }
                } else if (column == TopText) {
                    item.text = value;
                } else if (column == OptionCount) {
                    if (value.isEmpty())
                        continue;
                    item.optionCount = integer(value);
                    if (!item.optionCount) {
                        source->error(line.at, QStringLiteral("选项数“%1”不是整数").arg(value));
                        ok = false;
                    }
                } else if (column == OptionSetName) {
                    setName = value;
                    setGiven = true;
                } else if (column == Picture) {
                    item.pictureSource = value;
                } else if (column < 10) {
                    if (!value.isEmpty())
                        texts[column] = value;
                } else if (!value.isEmpty()) {
                    scores[column - 10] = number(value);
                    if (!scores[column - 10]) {
                        source->error(line.at,
                                      QStringLiteral("%1 列的分数“%2”不是数字")
                                          .arg(QString::fromLatin1(kScoreColumns[column - 10]), value));
                        ok = false;
                    }
                }
            }
            if (!ok)
                continue;
            // The option set gives the defaults; the item's own columns override them.
            const OptionSet* set = nullptr;
            if (setGiven && !setName.isEmpty()) {
                auto found = optionSets.find(setName);
                if (found == optionSets.end()) {
                    source->error(line.at, QStringLiteral("选项组“%1”没有定义").arg(setName));
                    continue;
                }
                set = &found->second;
            } else if (optionSets.count(QString())) {
                set = &optionSets.at(QString());
            }
            for (int k = 0; k < 10; ++k) {
                if (set && k < int(set->options.size())) {
                    item.texts[k] = set->options[k].first;
                    item.scores[k] = set->options[k].second;
                }
                if (texts[k])
                    item.texts[k] = texts[k];
                if (scores[k])
                    item.scores[k] = scores[k];
            }
            test.items.push_back(item);
        }
    }

    // Pictures: an image file next to the source, or a figure the compiler draws.
    for (SourceItem& item : test.items) {
        if (item.pictureSource.isEmpty())
            continue;
        if (item.pictureSource.startsWith(QLatin1String("matrix"))) {
            MatrixFigure figure;
            QString why;
            if (!parseMatrixFigure(item.pictureSource, &figure, &why)) {
                source->error(item.at, QStringLiteral("第%1题的图形描述有误: %2").arg(item.number).arg(why));
                continue;
            }
            int candidates = item.optionCount.value_or(0);
            if (candidates == 0)
                while (candidates < 10 && item.texts[candidates])
                    ++candidates;
            const int answer = item.scores[0] ? int(*item.scores[0]) : 1;
            item.picture =
                drawMatrixFigure(figure, answer, std::clamp(candidates, 1, 8), test.id * 1000 + item.number);
        } else {
            const QString path =
                QFileInfo(QDir(root).filePath(item.at.file)).dir().filePath(item.pictureSource);
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                source->error(
                    item.at,
                    QStringLiteral("第%1题的图片文件“%2”无法读取").arg(item.number).arg(item.pictureSource));
                continue;
            }
            item.picture = file.readAll();
            if (!looksLikePicture(item.picture))
                source->error(item.at, QStringLiteral("第%1题的图片文件“%2”不是 PNG、BMP 或 JPEG 图片")
                                           .arg(item.number)
                                           .arg(item.pictureSource));
        }
    }

    for (const Section* section : factorSections) {
        int ageMin = rowAgeMin, ageMax = rowAgeMax;
        QString sex = rowSex;
        for (const Line& line : section->lines) {
            if (directive(line, &ageMin, &ageMax, &sex, source))
                continue;
            const QStringList fields = splitSourceRow(line.text);
            if (fields.size() != 2) {
                source->error(line.at, QStringLiteral("因子行应为“因子名 | ,题号,题号,”"));
                continue;
            }
            SourceFactor factor{line.at, fields.at(0), {}, {}, ageMin, ageMax, sex};
            QString why;
            if (!itemList(fields.at(1), &factor.itemList, &factor.items, &why)) {
                source->error(line.at, QStringLiteral("因子“%1”: %2").arg(factor.name, why));
                continue;
            }
            test.factors.push_back(factor);
        }
    }

    for (const Section* section : normSections) {
        int ageMin = rowAgeMin, ageMax = rowAgeMax;
        QString sex = rowSex;
        for (const Line& line : section->lines) {
            if (directive(line, &ageMin, &ageMax, &sex, source))
                continue;
            const QStringList fields = splitSourceRow(line.text);
            if (fields.size() != 4) {
                source->error(line.at, QStringLiteral("常模行应为“名称 | 下限 | 上限 | 解释”"));
                continue;
            }
            const auto min = number(fields.at(1));
            const auto max = number(fields.at(2));
            if (!min || !max) {
                source->error(line.at, QStringLiteral("常模“%1”的分数界限“%2”“%3”不是数字")
                                           .arg(fields.at(0), fields.at(1), fields.at(2)));
                continue;
            }
            // "*" stands for the test's own name: the band of the total score.
            const QString name = fields.at(0) == QLatin1String("*") ? test.name : fields.at(0);
            test.norms.push_back({line.at, name, *min, *max, ageMin, ageMax, sex, fields.at(3)});
        }
    }
    source->tests.push_back(std::move(test));
}

void readCatalogueUnit(const Unit& unit, BankSource* source)
{
    for (const Section& section : unit.sections) {
        if (isTableSection(section.kind)) {
            readTableSection(section, source);
            continue;
        }
        if (section.kind != QLatin1String("category")) {
            source->error(
                section.at,
                QStringLiteral("catalogue.txt 中只能有 [category] 节，而不是 [%1]").arg(section.kind));
            continue;
        }
        Header header;
        readHeader(section, false, &header, source);
        source->categories.push_back({section.at, header.id, header.parent, header.name, header.ageMin,
                                      header.ageMax, header.sex, header.description});
    }
}

QStringList textFiles(const QString& folder)
{
    QStringList files;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        files << info.filePath();
    return files;
}

} // namespace

QString SourcePlace::text() const
{
    return where() + QStringLiteral(": ");
}

QString SourcePlace::where() const
{
    return line > 0 ? QStringLiteral("%1 第%2行").arg(file).arg(line) : file;
}

QStringList splitSourceRow(const QString& line)
{
    QStringList fields;
    QString current;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            current += c;
            current += line.at(++i);
            continue;
        }
        if (c == QLatin1Char('|')) {
            fields << unescape(current.trimmed());
            current.clear();
            continue;
        }
        current += c;
    }
    fields << unescape(current.trimmed());
    return fields;
}

BankSource readBankSource(const QString& input)
{
    BankSource source;
    // Absolute, so that messages name files relative to the source folder however it was given.
    const QString folder = QDir(input).absolutePath();
    const QDir root(folder);
    if (!root.exists()) {
        source.errors << QStringLiteral("源文件夹不存在: %1").arg(input);
        return source;
    }
    const QString catalogue = root.filePath(QStringLiteral("catalogue.txt"));
    if (!QFile::exists(catalogue)) {
        // Every test names its category there; without it nothing else can be checked.
        source.errors << QStringLiteral("%1: 缺少目录文件 catalogue.txt").arg(input);
        return source;
    }
    if (const auto unit = readUnit(UnitKind::Catalogue, folder, {catalogue}, &source))
        readCatalogueUnit(*unit, &source);

    const QDir tests(root.filePath(QStringLiteral("tests")));
    for (const QFileInfo& info :
         tests.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        QStringList files;
        if (info.isDir())
            files = textFiles(info.filePath());
        else if (info.suffix() == QLatin1String("txt"))
            files << info.filePath();
        if (files.isEmpty())
            continue;
        if (const auto unit = readUnit(UnitKind::Test, folder, files, &source))
            readTestUnit(*unit, folder, &source);
    }

    for (const QString& file : textFiles(root.filePath(QStringLiteral("tables")))) {
        const auto unit = readUnit(UnitKind::Tables, folder, {file}, &source);
        if (!unit)
            continue;
        for (const Section& section : unit->sections) {
            if (isTableSection(section.kind))
                readTableSection(section, &source);
            else
                source.error(
                    section.at,
                    QStringLiteral(
                        "tables/ 中只能有 [average-sd]、[mmpi-conversion]、[mmpi-conversion-linear] 节"));
        }
    }
    return source;
}
