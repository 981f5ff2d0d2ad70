// Condition items, the comparison table and the value checks of "添加条件".
#include "QueryTerms.h"

#include <QDateTime>

QString TTerm::logicCaption() const {
    return logic == QLatin1String("OR") ? QStringLiteral("或者") : QStringLiteral("并且");
}

QString TTerm::operatorCaption() const {
    if (op == QLatin1String("="))
        return QStringLiteral("等与");
    if (op == QLatin1String("<"))
        return QStringLiteral("小于");
    if (op == QLatin1String(">"))
        return QStringLiteral("大于");
    if (op == QLatin1String(">="))
        return QStringLiteral("大于等与");
    if (op == QLatin1String("<="))
        return QStringLiteral("小于等与");
    if (op == QLatin1String("<>"))
        return QStringLiteral("不等于");
    const bool negated = op == QLatin1String("NOT LIKE");
    if (negated || op == QLatin1String("LIKE")) {
        const bool starts = value.startsWith(QLatin1Char('%'));
        const bool ends = value.endsWith(QLatin1Char('%'));
        if (starts && ends && value.size() > 2)
            return negated ? QStringLiteral("不包含") : QStringLiteral("包含");
        if (starts)
            return negated ? QStringLiteral("右边不等于") : QStringLiteral("右边等于");
        if (ends)
            return negated ? QStringLiteral("左边不等于") : QStringLiteral("左边等于");
    }
    return {};
}

void TTerms::removeAt(int index) {
    if (index >= 0 && index < count())
        m_items.erase(m_items.begin() + index);
}

int TTerms::moveUp(int index) {
    if (index <= 0 || index >= count())
        return index;
    std::swap(m_items[index], m_items[index - 1]);
    return index - 1;
}

int TTerms::moveDown(int index) {
    if (index < 0 || index >= count() - 1)
        return index;
    std::swap(m_items[index], m_items[index + 1]);
    return index + 1;
}

QStringList comparisonsFor(TFieldType type) {
    QStringList list{QStringLiteral("等于"),       QStringLiteral("不等于"), QStringLiteral("大于"),
                     QStringLiteral("大于或等于"), QStringLiteral("小于"),   QStringLiteral("小于或等于")};
    if (isTextType(type))
        list << QStringLiteral("包含") << QStringLiteral("不包含") << QStringLiteral("左边等于")
             << QStringLiteral("左边不等于") << QStringLiteral("右边等于") << QStringLiteral("右边不等于");
    return list;
}

QString shortDateFormat() {
    return QStringLiteral("yyyy-MM-dd");
}

QString shortTimeFormat() {
    return QStringLiteral("HH:mm:ss");
}

QString shortDateTimeFormat() {
    return QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

static QDate parseDate(const QString& text) {
    for (const char* format : {"yyyy-MM-dd", "yyyy-M-d", "yyyy/M/d", "yyyy.M.d"}) {
        const QDate date = QDate::fromString(text, QLatin1String(format));
        if (date.isValid())
            return date;
    }
    return {};
}

static QTime parseTime(const QString& text) {
    for (const char* format : {"H:mm:ss", "H:mm"}) {
        const QTime time = QTime::fromString(text, QLatin1String(format));
        if (time.isValid())
            return time;
    }
    return {};
}

// Checks the value against the field type and writes it the way the statement needs it.
// Values written without delimiters (numbers, booleans) can only be numbers or TRUE/FALSE.
static bool normaliseValue(TFieldType type, QString& value, QString* message) {
    const QString text = value.trimmed();
    if (isIntegerType(type)) {
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok);
        if (!ok) {
            *message = QStringLiteral("请输入整数,Please input Int");
            return false;
        }
        value = QString::number(number);
    } else if (isFloatType(type)) {
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (!ok || !qIsFinite(number)) {
            *message = QStringLiteral("请输入浮点数,Please input Float");
            return false;
        }
        value = QString::number(number, 'g', 15);
    } else if (type == TFieldType::Date) {
        const QDate date = parseDate(text);
        if (!date.isValid()) {
            *message = QStringLiteral("请输入日期,Please input Date");
            return false;
        }
        value = date.toString(shortDateFormat());
    } else if (type == TFieldType::Time) {
        const QTime time = parseTime(text);
        if (!time.isValid()) {
            *message = QStringLiteral("请输入时间,Please input Time");
            return false;
        }
        value = time.toString(shortTimeFormat());
    } else if (type == TFieldType::DateTime) {
        const int blank = text.indexOf(QLatin1Char(' '));
        const QDate date = parseDate(blank < 0 ? text : text.left(blank));
        const QTime time = blank < 0 ? QTime(0, 0) : parseTime(text.mid(blank + 1).trimmed());
        if (!date.isValid() || !time.isValid()) {
            *message = QStringLiteral("请输入日期时间,Please input DateTime");
            return false;
        }
        value = QDateTime(date, time).toString(shortDateTimeFormat());
    } else if (type == TFieldType::Boolean) {
        if (text != QLatin1String("TRUE") && text != QLatin1String("FALSE")) {
            *message = QStringLiteral("请选择真或假");
            return false;
        }
        value = text;
    }
    return true;
}

std::optional<TTerm> makeTerm(const TermInput& input, QString* message) {
    QString ignored;
    if (!message)
        message = &ignored;
    message->clear();
    if (!input.field)
        return std::nullopt;
    const TFieldType type = input.field->FieldType();
    if (input.comparison < 0 || input.comparison >= comparisonsFor(type).size())
        return std::nullopt;
    QString value = input.value;
    if (!normaliseValue(type, value, message))
        return std::nullopt;

    static const char* const operators[] = {
        "=", "<>", ">", ">=", "<", "<=", "LIKE", "NOT LIKE", "LIKE", "NOT LIKE", "LIKE", "NOT LIKE"};
    TTerm term;
    term.logic = input.orLogic ? QStringLiteral("OR") : QStringLiteral("AND");
    term.field = input.field;
    term.op = QLatin1String(operators[input.comparison]);
    switch (input.comparison) {
    case 6:
    case 7:
        value = QLatin1Char('%') + value + QLatin1Char('%');
        break;
    case 8:
    case 9:
        value = value + QLatin1Char('%');
        break;
    case 10:
    case 11:
        value = QLatin1Char('%') + value;
        break;
    default:
        break;
    }
    term.value = value;
    term.valueCaption = input.valueCaption;
    return term;
}
