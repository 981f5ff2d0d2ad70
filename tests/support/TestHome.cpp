// Test homes, fixture banks and the PostgreSQL test server.
#include "TestHome.h"
#include "data/ResultStore.h"
#include "data/SqlScript.h"

#include <QDate>
#include <QFile>
#include <QProcess>
#include <QTextStream>

TestHome::TestHome()
{
    Database db;
    { QFile create(infoFile()); create.open(QIODevice::WriteOnly); }
    ConnectionSettings settings;
    settings.file = infoFile();
    if (!db.open(settings))
        qFatal("cannot create the information database: %s", qPrintable(db.lastError()));
    db.transaction([&] { runSqlScript(db, infoSchemaSqlite()); });
}

void TestHome::writeSetSys(const QStringList& lines, const QString& fileName)
{
    QFile f(file(fileName));
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream out(&f);
    out << "[db]\n";
    for (const QString& line : lines)
        out << line << "\n";
}

TestBankWriter& TestHome::bank()
{
    if (!m_bank)
        m_bank = std::make_unique<TestBankWriter>(bankFile());
    return *m_bank;
}

void TestHome::finishBank()
{
    if (m_bank) {
        m_bank->finish();
        m_bank.reset();
    }
}

std::unique_ptr<Database> TestHome::openInfo()
{
    auto db = std::make_unique<Database>();
    ConnectionSettings settings;
    settings.file = infoFile();
    if (!db->open(settings))
        qFatal("cannot open the information database: %s", qPrintable(db->lastError()));
    return db;
}

std::unique_ptr<Database> TestHome::openBank()
{
    auto db = std::make_unique<Database>();
    ConnectionSettings settings;
    settings.file = bankFile();
    settings.readOnly = true;
    if (!db->open(settings))
        qFatal("cannot open the test bank: %s", qPrintable(db->lastError()));
    return db;
}

void writeSmallChoiceTest(TestBankWriter& bank, int hmid, const QString& name)
{
    bank.addNode({1, 0, QStringLiteral("测试目录"), 0, 0, 0, 0, QStringLiteral("男女"), {}});
    bank.addNode({hmid, 1, name, 4, 4, 1200, 36, QStringLiteral("男女"), QStringLiteral("示例")});
    for (int k = 1; k <= 4; ++k) {
        BankItem item;
        item.hmid = hmid;
        item.number = k;
        item.text = QStringLiteral("第%1题的题目").arg(k);
        for (int o = 1; o <= 4; ++o)
            item.options.push_back({QStringLiteral("选项%1").arg(o), double(o)});
        bank.addItem(item);
    }
    bank.addFactor({0, hmid, QStringLiteral("因子甲"), QStringLiteral(",1,3,"), 0, 9999, QStringLiteral("男女")});
    bank.addFactor({0, hmid, QStringLiteral("因子乙"), QStringLiteral(",2,4,"), 0, 9999, QStringLiteral("女")});
    bank.addNorm({hmid, QStringLiteral("因子甲"), 0, 5, 0, 9999, QStringLiteral("男女"), QStringLiteral("甲偏低")});
    bank.addNorm({hmid, QStringLiteral("因子甲"), 5, 8, 0, 9999, QStringLiteral("男女"), QStringLiteral("甲偏高")});
    bank.addNorm({hmid, name, 0, 10, 0, 9999, QStringLiteral("男女"), QStringLiteral("总分正常")});
    bank.addNorm({hmid, name, 10, 17, 0, 9999, QStringLiteral("男女"), QStringLiteral("总分偏高")});
}

bool buildDemoBank(const QString& file, QString* error)
{
    QProcess build;
    build.start(QStringLiteral(PSYDESK_BIN_DIR "/psydesk-cli"),
                {QStringLiteral("bank"), QStringLiteral("build"), QStringLiteral(PSYDESK_SOURCE_DIR "/data/testbank"),
                 file});
    if (!build.waitForFinished(120000) || build.exitStatus() != QProcess::NormalExit || build.exitCode() != 0) {
        *error = QString::fromUtf8(build.readAllStandardError()) + build.errorString();
        return false;
    }
    return true;
}

void addSubject(Database& info, const QString& id, const QString& name, const QString& sex, const QDate& birth,
                const QString& group)
{
    info.run(QStringLiteral("insert into username (id,name,xb,csdate,TESTGROU) values (:a,:b,:c,:d,:e)"),
             {id, name, sex, birth, group});
}

int addStoredResult(Database& info, const QString& userId, const QString& userName, const QString& testName,
                    int factors, int items)
{
    StoredResult r;
    r.userId = userId;
    r.userName = userName;
    r.testName = testName;
    r.savedAt = QDateTime(QDate(2024, 3, 1), QTime(10, 30));
    r.total = factors * 3;
    r.conclusion = QStringLiteral("总分正常");
    r.average = 1.5;
    r.maxAverage = 4;
    r.itemCount = items;
    for (int k = 1; k <= factors; ++k)
        r.factors.push_back({QStringLiteral("因子%1").arg(k), 3.0 * k, 1.5, QStringLiteral("因子%1结论").arg(k)});
    for (int k = 1; k <= items; ++k)
        r.items.push_back({k, double(k % 4 + 1)});
    return ResultStore(info).save(r);
}

int PgTestServer::port(QString* why)
{
    const QString state = qEnvironmentVariable("PSYDESK_PG_STATE", QStringLiteral(PSYDESK_TEST_STATE_DIR "/pg"));
    QFile f(state + QStringLiteral("/port"));
    if (!f.open(QIODevice::ReadOnly)) {
        if (why)
            *why = QStringLiteral("the PostgreSQL test server is not running (no %1); run the tests through ctest")
                       .arg(f.fileName());
        return 0;
    }
    return QString::fromLatin1(f.readAll()).trimmed().toInt();
}

bool PgTestServer::createDatabase(const QString& name, ConnectionSettings* settings, QString* why)
{
    const int p = port(why);
    if (p == 0)
        return false;
    ConnectionSettings admin;
    admin.engine = Dialect::Engine::Postgres;
    admin.host = QStringLiteral("127.0.0.1");
    admin.port = p;
    admin.database = QStringLiteral("postgres");
    admin.user = QStringLiteral("postgres");
    {
        Database db;
        if (!db.open(admin)) {
            *why = db.lastError();
            return false;
        }
        try {
            db.run(QStringLiteral("drop database if exists \"%1\"").arg(name));
            db.run(QStringLiteral("create database \"%1\" template \"vuvurIDIROV\"").arg(name));
        } catch (const DbError& e) {
            *why = e.message();
            return false;
        }
    }
    *settings = admin;
    settings->database = name;
    return true;
}
