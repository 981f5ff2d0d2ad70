// Chunked list reading shared by the local and the network database tests: every row once, in
// key order, whatever runs between two chunks.
#pragma once

#include "TestHome.h"

#include "data/LazyQueryModel.h"
#include "subjects/SubjectList.h"

#include <QTest>

#include <algorithm>

namespace LazyListChecks {

inline QString subjectId(int i)
{
    return QStringLiteral("U%1").arg(i, 5, 10, QLatin1Char('0'));
}

inline void addSubjects(Database& db, int n)
{
    db.transaction([&] {
        for (int i = 1; i <= n; ++i)
            addSubject(db, subjectId(i), QStringLiteral("名%1").arg(i), QStringLiteral("男"),
                       QDate(2000, 1, 1).addDays(i % 3000));
    });
}

inline QStringList heldIds(const LazyQueryModel& model)
{
    QStringList ids;
    for (int row = 0; row < model.rowCount(); ++row)
        ids << model.value(row, QStringLiteral("id")).toString();
    return ids;
}

// 3,000 subjects read 256 at a time in the given order of their ids. Between two chunks, rows
// not read yet are deleted and edited, the row the next chunk starts after is deleted, a held
// row is deleted, a held row's id moves past the rows read, a row is added past them and a
// transaction rolls back. Every row of the table is then held exactly once, and the rows read
// from the database came in key order.
inline void readsEveryRowOnce(Database& db, Qt::SortOrder order)
{
    const int total = 3000;
    const int chunk = 256;
    addSubjects(db, total);
    const bool ascending = order == Qt::AscendingOrder;
    // The subject at a position of the list as first read.
    auto idAt = [&](int position) { return subjectId(ascending ? position + 1 : total - position); };
    // Ids that sort after every row of the table in this order.
    const QString movedId = ascending ? QStringLiteral("V00001") : QStringLiteral("A00001");
    const QString addedId = ascending ? QStringLiteral("V00002") : QStringLiteral("A00002");

    LazyQueryModel model;
    model.setKeyColumn(QStringLiteral("id"), order);
    model.setChunkSize(chunk);
    model.open(db, SubjectList::listSql());
    QCOMPARE(model.rowCount(), chunk);
    QVERIFY(model.canFetchMore());
    QCOMPARE(model.value(0, QStringLiteral("id")).toString(), idAt(0));
    QCOMPARE(model.value(chunk - 1, QStringLiteral("id")).toString(), idAt(chunk - 1));
    const int idField = model.fieldIndex(QStringLiteral("id"));
    const QString remove = QStringLiteral("delete from username where id=:i");

    db.run(remove, {idAt(1000)});
    db.run(QStringLiteral("update username set name=:n where id=:i"), {QStringLiteral("改过"), idAt(1500)});
    // The next chunk starts after this row's id, which is gone from the table now.
    db.run(remove, {idAt(chunk - 1)});
    model.removeCachedRow(chunk - 1);
    db.run(remove, {idAt(10)});
    model.removeCachedRow(model.findRow(QStringLiteral("id"), idAt(10)));

    db.run(QStringLiteral("update username set id=:n where id=:o"), {movedId, idAt(20)});
    const int movedRow = model.findRow(QStringLiteral("id"), idAt(20));
    QVariantList moved = model.rowValues(movedRow);
    moved[idField] = movedId;
    model.setRowValues(movedRow, moved);

    addSubject(db, addedId, QStringLiteral("新"), QStringLiteral("女"), QDate(2001, 1, 1));
    QVariantList added = model.rowValues(0);
    added[idField] = addedId;
    model.insertRowValues(0, added);

    try {
        db.transaction([&] {
            db.run(remove, {idAt(2000)});
            throw DbError(QStringLiteral("stop"));
        });
    } catch (const DbError&) {
    }

    int fetches = 0;
    while (model.canFetchMore()) {
        const int before = model.rowCount();
        model.fetchMore();
        ++fetches;
        QVERIFY(model.rowCount() >= before);
        QVERIFY(model.rowCount() - before <= chunk);
        // Another statement between every two chunks.
        QCOMPARE(db.scalar(QStringLiteral("select count(*) from username")).toInt(), total - 2);
        QVERIFY(fetches <= total);
    }
    QVERIFY2(fetches >= total / chunk - 1, qPrintable(QString::number(fetches)));

    const QStringList held = heldIds(model);
    QStringList stored;
    for (const QSqlRecord& r : db.rows(QStringLiteral("select id from username")))
        stored << r.value(0).toString();
    QCOMPARE(held.size(), stored.size());
    QStringList sortedHeld = held;
    sortedHeld.sort();
    stored.sort();
    QCOMPARE(sortedHeld, stored);

    QStringList read = held;
    read.removeOne(movedId);
    read.removeOne(addedId);
    QStringList inOrder = read;
    std::sort(inOrder.begin(), inOrder.end(),
              [ascending](const QString& a, const QString& b) { return ascending ? a < b : b < a; });
    QCOMPARE(read, inOrder);
    QCOMPARE(model.findRow(QStringLiteral("id"), addedId), 0);
    QCOMPARE(model.findRow(QStringLiteral("id"), movedId), movedRow + 1); // below the added row
    QCOMPARE(model.value(model.findRow(QStringLiteral("id"), idAt(1500)), QStringLiteral("name")).toString(),
             QStringLiteral("改过"));
}

} // namespace LazyListChecks
