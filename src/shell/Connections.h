// The two database connections of the program and the start-up steps that open them.
#pragma once

#include "data/Database.h"

#include <QString>
#include <QStringList>

class AppConfig;

// What the start-up steps leave for the main window to do and show.
struct StartupOutcome {
    bool bankOpen = false;
    bool infoOpen = false;
    // Warnings to show, in order (warning icon, OK).
    QStringList warnings;
    // Visibility of "网络数据连接设置" and "网络数据库初始化".
    bool connectionSettingsVisible = true;
    bool databaseInitVisible = false;
    // Whether the home page is opened.
    bool openHomePage = false;
};

class Connections {
public:
    // The information database's base name: the SQLite file name without extension in local
    // mode, the PostgreSQL database name in network mode.
    static QString infoBaseName() { return QStringLiteral("vuvurIDIROV"); }
    static QString infoFileName() { return infoBaseName() + QStringLiteral(".db"); }
    static QString bankFileName() { return QStringLiteral("sysinfodb.db"); }

    static QString bankWarning();
    static QString localInfoWarning();
    static QString networkInfoWarning();

    // The test bank: always the local file, read-only.
    static ConnectionSettings bankSettings(const QString& programDir);
    // The local information database file.
    static ConnectionSettings localSettings(const QString& file);
    // The network information database. The server is "host" or "host:port" ("[v6addr]:port"
    // for an IPv6 address); it is taken as it stands, without trimming.
    static ConnectionSettings networkSettings(const QString& server, const QString& catalog,
                                              const QString& user, const QString& password);
    // The information database settings the configuration asks for.
    static ConnectionSettings infoSettings(const AppConfig& config);

    explicit Connections(const AppConfig& config);
    ~Connections();
    Connections(const Connections&) = delete;
    Connections& operator=(const Connections&) = delete;

    Database& info() { return m_info; }
    Database& bank() { return m_bank; }

    // The start-up steps: the test bank first (a failure skips the rest), then the
    // information database by mode.
    StartupOutcome start();
    // Set when the first open of the information database failed.
    bool infoOpenFailed() const { return m_infoOpenFailed; }
    // The information database first, then the test bank.
    void closeAll();

private:
    const AppConfig& m_config;
    Database m_info;
    Database m_bank;
    bool m_infoOpenFailed = false;
};
