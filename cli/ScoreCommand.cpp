// psydesk-cli score: scores an answer sheet with the runners' own scoring code.
#include "CliCommands.h"

#include <QTextStream>

int runScoreCommand(const QStringList&)
{
    QTextStream(stderr) << "score: not yet available\n";
    return 2;
}
