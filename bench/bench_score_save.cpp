// Times scoring and saving one run of a long choice test (566 items, 24 factors) on the local
// SQLite database and, when a server is given, on PostgreSQL.
//   bench_score_save [--runs N] [--pg-port PORT] [--pg-host HOST] [--pg-user USER]
// The port may also come from PSYDESK_BENCH_PG_PORT. Prints medians in milliseconds and ratios.
#include "TestHome.h"

#include "data/ResultStore.h"
#include "data/SqlScript.h"
#include "testing/ChoiceScorer.h"
#include "testing/NormLookup.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr int kHmid = 900;
constexpr int kItems = 566;
constexpr int kFactors = 24;
const QString kTestName = QStringLiteral("基准量表");

// Three options scored 0..2 per item; factor f holds every item k with (k + f) % 6 == 0 and
// every 24th item from f, so factors overlap as real inventories do; five norm bands each.
void writeBenchTest(TestBankWriter& bank)
{
    bank.addNode({1, 0, QStringLiteral("目录"), 0, 0, 0, 0, QStringLiteral("男女"), {}});
    bank.addNode({kHmid, 1, kTestName, 3, 2, 1200, 0, QStringLiteral("男女"), {}});
    for (int k = 1; k <= kItems; ++k) {
        BankItem item;
        item.hmid = kHmid;
        item.number = k;
        item.text = QStringLiteral("第%1题：我经常觉得事情会变好。").arg(k);
        item.options = {{QStringLiteral("是"), 2.0}, {QStringLiteral("不确定"), 1.0}, {QStringLiteral("否"), 0.0}};
        bank.addItem(item);
    }
    for (int f = 1; f <= kFactors; ++f) {
        QString list = QStringLiteral(",");
        for (int k = 1; k <= kItems; ++k)
            if ((k + f) % 6 == 0 || k % kFactors == f % kFactors)
                list += QString::number(k) + QLatin1Char(',');
        const QString name = QStringLiteral("因子%1").arg(f);
        bank.addFactor({0, kHmid, name, list, 0, 9999, QStringLiteral("男女")});
        for (int band = 0; band < 5; ++band)
            bank.addNorm({kHmid, name, band * 50.0, (band + 1) * 50.0, 0, 9999, QStringLiteral("男女"),
                          QStringLiteral("%1第%2档的解释").arg(name).arg(band + 1)});
    }
    for (int band = 0; band < 5; ++band)
        bank.addNorm({kHmid, kTestName, band * 250.0, (band + 1) * 250.0, 0, 9999, QStringLiteral("男女"),
                      QStringLiteral("总分第%1档").arg(band + 1)});
}

