// The local schemas: the information database's tables, keys and indexes (shared with the
// PostgreSQL run) and the test bank's tables and indexes.
#include "SchemaCases.h"
#include "TestHome.h"

#include <QtTest>

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void infoColumns_data()
    {
        SchemaCases::addColumnColumns();
        SchemaCases::addInfoColumnRows();
    }
    void infoColumns() { SchemaCases::checkColumns(*m_info); }
    void infoIndexes_data()
    {
        SchemaCases::addIndexColumns();
        SchemaCases::addInfoIndexRows();
    }
    void infoIndexes() { SchemaCases::checkIndex(*m_info); }
    void subjectIdIsAtMostTenCharacters()
    {
        TestHome home;
        SchemaCases::subjectIdIsAtMostTenCharacters(*home.openInfo());
    }
    void resultIdIsNotNumberedByTheDatabase()
    {
        TestHome home;
        SchemaCases::resultIdIsNotNumberedByTheDatabase(*home.openInfo());
    }
    void rowIdsAreNumbered_data()
    {
        SchemaCases::addNumberedColumns();
        SchemaCases::addNumberedRows();
    }
    void rowIdsAreNumbered()
    {
        TestHome home;
        SchemaCases::rowIdsAreNumbered(*home.openInfo());
    }
    void bankColumns_data();
    void bankColumns() { SchemaCases::checkColumns(*m_bank); }
    void bankIndexes_data();
    void bankIndexes() { SchemaCases::checkIndex(*m_bank); }
    void bankIsOpenedReadOnly();

private:
    TestHome m_home;
    std::unique_ptr<Database> m_info;
    std::unique_ptr<Database> m_bank;
};

void TestSchema::initTestCase()
{
    m_info = m_home.openInfo();
    m_home.bank();
    m_home.finishBank();
    m_bank = m_home.openBank();
}

void TestSchema::bankColumns_data()
{
    SchemaCases::addColumnColumns();
    QTest::newRow("treename") << "treename"
                              << "id,parentid,name,chc,maxavg,max,min,xb,hmjg";
    QTest::newRow("toplr") << "toplr"
                           << "hmid,topid,toplr,chc,A,B,C,D,E,f,g,h,i,j,ac,bc,cc,dc,ec,fc,gc,hc,ic,jc,picture";
    QTest::newRow("hmez") << "hmez"
                          << "id,hmid,ez,topid,agemin,agemax,xb";
    QTest::newRow("account") << "account"
                             << "hmid,name,min,max,agemin,agemax,xb,explain";
    QTest::newRow("Convert_MMPI") << "Convert_MMPI"
                                  << "User_Sex,Factor_Number,Original_Score,CONVERTED_SCORE";
    QTest::newRow("AverageSD") << "AverageSD"
                               << "age,gender,average,sd";
}

void TestSchema::bankIndexes_data()
{
    SchemaCases::addIndexColumns();
    QTest::newRow("toplr by test and item") << "toplr"
                                            << "hmid,topid";
    QTest::newRow("hmez by test") << "hmez"
                                  << "hmid";
    QTest::newRow("account by test and name") << "account"
                                              << "hmid,name";
}

void TestSchema::bankIsOpenedReadOnly()
{
    QVERIFY(SchemaCases::refused(*m_bank,
                                 QStringLiteral("insert into AverageSD (age,gender,average,sd) values (:a,:b,:c,:d)"),
                                 {6, QStringLiteral("男"), 20, 3.5}));
    QCOMPARE(m_bank->scalar(QStringLiteral("select count(*) from AverageSD")).toInt(), 0);
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
