// The query dialog and its value editors, driven without a modal loop.
#include "TestHome.h"

#include "data/Clock.h"
#include "querybuilder/TZTQueryEx.h"
#include "querybuilder/pages/TFormQueryDlg.h"
#include "querybuilder/pages/TZTDateEdit.h"
#include "querybuilder/pages/TZTNumberEdit.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <QTreeWidget>

namespace {
QComboBox* box(TFormQueryDlg& d, const char* name) {
    return d.findChild<QComboBox*>(QLatin1String(name));
}
void click(TFormQueryDlg& d, const char* name) {
    QPushButton* b = d.findChild<QPushButton*>(QLatin1String(name));
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}
QStringList rows(TFormQueryDlg& d) {
    QStringList list;
    auto* tree = d.findChild<QTreeWidget*>(QStringLiteral("termList"));
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < 4; ++c)
            cells << tree->topLevelItem(i)->text(c);
        list << cells.join(QLatin1Char('|'));
    }
    return list;
}
int selectedRow(TFormQueryDlg& d) {
    auto* tree = d.findChild<QTreeWidget*>(QStringLiteral("termList"));
    const auto selected = tree->selectedItems();
    return selected.isEmpty() ? -1 : tree->indexOfTopLevelItem(selected.first());
}
// Picks field, comparison and logic, types the value into a plain edit and adds.
void addCondition(TFormQueryDlg& d, int field, int comparison, const QString& value, bool orLogic = false) {
    box(d, "fieldBox")->setCurrentIndex(field);
    box(d, "compareBox")->setCurrentIndex(comparison);
    box(d, "logicBox")->setCurrentIndex(orLogic ? 1 : 0);
    if (auto* date = qobject_cast<TZTDateEdit*>(d.valueEditor()))
        date->setDate(QDate::fromString(value, QStringLiteral("yyyy-MM-dd")));
    else if (auto* number = qobject_cast<TZTNumberEdit*>(d.valueEditor()))
        number->setText(value);
    else if (auto* line = qobject_cast<QLineEdit*>(d.valueEditor()))
        line->setText(value);
    click(d, "addButton");
}
} // namespace

class TestQueryDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<Database> m_db;

    void subjectFields(TZTQueryEx& q) {
        q.setConnection(m_db.get());
        q.setCaption(QStringLiteral("编写查询条件"));
        q.addField(QStringLiteral("username"), QStringLiteral("id"), TFieldType::String,
                   QStringLiteral("用户ID"));
        q.addField(QStringLiteral("username"), QStringLiteral("name"), TFieldType::String,
                   QStringLiteral("姓名"));
        q.addField(QStringLiteral("username"), QStringLiteral("csdate"), TFieldType::Date,
                   QStringLiteral("出生日期"));
        q.addField(QStringLiteral("jg"), QStringLiteral("id"), TFieldType::Integer, QStringLiteral("测试ID"));
        TFormQueryDlg::install(q, nullptr);
    }

