// Result ids and saves on the local (SQLite) information database, including two processes
// saving into one file at once.
#include "ResultIdCases.h"
#include "TestHome.h"

#include <QtTest>

class TestResultIds : public QObject {
    Q_OBJECT
private slots:
    void firstIdIsOneThenMaxPlusOne()
    {
        TestHome home;
        ResultIdCases::firstIdIsOneThenMaxPlusOne(*home.openInfo());
    }
    void saveWritesTheWholeResult()
    {
        TestHome home;
        ResultIdCases::saveWritesTheWholeResult(*home.openInfo());
    }
    void shorterSavesLeaveColumnsNull()
    {
        TestHome home;
        ResultIdCases::shorterSavesLeaveColumnsNull(*home.openInfo());
    }
    void refusedSaveLeavesNothing_data()
    {
        ResultIdCases::addRollbackColumns();
        ResultIdCases::addRollbackRows();
    }
    void refusedSaveLeavesNothing();
    void concurrentSavesKeepResultsApart();
};

void TestResultIds::refusedSaveLeavesNothing()
{
    TestHome home;
    ResultIdCases::refusedSaveLeavesNothing([&] { return home.openInfo(); });
}

void TestResultIds::concurrentSavesKeepResultsApart()
{
    TestHome home;
    auto db = home.openInfo();
    ResultIdCases::concurrentSavesKeepResultsApart(*db, {QStringLiteral("--sqlite"), home.infoFile()});
}

QTEST_GUILESS_MAIN(TestResultIds)
#include "tst_result_ids.moc"
