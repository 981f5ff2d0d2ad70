// The subject list page driven like an operator: browse, insert, edit, delete, search.
#include "SubjectListChecks.h"

#include "data/LazyQueryModel.h"
#include "querybuilder/pages/TFormQueryDlg.h"
#include "subjects/pages/TFrame1.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace SubjectListChecks;

class TestSubjectPage : public QObject {
    Q_OBJECT
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<ScopedScriptedDialogs> m_dialogs;
    std::unique_ptr<TFrame1> m_page;

    template <typename T> T* child(const char* name) {
        T* w = m_page->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    void nav(const char* name) { QTest::mouseClick(child<QToolButton>(name), Qt::LeftButton); }
    QString cell(int row, int column) { return m_page->model()->index(row, column).data().toString(); }
    void openPage() {
        m_page = std::make_unique<TFrame1>(PageContext{m_db.get(), nullptr, nullptr});
        m_page->resize(900, 600);
        m_page->fill();
    }
    // Types text the way an input method delivers it (QTest::keyClicks is Latin-1 only).
    static void typeText(QWidget* widget, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(widget, &press);
    }
    void typeInto(const char* name, const QString& text) {
        auto* edit = child<QLineEdit>(name);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        typeText(edit, text);
    }

private slots:
    void init() {
        m_home = std::make_unique<TestHome>();
        m_db = m_home->openInfo();
        m_dialogs = std::make_unique<ScopedScriptedDialogs>();
        twoSubjectsWithResults(*m_db);
        addSubject(*m_db, QStringLiteral("C3"), QStringLiteral("张小明"), QStringLiteral("男"),
                   QDate(2010, 6, 1), QStringLiteral("病人组"));
        openPage();
    }
    void cleanup() {
        TFormQueryDlg::setDriver({});
        m_page.reset();
        m_dialogs.reset();
        m_db.reset();
        m_home.reset();
    }

    void showsTheListAndTheCurrentRow() {
        auto* grid = child<QTableView>("subjectGrid");
        QStringList headers;
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            headers << grid->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(headers,
                 QStringList({"用户ID", "姓名", "性别", "出生日期", "联系电话", "测试分组", "家庭住址"}));
        QCOMPARE(m_page->model()->rowCount(), 3);
        QCOMPARE(cell(0, 3), QStringLiteral("1990-01-01"));
        QCOMPARE(m_page->currentRow(), 0);
        QCOMPARE(child<QLineEdit>("idEdit")->text(), QStringLiteral("A1"));
        QCOMPARE(child<QLineEdit>("nameEdit")->text(), QStringLiteral("张三"));
        QCOMPARE(child<QComboBox>("sexBox")->currentText(), QStringLiteral("男"));
        QCOMPARE(child<QDateEdit>("birthEdit")->date(), QDate(1990, 1, 1));

        grid->setCurrentIndex(grid->model()->index(2, 1));
        QCOMPARE(child<QLineEdit>("idEdit")->text(), QStringLiteral("C3"));
        QCOMPARE(child<QComboBox>("groupBox")->currentText(), QStringLiteral("病人组"));

        QStringList hints;
        for (const char* name : {"navFirst", "navPrior", "navNext", "navLast", "navInsert", "navDelete",
                                 "navEdit", "navPost", "navCancel", "navRefresh"})
            hints << child<QToolButton>(name)->toolTip();
        QCOMPARE(hints,
                 QStringList({"第一条记录", "前一条记录", "后一条记录", "最后条记录", "插入新记录",
                              "删除当前记录", "修改当前记录", "保存修改记录", "取消修改记录", "刷新记录"}));
        nav("navFirst");
        QCOMPARE(m_page->currentRow(), 0);
        QVERIFY(!child<QToolButton>("navPrior")->isEnabled());
        nav("navNext");
        QCOMPARE(m_page->currentRow(), 1);
        nav("navLast");
        QCOMPARE(m_page->currentRow(), 2);
        QVERIFY(!child<QToolButton>("navNext")->isEnabled());
    }

    void insertsASubject() {
        nav("navInsert");
        QCOMPARE(m_page->state(), TFrame1::State::Insert);
        QCOMPARE(child<QLineEdit>("idEdit")->text(), QString());
        QTest::keyClicks(child<QLineEdit>("idEdit"), QStringLiteral("d4x-long-id"));
        QCOMPARE(child<QLineEdit>("idEdit")->text(), QStringLiteral("D4X-LONG-I")); // upper case, 10 at most
        typeInto("idEdit", QStringLiteral("d4"));
        typeInto("nameEdit", QStringLiteral("赵六"));
        typeInto("telEdit", QStringLiteral("5551234"));
        child<QComboBox>("sexBox")->setCurrentIndex(1);
        child<QComboBox>("groupBox")->setCurrentIndex(1);
        child<QDateEdit>("birthEdit")->setDate(QDate(2015, 8, 9));
        nav("navPost");
        QCOMPARE(m_dialogs->texts(), QStringList());
        QCOMPARE(m_page->state(), TFrame1::State::Browse);
        const QSqlRecord row =
            m_db->rows(QStringLiteral("select * from username where id=:i"), {QStringLiteral("D4")}).front();
        QCOMPARE(row.value(QStringLiteral("name")).toString(), QStringLiteral("赵六"));
        QCOMPARE(row.value(QStringLiteral("xb")).toString(), QStringLiteral("女"));
        QCOMPARE(row.value(QStringLiteral("TESTGROU")).toString(), QStringLiteral("对照组"));
        QCOMPARE(variantToDate(row.value(QStringLiteral("csdate"))), QDate(2015, 8, 9));
        // The new row stands where it was inserted and is current.
        QCOMPARE(m_page->model()->rowCount(), 4);
        QCOMPARE(cell(m_page->currentRow(), 0), QStringLiteral("D4"));
        QCOMPARE(cell(m_page->currentRow(), 3), QStringLiteral("2015-08-09"));
        nav("navRefresh");
        QCOMPARE(m_page->model()->rowCount(), 4);
    }

    void refusalsKeepTheRowInEdit_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("message");
        QTest::newRow("duplicate") << "b2"
                                   << "用户ID不能重复,该用户ID已经存在!";
        QTest::newRow("missing") << ""
                                 << "用户ID不能为空,请填写后再保存!";
    }
    void refusalsKeepTheRowInEdit() {
        QFETCH(QString, id);
        QFETCH(QString, message);
        nav("navInsert");
        QTest::keyClicks(child<QLineEdit>("idEdit"), id);
        typeInto("nameEdit", QStringLiteral("重复的人"));
        nav("navPost");
        QCOMPARE(m_dialogs->lastText(), message);
        QCOMPARE(m_page->state(), TFrame1::State::Insert);
        QCOMPARE(child<QLineEdit>("nameEdit")->text(), QStringLiteral("重复的人"));
        QVERIFY(child<QToolButton>("navPost")->isEnabled());
        // Moving away tries to save first and stays when that is refused.
        nav("navNext");
        QCOMPARE(m_page->state(), TFrame1::State::Insert);
        nav("navCancel");
        QCOMPARE(m_page->state(), TFrame1::State::Browse);
        QCOMPARE(count(*m_db, QStringLiteral("select count(*) from username")), 3);
        QCOMPARE(child<QLineEdit>("idEdit")->text(), QStringLiteral("A1"));
    }