struct Timing {
    double scoreMs = 0;
    double saveMs = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Median score and save times over `runs` runs (after two warm-up runs).
Timing measure(Database& bank, Database& info, int runs)
{
    const ChoiceItems items = loadChoiceItems(bank, kHmid);
    QStringList answers;
    for (int k = 0; k < kItems; ++k)
        answers << QString::fromLatin1(k % 3 == 0 ? "ac" : (k % 3 == 1 ? "bc" : "cc"));
    ResultStore store(info);
    std::vector<double> scoreMs;
    std::vector<double> saveMs;
    for (int run = -2; run < runs; ++run) {
        SessionContext session;
        session.subjectId = QStringLiteral("B0001");
        session.subjectName = QStringLiteral("基准");
        session.subjectSex = QStringLiteral("男");
        session.age = 360;
        session.hmid = kHmid;
        session.testName = kTestName;
        session.maxAverage = 2;
        session.factors = loadFactors(bank, kHmid, session.age, session.subjectSex);

        QElapsedTimer timer;
        timer.start();
        ChoiceScorer scorer(bank);
        const ScoreOutcome outcome = scorer.ScoreTest(items, answers, session);
        const double scored = timer.nsecsElapsed() / 1e6;
        if (!outcome.complete)
            qFatal("scoring stopped: %s", qPrintable(outcome.message));
        timer.restart();
        store.save(storedResultFromSession(session, outcome.itemScores));
        const double saved = timer.nsecsElapsed() / 1e6;
        if (run >= 0) {
            scoreMs.push_back(scored);
            saveMs.push_back(saved);
        }
    }
    return {median(scoreMs), median(saveMs)};
}

// A fresh information database on the server: a copy of the loaded catalog where there is one,
// else an empty database given the schema.
std::optional<ConnectionSettings> createPgDatabase(const QString& host, int port, const QString& user)
{
    ConnectionSettings admin;
    admin.engine = Dialect::Engine::Postgres;
    admin.host = host;
    admin.port = port;
    admin.database = QStringLiteral("postgres");
    admin.user = user;
    const QString name = QStringLiteral("bench_score_save");
    bool copied = false;
    {
        Database db;
        if (!db.open(admin)) {
            std::fprintf(stderr, "PostgreSQL on %s:%d: %s\n", qPrintable(host), port, qPrintable(db.lastError()));
            return std::nullopt;
        }
        try {
            db.run(QStringLiteral("drop database if exists %1").arg(name));
            try {
                db.run(QStringLiteral("create database %1 template \"vuvurIDIROV\"").arg(name));
                copied = true;
            } catch (const DbError&) {
                db.run(QStringLiteral("create database %1 encoding 'UTF8' template template0").arg(name));
            }
        } catch (const DbError& e) {
            std::fprintf(stderr, "cannot create %s: %s\n", qPrintable(name), qPrintable(e.message()));
            return std::nullopt;
        }
    }
    ConnectionSettings settings = admin;
    settings.database = name;
    if (!copied) {
        Database db;
        if (!db.open(settings))
            return std::nullopt;
        for (const QString& statement : splitSqlScript(infoSchemaPostgres()))
            if (!statement.startsWith(QLatin1String("CREATE DATABASE"), Qt::CaseInsensitive))
                db.run(statement);
    }
    return settings;
}

void printRow(const char* engine, const Timing& t)
{
    std::printf("%-10s %10.2f %10.2f %10.2f %12.1f\n", engine, t.scoreMs, t.saveMs, t.scoreMs + t.saveMs,
                1000.0 * t.saveMs / (kItems + kFactors + 1));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int runs = 15;
    int pgPort = qEnvironmentVariableIntValue("PSYDESK_BENCH_PG_PORT");
    QString pgHost = QStringLiteral("127.0.0.1");
    QString pgUser = QStringLiteral("postgres");
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs"))
            runs = std::max(1, args[++i].toInt());
        else if (args[i] == QLatin1String("--pg-port"))
            pgPort = args[++i].toInt();
        else if (args[i] == QLatin1String("--pg-host"))
            pgHost = args[++i];
        else if (args[i] == QLatin1String("--pg-user"))
            pgUser = args[++i];
    }

    TestHome home;
    writeBenchTest(home.bank());
    home.finishBank();
    auto bank = home.openBank();
    auto local = home.openInfo();

    std::printf("score + save of one run: %d items, %d factors, %d rows saved (median of %d runs, ms)\n", kItems,
                kFactors, kItems + kFactors + 1, runs);
    std::printf("%-10s %10s %10s %10s %12s\n", "engine", "score", "save", "total", "us/row saved");
    const Timing sqlite = measure(*bank, *local, runs);
    printRow("sqlite", sqlite);

    std::optional<Timing> pg;
    if (pgPort > 0) {
        if (const auto settings = createPgDatabase(pgHost, pgPort, pgUser)) {
            Database network;
            if (network.open(*settings)) {
                pg = measure(*bank, network, runs);
                printRow("postgres", *pg);
            } else {
                std::fprintf(stderr, "cannot open the benchmark database: %s\n", qPrintable(network.lastError()));
            }
        }
    } else {
        std::printf("postgres   (skipped: give --pg-port or PSYDESK_BENCH_PG_PORT)\n");
    }

    std::printf("ratio save/score, sqlite:      %.2f\n", sqlite.saveMs / sqlite.scoreMs);
    if (pg) {
        std::printf("ratio save/score, postgres:    %.2f\n", pg->saveMs / pg->scoreMs);
        std::printf("ratio postgres/sqlite, save:   %.2f\n", pg->saveMs / sqlite.saveMs);
        std::printf("ratio postgres/sqlite, total:  %.2f\n",
                    (pg->scoreMs + pg->saveMs) / (sqlite.scoreMs + sqlite.saveMs));
    }
    return 0;
}
