// The statement cases that must give the same rows on SQLite and on PostgreSQL: a fixture of
// subjects, results and factors, the statements the pages run on them, and refused statements.
#pragma once

#include "data/Clock.h"
#include "data/Database.h"

#include <QDateTime>
#include <QSqlRecord>
#include <QTest>

#include <algorithm>

namespace StatementCases {

// "Now" for every case: the age bands of the grouped summary depend on the current year.
inline QDateTime now()
{
    return QDateTime(QDate(2009, 6, 1), QTime(10, 0));
}

// Subjects, four results of two tests with their factor rows, a factor table like the test
// bank's (for the factor query with its repeated parameter) and two registration rows.
inline void fillFixture(Database& db)
{
    db.run(QStringLiteral("create table hmez (id integer not null primary key, hmid integer not null, ez varchar(100), "
                          "topid text, agemin integer, agemax integer, xb varchar(4))"));
    const auto subject = [&](const char* id, const char* name, const char* sex, QDate birth, const char* group) {
        db.run(
            QStringLiteral("insert into [username] (id,name,xb,csdate,TESTGROU) values (:a,:b,:c,:d,:e)"),
            {QString::fromUtf8(id), QString::fromUtf8(name), QString::fromUtf8(sex), birth, QString::fromUtf8(group)});
    };
    subject("A001", "张三", "男", QDate(1990, 5, 1), "正常组");
    subject("A002", "李四", "女", QDate(1985, 11, 20), "对照组");
    subject("B003", "王五", "男", QDate(2000, 2, 29), "病人组");

    const auto result = [&](int id, const char* user, const char* name, const char* test, QDateTime at, double sum) {
        db.run(
            QStringLiteral("insert into [jg] (id,userid,username,hmna,timeing,sumcount,type,avgcount,maxavgcount,tmc) "
                           "values (:p,:o,:i,:u,:y,:t,:l,:k,:j,:g)"),
            {id, QString::fromUtf8(user), QString::fromUtf8(name), QString::fromUtf8(test), at, sum,
             QStringLiteral("结论"), sum / 4, 4, 4});
    };
    result(1, "A001", "张三", "测试量表", QDateTime(QDate(2009, 3, 15), QTime(14, 7)), 10);
    result(2, "A002", "李四", "测试量表", QDateTime(QDate(2009, 3, 16), QTime(9, 30)), 12);
    result(3, "B003", "王五", "测试量表", QDateTime(QDate(2009, 4, 1), QTime(8, 0)), 13.5);
    result(4, "A001", "张三", "另一量表", QDateTime(QDate(2008, 12, 31), QTime(23, 59)), 7);

    const auto factor = [&](int jgid, const char* name, double sum) {
        db.run(QStringLiteral("insert into jgmx (jgid,hmna,sumcount,avgcount,type) values (:l,:j,:h,:g,:p)"),
               {jgid, QString::fromUtf8(name), sum, sum / 2, QString()});
    };
    factor(1, "因子甲", 4);
    factor(1, "因子乙", 6);
    factor(2, "因子甲", 5);
    factor(2, "因子乙", 7);
    factor(3, "因子甲", 6.5);
    factor(3, "因子乙", 7);
    factor(4, "因子甲", 3);

    const auto hmez = [&](int id, int hmid, const char* name, int ageMin, int ageMax, const char* sex) {
        db.run(QStringLiteral("insert into hmez (id,hmid,ez,topid,agemin,agemax,xb) values (:a,:b,:c,:d,:e,:f,:g)"),
               {id, hmid, QString::fromUtf8(name), QStringLiteral(",1,2,"), ageMin, ageMax, QString::fromUtf8(sex)});
    };
    hmez(1, 200, " 因子甲 ", 0, 9999, "男女");
    hmez(2, 200, "因子乙", 0, 9999, "女");
    hmez(3, 200, "因子丙", 100, 200, "男女");
    hmez(4, 201, "别的因子", 0, 9999, "男女");

    db.run(QStringLiteral("insert into [usebb] (mzh,name,xb,csdate,hwno) values (:q,:w,:e,:r,:t)"),
           {QStringLiteral("M1"), QStringLiteral("童一"), QStringLiteral("男"), QStringLiteral("2015-01-01"), 12});
    db.run(QStringLiteral("insert into [usebb] (mzh,name,xb,csdate,hwno) values (:q,:w,:e,:r,:t)"),
           {QStringLiteral("M2"), QStringLiteral("童二"), QStringLiteral("女"), QStringLiteral("2016-06-01"), 3});
}

// One value as engine-independent text. A column "name@date" or "name@datetime" reads the
// value back as a date the way the pages do; numbers compare by value, whatever type the
// driver chose (SQLite gives 64-bit integers where PostgreSQL gives int or double).
inline QString render(const QSqlRecord& record, const QString& column)
{
    const QString name = column.section(QLatin1Char('@'), 0, 0);
    const QString kind = column.section(QLatin1Char('@'), 1);
    const int at = record.indexOf(name);
    if (at < 0)
        return QStringLiteral("<no column %1>").arg(name);
    const QVariant value = record.value(at);
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isNull()))
        return QStringLiteral("NULL");
    if (kind == QLatin1String("date"))
        return variantToDate(value).toString(QStringLiteral("yyyy-MM-dd"));
    if (kind == QLatin1String("datetime"))
        return variantToDateTime(value).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 15);
    default:
        return value.toString();
    }
}

