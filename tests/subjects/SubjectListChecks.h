// Checks of the subject rows shared by the local and the network database tests.
#pragma once

#include "TestHome.h"

#include "querybuilder/TZTQueryEx.h"
#include "subjects/SubjectList.h"

#include <QTest>

namespace SubjectListChecks {

inline int count(Database& db, const QString& sql, const QVariantList& params = {}) {
    return db.scalar(sql, params).toInt();
}

// Rows that belong to a subject: its results, their factor and item rows, its saved progress.
struct Owned {
    int subjects, results, factors, items, progress;
    bool operator==(const Owned&) const = default;
};

inline Owned owned(Database& db, const QString& id) {
    return {
        count(db, QStringLiteral("select count(*) from username where id=:i"), {id}),
        count(db, QStringLiteral("select count(*) from jg where userid=:i"), {id}),
        count(db,
              QStringLiteral("select count(*) from jgmx where jgid in (select id from jg where userid=:i)"),
              {id}),
        count(db,
              QStringLiteral("select count(*) from jgmxx where jgid in (select id from jg where userid=:i)"),
              {id}),
        count(db, QStringLiteral("select count(*) from testsave where userid=:i"), {id})};
}

inline void saveProgress(Database& db, const QString& userId, int hmid, int answers) {
    for (int k = 0; k < answers; ++k)
        db.run(QStringLiteral("insert into testsave (hmid,userid,topid,ch) values (:h,:u,:t,:c)"),
               {hmid, userId, k, QStringLiteral("ac")});
}

// Two subjects with results and saved progress; A1 has two results.
inline QList<int> twoSubjectsWithResults(Database& db) {
    addSubject(db, QStringLiteral("A1"), QStringLiteral("张三"), QStringLiteral("男"), QDate(1990, 1, 1));
    addSubject(db, QStringLiteral("B2"), QStringLiteral("李四"), QStringLiteral("女"), QDate(1992, 2, 2));
    const int a =
        addStoredResult(db, QStringLiteral("A1"), QStringLiteral("张三"), QStringLiteral("测试量表"), 2, 4);
    const int b =
        addStoredResult(db, QStringLiteral("B2"), QStringLiteral("李四"), QStringLiteral("测试量表"), 3, 5);
    const int c =
        addStoredResult(db, QStringLiteral("A1"), QStringLiteral("张三"), QStringLiteral("另一量表"), 4, 6);
    saveProgress(db, QStringLiteral("A1"), 18, 3);
    saveProgress(db, QStringLiteral("A1"), 48, 2);
    saveProgress(db, QStringLiteral("B2"), 18, 4);
    return {a, b, c};
}

inline void cascadeDelete(Database& db) {
    twoSubjectsWithResults(db);
    QCOMPARE(owned(db, QStringLiteral("A1")), (Owned{1, 2, 6, 10, 5}));
    const Owned other = owned(db, QStringLiteral("B2"));
    SubjectList(db).remove(QStringLiteral("A1"));
    QCOMPARE(owned(db, QStringLiteral("A1")), (Owned{0, 0, 0, 0, 0}));
    QCOMPARE(owned(db, QStringLiteral("B2")), other);
    QCOMPARE(other, (Owned{1, 1, 3, 5, 4}));

    // A subject without results: nothing else changes.
    addSubject(db, QStringLiteral("C3"), QStringLiteral("王五"), QStringLiteral("男"), QDate(1980, 3, 3));
    SubjectList(db).remove(QStringLiteral("C3"));
    QCOMPARE(count(db, QStringLiteral("select count(*) from username")), 1);
    QCOMPARE(count(db, QStringLiteral("select count(*) from jg")), 1);
    QCOMPARE(count(db, QStringLiteral("select count(*) from jgmx")), 3);
    QCOMPARE(count(db, QStringLiteral("select count(*) from testsave")), 4);
}

// refuseSql makes the database refuse the last statement of the cascade.
inline void failedCascadeKeepsEverything(Database& db, const QStringList& refuseSql) {
    twoSubjectsWithResults(db);
    const Owned before = owned(db, QStringLiteral("A1"));
    for (const QString& sql : refuseSql)
        db.run(sql);
    bool refused = false;
    try {
        SubjectList(db).remove(QStringLiteral("A1"));
    } catch (const DbError&) {
        refused = true;
    }
    QVERIFY(refused);
    QCOMPARE(owned(db, QStringLiteral("A1")), before);
    QVERIFY(!db.inTransaction());
}

inline void writesAndRefusals(Database& db) {
    SubjectList list(db);
    SubjectRecord s{QStringLiteral("ab12"), QStringLiteral("张三"), QStringLiteral("男"),
                    QDate(2001, 5, 6),      QStringLiteral("123"),  QStringLiteral("正常组"),
                    QStringLiteral("北京")};
    list.insert(s);
    QCOMPARE(db.scalar(QStringLiteral("select id from username")).toString(), QStringLiteral("AB12"));
    QCOMPARE(variantToDate(db.scalar(QStringLiteral("select csdate from username"))), QDate(2001, 5, 6));

    struct Case {
        const char* id;
        QString message;
    };
    const Case cases[] = {
        {"AB12", QStringLiteral("用户ID不能重复,该用户ID已经存在!")},
        {"", QStringLiteral("用户ID不能为空,请填写后再保存!")},
        {"ABCDEFGHIJK", QStringLiteral("输入的内容超过了允许的长度(用户ID最长为10位),请修改后再保存!")},
    };
    for (const Case& c : cases) {
        SubjectRecord bad = s;
        bad.id = QLatin1String(c.id);
        QString message;
        try {
            list.insert(bad);
        } catch (const DbError& e) {
            message = list.refusalText(e);
        }
        QCOMPARE(message, c.message);
    }
    QCOMPARE(count(db, QStringLiteral("select count(*) from username")), 1);

    s.name = QStringLiteral("张三丰");
    s.birth = QDate();
    s.tel.clear();
    list.update(QStringLiteral("AB12"), s);
    const QSqlRecord row = db.rows(QStringLiteral("select * from username")).front();
    QCOMPARE(row.value(QStringLiteral("name")).toString(), QStringLiteral("张三丰"));
    QVERIFY(row.value(QStringLiteral("csdate")).isNull());
    QVERIFY(row.value(QStringLiteral("tel")).isNull());
}

// A name with an apostrophe is found by the list's search and nothing else changes.
inline void apostropheSearch(Database& db) {
    for (const auto& [id, name] :
         {std::pair{"S1", "O'Brien"}, {"S2", "OBrien"}, {"S3", "O'"}, {"S4", "张'三"}})
        addSubject(db, QLatin1String(id), QString::fromUtf8(name), QStringLiteral("男"), QDate(2000, 1, 1));
    TZTQueryEx query;
    SubjectList::configureQuery(query);
    query.setDateTimeCompart(db.dialect().dateDelimiter());
    auto search = [&](int comparison, const QString& value) {
        query.Terms().clear();
        QString message;
        query.Terms().add(*makeTerm({false, &query.field(1), comparison, value, value}, &message));
        QStringList ids;
        for (const QSqlRecord& r :
             db.rows(SubjectList::listSql(query.QueryTerm()) + QStringLiteral(" order by id")))
            ids << r.value(0).toString();
        return ids;
    };
    QCOMPARE(search(0, QStringLiteral("O'Brien")), QStringList({"S1"}));
    QCOMPARE(search(6, QStringLiteral("'")), QStringList({"S1", "S3", "S4"}));
    QCOMPARE(search(8, QStringLiteral("O'")), QStringList({"S1", "S3"}));
    QCOMPARE(search(0, QStringLiteral("x' or '1'='1")), QStringList());
    QCOMPARE(search(0, QStringLiteral("'; delete from username; --")), QStringList());
    QCOMPARE(count(db, QStringLiteral("select count(*) from username")), 4);
    // No condition lists everyone instead of ending the statement in "where ".
    query.Terms().clear();
    QCOMPARE(SubjectList::listSql(query.QueryTerm()), QStringLiteral("select  *  from username"));
    QCOMPARE(int(db.rows(SubjectList::listSql(query.QueryTerm())).size()), 4);
}

} // namespace SubjectListChecks
