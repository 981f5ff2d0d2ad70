// What the information database schema must hold on either engine: every table and column
// the pages use, the keys (subject id, result id, numbered row ids) and the indexes that the
// pages' lookups rely on.
#pragma once

#include "data/Database.h"

#include <QSqlRecord>
#include <QTest>

namespace SchemaCases {

inline void addColumnColumns()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");
}

inline void addInfoColumnRows()
{
    QTest::newRow("username") << "username"
                              << "id,name,xb,csdate,tel,TESTGROU,address";
    QTest::newRow("jg") << "jg"
                        << "id,userid,username,hmna,timeing,sumcount,type,avgcount,maxavgcount,tmc,bgr";
    QTest::newRow("jgmx") << "jgmx"
                          << "id,jgid,hmna,sumcount,avgcount,type";
    QTest::newRow("jgmxx") << "jgmxx"
                           << "id,jgid,topid,sorc";
    QTest::newRow("testsave") << "testsave"
                              << "hmid,userid,topid,ch";
    QTest::newRow("usebb") << "usebb"
                           << "id,mzh,name,xb,csdate,hwno";
    QTest::newRow("usekb") << "usekb"
                           << "id,mzh,hwno,hwdate,hcm,wkg,cx,addr,tel";
    QTest::newRow("usexg") << "usexg"
                           << "id,mzh,hwno,name,ral,tel";
    QTest::newRow("usexx") << "usexx"
                           << "id,mzh,hwno,hmlr,hmjg";
}

// Selecting the columns by name (bracketed, as some pages write them) must work.
inline void checkColumns(Database& db)
{
    QFETCH(QString, table);
    QFETCH(QString, columns);
    QStringList bracketed;
    for (const QString& column : columns.split(QLatin1Char(',')))
        bracketed << QLatin1Char('[') + column + QLatin1Char(']');
    try {
        const QSqlRecord record =
            db.run(QStringLiteral("select %1 from [%2] where 1=0").arg(bracketed.join(QLatin1Char(',')), table))
                .record();
        QCOMPARE(record.count(), int(columns.count(QLatin1Char(',')) + 1));
    } catch (const DbError& e) {
        QFAIL(qPrintable(e.message()));
    }
}

// The columns of each index of a table, in index order ("jgid", "hmid,userid"), read from the
// engine's catalogue.
inline QStringList indexesOf(Database& db, const QString& table)
{
    const QString sql =
        db.dialect().isPostgres()
            ? QStringLiteral("select i.relname, a.attname from pg_index x join pg_class t on t.oid = x.indrelid "
                             "join pg_class i on i.oid = x.indexrelid "
                             "cross join lateral unnest(x.indkey) with ordinality as k(attnum, ord) "
                             "join pg_attribute a on a.attrelid = t.oid and a.attnum = k.attnum "
                             "where t.relname = :t order by i.relname, k.ord")
            : QStringLiteral("select il.name, ii.name from pragma_index_list(:t) as il, "
                             "pragma_index_info(il.name) as ii "
                             "order by il.name, ii.seqno");
    QMap<QString, QStringList> columns;
    for (const QSqlRecord& row : db.rows(sql, {table}))
        columns[row.value(0).toString()] << row.value(1).toString().toLower();
    QStringList out;
    for (const QStringList& list : columns)
        out << list.join(QLatin1Char(','));
    return out;
}

inline void addIndexColumns()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns"); // the leading columns some index must have
}

inline void addInfoIndexRows()
{
    QTest::newRow("username by id") << "username"
                                    << "id";
    QTest::newRow("jg by id") << "jg"
                              << "id";
    QTest::newRow("jg by userid") << "jg"
                                  << "userid";
    QTest::newRow("jg by hmna") << "jg"
                                << "hmna";
    QTest::newRow("jgmx by jgid") << "jgmx"
                                  << "jgid";
    QTest::newRow("jgmxx by jgid") << "jgmxx"
                                   << "jgid";
    QTest::newRow("testsave by test and subject") << "testsave"
                                                  << "hmid,userid";
    QTest::newRow("usebb by clinic number") << "usebb"
                                            << "mzh";
    QTest::newRow("usebb by visit number") << "usebb"
                                           << "hwno";
    QTest::newRow("usekb by clinic number and visit") << "usekb"
                                                      << "mzh,hwno";
    QTest::newRow("usexg by clinic number and visit") << "usexg"
                                                      << "mzh,hwno";
    QTest::newRow("usexx by clinic number and visit") << "usexx"
                                                      << "mzh,hwno";
}

