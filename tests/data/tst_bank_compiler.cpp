// The test bank compiler: the demo sources build, broken sources are refused with one clear
// message and leave no output behind, and what is written is what the runners read.
#include "TestHome.h"
#include "data/Database.h"
#include "data/bank/TestBankCompiler.h"
#include "data/bank/TestBankPictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray kCatalogue = R"([category]
id: 1000
name: 分类
)";

const QByteArray kTest = R"([test]
id: 200
parent: 1000
name: 小测验
age: 0-1200
maxavg: 2

[options]
是 | 1
否 | 0

[items]
1 | 第一题
2 | 第二题
3 | 第三题

[factors]
甲 | ,1-2,
乙 | ,3,

[norms]
甲 | 0 | 3 | 甲的解释
* | 0 | 4 | 总分解释
)";

// A source folder: catalogue.txt and tests/t.txt, with one file replaced, added or removed.
void writeSources(const QString& root, const QString& path, const QByteArray& content)
{
    QMap<QString, QByteArray> files{{QStringLiteral("catalogue.txt"), kCatalogue},
                                    {QStringLiteral("tests/t.txt"), kTest}};
    files[path] = content;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (it.value() == "<none>")
            continue;
        const QString file = QDir(root).filePath(it.key());
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(it.value());
    }
}

QByteArray replaced(QByteArray text, const char* from, const char* to)
{
    const int at = text.indexOf(from);
    Q_ASSERT(at >= 0);
    return text.replace(at, int(qstrlen(from)), to);
}

// A test body of the given id and items, for the runner-specific cases.
QByteArray testFile(int id, const QByteArray& items, const QByteArray& rest = {},
                    const QByteArray& header = "age: 0-1200")
{
    return "[test]\nid: " + QByteArray::number(id) + "\nparent: 1000\nname: 专用测验\n" + header +
           "\nmaxavg: 1\n\n" + items + "\n" + rest;
}

// A picture-matrix test (id 18) of adults below 100 years, with six candidates.
QByteArray pictureTest(const QByteArray& items, const QByteArray& rest)
{
    return testFile(18, "[options]\n1\n2\n3\n4\n5\n6\n\n[items]\n" + items, rest, "age: 60-1199");
}

QByteArray inventory(bool badCc, int gapAt, int items = 566)
{
    QByteArray text = "[options]\n是 | 1\n否 | 2\n无法回答 | 0\n\n[items]\ncolumns: topid | toplr | cc\n";
    for (int k = 1; k <= items; ++k)
        text += QByteArray::number(k) + " | 第" + QByteArray::number(k) + "句 | " +
                (k == 1 && badCc ? "1" : "") + "\n";
    text += "\n[factors]\n";
    for (int k = 1; k <= 24; ++k)
        text += "量表" + QByteArray::number(k) + " | ,\n";
    text += "\n[mmpi-conversion]\n";
    for (const char* sex : {"男", "女"})
        for (int k = 1; k <= 24; ++k)
            for (int raw = 0; raw <= 3; ++raw)
                if (!(raw == gapAt && k == 5 && qstrcmp(sex, "女") == 0))
                    text += QByteArray(sex) + " | " + QByteArray::number(k) + " | " +
                            QByteArray::number(raw) + " | " + QByteArray::number(40 + raw) + "\n";
    return testFile(81, text);
}

QByteArray averageSd(bool complete)
{
    QByteArray text = "[average-sd]\n";
    for (int age = 5; age <= 16; ++age)
        for (const char* sex : {"男", "女"})
            if (complete || age != 16 || qstrcmp(sex, "女") != 0)
                text += QByteArray::number(age) + " | " + sex + " | " + QByteArray::number(10 + 3 * age) +
                        " | 8\n";
    return text;
}

QByteArray manyFactors(int count, const QByteArray& lastAge = {})
{
    QByteArray text = "[factors]\n";
    for (int k = 1; k <= count; ++k) {
        if (k == count && !lastAge.isEmpty())
            text += "@age " + lastAge + "\n";
        text += "因子" + QByteArray::number(k) + " | ,1,\n";
    }
    return text;
}

} // namespace

