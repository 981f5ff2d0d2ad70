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

    // The delimiter the query builder writes around date values.
    QString dateDelimiter() const { return QStringLiteral("'"); }
    // round(expr, 1) in this engine's SQL.
    QString roundOneDecimal(const QString& expr) const;
    // The year of a date column, as an integer expression.
    QString yearOf(const QString& expr) const;
    // The current year, as an integer expression.
    QString currentYear() const;
    // A date literal for the given day.
    QString dateLiteral(const QDate& date) const;
    // Makes a bound value suitable for this engine (dates as ISO text in SQLite).
    QVariant bindValue(const QVariant& value) const;
    // A statement that serialises result-id allocation inside a transaction, or empty.
    QString resultIdLock() const;

private:
    Engine m_engine;
};

// Reads a date or date-time column whichever way the engine returned it.
QDateTime variantToDateTime(const QVariant& value);
QDate variantToDate(const QVariant& value);