inline QStringList columns(const char* list)
{
    return QString::fromUtf8(list).split(QLatin1Char(','));
}

inline QStringList expect(std::initializer_list<const char*> rows)
{
    QStringList out;
    for (const char* row : rows)
        out << QString::fromUtf8(row);
    return out;
}

inline void addStatementColumns()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("params");
    QTest::addColumn<QStringList>("columns");  // read by name, in any case
    QTest::addColumn<bool>("ordered");         // false: the statement leaves the row order open
    QTest::addColumn<QStringList>("expected"); // one "a|b|c" per row
}

// The source of the grouped summary: one row per factor row of each result with its subject.
inline QString summarySource()
{
    return QStringLiteral(
        " from (SELECT jg.hmna AS hmna,jg.sumcount AS hmsum, jgmx.hmna AS ezna, jgmx.sumcount AS ezsum, "
        "username.csdate AS csdate, username.xb AS xb, username.testgrou AS testgroup "
        " FROM (jg INNER JOIN username ON jg.username=username.name) INNER JOIN jgmx ON jg.id=jgmx.jgid ) as "
        "t ");
}

// The cases; the few dialect pieces (date literal, current year) come from the engine's Dialect.
inline void addStatementRows(const Dialect& dialect)
{
    const auto row = [](const char* name, const QString& sql, const QVariantList& params, const char* cols,
                        bool ordered, const QStringList& expected) {
        QTest::newRow(name) << sql << params << columns(cols) << ordered << expected;
    };
    const QString q = dialect.dateDelimiter();

    row("bare names", QStringLiteral("select name, xb from username where id=:p"), {QStringLiteral("A002")}, "name,xb",
        true, expect({"李四|女"}));
    row("bracketed names", QStringLiteral("select [name] from [username] where [id]=:p"), {QStringLiteral("A002")},
        "name", true, expect({"李四"}));
    row("upper-case column, bare", QStringLiteral("select TESTGROU from username where id=:p"),
        {QStringLiteral("B003")}, "TESTGROU", true, expect({"病人组"}));
    row("upper-case column, bracketed, read in lower case",
        QStringLiteral("select [TESTGROU] from [username] where [ID]=:p"), {QStringLiteral("B003")}, "testgrou", true,
        expect({"病人组"}));
    row("factor query with :o twice",
        QStringLiteral("select * from hmez where hmid=:o and agemin<=:l and agemax>=:k and xb like :o order by id"),
        {200, 30, 30, QStringLiteral("%男%")}, "ez", true, expect({" 因子甲 "}));
    row("factor query with :o twice, other age and sex",
        QStringLiteral("select * from hmez where hmid=:o and agemin<=:l and agemax>=:k and xb like :o order by id"),
        {200, 150, 150, QStringLiteral("%女%")}, "id,ez", true, expect({"1| 因子甲 ", "2|因子乙", "3|因子丙"}));
    row("like %男%", QStringLiteral("select id from username where xb like :p order by id"), {QStringLiteral("%男%")},
        "id", true, expect({"A001", "B003"}));
    row("like on the visit number (integer)",
        QStringLiteral("select * from [usebb] where ") + QStringLiteral(" usebb.hwno  LIKE  '%2%' \r"), {}, "mzh", true,
        expect({"M1"}));
    row("not like on the visit number",
        QStringLiteral("select * from [usebb] where ") + QStringLiteral(" usebb.hwno  NOT LIKE  '%2%' \r"), {}, "mzh",
        true, expect({"M2"}));
    row("per-test statistics",
        QStringLiteral("select hmna,avg(maxavgcount) as mv,max(sumcount) as x,round(avg(sumcount),1) as "
                       "v,min(sumcount) as i\n"
                       "from jg\n"
                       "group by hmna\n"
                       "order by hmna"),
        {}, "hmna,mv,x,v,i", true, expect({"另一量表|4|7|7|7", "测试量表|4|13.5|11.8|10"}));
    row("per-factor statistics of one test",
        QStringLiteral("select jgmx_hmna,max(sumcount) as x,round(avg(sumcount),1) as v,min(sumcount) as i  from "
                       "(SELECT jg.id, jg.hmna AS jg_hmna, jgmx.hmna AS jgmx_hmna, jgmx.sumcount as sumcount  FROM jg "
                       "INNER JOIN jgmx ON jg.id = jgmx.jgid ) as d where jg_hmna=:p  group by jgmx_hmna"),
        {QStringLiteral("测试量表")}, "jgmx_hmna,x,v,i", false, expect({"因子甲|6.5|5.2|4", "因子乙|7|6.7|6"}));
    row("chart points in ascending order", QStringLiteral("select * from jg  where hmna=:o order by sumcount"),
        {QStringLiteral("测试量表")}, "sumcount", true, expect({"10", "12", "13.5"}));
    row("grouped summary, no box ticked",
        QStringLiteral("select hmna as 项目名称,round(avg(hmsum),1) as 项目平均分") + summarySource() +
            QStringLiteral("group by hmna "),
        {}, "项目名称,项目平均分", false, expect({"另一量表|7", "测试量表|11.8"}));
    row("grouped summary by sex and factor",
        QStringLiteral("select hmna as 项目名称,xb as 性别,ezna as 因子名称,round(avg(ezsum),1) as 因子平均分"
                       ",round(avg(hmsum),1) as 项目平均分") +
            summarySource() + QStringLiteral("group by hmna ,xb,ezna"),
        {}, "项目名称,性别,因子名称,因子平均分,项目平均分", false,
        expect({"另一量表|男|因子甲|3|7", "测试量表|女|因子乙|7|12", "测试量表|女|因子甲|5|12",
                "测试量表|男|因子乙|6.5|11.8", "测试量表|男|因子甲|5.3|11.8"}));
    {
        // Born 1990, 1985 and 2000, summarised in 2009: 1.9 -> 2, 2.4 -> 2, 0.9 -> 1.
        const QString band = QStringLiteral("round((%1-%2)/10.0,0)")
                                 .arg(dialect.currentYear(), dialect.yearOf(QStringLiteral("csdate")));
        row("grouped summary by test group and age band",
            QStringLiteral("select hmna as 项目名称,testgroup as 测试分组,") + band +
                QStringLiteral(" as 年龄段10岁,round(avg(hmsum),1) as 项目平均分") + summarySource() +
                QStringLiteral("group by hmna ,testgroup,") + band,
            {}, "项目名称,测试分组,年龄段10岁,项目平均分", false,
            expect({"另一量表|正常组|2|7", "测试量表|对照组|2|12", "测试量表|正常组|2|10", "测试量表|病人组|1|13.5"}));
    }
    row("date-time on or after a date literal",
        QStringLiteral("select id from jg where timeing >= %1 order by id")
            .arg(dialect.dateLiteral(QDate(2009, 3, 16))),
        {}, "id", true, expect({"2", "3"}));
    row("query builder date condition",
        QStringLiteral("select * from jg where ") +
            QStringLiteral(" jg.timeing  >=  %1%2%1 \r").arg(q, QStringLiteral("2009-03-16")) +
            QStringLiteral(" AND  jg.timeing  <  %1%2%1 \r").arg(q, QStringLiteral("2009-04-01")),
        {}, "id", false, expect({"2"}));
    row("date-time between two dates (the end day's times are after it)",
        QStringLiteral("select id from jg where timeing between %1 and %2 order by id")
            .arg(dialect.dateLiteral(QDate(2009, 3, 15)), dialect.dateLiteral(QDate(2009, 3, 16))),
        {}, "id", true, expect({"1"}));
    row("birth date between bound dates, ends included",
        QStringLiteral("select id from username where csdate between :a and :b order by id"),
        {QDate(1985, 11, 20), QDate(1990, 5, 1)}, "id", true, expect({"A001", "A002"}));
    row("date-time before a bound date-time", QStringLiteral("select id from jg where timeing < :p order by id"),
        {QDateTime(QDate(2009, 3, 16), QTime(9, 30))}, "id", true, expect({"1", "4"}));
    row("dates read back",
        QStringLiteral("select username.csdate, jg.timeing from username inner join jg on jg.userid=username.id "
                       "where jg.id=:p"),
        {1}, "csdate@date,timeing@datetime", true, expect({"1990-05-01|2009-03-15 14:07:00"}));
    row("a leap-day birth date read back", QStringLiteral("select csdate from username where id=:p"),
        {QStringLiteral("B003")}, "csdate@date", true, expect({"2000-02-29"}));
    row("colon and brackets inside a literal are text",
        QStringLiteral("select id from username where name <> 'a:b [c]' and id=:p"), {QStringLiteral("A001")}, "id",
        true, expect({"A001"}));
    row("max of no rows is null", QStringLiteral("select max(id) as mm from [jg] where id > :p"), {1000}, "mm", true,
        expect({"NULL"}));
    row("count of factor rows", QStringLiteral("select count(*) as c from jgmx where jgid=:p"), {1}, "c", true,
        expect({"2"}));
    row("factor rows in insertion order", QStringLiteral("select *  from jgmx where jgid=:p order by id"), {3},
        "hmna,sumcount", true, expect({"因子甲|6.5", "因子乙|7"}));
}

