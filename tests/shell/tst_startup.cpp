// The start-up connection steps: test bank first, then the information database by mode.
#include "TestHome.h"
#include "shell/AppConfig.h"
#include "shell/Connections.h"
#include "shell/InstanceLock.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A loopback port that nothing listens on: bound once to learn a free number, then released.
int unusedPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

void writeBank(TestHome& home)
{
    writeSmallChoiceTest(home.bank());
    home.finishBank();
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void localModeOpensBoth();
    void missingBankStopsBeforeTheInformationDatabase();
    void bankThatIsNotADatabase();
    void missingLocalInformationDatabase();
    void wrongServerInNetworkMode();
    void badBdeRunsLocal();
    void closeAllClosesBoth();
    void networkSettings_data();
    void networkSettings();
    void secondInstanceIsRefused();
    void lockOfAnEndedProcessIsTakenOver();
};

void TestStartup::localModeOpensBoth()
{
    TestHome home;
    writeBank(home);
    const AppConfig config = AppConfig::load(home.path()); // no Set.SYS: local mode
    Connections connections(config);
    const StartupOutcome out = connections.start();
    QVERIFY(out.warnings.isEmpty());
    QVERIFY(out.bankOpen && out.infoOpen && out.openHomePage);
    QVERIFY(!out.connectionSettingsVisible && !out.databaseInitVisible);
    QVERIFY(!connections.infoOpenFailed());
    QCOMPARE(connections.info().settings().file, home.infoFile());
    QVERIFY(connections.bank().settings().readOnly);
    QCOMPARE(connections.bank().scalar("select count(*) from treename").toInt(), 2);
}

void TestStartup::missingBankStopsBeforeTheInformationDatabase()
{
    TestHome home; // an information database but no bank
    home.writeSetSys({"bde=1", "server=127.0.0.1:" + QString::number(unusedPort())});
    const AppConfig config = AppConfig::load(home.path());
    Connections connections(config);
    const StartupOutcome out = connections.start();
    QCOMPARE(out.warnings, QStringList({"无法连续到试题数据库，程序无法正常运行！\n请与开发商联系!"}));
    QVERIFY(!out.bankOpen && !out.infoOpen && !out.openHomePage);
    QVERIFY(!connections.info().isOpen());
    QVERIFY(!connections.infoOpenFailed()); // never tried
    // The menu entries stay as designed.
    QVERIFY(out.connectionSettingsVisible);
    QVERIFY(!out.databaseInitVisible);
    // The open never creates the missing file.
    QVERIFY(!QFile::exists(home.bankFile()));
}

void TestStartup::bankThatIsNotADatabase()
{
    TestHome home;
    QFile bank(home.bankFile());
    QVERIFY(bank.open(QIODevice::WriteOnly));
    bank.write(QByteArray(4096, 'x'));
    bank.close();
    const AppConfig config = AppConfig::load(home.path());
    Connections connections(config);
    const StartupOutcome out = connections.start();
    QCOMPARE(out.warnings, QStringList({Connections::bankWarning()}));
    QVERIFY(!connections.bank().isOpen());
}

void TestStartup::missingLocalInformationDatabase()
{
    TestHome home;
    writeBank(home);
    QVERIFY(QFile::remove(home.infoFile()));
    const AppConfig config = AppConfig::load(home.path());
    Connections connections(config);
    const StartupOutcome out = connections.start();
    QCOMPARE(out.warnings, QStringList({"无法连续到用户数据库，程序无法正常运行！\n请与开发商联系!"}));
    QVERIFY(out.bankOpen && !out.infoOpen && out.openHomePage);
    QVERIFY(connections.infoOpenFailed());
    QVERIFY(!QFile::exists(home.infoFile()));
}

void TestStartup::wrongServerInNetworkMode()
{
    TestHome home;
    writeBank(home);
    const int port = unusedPort();
    home.writeSetSys({"bde=1", QString("server=127.0.0.1:%1").arg(port), "name=nobody", "pass=pw"});
    const AppConfig config = AppConfig::load(home.path());
    Connections connections(config);
    const StartupOutcome out = connections.start();
    QCOMPARE(out.warnings, QStringList({"无法连续到用户信息数据库，程序无法正常运行！\n"
                                        "请稍后在>系统设置>网络数据连接设置,重新设置!"}));
    QVERIFY(out.bankOpen && !out.infoOpen && out.openHomePage);
    QVERIFY(connections.infoOpenFailed());
    QVERIFY(out.connectionSettingsVisible && out.databaseInitVisible);
    const ConnectionSettings& tried = connections.info().settings();
    QCOMPARE(tried.engine, Dialect::Engine::Postgres);
    QCOMPARE(tried.host, QString("127.0.0.1"));
    QCOMPARE(tried.port, port);
    QCOMPARE(tried.database, QString("vuvurIDIROV"));
    QCOMPARE(tried.user, QString("nobody"));
    QCOMPARE(tried.password, QString("pw"));
}

