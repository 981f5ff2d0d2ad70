// Statements on the local (SQLite) information database: names, parameters, aggregates,
// rounding, dates and refusals, from the case table shared with the PostgreSQL run.
#include "StatementCases.h"
#include "TestHome.h"

#include <QtTest>

#include <ctime>

class TestStatements : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { Clock::setFixed({}); }
    void statements_data()
    {
        StatementCases::addStatementColumns();
        StatementCases::addStatementRows(m_db->dialect());
    }
    void statements() { StatementCases::checkStatement(*m_db); }
    void refusals_data()
    {
        StatementCases::addErrorColumns();
        StatementCases::addErrorRows();
    }
    void refusals() { StatementCases::checkError(*m_db); }
    void readingSurvivesOtherStatements() { StatementCases::readingSurvivesOtherStatements(*m_db); }
    void datesAreStoredAsIsoText();

private:
    TestHome m_home;
    std::unique_ptr<Database> m_db;
};

void TestStatements::initTestCase()
{
    // A zone away from UTC, so that a date-time bound in UTC must be turned into local time.
    qputenv("TZ", "Asia/Shanghai");
    tzset();
    Clock::setFixed(StatementCases::now());
    m_db = m_home.openInfo();
    StatementCases::fillFixture(*m_db);
}

// Comparisons and sorting on SQLite work on the stored text, so it must be the one ISO form
// whatever Qt type the value was bound with.
void TestStatements::datesAreStoredAsIsoText()
{
    const QVariant birth =
        m_db->scalar(QStringLiteral("select csdate from username where id=:p"), {QStringLiteral("A001")});
    QCOMPARE(birth.toString(), QStringLiteral("1990-05-01"));
    const QVariant saved = m_db->scalar(QStringLiteral("select timeing from jg where id=:p"), {1});
    QCOMPARE(saved.toString(), QStringLiteral("2009-03-15 14:07:00"));
    const QDateTime utc = QDateTime(QDate(2009, 3, 15), QTime(14, 7), Qt::LocalTime).toUTC();
    QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from jg where timeing=:p"), {utc}).toInt(), 1);
}

QTEST_GUILESS_MAIN(TestStatements)
#include "tst_statements.moc"
