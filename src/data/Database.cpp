// The statement helper: house-style SQL in, bound positional parameters, errors as DbError.
#include "Database.h"

#include <QAtomicInt>
#include <QFile>
#include <QSqlError>

static QAtomicInt s_connectionCounter;

// The database's own words where it gave any, else the driver's.
static QString errorText(const QSqlError& error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

Database::Database() : m_name(QStringLiteral("psydesk-%1").arg(s_connectionCounter.fetchAndAddRelaxed(1))) {}

Database::~Database()
{
    close();
    m_db = QSqlDatabase();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
}

bool Database::open(const ConnectionSettings& settings)
{
    close();
    m_settings = settings;
    m_dialect = Dialect(settings.engine);
    if (!QSqlDatabase::contains(m_name) || QSqlDatabase::database(m_name, false).driverName() != m_dialect.qtDriver()) {
        m_db = QSqlDatabase();
        if (QSqlDatabase::contains(m_name))
            QSqlDatabase::removeDatabase(m_name);
        m_db = QSqlDatabase::addDatabase(m_dialect.qtDriver(), m_name);
    } else {
        m_db = QSqlDatabase::database(m_name, false);
    }
    if (m_dialect.isPostgres()) {
        m_db.setHostName(settings.host);
        m_db.setPort(settings.port);
        m_db.setDatabaseName(settings.database);
        m_db.setUserName(settings.user);
        m_db.setPassword(settings.password);
        m_db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    } else {
        m_db.setDatabaseName(settings.file);
        // A missing file is refused below rather than created. Another process may hold the
        // file locked for a moment (a save, a backup copy): wait for it instead of failing.
        m_db.setConnectOptions(settings.readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000")
                                                 : QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (settings.file.isEmpty() || !QFile::exists(settings.file)) {
            m_lastError = QStringLiteral("文件不存在: %1").arg(settings.file);
            return false;
        }
    }
    if (!m_db.open()) {
        m_lastError = m_db.lastError().text();
        return false;
    }
    m_lastError.clear();
    if (!m_dialect.isPostgres() && !settings.readOnly) {
        QSqlQuery pragma(m_db);
        pragma.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    }
    return true;
}

void Database::close()
{
    if (m_db.isValid() && m_db.isOpen()) {
        if (m_inTransaction)
            m_db.rollback();
        m_db.close();
    }
    m_inTransaction = false;
}

bool Database::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

QSqlQuery Database::run(const QString& sql, const QVariantList& params)
{
    if (!isOpen())
        throw DbError(QStringLiteral("数据库未连接"));
    int placeholders = 0;
    const QString text = m_dialect.prepare(sql, &placeholders);
    if (placeholders != params.size())
        throw DbError(QStringLiteral("参数个数不符: 语句需要 %1 个, 给出 %2 个").arg(placeholders).arg(params.size()));
    QSqlQuery query(m_db);
    // A forward-only PostgreSQL query streams its rows, and any other statement run before
    // the last row is read silently ends it: a loop that saves or deletes per row would stop
    // after the first. Read PostgreSQL results whole; SQLite steps through its rows cheaply
    // and keeps them across other statements.
    query.setForwardOnly(!m_dialect.isPostgres());
    bool ok;
    if (params.isEmpty()) {
        ok = query.exec(text);
    } else {
        ok = query.prepare(text);
        if (ok) {
            for (int i = 0; i < params.size(); ++i)
                query.bindValue(i, m_dialect.bindValue(params.at(i)));
            ok = query.exec();
        }
    }
    if (!ok)
        throw DbError(errorText(query.lastError()));
    return query;
}

void Database::runBatch(const QString& sql, const std::function<bool(QVariantList& params)>& next)
{
    if (!isOpen())
        throw DbError(QStringLiteral("数据库未连接"));
    int placeholders = 0;
    const QString text = m_dialect.prepare(sql, &placeholders);
    QSqlQuery query(m_db);
    query.setForwardOnly(!m_dialect.isPostgres());
    auto fail = [&query] { throw DbError(errorText(query.lastError())); };
    if (!query.prepare(text))
        fail();
    QVariantList params;
    while (next(params)) {
        if (placeholders != params.size())
            throw DbError(QStringLiteral("参数个数不符: 语句需要 %1 个, 给出 %2 个").arg(placeholders).arg(params.size()));
        for (int i = 0; i < params.size(); ++i)
            query.bindValue(i, m_dialect.bindValue(params.at(i)));
        if (!query.exec())
            fail();
        params.clear();
    }
}

std::vector<QSqlRecord> Database::rows(const QString& sql, const QVariantList& params)
{
    QSqlQuery query = run(sql, params);
    std::vector<QSqlRecord> result;
    while (query.next())
        result.push_back(query.record());
    return result;
}

QVariant Database::scalar(const QString& sql, const QVariantList& params)
{
    QSqlQuery query = run(sql, params);
    if (query.next())
        return query.value(0);
    return {};
}

void Database::begin()
{
    if (m_inTransaction)
        throw DbError(QStringLiteral("事务已经开始"));
    if (!isOpen())
        throw DbError(QStringLiteral("数据库未连接"));
    if (!m_dialect.isPostgres() && !m_settings.readOnly) {
        // A deferred SQLite transaction that reads first (the next result id) and writes later
        // can meet another writer halfway and fail at once with "database is locked", since
        // waiting could deadlock. Taking the write lock at the start makes writers queue
        // behind the busy timeout instead.
        QSqlQuery query(m_db);
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            throw DbError(errorText(query.lastError()));
    } else if (!m_db.transaction()) {
        throw DbError(errorText(m_db.lastError()));
    }
    m_inTransaction = true;
}

void Database::commit()
{
    if (!m_inTransaction)
        throw DbError(QStringLiteral("没有进行中的事务"));
    m_inTransaction = false;
    if (!m_db.commit()) {
        const QString message = errorText(m_db.lastError());
        m_db.rollback();
        throw DbError(message);
    }
}

void Database::rollback()
{
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    m_db.rollback();
}

void Database::transaction(const std::function<void()>& work)
{
    begin();
    try {
        work();
        commit();
    } catch (...) {
        rollback();
        throw;
    }
}
