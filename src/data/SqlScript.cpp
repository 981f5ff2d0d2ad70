// Schema scripts and their runner.
#include "SqlScript.h"

#include <QFile>

QStringList splitSqlScript(const QString& script)
{
    QStringList statements;
    QString current;
    for (const QString& rawLine : script.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("--")) || line.startsWith(QLatin1Char('\\')))
            continue;
        current += rawLine + QLatin1Char('\n');
        if (line.endsWith(QLatin1Char(';'))) {
            current = current.trimmed();
            current.chop(1);
            statements << current;
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

void runSqlScript(Database& db, const QString& script)
{
    for (const QString& statement : splitSqlScript(script))
        db.run(statement);
}

static QString resourceText(const QString& path)
{
    // The schemas live in this static library, whose resources must be registered by hand.
    static const bool registered = [] {
        Q_INIT_RESOURCE(schema);
        return true;
    }();
    Q_UNUSED(registered);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString infoSchemaSqlite()
{
    return resourceText(QStringLiteral(":/schema/infodb_sqlite.sql"));
}

QString testBankSchema()
{
    return resourceText(QStringLiteral(":/schema/testbank.sql"));
}

QString infoSchemaPostgres()
{
    return resourceText(QStringLiteral(":/schema/qovinfodb.sql"));
}
