// Opening the test bank and the information database at start-up.
#include "Connections.h"
#include "AppConfig.h"

#include <QDir>

QString Connections::bankWarning()
{
    return QStringLiteral("无法连续到试题数据库，程序无法正常运行！\n请与开发商联系!");
}

QString Connections::localInfoWarning()
{
    return QStringLiteral("无法连续到用户数据库，程序无法正常运行！\n请与开发商联系!");
}

QString Connections::networkInfoWarning()
{
    return QStringLiteral(
        "无法连续到用户信息数据库，程序无法正常运行！\n请稍后在>系统设置>网络数据连接设置,重新设置!");
}

ConnectionSettings Connections::bankSettings(const QString& programDir)
{
    ConnectionSettings s;
    s.engine = Dialect::Engine::Sqlite;
    s.file = QDir(programDir).filePath(bankFileName());
    s.readOnly = true;
    return s;
}

ConnectionSettings Connections::localSettings(const QString& file)
{
    ConnectionSettings s;
    s.engine = Dialect::Engine::Sqlite;
    s.file = file;
    return s;
}

ConnectionSettings Connections::networkSettings(const QString& server, const QString& catalog,
                                                const QString& user, const QString& password)
{
    ConnectionSettings s;
    s.engine = Dialect::Engine::Postgres;
    s.host = server;
    s.database = catalog;
    s.user = user;
    s.password = password;
    // "host:port"; a bare IPv6 address has several colons and no port.
    QString host = server;
    int port = 0;
    const int colon = server.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && (server.count(QLatin1Char(':')) == 1 || server.startsWith(QLatin1Char('[')))) {
        bool ok = false;
        const int p = server.mid(colon + 1).toInt(&ok);
        if (ok && p > 0 && p < 65536) {
            host = server.left(colon);
            port = p;
        }
    }
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    s.host = host;
    if (port > 0)
        s.port = port;
    return s;
}

ConnectionSettings Connections::infoSettings(const AppConfig& config)
{
    if (config.isNetworkMode())
        return networkSettings(config.value(QStringLiteral("server")), infoBaseName(),
                               config.value(QStringLiteral("name")), config.value(QStringLiteral("pass")));
    return localSettings(QDir(config.programDir()).filePath(infoFileName()));
}

namespace {

// SQLite opens any file lazily; reading its catalogue makes a file that is not a database
// fail here, at the open, rather than on the first page that uses it.
bool openChecked(Database& db, const ConnectionSettings& settings)
{
    if (!db.open(settings))
        return false;
    if (settings.engine == Dialect::Engine::Sqlite) {
        try {
            db.scalar(QStringLiteral("select count(*) from sqlite_master"));
        } catch (const DbError&) {
            db.close();
            return false;
        }
    }
    return true;
}

} // namespace

Connections::Connections(const AppConfig& config) : m_config(config) {}

Connections::~Connections()
{
    closeAll();
}

StartupOutcome Connections::start()
{
    StartupOutcome out;
    m_infoOpenFailed = false;
    out.bankOpen = openChecked(m_bank, bankSettings(m_config.programDir()));
    if (!out.bankOpen) {
        out.warnings << bankWarning();
        return out;
    }
    const QString problem = m_config.bdeProblem();
    if (!problem.isEmpty())
        out.warnings << problem;
    out.infoOpen = openChecked(m_info, infoSettings(m_config));
    if (!out.infoOpen) {
        m_infoOpenFailed = true;
        out.warnings << (m_config.isNetworkMode() ? networkInfoWarning() : localInfoWarning());
    }
    out.connectionSettingsVisible = m_config.isNetworkMode();
    out.databaseInitVisible = m_config.isNetworkMode();
    out.openHomePage = true;
    return out;
}

void Connections::closeAll()
{
    m_info.close();
    m_bank.close();
}
