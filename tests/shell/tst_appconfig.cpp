// Set.SYS: defaults, reading every key the way Windows INI files read, and writing single keys.
#include "TestHome.h"
#include "shell/AppConfig.h"
#include "shell/IniFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

class TestAppConfig : public QObject {
    Q_OBJECT
private slots:
    void defaultsWithoutFile();
    void readsKeys_data();
    void readsKeys();
    void gb18030File();
    void multiLineDescriptionSurvivesSaveAndRestart();
    void savedValuesRoundTrip_data();
    void savedValuesRoundTrip();
    void saveKeepsTheRestOfTheFile();
    void saveCreatesMissingFile();
    void saveFailureChangesNothing();
    void bdeValues_data();
    void bdeValues();
    void programDirectory();
};

void TestAppConfig::defaultsWithoutFile()
{
    QTemporaryDir dir;
    const AppConfig config = AppConfig::load(dir.path());
    QCOMPARE(AppConfig::keys(),
             QStringList({"sydw", "sydwxx", "pic", "bde", "name", "pass", "server", "grona", "imemode"}));
    QCOMPARE(config.value("sydw"), QString("关爱他人"));
    QCOMPARE(config.value("sydwxx"), QString("一帆风顺"));
    QCOMPARE(config.value("pic"), QString("setpi.jpg"));
    QCOMPARE(config.value("bde"), QString("0"));
    QCOMPARE(config.value("name"), QString("sa"));
    QCOMPARE(config.value("pass").size(), 2);
    QCOMPARE(config.value("server"), QString("qov10"));
    QCOMPARE(config.value("grona"), QString("心理测评工作站"));
    QCOMPARE(config.value("imemode"), QString("imchinese"));
    QVERIFY(!config.isNetworkMode());
    QVERIFY(config.bdeProblem().isEmpty());
    QCOMPARE(config.marqueeText(), QString("关爱他人:一帆风顺"));
    // Start-up never writes.
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

void TestAppConfig::readsKeys_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString db = "[db]\n";
    QTest::newRow("sydw") << "Set.SYS" << db + "sydw=市心理咨询中心\n"
                          << "sydw"
                          << "市心理咨询中心";
    QTest::newRow("sydwxx") << "Set.SYS" << db + "sydwxx=欢迎光临\n"
                            << "sydwxx"
                            << "欢迎光临";
    QTest::newRow("pic") << "Set.SYS" << db + "pic=/srv/logo.png\n"
                         << "pic"
                         << "/srv/logo.png";
    QTest::newRow("bde") << "Set.SYS" << db + "bde=1\n"
                         << "bde"
                         << "1";
    QTest::newRow("name") << "Set.SYS" << db + "name=operator\n"
                          << "name"
                          << "operator";
    QTest::newRow("pass") << "Set.SYS" << db + "pass=s3cret\n"
                          << "pass"
                          << "s3cret";
    QTest::newRow("server") << "Set.SYS" << db + "server=10.0.0.5:5433\n"
                            << "server"
                            << "10.0.0.5:5433";
    QTest::newRow("grona") << "Set.SYS" << db + "grona=测评系统\n"
                           << "grona"
                           << "测评系统";
    QTest::newRow("imemode") << "Set.SYS" << db + "imemode=fcitx\n"
                             << "imemode"
                             << "fcitx";
    QTest::newRow("lower-case file") << "set.sys" << db + "sydw=小写文件\n"
                                     << "sydw"
                                     << "小写文件";
    QTest::newRow("upper-case file") << "SET.SYS" << db + "sydw=大写文件\n"
                                     << "sydw"
                                     << "大写文件";
    QTest::newRow("key case") << "Set.SYS" << db + "SyDw=键名大小写\n"
                              << "sydw"
                              << "键名大小写";
    QTest::newRow("section case") << "Set.SYS"
                                  << "[DB]\nsydw=节名大小写\n"
                                  << "sydw"
                                  << "节名大小写";
    QTest::newRow("other section ignored") << "Set.SYS"
                                           << "[other]\nsydw=别处\n[db]\nbde=0\n"
                                           << "sydw"
                                           << "关爱他人";
    QTest::newRow("unknown keys ignored") << "Set.SYS" << db + "colour=red\nfoo\nsydw=甲\n"
                                          << "sydw"
                                          << "甲";
    QTest::newRow("commas kept") << "Set.SYS" << db + "sydwxx=一,二,三\n"
                                 << "sydwxx"
                                 << "一,二,三";
    QTest::newRow("spaces trimmed") << "Set.SYS" << db + "  sydw  =  带空格  \n"
                                    << "sydw"
                                    << "带空格";
    QTest::newRow("quotes removed") << "Set.SYS" << db + "sydw=\"引号\"\n"
                                    << "sydw"
                                    << "引号";
    QTest::newRow("first wins") << "Set.SYS" << db + "sydw=第一\nsydw=第二\n"
                                << "sydw"
                                << "第一";
    QTest::newRow("comment line") << "Set.SYS" << db + ";sydw=注释\nsydw=正文\n"
                                  << "sydw"
                                  << "正文";
    QTest::newRow("crlf and bom") << "Set.SYS"
                                  << "\xEF\xBB\xBF[db]\r\nsydw=视窗\r\n"
                                  << "sydw"
                                  << "视窗";
    QTest::newRow("empty value") << "Set.SYS" << db + "sydwxx=\n"
                                 << "sydwxx"
                                 << "";
    QTest::newRow("backslash path") << "Set.SYS" << db + "pic=C:\\pics\\unit.jpg\n"
                                    << "pic"
                                    << "C:\\pics\\unit.jpg";
    QTest::newRow("equals in value") << "Set.SYS" << db + "pass=a=b\n"
                                     << "pass"
                                     << "a=b";
    QTest::newRow("no section") << "Set.SYS"
                                << "sydw=无节\n"
                                << "sydw"
                                << "关爱他人";
}