class TestBankCompilerTest : public QObject {
    Q_OBJECT

private slots:
    void demoBankBuildsWithTheCli();
    void badArgumentsExitWithTwo();
    void brokenSourcesAreRefused_data();
    void brokenSourcesAreRefused();
    void cliRefusalKeepsTheOldBank();
    void storedColumnsAreWhatTheRunnersRead();
    void figuresAreDrawnAsPng();
    void pictureFilesMustBeWholePictures_data();
    void pictureFilesMustBeWholePictures();
};

void TestBankCompilerTest::demoBankBuildsWithTheCli()
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("sysinfodb.db"));
    QProcess cli;
    // The figures are drawn by a console tool: no display, no platform plugin.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(PSYDESK_BIN_DIR "/psydesk-cli"),
              {QStringLiteral("bank"), QStringLiteral("build"),
               QStringLiteral(PSYDESK_SOURCE_DIR "/data/testbank"), out});
    QVERIFY(cli.waitForFinished(60000));
    QVERIFY2(cli.exitCode() == 0, cli.readAllStandardError().constData());
    QVERIFY(QString::fromUtf8(cli.readAllStandardOutput()).contains(QStringLiteral("已生成题库")));
    QVERIFY(!QFile::exists(out + QStringLiteral(".building")));

    Database bank;
    ConnectionSettings settings;
    settings.file = out;
    settings.readOnly = true;
    QVERIFY(bank.open(settings));
    QVERIFY(bank.scalar(QStringLiteral("select count(*) from treename")).toInt() > 40);
    QCOMPARE(bank.scalar(QStringLiteral("select count(*) from toplr where hmid=81")).toInt(), 566);
}

void TestBankCompilerTest::badArgumentsExitWithTwo()
{
    const QList<QStringList> cases{
        {QStringLiteral("bank")},
        {QStringLiteral("bank"), QStringLiteral("build"), QStringLiteral("only-source")},
        {QStringLiteral("bank"), QStringLiteral("compile"), QStringLiteral("a"), QStringLiteral("b.db")},
        {QStringLiteral("bank"), QStringLiteral("build"), QStringLiteral("a"), QStringLiteral("b.db"),
         QStringLiteral("c")},
    };
    for (const QStringList& args : cases) {
        QProcess cli;
        cli.start(QStringLiteral(PSYDESK_BIN_DIR "/psydesk-cli"), args);
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 2);
        QVERIFY(QString::fromUtf8(cli.readAllStandardError()).contains(QStringLiteral("用法")));
    }
}

