// Network mode against a running PostgreSQL server: the information database opens by Set.SYS.
#include "TestHome.h"
#include "shell/AppConfig.h"
#include "shell/Connections.h"

#include <QtTest>

class TestStartupPg : public QObject {
    Q_OBJECT
private slots:
    void networkModeOpensTheServerCatalog();
};

void TestStartupPg::networkModeOpensTheServerCatalog()
{
    QString why;
    const int port = PgTestServer::port(&why);
    if (port == 0)
        QFAIL(qPrintable(why));
    TestHome home;
    writeSmallChoiceTest(home.bank());
    home.finishBank();
    home.writeSetSys({"bde=1", QString("server=127.0.0.1:%1").arg(port), "name=postgres", "pass=unused"});
    const AppConfig config = AppConfig::load(home.path());
    Connections connections(config);
    const StartupOutcome out = connections.start();
    QVERIFY2(out.warnings.isEmpty(), qPrintable(out.warnings.join('|')));
    QVERIFY(out.bankOpen && out.infoOpen && out.openHomePage);
    QVERIFY(out.connectionSettingsVisible && out.databaseInitVisible);
    QVERIFY(!connections.infoOpenFailed());
    QVERIFY(connections.info().dialect().isPostgres());
    QCOMPARE(connections.info().connection().databaseName(), QString("vuvurIDIROV"));
    // The catalog holds the information tables.
    QVERIFY(connections.info().scalar("select count(*) from [jg]").isValid());
    connections.closeAll();
    QVERIFY(!connections.info().isOpen());
}

QTEST_GUILESS_MAIN(TestStartupPg)
#include "tst_startup_pg.moc"