void TestAppConfig::readsKeys()
{
    QFETCH(QString, fileName);
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
    file.close();
    const AppConfig config = AppConfig::load(dir.path());
    QCOMPARE(config.value(key), expected);
    QCOMPARE(config.value(key.toUpper()), expected);
}

void TestAppConfig::gb18030File()
{
    QStringEncoder encoder("GB18030");
    if (!encoder.isValid())
        QSKIP("GB18030 is not available in this Qt build");
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath("Set.SYS"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(encoder(QString("[db]\nsydw=旧文件编码\n")));
    file.close();
    QCOMPARE(AppConfig::load(dir.path()).value("sydw"), QString("旧文件编码"));
}

void TestAppConfig::multiLineDescriptionSurvivesSaveAndRestart()
{
    TestHome home;
    home.writeSetSys({"sydw=单位", "bde=0"});
    AppConfig config = AppConfig::load(home.path());
    const QString description = "第一行\n第二行\r\n第三行，含逗号, 和反斜杠 C:\\new";
    QString error;
    QVERIFY2(config.setValue("sydwxx", description, &error), qPrintable(error));
    QCOMPARE(config.value("sydwxx"), description);
    // One line in the file, so other INI readers see the key whole.
    QFile file(home.file("Set.SYS"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.filter("sydwxx=").size(), 1);
    QCOMPARE(AppConfig::load(home.path()).value("sydwxx"), description);
}

void TestAppConfig::savedValuesRoundTrip_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "sydw"
                           << "心理中心";
    QTest::newRow("surrounding spaces") << "server"
                                        << "  host  ";
    QTest::newRow("quoted") << "sydw"
                            << "\"引号\"";
    QTest::newRow("backslashes") << "pic"
                                 << "C:\\new\\raw\\\\x\\";
    QTest::newRow("literal escape text") << "sydwxx"
                                         << "写作 \\n 不是换行";
    QTest::newRow("empty") << "sydwxx"
                           << "";
    QTest::newRow("semicolon start") << "pass"
                                     << ";x";
}

void TestAppConfig::savedValuesRoundTrip()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QTemporaryDir dir;
    AppConfig config = AppConfig::load(dir.path());
    QVERIFY(config.setValue(key, value));
    QCOMPARE(AppConfig::load(dir.path()).value(key), value);
}