void TestBankCompilerTest::brokenSourcesAreRefused_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");

    const QString test = QStringLiteral("tests/t.txt");
    // Catalogue and syntax.
    QTest::newRow("no catalogue") << QStringLiteral("catalogue.txt") << QByteArray("<none>")
                                  << QStringLiteral("缺少目录文件 catalogue.txt");
    QTest::newRow("not utf-8") << test << QByteArray("[test]\nname: \xb2\xe2\xca\xd4\n")
                               << QStringLiteral("tests/t.txt: 文件不是 UTF-8 编码");
    QTest::newRow("unknown section") << test << (kTest + "[normen]\n")
                                     << QStringLiteral("tests/t.txt 第24行: 未知的节 [normen]");
    QTest::newRow("missing name") << test << replaced(kTest, "name: 小测验\n", "")
                                  << QStringLiteral("tests/t.txt 第1行: 缺少“name”");
    QTest::newRow("unknown parent") << test << replaced(kTest, "parent: 1000", "parent: 999")
                                    << QStringLiteral("上级分类 999 不存在");
    QTest::newRow("id taken by a category") << test << replaced(kTest, "id: 200", "id: 1000")
                                            << QStringLiteral("编号 1000 已在 catalogue.txt 第1行 使用");
    QTest::newRow("test sex") << test << replaced(kTest, "maxavg: 2", "maxavg: 2\nsex: 男性")
                              << QStringLiteral("性别“男性”无效");
    QTest::newRow("test age band") << test << replaced(kTest, "age: 0-1200", "age: 1200-0")
                                   << QStringLiteral("年龄下限 1200 大于上限 0");
    QTest::newRow("age not a range") << test << replaced(kTest, "age: 0-1200", "age: 18岁以上")
                                     << QStringLiteral("tests/t.txt 第5行: 年龄范围应写成");
    // Items.
    QTest::newRow("gap in numbering") << test << replaced(kTest, "3 | 第三题", "4 | 第三题")
                                      << QStringLiteral("tests/t.txt 第15行: 题号应为 3");
    QTest::newRow("field count") << test << replaced(kTest, "2 | 第二题", "2 | 第二题 | 多余")
                                 << QStringLiteral("第14行: 这一行有 3 个字段");
    QTest::newRow("unknown option set")
        << test
        << replaced(kTest, "1 | 第一题\n2 | 第二题\n3 | 第三题",
                    "columns: topid | toplr | options\n1 | 第一题 | 五级\n2 | 第二题 |\n3 | 第三题 |")
        << QStringLiteral("第14行: 选项组“五级”没有定义");
    QTest::newRow("score not a number")
        << test << replaced(kTest, "否 | 0", "否 | 零") << QStringLiteral("第10行: 选项分数“零”不是数字");
    QTest::newRow("option without score")
        << test << testFile(201, "[options]\n是 | 1\n否\n\n[items]\n1 | 题\n")
        << QStringLiteral("第1题第2个选项（B 列）没有分数（bc 列）");
    QTest::newRow("chc above the texts")
        << test
        << replaced(kTest, "1 | 第一题\n2 | 第二题\n3 | 第三题",
                    "columns: topid | toplr | chc\n1 | 第一题 | 3\n2 | 第二题 |\n3 | 第三题 |")
        << QStringLiteral("第1题有 3 个选项，但第3个选项（C 列）没有文字");
    QTest::newRow("score beyond chc")
        << test
        << replaced(kTest, "1 | 第一题\n2 | 第二题\n3 | 第三题",
                    "columns: topid | toplr | cc\n1 | 第一题 | 2\n2 | 第二题 |\n3 | 第三题 |")
        << QStringLiteral("第1题有 2 个选项，却还写了第3个选项的分数（cc 列）");
    QTest::newRow("too many options for the page")
        << test
        << testFile(40, "[options]\n1|1\n2|2\n3|3\n4|4\n5|5\n6|6\n7|7\n8|8\n9|9\n\n[items]\n1 | 宝宝爱笑\n",
                    manyFactors(6))
        << QStringLiteral("第1题有 9 个选项，而气质问卷答题页只有 8 个选项按钮");
    QTest::newRow("passage missing") << test
                                     << testFile(147, "[options]\n甲|1\n乙|2\n\n[items]\n1 | 题目\n",
                                                 manyFactors(4))
                                     << QStringLiteral("第1题缺少阅读材料（j 列）");
    // Factors.
    QTest::newRow("item list form") << test << replaced(kTest, "乙 | ,3,", "乙 | 3")
                                    << QStringLiteral("第19行: 因子“乙”: 题目列表应以逗号开头并以逗号结尾");
    QTest::newRow("item list repeats")
        << test << replaced(kTest, "甲 | ,1-2,", "甲 | ,1,2,1,") << QStringLiteral("题号 1 在题目列表中重复");
    QTest::newRow("item that does not exist")
        << test << replaced(kTest, "乙 | ,3,", "乙 | ,3,9,")
        << QStringLiteral("因子“乙”的题目列表含有题号 9，而本测试只有 3 道题");
    QTest::newRow("factor sex") << test << replaced(kTest, "乙 | ,3,", "@sex 女性\n乙 | ,3,")
                                << QStringLiteral("因子“乙”: 性别“女性”无效");
    QTest::newRow("unknown directive") << test << replaced(kTest, "乙 | ,3,", "@agemax 30\n乙 | ,3,")
                                       << QStringLiteral("未知的指令“@agemax”");
    // Norms.
    QTest::newRow("empty band") << test << replaced(kTest, "甲 | 0 | 3 |", "甲 | 3 | 3 |")
                                << QStringLiteral("第22行: 常模“甲”的分数下限 3 应小于上限 3");
    QTest::newRow("norm age band") << test << replaced(kTest, "* | 0 | 4", "@age 30-10\n* | 0 | 4")
                                   << QStringLiteral("常模“小测验”的年龄下限 30 大于上限 10");
    QTest::newRow("norm sex") << test << replaced(kTest, "* | 0 | 4", "@sex 男的\n* | 0 | 4")
                              << QStringLiteral("常模“小测验”: 性别“男的”无效");
    QTest::newRow("norm name nobody looks up")
        << test << replaced(kTest, "甲 | 0 | 3 |", "丙 | 0 | 3 |")
        << QStringLiteral("常模“丙”既不是本测试的因子名，也不是测试名“小测验”");
    QTest::newRow("norm without text")
        << test << replaced(kTest, "| 甲的解释", "|") << QStringLiteral("常模“甲”没有解释文字");
    // What the scoring rules read.
    QTest::newRow("16PF needs sixteen factors")
        << test << testFile(46, "[options]\n是|2\n否|0\n\n[items]\n1 | 题\n", manyFactors(15))
        << QStringLiteral("只有 15 个因子，次级人格因素读取16个主因素，需要至少 16 个");
    QTest::newRow("factor missing for older subjects")
        << test << testFile(36, "[options]\n是|1\n否|0\n\n[items]\n1 | 题\n", manyFactors(8, "0-100"))
        << QStringLiteral("对男性、101个月的受测者只有 7 个因子");
    QTest::newRow("drinking rule needs C")
        << test << testFile(16, "[options]\n是|1\n否|0\n\n[items]\n1 | 题\n", "[factors]\nA | ,1,\nB | ,1,\n")
        << QStringLiteral("没有名为“C”的因子");
    QTest::newRow("level score reads item 11")
        << test << testFile(70, "[options]\n是|1\n否|0\n\n[items]\n1 | 题\n", manyFactors(1))
        << QStringLiteral("有 1 道题，需要至少 11 道（等级分写入第1个因子并读取第11题）");
    // Dedicated runners.
    const QByteArray figure = "columns: topid | ac | picture\n1 | 2 | matrix 2x2 shape=row\n";
    QTest::newRow("picture answer out of range")
        << test
        << pictureTest("columns: topid | ac | picture\n1 | 7 | matrix 2x2 shape=row\n", averageSd(true))
        << QStringLiteral("第1题的正确答案（ac 列）应为 1 到 6 之间的整数");
    QTest::newRow("picture without figure")
        << test << pictureTest("columns: topid | ac\n1 | 2\n", averageSd(true))
        << QStringLiteral("第1题没有图片（picture 列）");
    QTest::newRow("picture file missing")
        << test << pictureTest("columns: topid | ac | picture\n1 | 2 | pics/1.png\n", averageSd(true))
        << QStringLiteral("第1题的图片文件“pics/1.png”无法读取");
    QTest::newRow("figure description")
        << test
        << pictureTest("columns: topid | ac | picture\n1 | 2 | matrix 4x4 shape=row\n", averageSd(true))
        << QStringLiteral("第1题的图形描述有误: 矩阵大小只能是 2x2 或 3x3");
    QTest::newRow("age norms incomplete") << test << pictureTest(figure, averageSd(false))
                                          << QStringLiteral("需要 5 至 16 岁男女各年龄的常模，缺少: 16岁女");
    QTest::newRow("picture test for centenarians")
        << test << replaced(pictureTest(figure, averageSd(true)), "age: 60-1199", "age: 60-1250")
        << QStringLiteral("允许 1250 个月的受测者，但没有100岁男性的年龄常模");
    QTest::newRow("age norm sd") << test << pictureTest(figure, averageSd(true) + "17 | 男 | 60 | 0\n")
                                 << QStringLiteral("标准差必须大于0");
    QTest::newRow("scene without age bounds")
        << test
        << testFile(104, "[items]\ncolumns: topid | b | toplr | ac | bc\n1 | 喂养 | 会吸吮 | |\n",
                    manyFactors(2), "age: 0-30")
        << QStringLiteral("第1题缺少月龄界限（ac、bc 列至少写一个）");
    QTest::newRow("scenes stop too young")
        << test
        << testFile(104, "[items]\ncolumns: topid | b | toplr | ac | bc\n1 | 喂养 | 会吸吮 | 2 | 6\n",
                    manyFactors(2), "age: 0-30")
        << QStringLiteral("允许 30 个月的受测者，但题目的月龄界限最高只有 6");
    QTest::newRow("short digit grid")
        << test << testFile(133, "[items]\n1 | 12345\n") << QStringLiteral("第1题应以 35 个数字开头");
    QTest::newRow("forced choice statement")
        << test << testFile(103, "[items]\ncolumns: topid | a | b | c\n1 | 甲 | 乙 |\n")
        << QStringLiteral("第1题缺少第3句陈述（c 列）");
    QTest::newRow("inventory length")
        << test << inventory(false, -1, 399) << QStringLiteral("有 399 道题，需要正好 566 道");
    QTest::newRow("inventory cc") << test << inventory(true, -1)
                                  << QStringLiteral("第1题的 cc 列必须为 0 分");
    QTest::newRow("conversion gap") << test << inventory(false, 2)
                                    << QStringLiteral(
                                           "女性第5量表的原始分转换应从 0 起逐分连续，缺少原始分 2");
    QTest::newRow("conversion repeated") << test << (inventory(false, -1) + "男 | 3 | 1 | 55\n")
                                         << QStringLiteral("男性第3量表原始分 1 的转换重复");
}