    void editsASubject() {
        auto* grid = child<QTableView>("subjectGrid");
        grid->setCurrentIndex(grid->model()->index(1, 0));
        typeInto("nameEdit", QStringLiteral("李四改"));
        QCOMPARE(m_page->state(), TFrame1::State::Edit); // typing starts the edit
        typeInto("addressEdit", QStringLiteral("上海"));
        // Moving to another row saves the edit.
        grid->setCurrentIndex(grid->model()->index(0, 0));
        QCOMPARE(m_page->state(), TFrame1::State::Browse);
        QCOMPARE(m_page->currentRow(), 0);
        QCOMPARE(m_db->scalar(QStringLiteral("select name from username where id='B2'")).toString(),
                 QStringLiteral("李四改"));
        QCOMPARE(cell(1, 6), QStringLiteral("上海"));

        nav("navEdit");
        typeInto("nameEdit", QStringLiteral("不要了"));
        nav("navCancel");
        QCOMPARE(child<QLineEdit>("nameEdit")->text(), QStringLiteral("张三"));
        QCOMPARE(m_db->scalar(QStringLiteral("select name from username where id='A1'")).toString(),
                 QStringLiteral("张三"));
    }

    void deletesASubjectWithItsResults() {
        const Owned other = owned(*m_db, QStringLiteral("B2"));
        m_dialogs->pushAnswer(Dialogs::Answer::Cancel);
        nav("navDelete");
        QCOMPARE(owned(*m_db, QStringLiteral("A1")), (Owned{1, 2, 6, 10, 5}));

        nav("navDelete"); // confirmed
        QCOMPARE(m_dialogs->lastText(), QStringLiteral("确定要删除当前记录吗？"));
        QCOMPARE(owned(*m_db, QStringLiteral("A1")), (Owned{0, 0, 0, 0, 0}));
        QCOMPARE(owned(*m_db, QStringLiteral("B2")), other);
        QCOMPARE(m_page->model()->rowCount(), 2);
        QCOMPARE(m_page->currentRow(), 0);
        QCOMPARE(child<QLineEdit>("idEdit")->text(), QStringLiteral("B2"));
    }