void TestAppConfig::saveKeepsTheRestOfTheFile()
{
    QTemporaryDir dir;
    QFile file(QDir(dir.path()).filePath("set.sys"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; kept comment\n[other]\nx=1,2\n\n[DB]\nSYDW=old\nextra=keep\n\n[tail]\ny=2\n");
    file.close();
    AppConfig config = AppConfig::load(dir.path());
    QVERIFY(config.setValue("sydw", "新名称"));
    QVERIFY(config.setValue("imemode", "fcitx"));
    // The existing lower-case file is updated, not a second one made.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"set.sys"}));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QCOMPARE(text,
             QString("; kept comment\n[other]\nx=1,2\n\n[DB]\nsydw=新名称\nextra=keep\nimemode=fcitx\n\n"
                     "[tail]\ny=2\n"));
}

void TestAppConfig::saveCreatesMissingFile()
{
    QTemporaryDir dir;
    AppConfig config = AppConfig::load(dir.path());
    QVERIFY(config.setValue("pic", "/tmp/logo.png"));
    QVERIFY(QFile::exists(QDir(dir.path()).filePath("Set.SYS")));
    const AppConfig reloaded = AppConfig::load(dir.path());
    QCOMPARE(reloaded.value("pic"), QString("/tmp/logo.png"));
    QCOMPARE(reloaded.value("sydw"), QString("关爱他人"));
}

void TestAppConfig::saveFailureChangesNothing()
{
    QTemporaryDir dir;
    // A directory where the file should be: not writable, even for root.
    QVERIFY(QDir(dir.path()).mkdir("Set.SYS"));
    AppConfig config = AppConfig::load(dir.path());
    QString error;
    QVERIFY(!config.setValue("sydw", "新", &error));
    QVERIFY(error.contains("无法写入配置文件"));
    QCOMPARE(config.value("sydw"), QString("关爱他人"));

    QVERIFY(!config.setValue("nosuchkey", "x", &error));
    QVERIFY(error.contains("nosuchkey"));
}

void TestAppConfig::bdeValues_data()
{
    QTest::addColumn<QString>("bde");
    QTest::addColumn<bool>("network");
    QTest::addColumn<bool>("problem");
    QTest::newRow("local") << "0" << false << false;
    QTest::newRow("network") << "1" << true << false;
    QTest::newRow("other number") << "2" << false << true;
    QTest::newRow("not a number") << "yes" << false << true;
    QTest::newRow("empty") << "" << false << true;
}

void TestAppConfig::bdeValues()
{
    QFETCH(QString, bde);
    QFETCH(bool, network);
    QFETCH(bool, problem);
    TestHome home;
    home.writeSetSys({"bde=" + bde});
    const AppConfig config = AppConfig::load(home.path());
    QCOMPARE(config.isNetworkMode(), network);
    QCOMPARE(!config.bdeProblem().isEmpty(), problem);
    if (problem) {
        QVERIFY(config.bdeProblem().contains("本机数据库"));
        QVERIFY(config.bdeProblem().contains("“" + bde + "”"));
    }
}

void TestAppConfig::programDirectory()
{
    QTemporaryDir dir;
    QCOMPARE(AppConfig::programDirectory({"psydesk", "--home", dir.path()}), QDir(dir.path()).absolutePath());
    QCOMPARE(AppConfig::programDirectory({"psydesk", "--home=" + dir.path() + "/"}),
             QDir(dir.path()).absolutePath());
    QCOMPARE(AppConfig::programDirectory({"psydesk"}), QCoreApplication::applicationDirPath());
}

QTEST_GUILESS_MAIN(TestAppConfig)
#include "tst_appconfig.moc"