void TestBankCompilerTest::brokenSourcesAreRefused()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    writeSources(dir.filePath(QStringLiteral("src")), path, content);
    const QString out = dir.filePath(QStringLiteral("out.db"));
    TestBankCompiler compiler;
    QVERIFY(!compiler.build(dir.filePath(QStringLiteral("src")), out));
    QVERIFY2(compiler.errors().size() == 1, qPrintable(compiler.errors().join(QLatin1Char('\n'))));
    QVERIFY2(compiler.errors().first().contains(expected), qPrintable(compiler.errors().first()));
    QVERIFY(!QFile::exists(out));
    QVERIFY(!QFile::exists(out + QStringLiteral(".building")));
}

void TestBankCompilerTest::cliRefusalKeepsTheOldBank()
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src"));
    const QString out = dir.filePath(QStringLiteral("sysinfodb.db"));
    auto build = [&](QString* errors) {
        QProcess cli;
        cli.start(QStringLiteral(PSYDESK_BIN_DIR "/psydesk-cli"),
                  {QStringLiteral("bank"), QStringLiteral("build"), src, out});
        cli.waitForFinished(30000);
        *errors = QString::fromUtf8(cli.readAllStandardError());
        return cli.exitCode();
    };
    QString errors;
    writeSources(src, QStringLiteral("tests/t.txt"), kTest);
    QCOMPARE(build(&errors), 0);
    QFile built(out);
    QVERIFY(built.open(QIODevice::ReadOnly));
    const QByteArray good = built.readAll();
    built.close();

    writeSources(src, QStringLiteral("tests/t.txt"), replaced(kTest, "乙 | ,3,", "乙 | ,3,4,"));
    QCOMPARE(build(&errors), 1);
    QVERIFY2(errors.contains(QStringLiteral("tests/t.txt 第19行: 因子“乙”的题目列表含有题号 4")),
             qPrintable(errors));
    QVERIFY(errors.contains(QStringLiteral("题库未生成: 1 处错误")));
    QVERIFY(built.open(QIODevice::ReadOnly));
    QCOMPARE(built.readAll(), good);
    QVERIFY(!QFile::exists(out + QStringLiteral(".building")));
}

