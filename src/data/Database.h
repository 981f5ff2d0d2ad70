// One connection and the one way to run a statement on it.
#pragma once

#include "DbError.h"
#include "Dialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariantList>

#include <functional>
#include <vector>

struct ConnectionSettings {
    Dialect::Engine engine = Dialect::Engine::Sqlite;
    QString file;            // SQLite: the database file
    bool readOnly = false;   // SQLite: open read-only (the test bank)
    QString host;            // PostgreSQL
    int port = 5432;
    QString database;
    QString user;
    QString password;
};

class Database {
public:
    // Each instance owns a uniquely named Qt connection, closed and removed with it.
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens (or reopens) the connection; returns false and keeps the error text on failure.
    bool open(const ConnectionSettings& settings);
    void close();
    bool isOpen() const;
    QString lastError() const { return m_lastError; }
    const ConnectionSettings& settings() const { return m_settings; }

    const Dialect& dialect() const { return m_dialect; }
    QSqlDatabase& connection() { return m_db; }

    // Runs a statement with its parameters bound by position and returns the active query,
    // positioned before the first row; other statements may run while its rows are read.
    // Throws DbError when the database refuses it.
    QSqlQuery run(const QString& sql, const QVariantList& params = {});
    // Runs a query and returns every row as a record.
    std::vector<QSqlRecord> rows(const QString& sql, const QVariantList& params = {});
    // The first column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // Runs one statement many times, prepared once (bulk loads). next() fills the parameters
    // of the next execution and returns false when there are no more. Throws DbError.
    void runBatch(const QString& sql, const std::function<bool(QVariantList& params)>& next);

    // Transactions; a nested call is an error. Throw DbError on failure.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_inTransaction; }
    // Runs work inside one transaction; rolls back and rethrows on any exception.
    void transaction(const std::function<void()>& work);

private:
    QString m_name;
    QSqlDatabase m_db;
    Dialect m_dialect;
    ConnectionSettings m_settings;
    QString m_lastError;
    bool m_inTransaction = false;
};