inline void checkStatement(Database& db)
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, params);
    QFETCH(QStringList, columns);
    QFETCH(bool, ordered);
    QFETCH(QStringList, expected);
    QStringList actual;
    try {
        for (const QSqlRecord& record : db.rows(sql, params)) {
            QStringList values;
            for (const QString& column : columns)
                values << render(record, column);
            actual << values.join(QLatin1Char('|'));
        }
    } catch (const DbError& e) {
        QFAIL(qPrintable(QStringLiteral("refused: ") + e.message()));
    }
    if (!ordered) {
        std::sort(actual.begin(), actual.end());
        std::sort(expected.begin(), expected.end());
    }
    QCOMPARE(actual, expected);
}

inline void addErrorColumns()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("params");
    QTest::addColumn<QString>("fragment"); // a word the message must contain; empty: any message
}

inline void addErrorRows()
{
    QTest::newRow("unknown column") << QStringLiteral("select nosuchcolumn from jg") << QVariantList{}
                                    << QStringLiteral("nosuchcolumn");
    QTest::newRow("unknown table") << QStringLiteral("select * from [nosuchtable]") << QVariantList{}
                                   << QStringLiteral("nosuchtable");
    QTest::newRow("duplicate result id") << QStringLiteral("insert into [jg] (id,userid) values (:p,:o)")
                                         << QVariantList{1, QStringLiteral("A001")} << QStringLiteral("jg");
    QTest::newRow("apostrophe in a condition value")
        << QStringLiteral("select * from username where  username.name  =  'O'Brien' \r") << QVariantList{}
        << QStringLiteral("Brien");
    QTest::newRow("empty condition") << QStringLiteral("select * from username where ") << QVariantList{} << QString();
    QTest::newRow("too few parameters") << QStringLiteral("select * from jg where id=:p and userid=:o")
                                        << QVariantList{1} << QStringLiteral("参数个数不符");
    QTest::newRow("too many parameters") << QStringLiteral("select * from jg where id=:p") << QVariantList{1, 2}
                                         << QStringLiteral("参数个数不符");
    QTest::newRow("a repeated name is two parameters")
        << QStringLiteral("select * from hmez where hmid=:o and xb like :o") << QVariantList{200}
        << QStringLiteral("参数个数不符");
}

