// Engine differences: identifier quoting, placeholders, date handling and SQL functions.
#include "Dialect.h"
#include "Clock.h"

#include <QDate>
#include <QDateTime>

QString Dialect::qtDriver() const
{
    return isPostgres() ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
}

QString Dialect::quoteIdentifier(const QString& name) const
{
    // PostgreSQL folds unquoted names to lower case and the schema is created unquoted,
    // so a quoted name must be lower case to name the same table.
    if (isPostgres())
        return QLatin1Char('"') + name.toLower() + QLatin1Char('"');
    return QLatin1Char('[') + name + QLatin1Char(']');
}

static bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

QString Dialect::prepare(const QString& sql, int* placeholders) const
{
    QString out;
    out.reserve(sql.size());
    int count = 0;
    const int n = sql.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            // Copy a string literal untouched, doubled quotes included.
            int j = i + 1;
            while (j < n) {
                if (sql.at(j) == QLatin1Char('\'')) {
                    if (j + 1 < n && sql.at(j + 1) == QLatin1Char('\'')) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += sql.mid(i, j - i + 1);
            i = j;
        } else if (c == QLatin1Char(':') && i + 1 < n && sql.at(i + 1) == QLatin1Char(':')) {
            out += QLatin1String("::");
            ++i;
        } else if (c == QLatin1Char(':') && i + 1 < n && isIdentChar(sql.at(i + 1))
                   && (i == 0 || !isIdentChar(sql.at(i - 1)))) {
            int j = i + 1;
            while (j < n && isIdentChar(sql.at(j)))
                ++j;
            out += QLatin1Char('?');
            ++count;
            i = j - 1;
        } else if (c == QLatin1Char('[')) {
            const int close = sql.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                out += c;
                continue;
            }
            out += quoteIdentifier(sql.mid(i + 1, close - i - 1));
            i = close;
        } else {
            out += c;
        }
    }
    if (placeholders)
        *placeholders = count;
    return out;
}

QString Dialect::roundOneDecimal(const QString& expr) const
{
    if (isPostgres())
        return QStringLiteral("cast(round(cast(%1 as numeric), 1) as double precision)").arg(expr);
    return QStringLiteral("round(%1, 1)").arg(expr);
}

QString Dialect::yearOf(const QString& expr) const
{
    if (isPostgres())
        return QStringLiteral("cast(extract(year from %1) as integer)").arg(expr);
    return QStringLiteral("cast(strftime('%Y', %1) as integer)").arg(expr);
}

QString Dialect::currentYear() const
{
    return QString::number(Clock::today().year());
}

QString Dialect::dateLiteral(const QDate& date) const
{
    const QString text = date.toString(QStringLiteral("yyyy-MM-dd"));
    if (isPostgres())
        return QStringLiteral("date '%1'").arg(text);
    return QStringLiteral("'%1'").arg(text);
}

QVariant Dialect::bindValue(const QVariant& value) const
{
    if (value.isNull())
        return QVariant();
    switch (value.typeId()) {
    case QMetaType::QDate: {
        const QDate day = value.toDate();
        if (!day.isValid())
            return QVariant();
        // SQLite keeps dates as ISO text; one fixed form keeps comparisons and sorting right.
        return isPostgres() ? value : QVariant(day.toString(QStringLiteral("yyyy-MM-dd")));
    }
    case QMetaType::QDateTime: {
        // TIMESTAMP columns hold the local wall-clock time without a zone; the text form keeps
        // the driver from converting it to UTC on the way to PostgreSQL.
        const QDateTime moment = value.toDateTime();
        if (!moment.isValid())
            return QVariant();
        return moment.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    case QMetaType::Bool:
        // PostgreSQL refuses TRUE for a numeric column; SQLite stores 1. Bind the number on both.
        return QVariant(value.toBool() ? 1 : 0);
    default:
        return value;
    }
}

QString Dialect::resultIdLock() const
{
    // One advisory lock key for result-id allocation, held to the end of the transaction.
    if (isPostgres())
        return QStringLiteral("select pg_advisory_xact_lock(7201)");
    return {};
}

QString Dialect::pageStatement(const QString& sql, const QString& keyColumn, Qt::SortOrder order,
                               bool afterKey, int limit) const
{
    QString inner = sql.trimmed();
    while (inner.endsWith(QLatin1Char(';')))
        inner = inner.chopped(1).trimmed();
    // The same text suits both engines; the key's index serves the order and the range, so a
    // page costs the same at the end of a long list as at its start.
    const bool descending = order == Qt::DescendingOrder;
    // Own lines: a comment at the end of the statement cannot swallow the rest.
    QString text = QStringLiteral("select * from (\n%1\n) as page").arg(inner);
    if (afterKey)
        text += QStringLiteral(" where %1 %2 :after")
                    .arg(keyColumn, descending ? QStringLiteral("<") : QStringLiteral(">"));
    text += QStringLiteral(" order by %1%2 limit %3")
                .arg(keyColumn, descending ? QStringLiteral(" desc") : QString(),
                     QString::number(qMax(1, limit)));
    return text;
}

Dialect::Refusal Dialect::refusalKind(const QString& databaseText) const
{
    const QString text = databaseText.toLower();
    if (isPostgres()) {
        if (text.contains(QLatin1String("duplicate key")))
            return Refusal::Duplicate;
        if (text.contains(QLatin1String("null value in column")))
            return Refusal::MissingValue;
        if (text.contains(QLatin1String("value too long")))
            return Refusal::TooLong;
        return Refusal::Other;
    }
    if (text.contains(QLatin1String("unique constraint failed")))
        return Refusal::Duplicate;
    if (text.contains(QLatin1String("not null constraint failed")))
        return Refusal::MissingValue;
    // The only CHECK constraints of the schema bound text lengths.
    if (text.contains(QLatin1String("check constraint failed")))
        return Refusal::TooLong;
    return Refusal::Other;
}

QDateTime variantToDateTime(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime();
    if (value.typeId() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    const QString text = value.toString().trimmed();
    for (const char* format : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QDateTime dt = QDateTime::fromString(text, QLatin1String(format));
        if (dt.isValid())
            return dt;
    }
    QDateTime iso = QDateTime::fromString(text, Qt::ISODateWithMs);
    return iso;
}

QDate variantToDate(const QVariant& value)
{
    return variantToDateTime(value).date();
}
