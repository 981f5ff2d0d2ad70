// psydesk-cli: the headless tool (scoring, test-bank building, export).
#include "CliCommands.h"

#include <QCoreApplication>
#include <QTextStream>

static int usage(int status)
{
    QTextStream(status == 0 ? stdout : stderr)
        << "用法:\n"
           "  psydesk-cli --help | --version\n"
           "  psydesk-cli score --bank FILE --test ID --sex 男|女 --age-months N --answers 1,3,2,... [--name TEXT]\n"
           "                    [--sheet FILE.json] [--info FILE --subject ID --save]\n"
           "  psydesk-cli bank build SRC OUT.db\n"
           "  psydesk-cli db init HOME\n";
    return status;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.isEmpty())
        return usage(2);
    const QString command = args.takeFirst();
    if (command == QLatin1String("--help") || command == QLatin1String("-h"))
        return usage(0);
    if (command == QLatin1String("--version")) {
        QTextStream(stdout) << "psydesk-cli " << PSYDESK_VERSION << "\n";
        return 0;
    }
    if (command == QLatin1String("score"))
        return runScoreCommand(args);
    if (command == QLatin1String("bank"))
        return runBankCommand(args);
    if (command == QLatin1String("db"))
        return runDbCommand(args);
    return usage(2);
}