// The statement is refused with the database's own text, and the connection stays usable.
inline void checkError(Database& db)
{
    QFETCH(QString, sql);
    QFETCH(QVariantList, params);
    QFETCH(QString, fragment);
    bool refused = false;
    try {
        db.run(sql, params);
    } catch (const DbError& e) {
        refused = true;
        QVERIFY2(!e.message().trimmed().isEmpty(), "a refusal without a message");
        QVERIFY2(e.message().contains(fragment, Qt::CaseInsensitive), qPrintable(e.message()));
    }
    QVERIFY2(refused, "the statement was accepted");
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from jg where id=:p"), {1}).toInt(), 1);
}

// A page that walks the rows of one query and runs other statements per row (the cascade
// delete of a subject, for one) must see every row on either engine.
inline void readingSurvivesOtherStatements(Database& db)
{
    QStringList seen;
    db.transaction([&] {
        QSqlQuery results =
            db.run(QStringLiteral("select id from jg where userid like :p order by id"), {QStringLiteral("%")});
        while (results.next()) {
            const int id = results.value(0).toInt();
            seen << QString::number(id) + QLatin1Char(':') +
                        db.scalar(QStringLiteral("select count(*) from jgmx where jgid=:p"), {id}).toString();
            db.run(QStringLiteral("update jg set bgr=:p where id=:o"), {QStringLiteral("复核"), id});
        }
    });
    QCOMPARE(seen,
             QStringList({QStringLiteral("1:2"), QStringLiteral("2:2"), QStringLiteral("3:2"), QStringLiteral("4:1")}));
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from jg where bgr=:p"), {QStringLiteral("复核")}).toInt(), 4);
}

} // namespace StatementCases
