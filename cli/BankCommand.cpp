// psydesk-cli bank build: compiles the test bank sources into a bank file.
#include "CliCommands.h"

#include <QTextStream>

int runBankCommand(const QStringList&)
{
    QTextStream(stderr) << "bank: not yet available\n";
    return 2;
}
