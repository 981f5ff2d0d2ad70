// Result ids and the save on either engine: the first id, what a save writes, the rollback of a
// refused save, and two processes saving into one database at the same time.
#pragma once

#include "data/Clock.h"
#include "data/ResultStore.h"
#include "data/SqlScript.h"

#include <QProcess>
#include <QSet>
#include <QSqlRecord>
#include <QTest>

#include <functional>
#include <memory>

namespace ResultIdCases {

using DatabaseFactory = std::function<std::unique_ptr<Database>()>;

// A result whose every value tells who saved it: process tag t, sequence number s.
// Total t*100000+s; factor k has sum total*10+k; item k scores total*100+k.
inline StoredResult taggedResult(int tag, int seq, int factors = 3, int items = 5)
{
    StoredResult r;
    r.userId = QStringLiteral("W%1").arg(tag);
    r.userName = QStringLiteral("进程%1").arg(tag);
    r.testName = QStringLiteral("并发测试");
    r.savedAt = Clock::now();
    r.total = tag * 100000.0 + seq;
    r.conclusion = QStringLiteral("结论%1-%2").arg(tag).arg(seq);
    r.average = seq / 10.0;
    r.maxAverage = 4;
    r.itemCount = items;
    for (int k = 1; k <= factors; ++k)
        r.factors.push_back(
            {QStringLiteral("因子%1").arg(k), r.total * 10 + k, double(k), QStringLiteral("说明%1").arg(k)});
    for (int k = 1; k <= items; ++k)
        r.items.push_back({k, r.total * 100 + k});
    return r;
}

inline int count(Database& db, const QString& table)
{
    return db.scalar(QStringLiteral("select count(*) from %1").arg(table)).toInt();
}

inline void firstIdIsOneThenMaxPlusOne(Database& db)
{
    ResultStore store(db);
    QCOMPARE(store.NextResultId(), 1);
    QCOMPARE(store.save(taggedResult(1, 1)), 1);
    QCOMPARE(store.save(taggedResult(1, 2)), 2);
    QCOMPARE(store.NextResultId(), 3);
    // Ids are not reserved: a deleted highest result frees its id again, a gap stays a gap.
    store.deleteResult(2);
    QCOMPARE(store.NextResultId(), 2);
    db.run(QStringLiteral("insert into [jg] (id,userid) values (:p,:o)"), {41, QStringLiteral("X")});
    QCOMPARE(store.NextResultId(), 42);
    QCOMPARE(count(db, QStringLiteral("jgmx where jgid=2")), 0);
    QCOMPARE(count(db, QStringLiteral("jgmxx where jgid=2")), 0);
}

// Header, factors in table order and items with their "题号：" text; the time is local time
// to the minute.
inline void saveWritesTheWholeResult(Database& db)
{
    Clock::setFixed(QDateTime(QDate(2009, 3, 15), QTime(14, 7, 42, 500)));
    ResultStore store(db);
    StoredResult r = taggedResult(2, 7, 3, 5);
    r.savedAt = QDateTime();
    const int id = store.save(r);
    Clock::setFixed({});

    const auto header = db.rows(QStringLiteral("select * from jg where id=:p"), {id});
    QCOMPARE(int(header.size()), 1);
    const QSqlRecord& h = header.front();
    QCOMPARE(h.value(QStringLiteral("userid")).toString(), QStringLiteral("W2"));
    QCOMPARE(h.value(QStringLiteral("username")).toString(), QStringLiteral("进程2"));
    QCOMPARE(h.value(QStringLiteral("hmna")).toString(), QStringLiteral("并发测试"));
    QCOMPARE(variantToDateTime(h.value(QStringLiteral("timeing"))), QDateTime(QDate(2009, 3, 15), QTime(14, 7)));
    QCOMPARE(h.value(QStringLiteral("sumcount")).toDouble(), 200007.0);
    QCOMPARE(h.value(QStringLiteral("type")).toString(), QStringLiteral("结论2-7"));
    QCOMPARE(h.value(QStringLiteral("avgcount")).toDouble(), 0.7);
    QCOMPARE(h.value(QStringLiteral("maxavgcount")).toDouble(), 4.0);
    QCOMPARE(h.value(QStringLiteral("tmc")).toInt(), 5);
    QVERIFY(h.value(QStringLiteral("bgr")).isNull());

    QStringList factors;
    for (const QSqlRecord& f : db.rows(QStringLiteral("select * from jgmx where jgid=:k order by id"), {id}))
        factors << QStringLiteral("%1 %2 %3 %4")
                       .arg(f.value(QStringLiteral("hmna")).toString(),
                            QString::number(f.value(QStringLiteral("sumcount")).toDouble(), 'g', 15),
                            f.value(QStringLiteral("avgcount")).toString(), f.value(QStringLiteral("type")).toString());
    QCOMPARE(factors, QStringList({QStringLiteral("因子1 2000071 1 说明1"), QStringLiteral("因子2 2000072 2 说明2"),
                                   QStringLiteral("因子3 2000073 3 说明3")}));
    QStringList items;
    for (const QSqlRecord& i : db.rows(QStringLiteral("select * from jgmxx where jgid=:p order by id"), {id}))
        items << i.value(QStringLiteral("topid")).toString() + QLatin1Char('=') +
                     QString::number(i.value(QStringLiteral("sorc")).toDouble(), 'g', 15);
    QCOMPARE(items, QStringList({QStringLiteral("题号：1=20000701"), QStringLiteral("题号：2=20000702"),
                                 QStringLiteral("题号：3=20000703"), QStringLiteral("题号：4=20000704"),
                                 QStringLiteral("题号：5=20000705")}));
}

// The cancellation test's shorter save and the picture matrices' factor rows leave the
// columns they do not write empty.
inline void shorterSavesLeaveColumnsNull(Database& db)
{
    ResultStore store(db);
    StoredResult score = taggedResult(3, 1, 3, 0);
    score.scoreOnly = true;
    const int a = store.save(score);
    const QSqlRecord h = db.rows(QStringLiteral("select * from jg where id=:p"), {a}).front();
    QCOMPARE(h.value(QStringLiteral("sumcount")).toDouble(), 300001.0);
    for (const char* column : {"type", "avgcount", "maxavgcount", "tmc"})
        QVERIFY2(h.value(QLatin1String(column)).isNull(), column);
    QCOMPARE(
        db.scalar(QStringLiteral("select count(*) from jgmx where jgid=:p and avgcount is null and type is null"), {a})
            .toInt(),
        3);

    StoredResult matrix = taggedResult(3, 2, 2, 1);
    matrix.factorExplanations = false;
    const int b = store.save(matrix);
    QCOMPARE(
        db.scalar(QStringLiteral("select count(*) from jgmx where jgid=:p and avgcount is not null and type is null"),
                  {b})
            .toInt(),
        2);
}

inline void addRollbackColumns()
{
    QTest::addColumn<QString>("dropped"); // the table whose inserts the database refuses
}

inline void addRollbackRows()
{
    QTest::newRow("factor rows refused") << QStringLiteral("jgmx");
    QTest::newRow("item rows refused") << QStringLiteral("jgmxx");
}

// A save that fails part-way leaves no header, factor or item row, and the next save works.
inline void refusedSaveLeavesNothing(const DatabaseFactory& fresh)
{
    QFETCH(QString, dropped);
    std::unique_ptr<Database> db = fresh();
    ResultStore store(*db);
    db->run(QStringLiteral("drop table %1").arg(dropped));
    QVERIFY_THROWS_EXCEPTION(DbError, store.save(taggedResult(4, 1)));
    QVERIFY(!db->inTransaction());
    QCOMPARE(count(*db, QStringLiteral("jg")), 0);
    for (const QString& table : {QStringLiteral("jgmx"), QStringLiteral("jgmxx")})
        if (table != dropped)
            QCOMPARE(count(*db, table), 0);
    QCOMPARE(store.NextResultId(), 1);

    // Put the table back from the schema and save again on the same connection.
    const QString script = db->dialect().isPostgres() ? infoSchemaPostgres() : infoSchemaSqlite();
    for (const QString& statement : splitSqlScript(script)) {
        const QString head = statement.simplified();
        if (head.startsWith(QStringLiteral("CREATE TABLE %1 (").arg(dropped)) ||
            head.contains(QStringLiteral(" ON %1 (").arg(dropped)))
            db->run(statement);
    }
    QCOMPARE(store.save(taggedResult(4, 2)), 1);
    QCOMPARE(count(*db, QStringLiteral("jgmx")), 3);
    QCOMPARE(count(*db, QStringLiteral("jgmxx")), 5);
}

// Starts `processes` workers on the same database, lets them save `perProcess` results each
// at the same moment, and checks that every result got its own id and its own rows.
inline void concurrentSavesKeepResultsApart(Database& db, const QStringList& connectionArgs, int processes = 2,
                                            int perProcess = 200)
{
    const QString worker = QStringLiteral(PSYDESK_BIN_DIR "/result_save_worker");
    QVERIFY2(QFile::exists(worker), qPrintable(worker));
    std::vector<std::unique_ptr<QProcess>> workers;
    for (int tag = 1; tag <= processes; ++tag) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(worker, connectionArgs + QStringList{QStringLiteral("--tag"), QString::number(tag),
                                                      QStringLiteral("--count"), QString::number(perProcess)});
        QVERIFY2(p->waitForStarted(10000), qPrintable(p->errorString()));
        workers.push_back(std::move(p));
    }
    // Every worker has connected before any starts saving.
    for (auto& p : workers) {
        QTRY_VERIFY_WITH_TIMEOUT(p->canReadLine() || p->state() == QProcess::NotRunning, 20000);
        QCOMPARE(p->readLine().trimmed(), QByteArray("ready"));
    }
    for (auto& p : workers)
        p->write("go\n");
    for (auto& p : workers) {
        QVERIFY2(p->waitForFinished(300000), "a worker did not finish");
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }

