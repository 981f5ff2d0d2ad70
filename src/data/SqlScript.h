// Runs a schema script (statements separated by ";" at line ends) on a connection.
#pragma once

#include "Database.h"

// Splits a script into statements, leaving out "--" comments and psql meta-commands.
QStringList splitSqlScript(const QString& script);
// Runs every statement of the script; throws DbError on the first refusal.
void runSqlScript(Database& db, const QString& script);
// The built-in schemas, as embedded resources.
QString infoSchemaSqlite();
QString testBankSchema();
QString infoSchemaPostgres();
