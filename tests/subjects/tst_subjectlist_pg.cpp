// Subject rows on the network database: writes, refusals, cascade delete, search, the list
// read in chunks.
#include "LazyListChecks.h"
#include "SubjectListChecks.h"

#include "data/LazyQueryModel.h"
#include "querybuilder/pages/TFormQueryDlg.h"
#include "subjects/pages/TFrame1.h"

#include <QComboBox>
#include <QLineEdit>

class TestSubjectListPg : public QObject {
    Q_OBJECT
    std::unique_ptr<Database> m_db;

private slots:
    void init() {
        ConnectionSettings settings;
        QString why;
        if (!PgTestServer::createDatabase(QStringLiteral("subjectlist"), &settings, &why))
            QFAIL(qPrintable(why));
        m_db = std::make_unique<Database>();
        QVERIFY2(m_db->open(settings), qPrintable(m_db->lastError()));
    }
    void cleanup() {
        TFormQueryDlg::setDriver({});
        m_db.reset();
    }

    void cascadeDelete() { SubjectListChecks::cascadeDelete(*m_db); }
    void failedCascadeKeepsEverything() {
        SubjectListChecks::failedCascadeKeepsEverything(
            *m_db, {QStringLiteral("create function refuse() returns trigger language plpgsql as "
                                   "$$ begin raise exception 'refused'; end $$"),
                    QStringLiteral("create trigger refuse before delete on testsave for each row "
                                   "execute function refuse()")});
    }
    void writesAndRefusals() { SubjectListChecks::writesAndRefusals(*m_db); }
    void apostropheSearch() { SubjectListChecks::apostropheSearch(*m_db); }

    // A list without a key column is read whole at open and stays intact beside other
    // statements.
    void listsSurviveOtherStatements() {
        for (int i = 1; i <= 5; ++i)
            addSubject(*m_db, QStringLiteral("P%1").arg(i), QStringLiteral("名"), QStringLiteral("男"),
                       QDate(2000, 1, i));
        LazyQueryModel model;
        model.setChunkSize(2);
        model.open(*m_db, SubjectList::listSql());
        QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from jg")).toInt(), 0);
        QCOMPARE(model.rowCount(), 5);
        QVERIFY(!model.canFetchMore());
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

    // The page walks through 3,000 subjects a chunk at a time; its own edit and delete between
    // two chunks neither lose nor repeat a row, and refresh and find read in chunks again.
    void pageReadsInChunks() {
        ScopedScriptedDialogs dialogs;
        LazyListChecks::addSubjects(*m_db, 3000);
        TFrame1 page(PageContext{m_db.get(), nullptr, nullptr});
        page.fill();
        LazyQueryModel& model = *page.model();
        QCOMPARE(model.rowCount(), 256);
        for (int i = 0; i < 300; ++i)
            page.next();
        QCOMPARE(page.currentRow(), 300);
        QCOMPARE(model.rowCount(), 512);
        QCOMPARE(model.value(300, QStringLiteral("id")).toString(), QStringLiteral("U00301"));

        page.editRecord();
        page.findChild<QLineEdit*>(QStringLiteral("nameEdit"))->setText(QStringLiteral("改名"));
        QVERIFY(page.post());
        QCOMPARE(m_db->scalar(QStringLiteral("select name from username where id='U00301'")).toString(),
                 QStringLiteral("改名"));
        page.next();
        page.deleteRecord();
        QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from username where id='U00302'")).toInt(), 0);
        QCOMPARE(model.value(page.currentRow(), QStringLiteral("id")).toString(), QStringLiteral("U00303"));

        page.last();
        QCOMPARE(model.rowCount(), 2999);
        QCOMPARE(page.currentRow(), 2998);
        QStringList ids = LazyListChecks::heldIds(model);
        QStringList stored;
        for (const QSqlRecord& r : m_db->rows(QStringLiteral("select id from username order by id")))
            stored << r.value(0).toString();
        QCOMPARE(ids, stored);
        QCOMPARE(model.value(300, QStringLiteral("name")).toString(), QStringLiteral("改名"));

        page.refresh();
        QCOMPARE(page.currentRow(), 2998);
        QCOMPARE(model.value(2998, QStringLiteral("id")).toString(), QStringLiteral("U03000"));

        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            d.findChild<QComboBox*>(QStringLiteral("fieldBox"))->setCurrentIndex(0);   // 用户ID
            d.findChild<QComboBox*>(QStringLiteral("compareBox"))->setCurrentIndex(3); // 大于或等于
            qobject_cast<QLineEdit*>(d.valueEditor())->setText(QStringLiteral("U02000"));
            d.addTerm();
            d.accept();
        });
        page.findRecords();
        QCOMPARE(model.rowCount(), 256);
        QVERIFY(model.canFetchMore());
        page.last();
        QCOMPARE(model.rowCount(), 1001);
        QCOMPARE(model.value(0, QStringLiteral("id")).toString(), QStringLiteral("U02000"));
        QCOMPARE(dialogs.texts(), QStringList({QStringLiteral("确定要删除当前记录吗？")}));
    }
};

QTEST_MAIN(TestSubjectListPg)
#include "tst_subjectlist_pg.moc"
