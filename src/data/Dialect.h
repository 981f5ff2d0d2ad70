// Every difference between the two database engines, in one place.
#pragma once

#include <QString>
#include <QVariant>

class Dialect {
public:
    enum class Engine { Sqlite, Postgres };

    explicit Dialect(Engine engine = Engine::Sqlite) : m_engine(engine) {}
    static Dialect sqlite() { return Dialect(Engine::Sqlite); }
    static Dialect postgres() { return Dialect(Engine::Postgres); }

    Engine engine() const { return m_engine; }
    bool isPostgres() const { return m_engine == Engine::Postgres; }
    QString qtDriver() const;

    // An identifier written "[name]" in a statement, as this engine wants it.
    QString quoteIdentifier(const QString& name) const;
    // Rewrites a statement written in the house style (bare or bracketed names, named
    // parameters) into this engine's text with positional "?" placeholders.
    // Returns the rewritten text; the parameter count is stored in *placeholders.
    QString prepare(const QString& sql, int* placeholders = nullptr) const;

    // The delimiter the query builder writes around date values: both engines read a quoted
    // 'yyyy-MM-dd' as a date (the "#" of the old local files is not SQL here).
    QString dateDelimiter() const { return QStringLiteral("'"); }
    // round(expr, 1) in this engine's SQL, as a floating-point value. Plain "round(x,1)" works
    // too: the network schema adds round(double precision, integer), which PostgreSQL lacks.
    QString roundOneDecimal(const QString& expr) const;
    // The year of a date column, as an integer expression.
    QString yearOf(const QString& expr) const;
    // The current year as an integer literal, taken from Clock::now() so that it is the
    // workstation's local year (the server may run in another time zone) and tests can fix it.
    QString currentYear() const;
    // A date literal for the given day.
    QString dateLiteral(const QDate& date) const;
    // Makes a bound value suitable for this engine. Date-times are written as local wall-clock
    // text "yyyy-MM-dd HH:mm:ss" on both engines (the PostgreSQL driver would otherwise send
    // them as UTC and the server would store them shifted by its own zone); dates as
    // "yyyy-MM-dd" in SQLite; booleans as 0/1.
    QVariant bindValue(const QVariant& value) const;
    // A statement that serialises result-id allocation inside a transaction, or empty.
    QString resultIdLock() const;
    // One page of a list statement's rows in the order of a unique, non-null key column: at
    // most `limit` rows and, with afterKey, only those past a key value, which the caller binds
    // as one more parameter after the statement's own. Each page is a short statement of its
    // own, so a list keeps nothing open between pages: the PostgreSQL driver reads a pending
    // query whole and the server drops it when the next statement runs.
    QString pageStatement(const QString& sql, const QString& keyColumn, Qt::SortOrder order, bool afterKey,
                          int limit) const;

    // What kind of refusal a database message reports, for messages in the user's language.
    enum class Refusal { Duplicate, MissingValue, TooLong, Other };
    Refusal refusalKind(const QString& databaseText) const;

private:
    Engine m_engine;
};

// Reads a date or date-time column whichever way the engine returned it.
QDateTime variantToDateTime(const QVariant& value);
QDate variantToDate(const QVariant& value);
