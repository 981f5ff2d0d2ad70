// psydesk-cli db init HOME: makes an empty information database in a program directory.
#include "CliCommands.h"
#include "data/Database.h"
#include "data/SqlScript.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

int runDbCommand(const QStringList& args)
{
    QTextStream err(stderr);
    if (args.size() != 2 || args.at(0) != QLatin1String("init")) {
        err << "用法: psydesk-cli db init HOME\n";
        return 2;
    }
    const QString home = args.at(1);
    QDir().mkpath(home);
    const QString file = QDir(home).filePath(QStringLiteral("vuvurIDIROV.db"));
    if (QFile::exists(file)) {
        QTextStream(stdout) << "信息数据库已存在: " << file << "\n";
        return 0;
    }
    const QString temp = file + QStringLiteral(".new");
    QFile::remove(temp);
    {
        QFile create(temp);
        if (!create.open(QIODevice::WriteOnly)) {
            err << "无法创建文件: " << temp << "\n";
            return 1;
        }
    }
    try {
        Database db;
        ConnectionSettings settings;
        settings.file = temp;
        if (!db.open(settings))
            throw DbError(db.lastError());
        db.transaction([&] { runSqlScript(db, infoSchemaSqlite()); });
    } catch (const DbError& e) {
        QFile::remove(temp);
        err << "创建信息数据库失败: " << e.message() << "\n";
        return 1;
    }
    QFile::rename(temp, file);
    QTextStream(stdout) << "已创建信息数据库: " << file << "\n";
    return 0;
}