void TestStartup::badBdeRunsLocal()
{
    TestHome home;
    writeBank(home);
    home.writeSetSys({"bde=2", "server=127.0.0.1:1"});
    const AppConfig config = AppConfig::load(home.path());
    Connections connections(config);
    const StartupOutcome out = connections.start();
    QCOMPARE(out.warnings.size(), 1);
    QCOMPARE(out.warnings.first(), config.bdeProblem());
    QVERIFY(out.infoOpen);
    QCOMPARE(connections.info().dialect().engine(), Dialect::Engine::Sqlite);
    QVERIFY(!out.connectionSettingsVisible && !out.databaseInitVisible);
}

void TestStartup::closeAllClosesBoth()
{
    TestHome home;
    writeBank(home);
    const AppConfig config = AppConfig::load(home.path());
    Connections connections(config);
    connections.start();
    QVERIFY(connections.info().isOpen() && connections.bank().isOpen());
    connections.closeAll();
    QVERIFY(!connections.info().isOpen());
    QVERIFY(!connections.bank().isOpen());
}

void TestStartup::networkSettings_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("host") << "qov10"
                          << "qov10" << 5432;
    QTest::newRow("host:port") << "db.example:6543"
                               << "db.example" << 6543;
    QTest::newRow("address:port") << "127.0.0.1:5433"
                                  << "127.0.0.1" << 5433;
    QTest::newRow("bracketed v6") << "[::1]:5434"
                                  << "::1" << 5434;
    QTest::newRow("bare v6") << "fe80::1"
                             << "fe80::1" << 5432;
    QTest::newRow("bad port kept whole") << "host:abc"
                                         << "host:abc" << 5432;
    QTest::newRow("spaces kept") << " host "
                                 << " host " << 5432;
}

void TestStartup::networkSettings()
{
    QFETCH(QString, server);
    QFETCH(QString, host);
    QFETCH(int, port);
    const ConnectionSettings s = Connections::networkSettings(server, "vuvurIDIROV", "sa", "pw");
    QCOMPARE(s.host, host);
    QCOMPARE(s.port, port);
    QCOMPARE(s.database, QString("vuvurIDIROV"));
    QCOMPARE(s.user, QString("sa"));
    QCOMPARE(s.password, QString("pw"));
}

void TestStartup::secondInstanceIsRefused()
{
    QTemporaryDir dir;
    ScopedScriptedDialogs dialogs;
    // The first instance is another process, as it is in use.
    QProcess holder;
    holder.setProgram(QCoreApplication::applicationFilePath());
    holder.setArguments({"--hold-lock", dir.path()});
    holder.start();
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

    InstanceLock second(dir.path());
    QVERIFY(!second.acquireOrExplain());
    QCOMPARE(dialogs.texts(), QStringList({"程序已经运行，退出!"}));

    holder.closeWriteChannel(); // lets the holder end and release the lock
    QVERIFY(holder.waitForFinished(10000));
    dialogs.clear();
    QVERIFY(second.acquireOrExplain());
    QVERIFY(dialogs.texts().isEmpty());
}

void TestStartup::lockOfAnEndedProcessIsTakenOver()
{
    QTemporaryDir dir;
    QProcess holder;
    holder.setProgram(QCoreApplication::applicationFilePath());
    holder.setArguments({"--hold-lock", dir.path()});
    holder.start();
    QVERIFY(holder.waitForReadyRead(10000));
    holder.kill(); // the lock file stays behind
    QVERIFY(holder.waitForFinished(10000));
    QVERIFY(QFile::exists(dir.filePath("Tumblewick")));
    InstanceLock next(dir.path());
    QVERIFY(next.tryAcquire());
}

// "--hold-lock DIR": take the lock, say so, and hold it until standard input closes.
int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--hold-lock") == 0) {
        QCoreApplication app(argc, argv);
        InstanceLock lock(QString::fromLocal8Bit(argv[2]));
        if (!lock.tryAcquire())
            return 3;
        std::fputs("locked\n", stdout);
        std::fflush(stdout);
        char buffer[64];
        while (::read(0, buffer, sizeof buffer) > 0) {
        }
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
