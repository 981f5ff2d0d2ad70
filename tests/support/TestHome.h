// A temporary program directory for a test: an empty information database made from the
// schema, a test bank written by the test, and a Set.SYS when the test wants one.
#pragma once

#include "data/Database.h"
#include "shell/Dialogs.h"
#include "data/TestBankWriter.h"

#include <QTemporaryDir>
#include <memory>

class TestHome {
public:
    TestHome();

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString infoFile() const { return file(QStringLiteral("vuvurIDIROV.db")); }
    QString bankFile() const { return file(QStringLiteral("sysinfodb.db")); }

    // Writes Set.SYS with the given [db] lines ("key=value").
    void writeSetSys(const QStringList& lines, const QString& fileName = QStringLiteral("Set.SYS"));

    // Starts a new test bank in this home; finish() it before opening.
    TestBankWriter& bank();
    void finishBank();

    // Connections opened on the files of this home.
    std::unique_ptr<Database> openInfo();
    std::unique_ptr<Database> openBank();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TestBankWriter> m_bank;
};

// A small choice test used by many tests: id 200 "测试量表", four items with options scored
// 1..chc, two factors and norm bands for them and for the total.
void writeSmallChoiceTest(TestBankWriter& bank, int hmid = 200, const QString& name = QStringLiteral("测试量表"));

// Compiles the demo test bank of the source tree into file with psydesk-cli; the tool's
// messages on failure.
bool buildDemoBank(const QString& file, QString* error);

// Adds one subject row.
void addSubject(Database& info, const QString& id, const QString& name, const QString& sex, const QDate& birth,
                const QString& group = QStringLiteral("正常组"));

// Stores one result through ResultStore (factor rows "因子1"…, item rows 1…) and returns its id.
int addStoredResult(Database& info, const QString& userId, const QString& userName,
                    const QString& testName = QStringLiteral("测试量表"), int factors = 2, int items = 4);

// The private PostgreSQL server started by the test command. Creating a database copies the
// loaded vuvurIDIROV catalog, so every test starts from empty tables.
class PgTestServer {
public:
    // The server's port, or 0 with a reason when it is not running.
    static int port(QString* why = nullptr);
    // A fresh database with the information schema; QFAIL-worthy reason on failure.
    static bool createDatabase(const QString& name, ConnectionSettings* settings, QString* why);
};

// Installs a scripted dialog seam for the lifetime of the object.
class ScopedScriptedDialogs : public ScriptedDialogs {
public:
    ScopedScriptedDialogs() { Dialogs::setInstance(this); }
    ~ScopedScriptedDialogs() override { Dialogs::setInstance(nullptr); }
};
