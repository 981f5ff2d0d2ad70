// Helper process for the concurrent-save tests: saves tagged results into a shared database.
//   result_save_worker --sqlite FILE | --pg HOST PORT DATABASE USER   --tag N --count N
// Prints "ready" once connected, waits for a line on standard input, then saves and exits 0;
// any refused save is printed to standard error and ends it with 1.
#include "ResultIdCases.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    ConnectionSettings settings;
    int tag = 0;
    int count = 0;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--sqlite") && i + 1 < args.size()) {
            settings.file = args[++i];
        } else if (args[i] == QLatin1String("--pg") && i + 4 < args.size()) {
            settings.engine = Dialect::Engine::Postgres;
            settings.host = args[++i];
            settings.port = args[++i].toInt();
            settings.database = args[++i];
            settings.user = args[++i];
        } else if (args[i] == QLatin1String("--tag") && i + 1 < args.size()) {
            tag = args[++i].toInt();
        } else if (args[i] == QLatin1String("--count") && i + 1 < args.size()) {
            count = args[++i].toInt();
        }
    }
    Database db;
    if (tag <= 0 || !db.open(settings)) {
        std::fprintf(stderr, "worker %d cannot start: %s\n", tag, qPrintable(db.lastError()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 1;
    ResultStore store(db);
    for (int seq = 1; seq <= count; ++seq) {
        try {
            store.save(ResultIdCases::taggedResult(tag, seq));
        } catch (const DbError& e) {
            std::fprintf(stderr, "worker %d, save %d refused: %s\n", tag, seq, qPrintable(e.message()));
            return 1;
        }
    }
    return 0;
}
