// Condition model of the query builder: rendering, captions, value checks, list moves, fields.
#include "TestHome.h"

#include "querybuilder/DateEditRules.h"
#include "querybuilder/TZTQueryEx.h"

#include <QTest>

class TestQueryBuilder : public QObject {
    Q_OBJECT

private:
    // A builder with the subject list's and the result list's kinds of field.
    static void addFields(TZTQueryEx& q) {
        q.addField(QStringLiteral("username"), QStringLiteral("name"), TFieldType::String,
                   QStringLiteral("姓名"));
        q.addField(QStringLiteral("username"), QStringLiteral("csdate"), TFieldType::Date,
                   QStringLiteral("出生日期"));
        q.addField(QStringLiteral("jg"), QStringLiteral("id"), TFieldType::Integer, QStringLiteral("测试ID"));
        q.addField(QStringLiteral("jg"), QStringLiteral("avgcount"), TFieldType::Float,
                   QStringLiteral("平均分"));
        q.addField(QStringLiteral("t"), QStringLiteral("ok"), TFieldType::Boolean, QStringLiteral("有效"));
        q.addField(QStringLiteral("usebb"), QStringLiteral("mzh"), TFieldType::WideString,
                   QStringLiteral("门诊号"));
    }
    static TTerm term(const TZTQueryEx& q, int field, int comparison, const QString& value,
                      bool orLogic = false) {
        QString message;
        const auto t = makeTerm({orLogic, &q.field(field), comparison, value, value}, &message);
        if (!t)
            qFatal("term refused: %s", qPrintable(message));
        return *t;
    }

private slots:
    void rendersConditions_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("comparison");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QString>("expected");
        const QString d = QStringLiteral("'");
        QTest::newRow("等于 王") << 0 << 0 << "王" << d << " username.name  =  '王' \r";
        QTest::newRow("包含 张") << 0 << 6 << "张" << d << " username.name  LIKE  '%张%' \r";
        QTest::newRow("不包含") << 0 << 7 << "张" << d << " username.name  NOT LIKE  '%张%' \r";
        QTest::newRow("左边等于") << 0 << 8 << "张" << d << " username.name  LIKE  '张%' \r";
        QTest::newRow("左边不等于") << 0 << 9 << "张" << d << " username.name  NOT LIKE  '张%' \r";
        QTest::newRow("右边等于") << 0 << 10 << "三" << d << " username.name  LIKE  '%三' \r";
        QTest::newRow("右边不等于") << 0 << 11 << "三" << d << " username.name  NOT LIKE  '%三' \r";
        QTest::newRow("wide text") << 5 << 0 << "A01" << d << " usebb.mzh  =  'A01' \r";
        QTest::newRow("date default delimiter")
            << 1 << 3 << "2008-01-01" << d << " username.csdate  >=  '2008-01-01' \r";
        QTest::newRow("date local delimiter") << 1 << 3 << "2008-01-01"
                                              << "#"
                                              << " username.csdate  >=  #2008-01-01# \r";
        QTest::newRow("integer bare") << 2 << 2 << "57" << d << " jg.id  >  57 \r";
        QTest::newRow("integer ignores delimiter") << 2 << 1 << "57"
                                                   << "#"
                                                   << " jg.id  <>  57 \r";
        QTest::newRow("float bare") << 3 << 5 << "2.5" << d << " jg.avgcount  <=  2.5 \r";
        QTest::newRow("boolean bare") << 4 << 0 << "TRUE" << d << " t.ok  =  TRUE \r";
        // An apostrophe is doubled: the literal stays one literal and means the name as typed.
        QTest::newRow("apostrophe") << 0 << 0 << "O'Brien" << d << " username.name  =  'O''Brien' \r";
        QTest::newRow("apostrophe injection")
            << 0 << 6 << "x' or '1'='1" << d << " username.name  LIKE  '%x'' or ''1''=''1%' \r";
    }
    void rendersConditions() {
        QFETCH(int, field);
        QFETCH(int, comparison);
        QFETCH(QString, value);
        QFETCH(QString, delimiter);
        QFETCH(QString, expected);
        TZTQueryEx q;
        addFields(q);
        q.setDateTimeCompart(delimiter);
        q.Terms().add(term(q, field, comparison, value));
        QCOMPARE(q.QueryTerm(), expected);
    }

    void joinsConditionsWithTheirLogic() {
        TZTQueryEx q;
        addFields(q);
        QCOMPARE(q.QueryTerm(), QString()); // no condition, no text
        // The first condition's logic is stored but never written.
        q.Terms().add(term(q, 0, 6, QStringLiteral("张"), true));
        q.Terms().add(term(q, 2, 3, QStringLiteral("10")));
        q.Terms().add(term(q, 1, 4, QStringLiteral("2000-05-06"), true));
        QCOMPARE(q.QueryTerm(), QStringLiteral(" username.name  LIKE  '%张%' \r"
                                               " AND  jg.id  >=  10 \r"
                                               " OR  username.csdate  <  '2000-05-06' \r"));
        q.setTabNameHasbracket(true);
        QVERIFY(q.QueryTerm().startsWith(QStringLiteral(" [username].name  LIKE")));
    }

    void operatorCaptions_data() {
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("caption");
        QTest::newRow("=") << "="
                           << "1"
                           << "等与";
        QTest::newRow("<") << "<"
                           << "1"
                           << "小于";
        QTest::newRow(">") << ">"
                           << "1"
                           << "大于";
        QTest::newRow(">=") << ">="
                            << "1"
                            << "大于等与";
        QTest::newRow("<=") << "<="
                            << "1"
                            << "小于等与";
        QTest::newRow("<>") << "<>"
                            << "1"
                            << "不等于";
        QTest::newRow("contains") << "LIKE"
                                  << "%a%"
                                  << "包含";
        QTest::newRow("not contains") << "NOT LIKE"
                                      << "%a%"
                                      << "不包含";
        QTest::newRow("starts") << "LIKE"
                                << "a%"
                                << "左边等于";
        QTest::newRow("not starts") << "NOT LIKE"
                                    << "a%"
                                    << "左边不等于";
        QTest::newRow("ends") << "LIKE"
                              << "%a"
                              << "右边等于";
        QTest::newRow("not ends") << "NOT LIKE"
                                  << "%a"
                                  << "右边不等于";
        // "%%" is not longer than two characters, so it is not read as "contains".
        QTest::newRow("empty contains") << "LIKE"
                                        << "%%"
                                        << "右边等于";
    }
    void operatorCaptions() {
        QFETCH(QString, op);
        QFETCH(QString, value);
        QFETCH(QString, caption);
        TTerm t;
        t.op = op;
        t.value = value;
        QCOMPARE(t.operatorCaption(), caption);
    }

    void logicCaptions() {
        TZTQueryEx q;
        addFields(q);
        QCOMPARE(term(q, 0, 0, QStringLiteral("a"), false).logicCaption(), QStringLiteral("并且"));
        QCOMPARE(term(q, 0, 0, QStringLiteral("a"), true).logicCaption(), QStringLiteral("或者"));
    }

    void comparisonsByFieldType() {
        QCOMPARE(comparisonsFor(TFieldType::String).size(), 12);
        QCOMPARE(comparisonsFor(TFieldType::WideString).at(6), QStringLiteral("包含"));
        QCOMPARE(comparisonsFor(TFieldType::Date),
                 QStringList({"等于", "不等于", "大于", "大于或等于", "小于", "小于或等于"}));
        QCOMPARE(comparisonsFor(TFieldType::Integer).size(), 6);
    }

    void checksValuesByFieldType_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("stored"); // empty: refused
        QTest::addColumn<QString>("message");
        QTest::newRow("int") << 2 << " 42 "
                             << "42"
                             << "";
        QTest::newRow("int refused") << 2 << "4x"
                                     << ""
                                     << "请输入整数,Please input Int";
        QTest::newRow("int not a float") << 2 << "4.5"
                                         << ""
                                         << "请输入整数,Please input Int";
        QTest::newRow("int injection") << 2 << "1 or 1=1"
                                       << ""
                                       << "请输入整数,Please input Int";
        QTest::newRow("float") << 3 << "2.50"
                               << "2.5"
                               << "";
        QTest::newRow("float refused") << 3 << "two"
                                       << ""
                                       << "请输入浮点数,Please input Float";
        QTest::newRow("date short form") << 1 << "2008/1/5"
                                         << "2008-01-05"
                                         << "";
        QTest::newRow("date refused") << 1 << "2008-02-30"
                                      << ""
                                      << "请输入日期,Please input Date";
        QTest::newRow("boolean") << 4 << "FALSE"
                                 << "FALSE"
                                 << "";
        QTest::newRow("text as typed") << 0 << " a b "
                                       << " a b "
                                       << "";
    }
    void checksValuesByFieldType() {
        QFETCH(int, field);
        QFETCH(QString, value);
        QFETCH(QString, stored);
        QFETCH(QString, message);
        TZTQueryEx q;
        addFields(q);
        QString refusal;
        const auto t = makeTerm({false, &q.field(field), 0, value, value}, &refusal);
        QCOMPARE(t.has_value(), !stored.isEmpty());
        QCOMPARE(refusal, message);
        if (t)
            QCOMPARE(t->value, stored);
    }

    void timeValues() {
        TZTQueryEx q;
        q.addField(QStringLiteral("t"), QStringLiteral("at"), TFieldType::Time);
        q.addField(QStringLiteral("t"), QStringLiteral("stamp"), TFieldType::DateTime);
        QString message;
        QCOMPARE(makeTerm({false, &q.field(0), 0, QStringLiteral("9:05"), {}}, &message)->value,
                 QStringLiteral("09:05:00"));
        QVERIFY(!makeTerm({false, &q.field(0), 0, QStringLiteral("25:00"), {}}, &message));
        QCOMPARE(message, QStringLiteral("请输入时间,Please input Time"));
        QCOMPARE(makeTerm({false, &q.field(1), 0, QStringLiteral("2008-1-2 10:30"), {}}, &message)->value,
                 QStringLiteral("2008-01-02 10:30:00"));
        QVERIFY(!makeTerm({false, &q.field(1), 0, QStringLiteral("gestern"), {}}, &message));
        QCOMPARE(message, QStringLiteral("请输入日期时间,Please input DateTime"));
        q.setDateTimeCompart(QStringLiteral("#"));
        q.Terms().add(
            *makeTerm({false, &q.field(1), 2, QStringLiteral("2008-01-02 10:30:00"), {}}, &message));
        QCOMPARE(q.QueryTerm(), QStringLiteral(" t.stamp  >  #2008-01-02 10:30:00# \r"));
    }

    void movesConditions() {
        TZTQueryEx q;
        addFields(q);
        for (const char* v : {"a", "b", "c"})
            q.Terms().add(term(q, 0, 0, QLatin1String(v)));
        auto order = [&q] {
            QString s;
            for (const TTerm& t : q.Terms())
                s += t.value;
            return s;
        };
        QCOMPARE(q.Terms().moveUp(0), 0); // the first cannot go up
        QCOMPARE(order(), QStringLiteral("abc"));
        QCOMPARE(q.Terms().moveDown(2), 2); // the last cannot go down
        QCOMPARE(order(), QStringLiteral("abc"));
        QCOMPARE(q.Terms().moveDown(0), 1);
        QCOMPARE(order(), QStringLiteral("bac"));
        QCOMPARE(q.Terms().moveUp(2), 1);
        QCOMPARE(order(), QStringLiteral("bca"));
        q.Terms().removeAt(5); // out of range: nothing
        q.Terms().removeAt(0);
        QCOMPARE(order(), QStringLiteral("ca"));
    }

    void fieldPropertyRules() {
        ScopedScriptedDialogs dialogs;
        TZTQueryEx q;
        TField& f = q.addField(QStringLiteral("  username "), QStringLiteral("name"), TFieldType::String);
        QCOMPARE(f.TableName(), QStringLiteral("username"));
        QCOMPARE(f.DisplayName(), QStringLiteral("name"));
        f.setFieldName(QStringLiteral("xb"));
        QCOMPARE(f.DisplayName(), QStringLiteral("xb"));
        f.setTableName(QStringLiteral("jg"));
        QCOMPARE(f.FieldName(), QString());

        QVERIFY(!f.setFieldType(TFieldType::Blob));
        QCOMPARE(dialogs.lastText(), QStringLiteral("Can not query this type data!"));
        QCOMPARE(f.FieldType(), TFieldType::String);
        QVERIFY(f.setFieldType(TFieldType::Date));

        f.setNumericMax(10);
        f.setNumericMin(20);
        QCOMPARE(f.NumericMax(), 20.0);
        f.setNumericMax(5);
        QCOMPARE(f.NumericMin(), 5.0);

        QCOMPARE(TField::selectValue(QStringLiteral("1=正常组")), QStringLiteral("1"));
        QCOMPARE(TField::selectCaption(QStringLiteral("1=正常组")), QStringLiteral("正常组"));
        QCOMPARE(TField::selectCaption(QStringLiteral("bare")), QStringLiteral("bare"));
    }

    void usedTables() {
        TZTQueryEx q;
        addFields(q);
        QCOMPARE(q.UseredTables(), QStringList({"username,", "jg,", "t,", "usebb"}));
        q.setTabNameHasbracket(true);
        QCOMPARE(q.UseredTables().first(), QStringLiteral("[username],"));
    }

    void autoCheckTypeReadsTheColumn() {
        ScopedScriptedDialogs dialogs;
        TestHome home;
        auto db = home.openInfo();
        TZTQueryEx q;
        q.setConnection(db.get());
        TField& f = q.addField(QStringLiteral("jg"), QStringLiteral("hmna"), TFieldType::Date);
        f.setAutoCheckType(true);
        QCOMPARE(f.FieldType(), TFieldType::String);
        f.setFieldName(QStringLiteral("tmc"));
        QCOMPARE(f.FieldType(), TFieldType::Integer);
        QCOMPARE(f.DisplayName(), QStringLiteral("tmc"));
        // A column that is not there reads as unknown, which cannot be searched.
        f.setFieldName(QStringLiteral("nosuch"));
        QCOMPARE(f.FieldType(), TFieldType::Integer);
        QCOMPARE(dialogs.lastText(), QStringLiteral("Can not query this type data!"));
    }

    void executeChecksBeforeTheDialog() {
        ScopedScriptedDialogs dialogs;
        TZTQueryEx q;
        int runs = 0;
        q.setDialogRunner([&runs](TZTQueryEx&) {
            ++runs;
            return true;
        });
        addFields(q);
        QVERIFY(!q.Execute(true));
        QCOMPARE(dialogs.lastText(), QStringLiteral("没有指定Connection或者ConnectionString"));

        TestHome home;
        auto db = home.openInfo();
        q.setConnection(db.get());
        db->close(); // a closed connection is opened again
        q.Terms().add(term(q, 0, 0, QStringLiteral("a")));
        QVERIFY(q.Execute(true));
        QVERIFY(db->isOpen());
        QCOMPARE(q.Terms().count(), 1);
        QVERIFY(q.Execute(false));
        QCOMPARE(q.Terms().count(), 0);
        QCOMPARE(runs, 2);

        Database broken;
        q.setConnection(&broken);
        QVERIFY(!q.Execute(true));
        QCOMPARE(dialogs.lastText(), QStringLiteral("ADOConnection连接错误"));

        TZTQueryEx noFields;
        noFields.setConnection(db.get());
        noFields.setDialogRunner([&runs](TZTQueryEx&) { return ++runs > 0; });
        QVERIFY(!noFields.Execute(true));
        QCOMPARE(runs, 2);
    }

    // Keystrokes of the date editor: each row starts from 2023-01-31 with the first
    // character selected and types the given keys ("<" left, ">" right).
    void dateEditorKeys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::newRow("full date") << "19990315"
                                   << "1999-03-15" << 9;
        QTest::newRow("skips separators") << "2024"
                                          << "2024-01-31" << 5;
        QTest::newRow("year must start with 1 or 2") << "3"
                                                     << "2023-01-31" << 0;
        QTest::newRow("year below range") << "10"
                                          << "1899-01-31" << 2;
        QTest::newRow("letters ignored") << "a2x"
                                         << "2023-01-31" << 1;
        QTest::newRow("dash completes year") << "-"
                                             << "2023-01-31" << 5;
        QTest::newRow("dash completes month") << "-3-"
                                              << "2023-03-31" << 8;
        QTest::newRow("lone month digit 1") << "-1-"
                                            << "2023-01-30" << 8;
        QTest::newRow("typed with dashes") << "2024-2-15"
                                           << "2024-02-15" << 9;
        QTest::newRow("dash in the day ignored") << "--1-"
                                                 << "2023-01-11" << 9;
        QTest::newRow("month first digit above 1") << "-5"
                                                   << "2023-05-31" << 8;
        QTest::newRow("month 1x above 12") << "-1"
                                           << "2023-11-30" << 6;
        // The passing month 11 has lowered the day already.
        QTest::newRow("month pair 13") << "-13"
                                       << "2023-03-30" << 8;
        QTest::newRow("month pair 00") << "-00"
                                       << "2023-10-31" << 8;
        QTest::newRow("february lowers the day") << "-02"
                                                 << "2023-02-28" << 8;
        QTest::newRow("leap year february") << "2024-02"
                                            << "2024-02-29" << 8;
        QTest::newRow("century not leap") << "2100-02"
                                          << "2100-02-28" << 8;
        QTest::newRow("400 years leap") << "2000-02"
                                        << "2000-02-29" << 8;
        QTest::newRow("day first digit above 3") << "--7"
                                                 << "2023-01-07" << 9;
        QTest::newRow("day 00") << "--00"
                                << "2023-01-10" << 9;
        QTest::newRow("day beyond month") << "-04-31"
                                          << "2023-04-30" << 9;
        QTest::newRow("left and right") << ">>>><"
                                        << "2023-01-31" << 3;
        QTest::newRow("left at start") << "<<"
                                       << "2023-01-31" << 0;
        QTest::newRow("right at end") << "--9>>"
                                      << "2023-01-09" << 9;
    }
    void dateEditorKeys() {
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(int, position);
        DateEditState state(QDate(2023, 1, 31));
        for (const QChar c : keys) {
            if (c == QLatin1Char('<'))
                state.moveLeft();
            else if (c == QLatin1Char('>'))
                state.moveRight();
            else
                state.typeChar(c);
        }
        QCOMPARE(state.text(), text);
        QCOMPARE(state.position(), position);
        QVERIFY(state.date().isValid());
    }

    void dateEditorLimits() {
        QCOMPARE(DateEditState(QDate(1850, 5, 5)).text(), QStringLiteral("1899-01-01"));
        QCOMPARE(DateEditState(QDate(3100, 5, 5)).text(), QStringLiteral("2999-12-31"));
        DateEditState state(QDate(2023, 1, 1));
        state.setPosition(4); // a separator is never selected
        QCOMPARE(state.position(), 5);
        state.setPosition(0);
        for (const QChar c : QStringLiteral("2999"))
            state.typeChar(c);
        state.setPosition(0);
        state.typeChar(QLatin1Char('2'));
        state.typeChar(QLatin1Char('9')); // 2999 stays within the range
        QCOMPARE(state.date(), QDate(2999, 1, 1));
    }
};

QTEST_MAIN(TestQueryBuilder)
#include "tst_querybuilder.moc"
