// The network schema (qovinfodb.sql as the test server loads it): the same tables, keys and
// indexes as the local information database.
#include "SchemaCases.h"
#include "TestHome.h"

#include <QtTest>

class TestSchemaPg : public QObject {
    Q_OBJECT
private slots:
    void infoColumns_data()
    {
        SchemaCases::addColumnColumns();
        SchemaCases::addInfoColumnRows();
    }
    void infoColumns() { SchemaCases::checkColumns(*fresh()); }
    void infoIndexes_data()
    {
        SchemaCases::addIndexColumns();
        SchemaCases::addInfoIndexRows();
    }
    void infoIndexes() { SchemaCases::checkIndex(*fresh()); }
    void subjectIdIsAtMostTenCharacters() { SchemaCases::subjectIdIsAtMostTenCharacters(*fresh()); }
    void resultIdIsNotNumberedByTheDatabase() { SchemaCases::resultIdIsNotNumberedByTheDatabase(*fresh()); }
    void rowIdsAreNumbered_data()
    {
        SchemaCases::addNumberedColumns();
        SchemaCases::addNumberedRows();
    }
    void rowIdsAreNumbered() { SchemaCases::rowIdsAreNumbered(*fresh()); }

private:
    std::unique_ptr<Database> fresh();
};

std::unique_ptr<Database> TestSchemaPg::fresh()
{
    ConnectionSettings settings;
    QString why;
    if (!PgTestServer::createDatabase(QStringLiteral("schema"), &settings, &why))
        qFatal("%s", qPrintable(why));
    auto db = std::make_unique<Database>();
    if (!db->open(settings))
        qFatal("%s", qPrintable(db->lastError()));
    return db;
}

QTEST_GUILESS_MAIN(TestSchemaPg)
#include "tst_schema_pg.moc"
