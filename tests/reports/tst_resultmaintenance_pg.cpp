// Result maintenance on the network database: date search, delete and edits, the list read in
// chunks.
#include "TestHome.h"

#include "data/LazyQueryModel.h"
#include "querybuilder/pages/TFormQueryDlg.h"
#include "querybuilder/pages/TZTDateEdit.h"
#include "reports/pages/TFrame2.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestResultMaintenancePg : public QObject {
    Q_OBJECT
    std::unique_ptr<Database> m_db;

private slots:
    void init() {
        ConnectionSettings settings;
        QString why;
        if (!PgTestServer::createDatabase(QStringLiteral("resultmaintenance"), &settings, &why))
            QFAIL(qPrintable(why));
        m_db = std::make_unique<Database>();
        QVERIFY2(m_db->open(settings), qPrintable(m_db->lastError()));
    }
    void cleanup() {
        TFormQueryDlg::setDriver({});
        m_db.reset();
    }

    void searchesByDateAndDeletes() {
        ScopedScriptedDialogs dialogs;
        const int older = addStoredResult(*m_db, QStringLiteral("A1"), QStringLiteral("张三"));
        m_db->run(QStringLiteral("update jg set timeing=:t where id=:i"),
                  {QDateTime(QDate(2019, 5, 1), QTime(9, 0)), older});
        const int newer =
            addStoredResult(*m_db, QStringLiteral("B2"), QStringLiteral("李四"), QStringLiteral("O'量表"));

        TFrame2 page(PageContext{m_db.get(), nullptr, nullptr});
        page.fill();
        QCOMPARE(page.resultModel()->rowCount(), 2);
        QCOMPARE(page.resultModel()->index(1, 3).data().toString(), QStringLiteral("2019-05-01 09:00"));
        QCOMPARE(page.factorModel()->rowCount(), 2);

        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            d.findChild<QComboBox*>(QStringLiteral("fieldBox"))->setCurrentIndex(3);   // 测试时间
            d.findChild<QComboBox*>(QStringLiteral("compareBox"))->setCurrentIndex(3); // 大于或等于
            qobject_cast<TZTDateEdit*>(d.valueEditor())->setDate(QDate(2020, 1, 1));
            d.addTerm();
            d.findChild<QComboBox*>(QStringLiteral("fieldBox"))->setCurrentIndex(4);   // 测试项目
            d.findChild<QComboBox*>(QStringLiteral("compareBox"))->setCurrentIndex(8); // 左边等于
            qobject_cast<QLineEdit*>(d.valueEditor())->setText(QStringLiteral("O'"));
            d.addTerm();
            d.accept();
        });
        page.RzBitBtn1Click();
        QVERIFY2(dialogs.texts().isEmpty(), qPrintable(dialogs.texts().join(QLatin1Char('\n'))));
        QCOMPARE(page.resultModel()->rowCount(), 1);
        QCOMPARE(page.selectedId(), newer);

        page.RzBitBtn4Click();
        page.findChild<QLineEdit*>(QStringLiteral("reporterEdit"))->setText(QStringLiteral("王医生"));
        page.RzBitBtn4Click();
        QCOMPARE(m_db->scalar(QStringLiteral("select bgr from jg where id=:i"), {newer}).toString(),
                 QStringLiteral("王医生"));

        page.RzBitBtn2Click();
        QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from jg")).toInt(), 1);
        QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from jgmx where jgid=:i"), {newer}).toInt(), 0);
        QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from jgmxx where jgid=:i"), {newer}).toInt(),
                 0);
        QCOMPARE(page.resultModel()->rowCount(), 0);
        QCOMPARE(page.selectedId(), 0);
    }

    // 3,000 results, newest first, read 256 at a time. Between two chunks the page deletes and
    // edits held results, and results not read yet are deleted and edited elsewhere, the one
    // the next chunk starts after included: every remaining result comes once, in order.
    void readsResultsInChunks() {
        ScopedScriptedDialogs dialogs;
        const int total = 3000;
        m_db->transaction([&] {
            int id = 0;
            m_db->runBatch(QStringLiteral("insert into jg (id,userid,username,hmna,timeing,bgr) "
                                          "values (:i,:u,:n,:h,:t,:b)"),
                           [&](QVariantList& p) {
                               if (id >= total)
                                   return false;
                               ++id;
                               p << id << QStringLiteral("U%1").arg(id % 50) << QStringLiteral("名")
                                 << QStringLiteral("测试量表")
                                 << QDateTime(QDate(2020, 1, 1).addDays(id / 10), QTime(9, 0))
                                 << QStringLiteral("医生");
                               return true;
                           });
        });
        addStoredResult(*m_db, QStringLiteral("U1"), QStringLiteral("名")); // id 3001, with factor rows
        ResultMaintenance store(*m_db);
        TFrame2 page(PageContext{m_db.get(), nullptr, nullptr});
        page.fill();
        LazyQueryModel& results = *page.resultModel();
        QCOMPARE(results.rowCount(), 256);
        QVERIFY(results.canFetchMore());
        QCOMPARE(page.selectedId(), total + 1);
        QCOMPARE(page.factorModel()->rowCount(), 2);

        page.moveTo(5);
        QCOMPARE(page.selectedId(), 2996);
        page.RzBitBtn2Click();
        QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from jg where id=2996")).toInt(), 0);
        QCOMPARE(page.selectedId(), 2995);
        page.moveTo(10);
        const int edited = page.selectedId();
        page.RzBitBtn4Click();
        page.findChild<QLineEdit*>(QStringLiteral("reporterEdit"))->setText(QStringLiteral("王医生"));
        page.RzBitBtn4Click();
        store.deleteResult(1000);
        m_db->run(QStringLiteral("update jg set bgr=:b where id=2000"), {QStringLiteral("李医生")});
        // The last row read: the next chunk starts after it, and the page reads that chunk to
        // have a row to show.
        page.moveTo(results.rowCount() - 1);
        const int boundary = page.selectedId();
        page.RzBitBtn2Click();
        QCOMPARE(results.rowCount(), 254 + 256);
        QCOMPARE(page.selectedId(), boundary - 1);

        // The grid asks for more rows too as the current row moves down; every read is a chunk.
        QSignalSpy inserted(&results, &QAbstractItemModel::rowsInserted);
        for (int fetches = 0; results.canFetchMore() && fetches <= total; ++fetches) {
            results.fetchMore();
            page.moveTo(results.rowCount() - 1); // reads that result's factor rows in between
        }
        QVERIFY(!results.canFetchMore());
        QVERIFY2(inserted.size() >= 9, qPrintable(QString::number(inserted.size())));
        for (const QList<QVariant>& rows : inserted)
            QVERIFY(rows.at(2).toInt() - rows.at(1).toInt() < 256);

        QList<int> held;
        for (int row = 0; row < results.rowCount(); ++row)
            held << results.value(row, QStringLiteral("id")).toInt();
        QList<int> stored;
        for (const QSqlRecord& r : m_db->rows(QStringLiteral("select id from jg order by id desc")))
            stored << r.value(0).toInt();
        QCOMPARE(held, stored);
        QCOMPARE(held.size(), total + 1 - 3);
        auto bgr = [&](int id) {
            return results.value(int(held.indexOf(id)), QStringLiteral("bgr")).toString();
        };
        QCOMPARE(bgr(edited), QStringLiteral("王医生"));
        QCOMPARE(bgr(2000), QStringLiteral("李医生"));

        page.RzBitBtn3Click();
        QCOMPARE(results.rowCount(), 256);
        QCOMPARE(page.selectedId(), total + 1);
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            d.findChild<QComboBox*>(QStringLiteral("fieldBox"))->setCurrentIndex(0);   // 测试ID
            d.findChild<QComboBox*>(QStringLiteral("compareBox"))->setCurrentIndex(5); // 小于或等于
            qobject_cast<QLineEdit*>(d.valueEditor())->setText(QStringLiteral("1500"));
            d.addTerm();
            d.accept();
        });
        page.RzBitBtn1Click();
        QCOMPARE(results.rowCount(), 256);
        QCOMPARE(page.selectedId(), 1500);
        results.fetchAll();
        QCOMPARE(results.rowCount(), 1499); // 1000 is gone
        QCOMPARE(results.value(1498, QStringLiteral("id")).toInt(), 1);
        QCOMPARE(dialogs.texts(), QStringList(2, QStringLiteral("确定要删除选定记录？")));
    }
};

QTEST_MAIN(TestResultMaintenancePg)
#include "tst_resultmaintenance_pg.moc"