inline void checkIndex(Database& db)
{
    QFETCH(QString, table);
    QFETCH(QString, columns);
    const QStringList indexes = indexesOf(db, table);
    const bool found = std::any_of(indexes.begin(), indexes.end(), [&](const QString& index) {
        return index == columns || index.startsWith(columns + QLatin1Char(','));
    });
    QVERIFY2(found, qPrintable(QStringLiteral("indexes of %1: %2").arg(table, indexes.join(QLatin1String("; ")))));
}

inline bool refused(Database& db, const QString& sql, const QVariantList& params)
{
    try {
        db.run(sql, params);
    } catch (const DbError&) {
        return true;
    }
    return false;
}

// The subject id: unique, at most ten characters (counted as characters, not bytes).
inline void subjectIdIsAtMostTenCharacters(Database& db)
{
    const QString insert = QStringLiteral("insert into username (id,name) values (:a,:b)");
    QVERIFY(!refused(db, insert, {QStringLiteral("ABCDEFGHIJ"), QStringLiteral("十个字符")}));
    QVERIFY(!refused(db, insert, {QStringLiteral("一二三四五六七八九十"), QStringLiteral("十个汉字")}));
    QVERIFY(refused(db, insert, {QStringLiteral("ABCDEFGHIJK"), QStringLiteral("十一个")}));
    QVERIFY(refused(db, insert, {QStringLiteral("一二三四五六七八九十一"), QStringLiteral("十一个汉字")}));
    QVERIFY(refused(db, insert, {QStringLiteral("ABCDEFGHIJ"), QStringLiteral("重复")}));
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from username")).toInt(), 2);
}

// The result id is the program's: a header without one is refused, never numbered.
inline void resultIdIsNotNumberedByTheDatabase(Database& db)
{
    QVERIFY(refused(db, QStringLiteral("insert into jg (userid) values (:p)"), {QStringLiteral("A1")}));
    QVERIFY(!refused(db, QStringLiteral("insert into jg (id,userid) values (:p,:o)"), {7, QStringLiteral("A1")}));
    QVERIFY(refused(db, QStringLiteral("insert into jg (id,userid) values (:p,:o)"), {7, QStringLiteral("A2")}));
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from jg")).toInt(), 1);
}

inline void addNumberedColumns()
{
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QVariantList>("params");
}

inline void addNumberedRows()
{
    QTest::newRow("jgmx") << "insert into jgmx (jgid,hmna,sumcount) values (:l,:j,:h)" << QVariantList{1, "因子", 2.5};
    QTest::newRow("jgmxx") << "insert into jgmxx (jgid,topid,sorc) values (:l,:k,:j)" << QVariantList{1, "题号：1", 1};
    QTest::newRow("usebb") << "insert into [usebb] (mzh,name,xb,csdate,hwno) values (:q,:w,:e,:r,:t)"
                           << QVariantList{QString(), "童", "男", "2015-01-01", 1};
    QTest::newRow("usekb")
        << "insert into [usekb] (mzh,hwno,hwdate,hcm,wkg,cx,addr,tel) values (:q,:w,:o,:k,:s,:m,:n,:b)"
        << QVariantList{"M1", 1, "2016-01-02", "85.5", "12", "城市", "地址", "123"};
    QTest::newRow("usexg") << "insert into [usexg] (mzh,hwno,name,ral,tel) values (:q,:w,:e,:r,:t)"
                           << QVariantList{"M1", 1, "甲", "父", "1"};
    QTest::newRow("usexx") << "insert into [usexx] (mzh,hwno,hmlr,hmjg) values (:q,:w,:e,:r)"
                           << QVariantList{"M1", 1, "问题", "是"};
}

// Row ids the database numbers, ascending in insertion order; usebb's clinic number is unique.
inline void rowIdsAreNumbered(Database& db)
{
    QFETCH(QString, insert);
    QFETCH(QVariantList, params);
    const QString table = insert.section(QLatin1Char(' '), 2, 2).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    const bool registration = table == QLatin1String("usebb");
    for (int n = 1; n <= 3; ++n) {
        QVariantList values = params;
        if (registration)
            values[0] = QStringLiteral("M%1").arg(n);
        db.run(insert, values);
    }
    QList<int> ids;
    for (const QSqlRecord& row : db.rows(QStringLiteral("select id from %1 order by id").arg(table)))
        ids << row.value(0).toInt();
    QCOMPARE(ids.size(), 3);
    QVERIFY(ids[0] > 0 && ids[0] < ids[1] && ids[1] < ids[2]);
    if (registration) {
        params[0] = QStringLiteral("M2");
        QVERIFY(refused(db, insert, params));
    }
}

} // namespace SchemaCases
