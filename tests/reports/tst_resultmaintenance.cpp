// Result maintenance driven like an operator: list, factor rows, find, delete, edits.
#include "TestHome.h"

#include "data/LazyQueryModel.h"
#include "querybuilder/pages/TFormQueryDlg.h"
#include "reports/pages/TFrame2.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class TestResultMaintenance : public QObject {
    Q_OBJECT
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<ScopedScriptedDialogs> m_dialogs;
    std::unique_ptr<TFrame2> m_page;
    QList<int> m_ids; // oldest first

    template <typename T> T* child(const char* name) {
        T* w = m_page->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    void press(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void clickCell(const char* grid, int row, int column) {
        auto* view = child<QTableView>(grid);
        const QRect rect = view->visualRect(view->model()->index(row, column));
        QVERIFY(rect.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }
    static void typeText(QWidget* widget, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(widget, &press);
    }
    int count(const QString& sql, const QVariantList& params = {}) {
        return m_db->scalar(sql, params).toInt();
    }
    void openPage() {
        m_page = std::make_unique<TFrame2>(PageContext{m_db.get(), nullptr, nullptr});
        m_page->resize(1100, 700);
        m_page->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
        m_page->fill();
    }

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        m_db = m_home->openInfo();
        m_dialogs = std::make_unique<ScopedScriptedDialogs>();
        addSubject(*m_db, QStringLiteral("A1"), QStringLiteral("张三"), QStringLiteral("男"),
                   QDate(1990, 1, 1));
        m_ids = {addStoredResult(*m_db, QStringLiteral("A1"), QStringLiteral("张三"),
                                 QStringLiteral("测试量表"), 2, 4),
                 addStoredResult(*m_db, QStringLiteral("A1"), QStringLiteral("张三"),
                                 QStringLiteral("另一量表"), 3, 5),
                 addStoredResult(*m_db, QStringLiteral("B2"), QStringLiteral("李四"),
                                 QStringLiteral("测试量表"), 4, 6)};
    }
    void cleanup() {
        TFormQueryDlg::setDriver({});
        m_page.reset();
        m_dialogs.reset();
        m_db.reset();
        m_home.reset();
    }

    void listsNewestFirstWithTheFactorsOfTheCurrentResult() {
        openPage();
        QStringList headers;
        for (int c = 0; c < m_page->resultModel()->columnCount(); ++c)
            headers << m_page->resultModel()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers, QStringList({"测试ID", "用户ID", "用户姓名", "测试时间", "测试项目", "试题数",
                                       "总得分", "分制", "平均分", "结论", "报告人"}));
        QCOMPARE(m_page->resultModel()->rowCount(), 3);
        QCOMPARE(m_page->resultModel()->index(0, 0).data().toInt(), m_ids[2]);
        QCOMPARE(m_page->resultModel()->index(0, 3).data().toString(), QStringLiteral("2024-03-01 10:30"));
        QCOMPARE(m_page->selectedId(), m_ids[2]);
        QCOMPARE(m_page->factorModel()->rowCount(), 4);
        QCOMPARE(m_page->factorModel()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("因子名称"));
        QCOMPARE(m_page->query().DateTimeCompart(), QStringLiteral("'"));

        clickCell("resultGrid", 1, 0);
        QCOMPARE(m_page->selectedId(), m_ids[1]);
        QCOMPARE(m_page->factorModel()->rowCount(), 3);
        QCOMPARE(m_page->factorModel()->index(2, 1).data().toString(), QStringLiteral("因子3"));
        QCOMPARE(child<QPlainTextEdit>("conclusionMemo")->toPlainText(), QStringLiteral("总分正常"));
    }

    void emptyTable() {
        m_db->run(QStringLiteral("delete from jg"));
        openPage();
        QCOMPARE(m_page->selectedId(), 0);
        QCOMPARE(m_page->factorModel()->rowCount(), 0);
        press("deleteButton");
        QVERIFY(m_dialogs->texts().isEmpty()); // ignored silently
        press("headerToggle");
        QCOMPARE(child<QPushButton>("headerToggle")->text(), QStringLiteral("修改"));
    }

    void deletesAResultWithItsRows() {
        openPage();
        clickCell("resultGrid", 1, 1);
        const int id = m_ids[1];
        m_dialogs->pushAnswer(Dialogs::Answer::Cancel);
        press("deleteButton");
        QCOMPARE(m_dialogs->shown().back().icon, Dialogs::Icon::Warning);
        QCOMPARE(m_dialogs->lastText(), QStringLiteral("确定要删除选定记录？"));
        QCOMPARE(count(QStringLiteral("select count(*) from jg")), 3);

        press("deleteButton");
        QCOMPARE(count(QStringLiteral("select count(*) from jg where id=:i"), {id}), 0);
        QCOMPARE(count(QStringLiteral("select count(*) from jgmx where jgid=:i"), {id}), 0);
        QCOMPARE(count(QStringLiteral("select count(*) from jgmxx where jgid=:i"), {id}), 0);
        QCOMPARE(count(QStringLiteral("select count(*) from jgmx")), 2 + 4);
        QCOMPARE(count(QStringLiteral("select count(*) from jgmxx")), 4 + 6);
        // The row that took its place is current, with its own factors.
        QCOMPARE(m_page->resultModel()->rowCount(), 2);
        QCOMPARE(m_page->selectedId(), m_ids[0]);
        QCOMPARE(m_page->factorModel()->rowCount(), 2);
    }

    void deleteRefusedKeepsEverything() {
        openPage();
        m_db->run(QStringLiteral(
            "create trigger refuse before delete on jgmxx begin select raise(abort, 'refused'); end"));
        press("deleteButton");
        QVERIFY(m_dialogs->lastText().startsWith(QStringLiteral("删除失败")));
        QCOMPARE(count(QStringLiteral("select count(*) from jg")), 3);
        QCOMPARE(count(QStringLiteral("select count(*) from jgmx where jgid=:i"), {m_ids[2]}), 4);
        QCOMPARE(m_page->resultModel()->rowCount(), 3);
    }

    void findStaysInForceAfterRefresh() {
        openPage();
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("查找记录"));
            d.findChild<QComboBox*>(QStringLiteral("fieldBox"))->setCurrentIndex(4); // 测试项目
            qobject_cast<QLineEdit*>(d.valueEditor())->setText(QStringLiteral("测试量表"));
            d.addTerm();
            d.accept();
        });
        press("findButton");
        QCOMPARE(m_page->listSql(),
                 QStringLiteral("select * from jg where  jg.hmna  =  '测试量表' \r  ORDER BY ID desc"));
        QCOMPARE(m_page->resultModel()->rowCount(), 2);
        QCOMPARE(m_page->selectedId(), m_ids[2]);
        press("refreshButton");
        QCOMPARE(m_page->resultModel()->rowCount(), 2);

        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            d.findChild<QComboBox*>(QStringLiteral("fieldBox"))->setCurrentIndex(0);   // 测试ID
            d.findChild<QComboBox*>(QStringLiteral("compareBox"))->setCurrentIndex(4); // 小于
            qobject_cast<QLineEdit*>(d.valueEditor())->setText(QStringLiteral("2"));
            d.addTerm();
            d.accept();
        });
        press("findButton"); // both conditions now
        QCOMPARE(m_page->resultModel()->rowCount(), 1);
        QCOMPARE(m_page->selectedId(), m_ids[0]);

        // Confirming with no condition left lists every result.
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            d.deleteTerm();
            d.deleteTerm();
            d.accept();
        });
        press("findButton");
        QCOMPARE(m_page->listSql(), QStringLiteral("select * from jg order by id  desc"));
        QCOMPARE(m_page->resultModel()->rowCount(), 3);
        QVERIFY(m_dialogs->texts().isEmpty());
    }

    void editsTheResultHeader() {
        openPage();
        auto* toggle = child<QPushButton>("headerToggle");
        QCOMPARE(toggle->text(), QStringLiteral("修改"));
        press("headerToggle");
        QCOMPARE(toggle->text(), QStringLiteral("保存"));
        QVERIFY(m_page->headerEditing());
        typeText(child<QLineEdit>("reporterEdit"), QStringLiteral("李医生"));
        auto* memo = child<QPlainTextEdit>("conclusionMemo");
        memo->selectAll();
        typeText(memo, QStringLiteral("需要复查"));
        press("headerToggle");
        QCOMPARE(toggle->text(), QStringLiteral("修改"));
        QVERIFY(!m_page->headerEditing());
        const QSqlRecord row = m_db->rows(QStringLiteral("select * from jg where id=:i"), {m_ids[2]}).front();
        QCOMPARE(row.value(QStringLiteral("bgr")).toString(), QStringLiteral("李医生"));
        QCOMPARE(row.value(QStringLiteral("type")).toString(), QStringLiteral("需要复查"));
        QCOMPARE(m_page->resultModel()->index(0, 10).data().toString(), QStringLiteral("李医生"));

        // Typing and moving to another result saves too.
        typeText(child<QLineEdit>("reporterEdit"), QStringLiteral("甲"));
        clickCell("resultGrid", 2, 0);
        QCOMPARE(m_db->scalar(QStringLiteral("select bgr from jg where id=:i"), {m_ids[2]}).toString(),
                 QStringLiteral("李医生甲"));
        QCOMPARE(child<QLineEdit>("reporterEdit")->text(), QString());
        QCOMPARE(count(QStringLiteral("select count(*) from jg where bgr is not null")), 1);
    }

    void editsAFactorConclusion() {
        openPage();
        auto* headerPanel = child<QGroupBox>("headerPanel");
        auto* factorPanel = child<QGroupBox>("factorPanel");
        QVERIFY(headerPanel->isVisible());
        QVERIFY(!factorPanel->isVisible());
        clickCell("factorGrid", 1, 1); // not the conclusion column: nothing changes
        QVERIFY(headerPanel->isVisible());
        clickCell("factorGrid", 1, 4);
        QVERIFY(!headerPanel->isVisible());
        QVERIFY(factorPanel->isVisible());
        QCOMPARE(child<QLabel>("factorLabel")->text(), QStringLiteral("因子2因子结论:"));
        QCOMPARE(child<QPlainTextEdit>("factorMemo")->toPlainText(), QStringLiteral("因子2结论"));

        auto* toggle = child<QPushButton>("factorToggle");
        press("factorToggle"); // before typing anything: nothing
        QCOMPARE(toggle->text(), QStringLiteral("保存"));
        QVERIFY(!m_page->factorEditing());

        auto* memo = child<QPlainTextEdit>("factorMemo");
        memo->moveCursor(QTextCursor::End);
        typeText(memo, QStringLiteral(",偏高"));
        QVERIFY(m_page->factorEditing());
        press("factorToggle");
        QCOMPARE(toggle->text(), QStringLiteral("修改"));
        const int factorId = m_page->factorModel()->value(1, QStringLiteral("id")).toInt();
        QCOMPARE(m_db->scalar(QStringLiteral("select type from jgmx where id=:i"), {factorId}).toString(),
                 QStringLiteral("因子2结论,偏高"));
        QCOMPARE(m_page->factorModel()->index(1, 4).data().toString(), QStringLiteral("因子2结论,偏高"));
        press("factorToggle");
        QCOMPARE(toggle->text(), QStringLiteral("保存"));
        QVERIFY(m_page->factorEditing());

        clickCell("resultGrid", 0, 9);
        QVERIFY(headerPanel->isVisible());
        QVERIFY(!factorPanel->isVisible());
    }
};

QTEST_MAIN(TestResultMaintenance)
#include "tst_resultmaintenance.moc"
