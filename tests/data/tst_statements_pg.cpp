// Statements on the network (PostgreSQL) information database: the same case table as the
// local run, plus what only this engine can get wrong (time zones, typed parameters).
#include "StatementCases.h"
#include "TestHome.h"

#include <QtTest>

#include <ctime>

class TestStatementsPg : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { Clock::setFixed({}); }
    void statements_data()
    {
        StatementCases::addStatementColumns();
        StatementCases::addStatementRows(m_db.dialect());
    }
    void statements() { StatementCases::checkStatement(m_db); }
    void refusals_data()
    {
        StatementCases::addErrorColumns();
        StatementCases::addErrorRows();
    }
    void refusals() { StatementCases::checkError(m_db); }
    void readingSurvivesOtherStatements() { StatementCases::readingSurvivesOtherStatements(m_db); }
    void dateTimesKeepTheWallClockAcrossTimeZones();
    void typedParameters_data();
    void typedParameters();

private:
    Database m_db;
};

void TestStatementsPg::initTestCase()
{
    // The workstation and the server live in different time zones here, as they may in a
    // clinic: the fixture's times must still come back as written.
    ConnectionSettings settings;
    QString why;
    if (!PgTestServer::createDatabase(QStringLiteral("statements"), &settings, &why))
        QFAIL(qPrintable(why));
    {
        Database probe;
        QVERIFY2(probe.open(settings), qPrintable(probe.lastError()));
        const QString serverZone = probe.scalar(QStringLiteral("show timezone")).toString();
        qputenv("TZ", serverZone == QLatin1String("Asia/Shanghai") ? "America/New_York" : "Asia/Shanghai");
        tzset();
    }
    Clock::setFixed(StatementCases::now());
    QVERIFY2(m_db.open(settings), qPrintable(m_db.lastError()));
    StatementCases::fillFixture(m_db);
}

void TestStatementsPg::dateTimesKeepTheWallClockAcrossTimeZones()
{
    QCOMPARE(m_db.scalar(QStringLiteral("select cast(timeing as text) from jg where id=:p"), {1}).toString(),
             QStringLiteral("2009-03-15 14:07:00"));
    QCOMPARE(variantToDateTime(m_db.scalar(QStringLiteral("select timeing from jg where id=:p"), {4})),
             QDateTime(QDate(2008, 12, 31), QTime(23, 59)));
    QCOMPARE(m_db.scalar(QStringLiteral("select count(*) from jg where timeing=:p"),
                         {QDateTime(QDate(2009, 3, 15), QTime(14, 7)).toUTC()})
                 .toInt(),
             1);
}

// Values the pages bind as Qt types the driver would send in a form the server refuses or
// misreads.
void TestStatementsPg::typedParameters_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bool against a number")
        << QStringLiteral("select count(*) from jg where tmc > :p") << QVariant(true) << QStringLiteral("4");
    QTest::newRow("date-time into a date column")
        << QStringLiteral("select count(*) from username where csdate = :p")
        << QVariant(QDateTime(QDate(1990, 5, 1), QTime(0, 0))) << QStringLiteral("1");
    QTest::newRow("text id against an integer") << QStringLiteral("select count(*) from jg where id = :p")
                                                << QVariant(QStringLiteral("3")) << QStringLiteral("1");
    QTest::newRow("number against a text column")
        << QStringLiteral("select count(*) from usebb where mzh <> :p") << QVariant(5) << QStringLiteral("2");
    QTest::newRow("invalid date binds null") << QStringLiteral("select count(*) from username where csdate = :p")
                                             << QVariant(QDate()) << QStringLiteral("0");
}

void TestStatementsPg::typedParameters()
{
    QFETCH(QString, sql);
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    try {
        QCOMPARE(m_db.scalar(sql, {value}).toString(), expected);
    } catch (const DbError& e) {
        QFAIL(qPrintable(e.message()));
    }
}

QTEST_GUILESS_MAIN(TestStatementsPg)
#include "tst_statements_pg.moc"