    const int total = processes * perProcess;
    QSet<int> ids;
    QSet<QString> saved;
    for (const QSqlRecord& h : db.rows(QStringLiteral("select id,userid,sumcount from jg order by id"))) {
        ids.insert(h.value(0).toInt());
        const double sum = h.value(2).toDouble();
        const int tag = int(sum / 100000);
        const int seq = int(sum) % 100000;
        QCOMPARE(h.value(1).toString(), QStringLiteral("W%1").arg(tag));
        saved.insert(QStringLiteral("%1/%2").arg(tag).arg(seq));
    }
    QCOMPARE(int(ids.size()), total);
    QCOMPARE(int(saved.size()), total);
    QCOMPARE(*std::max_element(ids.begin(), ids.end()), total);

    // Every factor and item row carries the total of the header it stands under.
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from jgmx inner join jg on jg.id=jgmx.jgid "
                                      "where jgmx.sumcount=jg.sumcount*10+cast(substr(jgmx.hmna,3) as integer)"))
                 .toInt(),
             total * 3);
    QCOMPARE(db.scalar(QStringLiteral("select count(*) from jgmxx inner join jg on jg.id=jgmxx.jgid "
                                      "where jgmxx.sorc=jg.sumcount*100+cast(substr(jgmxx.topid,4) as integer)"))
                 .toInt(),
             total * 5);
    QCOMPARE(count(db, QStringLiteral("jgmx")), total * 3);
    QCOMPARE(count(db, QStringLiteral("jgmxx")), total * 5);
}

} // namespace ResultIdCases