void TestBankCompilerTest::storedColumnsAreWhatTheRunnersRead()
{
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("src"));
    const QByteArray passage =
        testFile(147, R"([options]
甲 | 1
乙 | 2
丙 | 3
丁 | 4

[items]
columns: topid | j | toplr
1 | 一段\n两行的材料 | 你会选 A\|B 中的哪一个？
)",
                 "[factors]\n@sex 女\n竞争 | ,1,\n合作 | ,1,\n回避 | ,1,\n迁就 | ,1,\n");
    writeSources(src, QStringLiteral("tests/t.txt"), kTest);
    writeSources(src, QStringLiteral("tests/p.txt"),
                 replaced(passage, "age: 0-1200", "age: 0-1200\nsex: 女"));
    TestBankCompiler compiler;
    QVERIFY2(compiler.build(src, dir.filePath(QStringLiteral("b.db"))),
             qPrintable(compiler.errors().join(QLatin1Char('\n'))));

    Database bank;
    ConnectionSettings settings;
    settings.file = dir.filePath(QStringLiteral("b.db"));
    settings.readOnly = true;
    QVERIFY(bank.open(settings));

    const auto items = bank.rows(QStringLiteral("select * from toplr where hmid=:p order by topid"), {200});
    QCOMPARE(items.size(), size_t(3));
    QCOMPARE(items[0].value(QStringLiteral("chc")).toInt(), 2);
    QCOMPARE(items[0].value(QStringLiteral("A")).toString(), QStringLiteral("是"));
    QCOMPARE(items[0].value(QStringLiteral("bc")).toDouble(), 0.0);
    QVERIFY(items[0].value(QStringLiteral("cc")).isNull());
    QVERIFY(items[0].value(QStringLiteral("C")).isNull());

    const auto passageItem =
        bank.rows(QStringLiteral("select * from toplr where hmid=:p order by topid"), {147}).at(0);
    QCOMPARE(passageItem.value(QStringLiteral("chc")).toInt(), 4);
    QCOMPARE(passageItem.value(QStringLiteral("j")).toString(), QStringLiteral("一段\n两行的材料"));
    QCOMPARE(passageItem.value(QStringLiteral("toplr")).toString(),
             QStringLiteral("你会选 A|B 中的哪一个？"));
    QVERIFY(passageItem.value(QStringLiteral("jc")).isNull());

    // Factor rows in source order, ranges written out, read with the runner's query.
    const auto factors = bank.rows(
        QStringLiteral(
            "select * from hmez where hmid=:o and agemin<=:l and agemax>=:k and xb like :o order by id "),
        {200, 40, 40, QStringLiteral("%男%")});
    QCOMPARE(factors.size(), size_t(2));
    QCOMPARE(factors[0].value(QStringLiteral("ez")).toString(), QStringLiteral("甲"));
    QCOMPARE(factors[0].value(QStringLiteral("topid")).toString(), QStringLiteral(",1,2,"));
    QCOMPARE(bank.rows(QStringLiteral("select * from hmez where hmid=:o and agemin<=:l and agemax>=:k and xb "
                                      "like :o order by id "),
                       {147, 40, 40, QStringLiteral("%男%")})
                 .size(),
             size_t(0));

    const auto node = bank.rows(QStringLiteral("select * from treename where id=:i"), {200}).at(0);
    QCOMPARE(node.value(QStringLiteral("chc")).toInt(), 2);
    QCOMPARE(node.value(QStringLiteral("maxavg")).toInt(), 2);
    QCOMPARE(node.value(QStringLiteral("max")).toInt(), 1200);
    QCOMPARE(node.value(QStringLiteral("parentid")).toInt(), 1000);

    // "*" is the test's own name; a band is half open.
    const QString norm = QStringLiteral("select * from [account] where name=:i and min<=:o and max>:p and "
                                        "hmid=:j and agemin<=:s and agemax>=:d and xb like :w");
    QCOMPARE(bank.rows(norm, {QStringLiteral("小测验"), 3.0, 3.0, 200, 0, 0, QStringLiteral("%女%")})
                 .at(0)
                 .value(QStringLiteral("explain"))
                 .toString(),
             QStringLiteral("总分解释"));
    QCOMPARE(bank.rows(norm, {QStringLiteral("甲"), 3.0, 3.0, 200, 0, 0, QStringLiteral("%女%")}).size(),
             size_t(0));
}

