// The sub-commands of psydesk-cli; each returns the process exit status
// (0 success, 1 the input was refused, 2 bad arguments).
#pragma once

#include <QStringList>

int runScoreCommand(const QStringList& args);
int runBankCommand(const QStringList& args);
int runDbCommand(const QStringList& args);
