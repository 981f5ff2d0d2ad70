// The chunked list model under the list pages: chunks, applied changes, no row twice.
#include "LazyListChecks.h"

#include "subjects/pages/TFrame1.h"

#include <QSignalSpy>

class TestLazyList : public QObject {
    Q_OBJECT
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Database> m_db;

    void addSubjects(int n) { LazyListChecks::addSubjects(*m_db, n); }

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        m_db = m_home->openInfo();
    }
    void cleanup() {
        m_db.reset();
        m_home.reset();
    }

    void readsInChunks() {
        addSubjects(600);
        LazyQueryModel model;
        model.setKeyColumn(QStringLiteral("id"));
        model.setChunkSize(256);
        model.open(*m_db, QStringLiteral("select * from username order by id"));
        QCOMPARE(model.rowCount(), 256);
        QVERIFY(model.canFetchMore());
        model.fetchMore();
        QCOMPARE(model.rowCount(), 512);
        // Other statements on the connection do not disturb the open list.
        QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from username")).toInt(), 600);
        model.fetchMore();
        QCOMPARE(model.rowCount(), 600);
        QVERIFY(!model.canFetchMore());
        QCOMPARE(model.value(599, QStringLiteral("ID")).toString(), QStringLiteral("U00600"));
    }

    void readsEveryRowOnce_data() {
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::newRow("ascending") << Qt::AscendingOrder;
        QTest::newRow("descending") << Qt::DescendingOrder;
    }
    void readsEveryRowOnce() {
        QFETCH(Qt::SortOrder, order);
        LazyListChecks::readsEveryRowOnce(*m_db, order);
    }

    // Short lists (no key column) are read at open, whatever the chunk size.
    void withoutAKeyTheListIsReadWhole() {
        addSubjects(5);
        LazyQueryModel model;
        model.setChunkSize(2);
        model.open(*m_db, SubjectList::listSql());
        QCOMPARE(model.rowCount(), 5);
        QVERIFY(!model.canFetchMore());
    }

    // A chunk that cannot be read is reported, not thrown into the view that asked for it; the
    // rows held stay and reading stops until the list is opened again.
    void aFailedChunkIsReported() {
        addSubjects(10);
        LazyQueryModel model;
        model.setKeyColumn(QStringLiteral("id"));
        model.setChunkSize(4);
        model.open(*m_db, SubjectList::listSql());
        QSignalSpy failed(&model, &LazyQueryModel::readFailed);
        m_db->run(QStringLiteral("alter table username rename to username_gone"));
        model.fetchMore();
        QCOMPARE(failed.size(), 1);
        QVERIFY(failed.at(0).at(0).toString().contains(QLatin1String("username")));
        QCOMPARE(model.rowCount(), 4);
        QVERIFY(!model.canFetchMore());
        model.fetchAll();
        QCOMPARE(failed.size(), 1);
        m_db->run(QStringLiteral("alter table username_gone rename to username"));
        model.open(*m_db, SubjectList::listSql());
        model.fetchAll();
        QCOMPARE(model.rowCount(), 10);
    }

    // On the page the failure reaches the operator once the grid has stopped asking for rows.
    void aFailedChunkIsShownOnThePage() {
        ScopedScriptedDialogs dialogs;
        addSubjects(300);
        TFrame1 page(PageContext{m_db.get(), nullptr, nullptr});
        page.fill();
        QCOMPARE(page.model()->rowCount(), 256);
        m_db->run(QStringLiteral("alter table username rename to username_gone"));
        page.last();
        QCOMPARE(page.currentRow(), 255);
        QTRY_COMPARE(dialogs.texts().size(), 1);
        QVERIFY2(dialogs.lastText().startsWith(QStringLiteral("读取用户信息失败: ")), qPrintable(dialogs.lastText()));
    }

    void columnsCaptionsAndFormats() {
        addSubjects(1);
        m_db->run(QStringLiteral("update username set tel='1' where id='U00001'"));
        addStoredResult(*m_db, QStringLiteral("U00001"), QStringLiteral("名1"));
        LazyQueryModel model;
        model.setColumns(
            {{QStringLiteral("timeing"), QStringLiteral("测试时间"), LazyQueryModel::Format::DateTime},
             {QStringLiteral("avgcount"), QStringLiteral("平均分"), LazyQueryModel::Format::Number},
             {QStringLiteral("bgr"), QStringLiteral("报告人")}});
        model.open(*m_db, QStringLiteral("select * from jg"));
        QCOMPARE(model.columnCount(), 3);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("平均分"));
        QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("2024-03-01 10:30"));
        QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("1.5"));
        QCOMPARE(model.data(model.index(0, 2)).toString(), QString()); // null
        QCOMPARE(model.columnName(2), QStringLiteral("bgr"));
        QCOMPARE(model.value(0, QStringLiteral("userid")).toString(), QStringLiteral("U00001")); // not shown
    }

    // A row added or changed while the statement is still open is not read a second time.
    void changedRowsComeOnce() {
        addSubjects(300);
        LazyQueryModel model;
        model.setKeyColumn(QStringLiteral("id"));
        model.setChunkSize(100);
        model.open(*m_db, QStringLiteral("select * from username"));
        QCOMPARE(model.rowCount(), 100);

        addSubject(*m_db, QStringLiteral("NEW"), QStringLiteral("新"), QStringLiteral("女"),
                   QDate(2001, 1, 1));
        QVariantList added = model.rowValues(0);
        added[model.fieldIndex(QStringLiteral("id"))] = QStringLiteral("NEW");
        model.insertRowValues(5, added);

        // A changed id puts the row at a new place in the id index, ahead of the statement.
        m_db->run(QStringLiteral("update username set id='U99999' where id='U00050'"));
        QVariantList changed = model.rowValues(49);
        changed[model.fieldIndex(QStringLiteral("id"))] = QStringLiteral("U99999");
        model.setRowValues(49, changed);

        m_db->run(QStringLiteral("delete from username where id='U00010'"));
        model.removeCachedRow(model.findRow(QStringLiteral("id"), QStringLiteral("U00010")));

        model.fetchAll();
        QCOMPARE(model.rowCount(), 300);
        QSet<QString> ids;
        for (int row = 0; row < model.rowCount(); ++row)
            ids.insert(model.value(row, QStringLiteral("id")).toString());
        QCOMPARE(ids.size(), 300);
        QVERIFY(ids.contains(QStringLiteral("NEW")));
        QVERIFY(!ids.contains(QStringLiteral("U00010")));
        QCOMPARE(model.findRow(QStringLiteral("id"), QStringLiteral("NEW")), 5);
    }

    // Transactions between two chunks commit and roll back, and the list reads on afterwards.
    void transactionsWhileAListIsOpen() {
        addSubjects(500);
        LazyQueryModel model;
        model.setKeyColumn(QStringLiteral("id"));
        model.setChunkSize(100);
        model.open(*m_db, QStringLiteral("select * from username"));
        m_db->transaction([&] { m_db->run(QStringLiteral("delete from username where id='U00001'")); });
        try {
            m_db->transaction([&] {
                m_db->run(QStringLiteral("delete from username where id='U00002'"));
                throw DbError(QStringLiteral("stop"));
            });
        } catch (const DbError&) {
        }
        QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from username")).toInt(), 499);
        model.fetchAll();
        QCOMPARE(model.rowCount(), 500); // the first row was read before it went
    }

    void refusedStatementLeavesAnEmptyModel() {
        addSubjects(3);
        LazyQueryModel model;
        model.open(*m_db, QStringLiteral("select * from username"));
        QCOMPARE(model.rowCount(), 3);
        QVERIFY_THROWS_EXCEPTION(DbError, model.open(*m_db, QStringLiteral("select * from nosuch")));
        QCOMPARE(model.rowCount(), 0);
        QVERIFY(!model.canFetchMore());
    }
};

QTEST_MAIN(TestLazyList)
#include "tst_lazylist.moc"