void TestBankCompilerTest::figuresAreDrawnAsPng()
{
    MatrixFigure figure;
    QString why;
    QVERIFY(
        parseMatrixFigure(QStringLiteral("matrix 3x3 shape=row fill=col count=diag seed=4"), &figure, &why));
    const QByteArray first = drawMatrixFigure(figure, 5, 8, 1);
    QImage image;
    QVERIFY(image.loadFromData(first, "PNG"));
    QCOMPARE(image.format(), QImage::Format_Grayscale8);
    QCOMPARE(image.size(), QSize(602, 326));                // a 3 x 3 grid over a row of eight candidates
    QCOMPARE(qGray(image.pixel(0, 0)), 255);                // black figures on white
    QCOMPARE(qGray(image.pixel(image.width() / 2, 10)), 0); // the grid's frame
    QCOMPARE(drawMatrixFigure(figure, 5, 8, 1), first);     // a rebuilt bank is byte-identical
    QVERIFY(drawMatrixFigure(figure, 2, 8, 1) != first);
    QVERIFY(!parseMatrixFigure(QStringLiteral("matrix 3x3 size=const"), &figure, &why));
    QVERIFY(why.contains(QStringLiteral("至少要有一个属性")));
    QVERIFY(!parseMatrixFigure(QStringLiteral("matrix 3x3 colour=row"), &figure, &why));
}