    void searchesWithTheQueryBuilder() {
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("编写查询条件"));
            d.findChild<QComboBox*>(QStringLiteral("fieldBox"))->setCurrentIndex(1);   // 姓名
            d.findChild<QComboBox*>(QStringLiteral("compareBox"))->setCurrentIndex(6); // 包含
            qobject_cast<QLineEdit*>(d.valueEditor())->setText(QStringLiteral("张"));
            d.addTerm();
            d.findChild<QPushButton*>(QStringLiteral("queryButton"))->click();
        });
        QTest::mouseClick(child<QPushButton>("findButton"), Qt::LeftButton);
        QCOMPARE(m_page->listSql(),
                 QStringLiteral("select * from username where  username.name  LIKE  '%张%' \r"));
        QCOMPARE(m_page->model()->rowCount(), 2);
        QCOMPARE(cell(1, 1), QStringLiteral("张小明"));
        nav("navRefresh"); // the search stays
        QCOMPARE(m_page->model()->rowCount(), 2);

        // A cancelled dialog changes nothing.
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) { d.reject(); });
        QTest::mouseClick(child<QPushButton>("findButton"), Qt::LeftButton);
        QCOMPARE(m_page->model()->rowCount(), 2);
        QCOMPARE(m_page->query().Terms().count(), 1);

        // Confirming with every condition removed lists everyone again.
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            d.deleteTerm(); // the last condition is selected on opening
            d.accept();
        });
        QTest::mouseClick(child<QPushButton>("findButton"), Qt::LeftButton);
        QCOMPARE(m_page->model()->rowCount(), 3);
        QVERIFY(m_dialogs->texts().isEmpty());
    }

    void searchForAnApostropheName() {
        addSubject(*m_db, QStringLiteral("Q1"), QStringLiteral("O'Neil"), QStringLiteral("女"),
                   QDate(1999, 9, 9));
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            d.findChild<QComboBox*>(QStringLiteral("fieldBox"))->setCurrentIndex(1);
            qobject_cast<QLineEdit*>(d.valueEditor())->setText(QStringLiteral("O'Neil"));
            d.addTerm();
            d.accept();
        });
        QTest::mouseClick(child<QPushButton>("findButton"), Qt::LeftButton);
        QVERIFY(m_dialogs->texts().isEmpty());
        QCOMPARE(m_page->model()->rowCount(), 1);
        QCOMPARE(child<QLineEdit>("idEdit")->text(), QStringLiteral("Q1"));
        QCOMPARE(count(*m_db, QStringLiteral("select count(*) from username")), 4);
        QCOMPARE(count(*m_db, QStringLiteral("select count(*) from jg")), 3);
    }

    void enterMovesToTheNextField() {
        m_page->show();
        if (!QTest::qWaitForWindowActive(m_page.get()))
            QSKIP("the window cannot be activated on this platform");
        child<QLineEdit>("idEdit")->setFocus();
        QTRY_VERIFY(child<QLineEdit>("idEdit")->hasFocus());
        QTest::keyClick(child<QLineEdit>("idEdit"), Qt::Key_Return);
        QTRY_VERIFY(child<QLineEdit>("nameEdit")->hasFocus());
        QTest::keyClick(child<QLineEdit>("nameEdit"), Qt::Key_Enter);
        QTRY_VERIFY(child<QLineEdit>("telEdit")->hasFocus());
        child<QLineEdit>("addressEdit")->setFocus();
        QTRY_VERIFY(child<QLineEdit>("addressEdit")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(child<QComboBox>("sexBox")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(child<QComboBox>("groupBox")->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(child<QDateEdit>("birthEdit")->hasFocus());
        QCOMPARE(m_page->state(), TFrame1::State::Browse); // walking the fields changes nothing
    }

    // The list holds only what has been shown, not the whole table.
    void largeListsOpenInChunks() {
        m_db->transaction([&] {
            for (int i = 0; i < 2000; ++i)
                addSubject(*m_db, QStringLiteral("L%1").arg(i), QStringLiteral("批量"), QStringLiteral("男"),
                           QDate(2000, 1, 1));
        });
        openPage();
        QVERIFY(m_page->model()->rowCount() < 1000);
        QVERIFY(m_page->model()->canFetchMore());
        nav("navLast");
        QCOMPARE(m_page->model()->rowCount(), 2003);
        QCOMPARE(m_page->currentRow(), 2002);
    }
};

QTEST_MAIN(TestSubjectPage)
#include "tst_subjectpage.moc"
