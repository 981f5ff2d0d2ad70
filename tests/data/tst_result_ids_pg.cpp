// Result ids and saves on the network (PostgreSQL) information database, including two
// processes saving into one database at once.
#include "ResultIdCases.h"
#include "TestHome.h"

#include <QtTest>

#include <ctime>

class TestResultIdsPg : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void firstIdIsOneThenMaxPlusOne() { ResultIdCases::firstIdIsOneThenMaxPlusOne(*fresh()); }
    void saveWritesTheWholeResult() { ResultIdCases::saveWritesTheWholeResult(*fresh()); }
    void shorterSavesLeaveColumnsNull() { ResultIdCases::shorterSavesLeaveColumnsNull(*fresh()); }
    void refusedSaveLeavesNothing_data()
    {
        ResultIdCases::addRollbackColumns();
        ResultIdCases::addRollbackRows();
    }
    void refusedSaveLeavesNothing();
    void concurrentSavesKeepResultsApart();

private:
    std::unique_ptr<Database> fresh();
    ConnectionSettings m_settings;
};

void TestResultIdsPg::initTestCase()
{
    // The save's local time must survive a server that runs in another time zone.
    QString why;
    ConnectionSettings settings;
    if (!PgTestServer::createDatabase(QStringLiteral("result_ids_probe"), &settings, &why))
        QFAIL(qPrintable(why));
    Database probe;
    QVERIFY2(probe.open(settings), qPrintable(probe.lastError()));
    const QString serverZone = probe.scalar(QStringLiteral("show timezone")).toString();
    qputenv("TZ", serverZone == QLatin1String("Asia/Shanghai") ? "America/New_York" : "Asia/Shanghai");
    tzset();
}

std::unique_ptr<Database> TestResultIdsPg::fresh()
{
    QString why;
    if (!PgTestServer::createDatabase(QStringLiteral("result_ids"), &m_settings, &why))
        qFatal("%s", qPrintable(why));
    auto db = std::make_unique<Database>();
    if (!db->open(m_settings))
        qFatal("%s", qPrintable(db->lastError()));
    return db;
}

void TestResultIdsPg::refusedSaveLeavesNothing()
{
    ResultIdCases::refusedSaveLeavesNothing([this] { return fresh(); });
}

void TestResultIdsPg::concurrentSavesKeepResultsApart()
{
    auto db = fresh();
    ResultIdCases::concurrentSavesKeepResultsApart(*db, {QStringLiteral("--pg"), m_settings.host,
                                                         QString::number(m_settings.port), m_settings.database,
                                                         m_settings.user});
}

QTEST_GUILESS_MAIN(TestResultIdsPg)
#include "tst_result_ids_pg.moc"