void TestBankCompilerTest::pictureFilesMustBeWholePictures_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");

    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    auto encoded = [&](const char* format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format);
        return bytes;
    };
    const QByteArray png = encoded("PNG");
    QTest::newRow("png") << png << true;
    QTest::newRow("jpeg") << encoded("JPEG") << true;
    QTest::newRow("bmp") << encoded("BMP") << true;
    QTest::newRow("png cut short") << png.left(png.size() / 2) << false;
    QTest::newRow("png signature on garbage")
        << QByteArray("\x89PNG\r\n\x1a\n" + QByteArray(200, 'x')) << false;
    QTest::newRow("text file") << QByteArray("not a picture\n") << false;
    // Readable, but not one of the formats the test screens are promised.
    QTest::newRow("gif") << QByteArray::fromBase64(
                                "R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==")
                         << false;
}

// A picture file is read whole before it goes into the bank: a damaged one would only show up
// as a blank puzzle in front of a testee.
void TestBankCompilerTest::pictureFilesMustBeWholePictures()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);

    QCOMPARE(looksLikePicture(bytes), accepted);

    QTemporaryDir dir;
    const QString root = dir.filePath(QStringLiteral("src"));
    writeSources(root, QStringLiteral("tests/t.txt"),
                 pictureTest("columns: topid | ac | picture\n1 | 2 | pics/1.png\n", averageSd(true)));
    QFile file(QDir(root).filePath(QStringLiteral("tests/pics/1.png")));
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()) && file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const QString out = dir.filePath(QStringLiteral("out.db"));
    TestBankCompiler compiler;
    QCOMPARE(compiler.build(root, out), accepted);
    if (!accepted) {
        QCOMPARE(compiler.errors().size(), 1);
        QVERIFY2(compiler.errors().first().contains(
                     QStringLiteral("第1题的图片文件“pics/1.png”不是 PNG、BMP 或 JPEG 图片")),
                 qPrintable(compiler.errors().first()));
        return;
    }
    Database bank;
    ConnectionSettings settings;
    settings.file = out;
    settings.readOnly = true;
    QVERIFY(bank.open(settings));
    QCOMPARE(bank.scalar(QStringLiteral("select picture from toplr where hmid=18 and topid=1")).toByteArray(),
             bytes);
}

QTEST_GUILESS_MAIN(TestBankCompilerTest)
#include "tst_bank_compiler.moc"