private slots:
    void initTestCase() { Clock::setFixed(QDateTime(QDate(2024, 3, 5), QTime(9, 30))); }
    void init() {
        m_home = std::make_unique<TestHome>();
        m_db = m_home->openInfo();
    }
    void cleanup() {
        TFormQueryDlg::setDriver({});
        m_db.reset();
        m_home.reset();
    }

    void buildsConditionsAndConfirms() {
        TZTQueryEx q;
        subjectFields(q);
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("编写查询条件"));
            QCOMPARE(box(d, "logicBox")->currentText(), QStringLiteral("且"));
            addCondition(d, 1, 6, QStringLiteral("张"));
            addCondition(d, 2, 3, QStringLiteral("2008-01-01"), true);
            addCondition(d, 3, 2, QStringLiteral("57"));
            QCOMPARE(rows(d), QStringList({"|姓名|包含|张", "或者|出生日期|大于等与|2008-01-01",
                                           "并且|测试ID|大于|57"}));
            QCOMPARE(selectedRow(d), 2); // the new condition is selected
            click(d, "queryButton");
        });
        QVERIFY(q.Execute(true));
        QCOMPARE(q.QueryTerm(), QStringLiteral(" username.name  LIKE  '%张%' \r"
                                               " OR  username.csdate  >=  '2008-01-01' \r"
                                               " AND  jg.id  >  57 \r"));
    }

    void reopeningKeepsTheConditionsAndAbandonEmptiesThem() {
        TZTQueryEx q;
        subjectFields(q);
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            addCondition(d, 0, 0, QStringLiteral("A1"));
            click(d, "queryButton");
        });
        QVERIFY(q.Execute(true));
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            QCOMPARE(rows(d), QStringList({"|用户ID|等与|A1"}));
            QTest::keyClick(&d, Qt::Key_Escape); // cancels without clearing
        });
        QVERIFY(!q.Execute(true));
        QCOMPARE(q.Terms().count(), 1);
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            QCOMPARE(rows(d).size(), 1);
            click(d, "abandonButton");
            QVERIFY(!d.isVisible());
        });
        QVERIFY(!q.Execute(true));
        QCOMPARE(q.Terms().count(), 0);
        QCOMPARE(q.QueryTerm(), QString());
    }

    void enterConfirms() {
        TZTQueryEx q;
        subjectFields(q);
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            addCondition(d, 1, 0, QStringLiteral("王"));
            QTest::keyClick(d.valueEditor(), Qt::Key_Return);
        });
        QVERIFY(q.Execute(true));
        QCOMPARE(q.QueryTerm(), QStringLiteral(" username.name  =  '王' \r"));
    }

    void deletesAndMovesConditions() {
        TZTQueryEx q;
        subjectFields(q);
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            for (const char* v : {"a", "b", "c"})
                addCondition(d, 0, 0, QLatin1String(v));
            auto* tree = d.findChild<QTreeWidget*>(QStringLiteral("termList"));
            auto values = [&d] {
                QString s;
                for (const QString& r : rows(d))
                    s += r.section(QLatin1Char('|'), 3);
                return s;
            };
            tree->setCurrentItem(tree->topLevelItem(0));
            click(d, "upButton"); // first cannot go up
            QCOMPARE(values(), QStringLiteral("abc"));
            QCOMPARE(selectedRow(d), 0);
            click(d, "downButton");
            QCOMPARE(values(), QStringLiteral("bac"));
            QCOMPARE(selectedRow(d), 1);
            // The first row never shows its logic, whichever condition is first.
            QCOMPARE(rows(d).first().section(QLatin1Char('|'), 0, 0), QString());
            tree->setCurrentItem(tree->topLevelItem(2));
            click(d, "downButton"); // last cannot go down
            QCOMPARE(values(), QStringLiteral("bac"));
            QCOMPARE(selectedRow(d), 2);
            click(d, "deleteButton");
            QCOMPARE(values(), QStringLiteral("ba"));
            QCOMPARE(selectedRow(d), 1);
            tree->clearSelection();
            click(d, "deleteButton"); // nothing selected: nothing removed
            QCOMPARE(values(), QStringLiteral("ba"));
            click(d, "queryButton");
        });
        QVERIFY(q.Execute(true));
        QCOMPARE(q.Terms().count(), 2);
    }

    void editorsAndComparisonsByFieldType_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<int>("comparisons");
        QTest::newRow("text") << int(TFieldType::String) << "QLineEdit" << 12;
        QTest::newRow("wide text") << int(TFieldType::WideString) << "QLineEdit" << 12;
        QTest::newRow("integer") << int(TFieldType::Integer) << "TZTNumberEdit" << 6;
        QTest::newRow("auto-increment") << int(TFieldType::AutoInc) << "TZTNumberEdit" << 6;
        QTest::newRow("float") << int(TFieldType::Float) << "TZTNumberEdit" << 6;
        QTest::newRow("boolean") << int(TFieldType::Boolean) << "QComboBox" << 6;
        QTest::newRow("date") << int(TFieldType::Date) << "TZTDateEdit" << 6;
        QTest::newRow("time") << int(TFieldType::Time) << "QTimeEdit" << 6;
        QTest::newRow("date-time") << int(TFieldType::DateTime) << "QDateTimeEdit" << 6;
    }
    void editorsAndComparisonsByFieldType() {
        QFETCH(int, type);
        QFETCH(QString, editor);
        QFETCH(int, comparisons);
        TZTQueryEx q;
        q.setConnection(m_db.get());
        q.addField(QStringLiteral("t"), QStringLiteral("a"), TFieldType::String);
        TField& f = q.addField(QStringLiteral("t"), QStringLiteral("b"), TFieldType(type));
        f.setNumericDigits(2);
        f.setNumericMin(-5);
        f.setNumericMax(100);
        TFormQueryDlg d(q);
        box(d, "compareBox")->setCurrentIndex(4);
        box(d, "fieldBox")->setCurrentIndex(1);
        QCOMPARE(QString::fromLatin1(d.valueEditor()->metaObject()->className()), editor);
        QCOMPARE(d.valueEditor()->objectName(), QStringLiteral("valueEditor"));
        QCOMPARE(box(d, "compareBox")->count(), comparisons);
        QCOMPARE(box(d, "compareBox")->currentIndex(), 0); // the first comparison again
        if (auto* number = qobject_cast<TZTNumberEdit*>(d.valueEditor())) {
            QCOMPARE(number->Digits(), type == int(TFieldType::Float) ? 2 : 0);
            QCOMPARE(number->Min(), -5.0);
            QCOMPARE(number->Max(), 100.0);
        }
    }

    void selectListAndBooleanValues() {
        ScopedScriptedDialogs dialogs;
        TZTQueryEx q;
        q.setConnection(m_db.get());
        TField& group =
            q.addField(QStringLiteral("username"), QStringLiteral("TESTGROU"), TFieldType::String);
        group.setSelectList({QStringLiteral("N=正常组"), QStringLiteral("P=病人组")});
        TField& count = q.addField(QStringLiteral("jg"), QStringLiteral("tmc"), TFieldType::Integer);
        count.setSelectList({QStringLiteral("10=十题"), QStringLiteral("x=坏值")});
        count.setSelectOnly(false);
        q.addField(QStringLiteral("t"), QStringLiteral("ok"), TFieldType::Boolean);
        TFormQueryDlg d(q);

        auto* value = qobject_cast<QComboBox*>(d.valueEditor());
        QVERIFY(value && !value->isEditable());
        QCOMPARE(value->currentText(), QStringLiteral("正常组"));
        value->setCurrentIndex(1);
        d.addTerm();
        QCOMPARE(q.Terms().at(0).value, QStringLiteral("P"));
        QCOMPARE(q.Terms().at(0).valueCaption, QStringLiteral("病人组"));

        box(d, "fieldBox")->setCurrentIndex(1);
        value = qobject_cast<QComboBox*>(d.valueEditor());
        QVERIFY(value->isEditable());
        QCOMPARE(value->currentIndex(), -1);
        value->setCurrentIndex(1); // "x" is no integer
        d.addTerm();
        QCOMPARE(dialogs.lastText(), QStringLiteral("请输入整数,Please input Int"));
        QCOMPARE(q.Terms().count(), 1);
        value->setEditText(QStringLiteral("12")); // typed, not picked
        d.addTerm();
        QCOMPARE(q.Terms().at(1).value, QStringLiteral("12"));

        box(d, "fieldBox")->setCurrentIndex(2);
        value = qobject_cast<QComboBox*>(d.valueEditor());
        QCOMPARE(value->currentText(), QStringLiteral("真"));
        d.addTerm();
        value->setCurrentIndex(1);
        d.addTerm();
        QCOMPARE(q.Terms().at(2).value, QStringLiteral("TRUE"));
        QCOMPARE(q.Terms().at(3).value, QStringLiteral("FALSE"));
        QCOMPARE(q.Terms().at(3).valueCaption, QStringLiteral("假"));
    }

    void textEditorHonoursStringLength() {
        TZTQueryEx q;
        q.setConnection(m_db.get());
        q.addField(QStringLiteral("username"), QStringLiteral("id"), TFieldType::String).setStringLength(4);
        TFormQueryDlg d(q);
        auto* edit = qobject_cast<QLineEdit*>(d.valueEditor());
        QTest::keyClicks(edit, QStringLiteral("ABCDEF"));
        QCOMPARE(edit->text(), QStringLiteral("ABCD"));
    }

    void numberEditorRules() {
        ScopedScriptedDialogs dialogs;
        TZTNumberEdit edit;
        edit.setDigits(2);
        edit.setBounds(-10, 100);
        for (const char* empty : {"", "-", "."}) {
            edit.setText(QLatin1String(empty));
            QCOMPARE(edit.value(), 0.0);
        }
        edit.setText(QStringLiteral("250"));
        QCOMPARE(edit.value(), 100.0); // clamped

        edit.setErrorMessage(QStringLiteral("超出范围"));
        QVERIFY(!edit.checkOnLeave());
        QCOMPARE(edit.text(), QStringLiteral("100.00"));
        QCOMPARE(dialogs.lastText(), QStringLiteral("超出范围"));
        edit.setText(QStringLiteral("3.5"));
        QVERIFY(edit.checkOnLeave());
        QCOMPARE(edit.text(), QStringLiteral("3.50"));

        // Typing is filtered to what can still become a number.
        edit.clear();
        QTest::keyClicks(&edit, QStringLiteral("-1a2.345"));
        QCOMPARE(edit.text(), QStringLiteral("-12.34"));

        dialogs.clear();
        QVERIFY(!edit.setMin(200));
        QCOMPARE(dialogs.lastText(), QStringLiteral("最小值不能够大于最大值!"));
        QVERIFY(!edit.setMax(-20));
        QCOMPARE(dialogs.lastText(), QStringLiteral("最大值不能够小于最小值!"));
        QCOMPARE(edit.Min(), -10.0);
        QCOMPARE(edit.Max(), 100.0);

        TZTNumberEdit whole;
        whole.setBounds(0, 10);
        whole.clear();
        QTest::keyClicks(&whole, QStringLiteral("-7.5"));
        QCOMPARE(whole.text(), QStringLiteral("75")); // no sign above a minimum of 0, no decimals
        QCOMPARE(whole.value(), 10.0);
    }

    void numberValueGoesIntoTheCondition() {
        TZTQueryEx q;
        q.setConnection(m_db.get());
        q.addField(QStringLiteral("jg"), QStringLiteral("avgcount"), TFieldType::Float).setNumericDigits(1);
        TFormQueryDlg d(q);
        auto* edit = qobject_cast<TZTNumberEdit*>(d.valueEditor());
        edit->setText(QStringLiteral("2.5"));
        box(d, "compareBox")->setCurrentIndex(3);
        d.addTerm();
        QCOMPARE(q.QueryTerm(), QStringLiteral(" jg.avgcount  >=  2.5 \r"));
        QCOMPARE(q.Terms().at(0).valueCaption, QStringLiteral("2.5"));
    }

    void dateEditorWidget() {
        TZTDateEdit edit;
        QCOMPARE(edit.text(), QStringLiteral("2024-03-05")); // today
        QCOMPARE(edit.selectedText().size(), 1);
        QTest::keyClicks(&edit, QStringLiteral("1999-7-4"));
        QCOMPARE(edit.text(), QStringLiteral("1999-07-04"));
        QCOMPARE(edit.selectionStart(), 9);
        QCOMPARE(edit.selectedText().size(), 1);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.selectionStart(), 8);
        QTest::keyClick(&edit, Qt::Key_Left);
        QCOMPARE(edit.selectionStart(), 6);
        QTest::keyClick(&edit, Qt::Key_Right);
        QCOMPARE(edit.selectionStart(), 8);
        QTest::keyClick(&edit, Qt::Key_Escape); // back to the value on entering
        QCOMPARE(edit.date(), QDate(2024, 3, 5));
    }

    void dateConditionFromTheEditor() {
        TZTQueryEx q;
        subjectFields(q);
        q.setDateTimeCompart(QStringLiteral("#"));
        TFormQueryDlg d(q);
        box(d, "fieldBox")->setCurrentIndex(2);
        QTest::keyClicks(d.valueEditor(), QStringLiteral("20080101"));
        box(d, "compareBox")->setCurrentIndex(3);
        d.addTerm();
        QCOMPARE(q.QueryTerm(), QStringLiteral(" username.csdate  >=  #2008-01-01# \r"));
    }
};

QTEST_MAIN(TestQueryDialog)
#include "tst_querydialog.moc"
