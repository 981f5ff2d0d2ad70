// Times the subject list and result maintenance pages on a large information database and
// reports their peak memory.
//   bench_list_pages [--subjects N] [--results N] [--factors K] [--keep FILE]
//                    [--pg-port PORT] [--pg-host HOST] [--pg-user USER]
//   bench_list_pages --generate FILE [--subjects N] [--results N] [--factors K]
//   bench_list_pages --measure FILE
//   bench_list_pages --measure-pg DATABASE --pg-port PORT [--pg-host HOST] [--pg-user USER]
// Without --generate or --measure it generates a database (100,000 subjects, 100,000 results
// with 15 factor rows each unless told otherwise; in a temporary folder unless --keep names a
// file), then measures in a fresh process so that the generation does not count towards the
// peak memory. With a PostgreSQL port (--pg-port or PSYDESK_BENCH_PG_PORT, as scripts/bench.sh
// passes it) the same rows are generated in a database bench_list_pages on that server and
// measured the same way. Prints figures only.
#include "data/Database.h"
#include "data/LazyQueryModel.h"
#include "data/SqlScript.h"
#include "querybuilder/pages/TFormQueryDlg.h"
#include "reports/pages/TFrame2.h"
#include "shell/Dialogs.h"
#include "subjects/pages/TFrame1.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace {

struct Sizes {
    int subjects = 100000;
    int results = 100000;
    int factors = 15;
};

QString statusValue(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return QString::fromLatin1(line.mid(qstrlen(key)).trimmed());
    }
    return QStringLiteral("?");
}

void printMemory(const char* when) {
    std::printf("  %-44s VmRSS %s, VmHWM %s\n", when, qPrintable(statusValue("VmRSS:")),
                qPrintable(statusValue("VmHWM:")));
}

QString subjectId(int i) {
    return QStringLiteral("S%1").arg(i, 7, 10, QLatin1Char('0'));
}

// One transaction and one prepared statement per table keep this to seconds.
bool generate(const QString& file, const Sizes& sizes) {
    QFile::remove(file);
    {
        QFile create(file);
        if (!create.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot create %s\n", qPrintable(file));
            return false;
        }
    }
    Database db;
    ConnectionSettings settings;
    settings.file = file;
    if (!db.open(settings)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(file), qPrintable(db.lastError()));
        return false;
    }
    const QStringList surnames = {QStringLiteral("张"), QStringLiteral("王"), QStringLiteral("李"),
                                  QStringLiteral("赵"), QStringLiteral("刘"), QStringLiteral("陈"),
                                  QStringLiteral("杨"), QStringLiteral("黄")};
    const QStringList groups = {QStringLiteral("正常组"), QStringLiteral("对照组"), QStringLiteral("病人组")};
    const QStringList tests = {QStringLiteral("症状自评量表"), QStringLiteral("焦虑自评量表"),
                               QStringLiteral("抑郁自评量表"), QStringLiteral("气质量表")};
    QRandomGenerator random(20240301);
    QElapsedTimer timer;
    timer.start();
    try {
        runSqlScript(db, infoSchemaSqlite());
        db.transaction([&] {
            int i = 0;
            db.runBatch(QStringLiteral("insert into username (id,name,xb,csdate,tel,TESTGROU,address) "
                                       "values (:i,:n,:x,:c,:t,:g,:a)"),
                        [&](QVariantList& p) {
                            if (i >= sizes.subjects)
                                return false;
                            ++i;
                            p << subjectId(i) << surnames.at(i % surnames.size()) + QString::number(i)
                              << (i % 2 ? QStringLiteral("男") : QStringLiteral("女"))
                              << QDate(1950, 1, 1).addDays(random.bounded(25000))
                              << QStringLiteral("1380000%1").arg(i % 10000, 4, 10, QLatin1Char('0'))
                              << groups.at(i % groups.size())
                              << QStringLiteral("某市某区某路%1号").arg(i % 500);
                            return true;
                        });
            int r = 0;
            db.runBatch(
                QStringLiteral("insert into [jg] (id,userid,username,hmna,timeing,sumcount,type,avgcount,"
                               "maxavgcount,tmc) values (:p,:o,:i,:u,:y,:t,:l,:k,:j,:g)"),
                [&](QVariantList& p) {
                    if (r >= sizes.results)
                        return false;
                    ++r;
                    const int subject = 1 + random.bounded(qMax(1, sizes.subjects));
                    p << r << subjectId(subject)
                      << surnames.at(subject % surnames.size()) + QString::number(subject)
                      << tests.at(r % tests.size())
                      << QDateTime(QDate(2015, 1, 1).addDays(r / 40), QTime(8 + r % 10, r % 60))
                      << double(90 + r % 60) << QStringLiteral("总分在正常范围内。") << 1.5 << 5.0 << 90;
                    return true;
                });
            int f = 0;
            const qint64 factorRows = qint64(sizes.results) * sizes.factors;
            db.runBatch(
                QStringLiteral("insert into jgmx (jgid,hmna,sumcount,avgcount,type) values (:l,:j,:h,:g,:p)"),
                [&](QVariantList& p) {
                    if (f >= factorRows)
                        return false;
                    const int result = 1 + f / sizes.factors;
                    const int factor = 1 + f % sizes.factors;
                    ++f;
                    p << result << QStringLiteral("因子%1").arg(factor) << double(factor * 3)
                      << 1.0 + factor % 4 * 0.5 << QStringLiteral("该因子得分在正常范围。");
                    return true;
                });
        });
    } catch (const DbError& e) {
        std::fprintf(stderr, "generation failed: %s\n", qPrintable(e.message()));
        return false;
    }
    std::printf("generated %d subjects, %d results, %lld factor rows in %.1f s (%.0f MB)\n", sizes.subjects,
                sizes.results, qint64(sizes.results) * sizes.factors, timer.elapsed() / 1000.0,
                QFileInfo(file).size() / 1048576.0);
    return true;
}

// A server for the network-mode figures.
struct PgServer {
    QString host = QStringLiteral("127.0.0.1");
    int port = 0;
    QString user = QStringLiteral("postgres");
};

const QString pgDatabaseName = QStringLiteral("bench_list_pages");

ConnectionSettings pgSettings(const PgServer& server, const QString& database) {
    ConnectionSettings settings;
    settings.engine = Dialect::Engine::Postgres;
    settings.host = server.host;
    settings.port = server.port;
    settings.user = server.user;
    settings.database = database;
    return settings;
}

// A fresh database with the information schema, filled on the server itself: the same rows as
// generate() writes, since 1.6 million single inserts over the network would take minutes.
std::optional<ConnectionSettings> generatePg(const PgServer& server, const Sizes& sizes) {
    {
        Database admin;
        if (!admin.open(pgSettings(server, QStringLiteral("postgres")))) {
            std::fprintf(stderr, "PostgreSQL on %s:%d: %s\n", qPrintable(server.host), server.port,
                         qPrintable(admin.lastError()));
            return std::nullopt;
        }
        try {
            admin.run(QStringLiteral("drop database if exists %1").arg(pgDatabaseName));
            admin.run(QStringLiteral("create database %1 encoding 'UTF8' template template0").arg(pgDatabaseName));
        } catch (const DbError& e) {
            std::fprintf(stderr, "cannot create %s: %s\n", qPrintable(pgDatabaseName), qPrintable(e.message()));
            return std::nullopt;
        }
    }
    const ConnectionSettings settings = pgSettings(server, pgDatabaseName);
    Database db;
    if (!db.open(settings)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(pgDatabaseName), qPrintable(db.lastError()));
        return std::nullopt;
    }
    QElapsedTimer timer;
    timer.start();
    const QString subjects = QString::number(qMax(1, sizes.subjects));
    try {
        for (const QString& statement : splitSqlScript(infoSchemaPostgres())) {
            if (!statement.startsWith(QLatin1String("CREATE DATABASE"), Qt::CaseInsensitive))
                db.run(statement);
        }
        db.transaction([&] {
            // QString::arg replaces only "%" followed by a digit; "i % 8" stays as written.
            db.run(QStringLiteral(
                       "insert into username (id,name,xb,csdate,tel,TESTGROU,address) "
                       "select 'S' || lpad(i::text, 7, '0'), substr('张王李赵刘陈杨黄', i % 8 + 1, 1) || i, "
                       "case when i % 2 = 1 then '男' else '女' end, "
                       "date '1950-01-01' + ((i::bigint * 7919) % 25000)::integer, "
                       "'1380000' || lpad((i % 10000)::text, 4, '0'), "
                       "case i % 3 when 0 then '正常组' when 1 then '对照组' else '病人组' end, "
                       "'某市某区某路' || (i % 500) || '号' from generate_series(1, %1) as i")
                       .arg(sizes.subjects));
            db.run(QStringLiteral(
                       "insert into jg (id,userid,username,hmna,timeing,sumcount,type,avgcount,maxavgcount,tmc) "
                       "select r, 'S' || lpad(s::text, 7, '0'), substr('张王李赵刘陈杨黄', s % 8 + 1, 1) || s, "
                       "case r % 4 when 0 then '症状自评量表' when 1 then '焦虑自评量表' "
                       "when 2 then '抑郁自评量表' else '气质量表' end, "
                       "timestamp '2015-01-01' + (r / 40) * interval '1 day' + (8 + r % 10) * interval '1 hour' "
                       "+ (r % 60) * interval '1 minute', 90 + r % 60, '总分在正常范围内。', 1.5, 5.0, 90 "
                       "from (select r, 1 + ((r::bigint * 48271) % %2)::integer as s "
                       "from generate_series(1, %1) as r) as t")
                       .arg(sizes.results)
                       .arg(subjects));
            db.run(QStringLiteral("insert into jgmx (jgid,hmna,sumcount,avgcount,type) "
                                  "select 1 + f / %2, '因子' || (1 + f % %2), (1 + f % %2) * 3, "
                                  "1.0 + (1 + f % %2) % 4 * 0.5, '该因子得分在正常范围。' "
                                  "from generate_series(0, %1 - 1) as f")
                       .arg(qint64(sizes.results) * sizes.factors)
                       .arg(qMax(1, sizes.factors)));
        });
        db.run(QStringLiteral("analyze"));
    } catch (const DbError& e) {
        std::fprintf(stderr, "generation failed: %s\n", qPrintable(e.message()));
        return std::nullopt;
    }
    std::printf("generated %d subjects, %d results, %lld factor rows on %s:%d in %.1f s\n", sizes.subjects,
                sizes.results, qint64(sizes.results) * sizes.factors, qPrintable(server.host), server.port,
                timer.elapsed() / 1000.0);
    return settings;
}

void dropPgDatabase(const PgServer& server) {
    Database admin;
    if (admin.open(pgSettings(server, QStringLiteral("postgres")))) {
        try {
            admin.run(QStringLiteral("drop database if exists %1").arg(pgDatabaseName));
        } catch (const DbError&) {
        }
    }
}

double ms(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

int measure(const ConnectionSettings& settings) {
    ScriptedDialogs dialogs; // a bench answers every question with yes
    Dialogs::setInstance(&dialogs);
    Database db;
    const QString where = settings.engine == Dialect::Engine::Postgres
                              ? QStringLiteral("postgres %1:%2/%3").arg(settings.host).arg(settings.port).arg(settings.database)
                              : QStringLiteral("sqlite %1").arg(settings.file);
    if (!db.open(settings)) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(where), qPrintable(db.lastError()));
        return 1;
    }
    const PageContext ctx{&db, nullptr, nullptr};
    std::printf("%s\n", qPrintable(where));
    printMemory("before opening a page");

    {
        std::printf("subject list (TFrame1)\n");
        QElapsedTimer timer;
        timer.start();
        TFrame1 page(ctx);
        page.resize(1000, 700);
        page.fill();
        page.show();
        page.grab(); // painted once
        std::printf("  first rows shown: %.1f ms (%d rows held)\n", ms(timer), page.model()->rowCount());
        printMemory("after opening");

        timer.restart();
        for (int i = 0; i < 200; ++i)
            page.next();
        std::printf("  200 x next record: %.1f ms\n", ms(timer));

        timer.restart();
        TFormQueryDlg::setDriver([](TFormQueryDlg& d) {
            d.findChild<QComboBox*>(QStringLiteral("fieldBox"))->setCurrentIndex(1);
            d.findChild<QComboBox*>(QStringLiteral("compareBox"))->setCurrentIndex(6);
            qobject_cast<QLineEdit*>(d.valueEditor())->setText(QStringLiteral("张99"));
            d.addTerm();
            d.accept();
        });
        page.findRecords();
        page.grab();
        std::printf("  search name contains 张99: %.1f ms (%d rows held)\n", ms(timer),
                    page.model()->rowCount());

        timer.restart();
        page.last();
        std::printf("  last record of the search: %.1f ms (%d rows)\n", ms(timer), page.model()->rowCount());
        printMemory("after searching");
        TFormQueryDlg::setDriver({});
    }
    {
        std::printf("result maintenance (TFrame2)\n");
        QElapsedTimer timer;
        timer.start();
        TFrame2 page(ctx);
        page.resize(1100, 700);
        page.fill();
        page.show();
        page.grab();
        std::printf("  first rows shown: %.1f ms (%d rows held, %d factor rows of result %d)\n", ms(timer),
                    page.resultModel()->rowCount(), page.factorModel()->rowCount(), page.selectedId());
        printMemory("after opening");

        timer.restart();
        for (int row = 1; row <= 200; ++row)
            page.moveTo(row);
        std::printf("  200 x move to the next result (factor rows read each time): %.1f ms\n", ms(timer));

        timer.restart();
        page.RzBitBtn2Click(); // delete the current result
        std::printf("  delete one result with its rows: %.1f ms\n", ms(timer));

        timer.restart();
        page.RzBitBtn3Click();
        page.grab();
        std::printf("  refresh: %.1f ms\n", ms(timer));
        printMemory("at the end");
    }
    std::printf("peak memory (%s): %s\n", qPrintable(where.section(QLatin1Char(' '), 0, 0)),
                qPrintable(statusValue("VmHWM:")));
    // The delete asks first; anything else is a failure the figures above hide.
    QStringList others = dialogs.texts();
    others.removeAll(QStringLiteral("确定要删除选定记录？"));
    if (!others.isEmpty())
        std::printf("messages shown: %s\n", qPrintable(others.join(QStringLiteral(" | "))));
    Dialogs::setInstance(nullptr);
    return 0;
}

// Measures in a fresh process, so that the peak memory is that of the pages alone.
int measureInChild(const QStringList& arguments) {
    std::fflush(stdout);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(-1);
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    Sizes sizes;
    PgServer server;
    server.port = qEnvironmentVariableIntValue("PSYDESK_BENCH_PG_PORT");
    QString generateFile, measureFile, measurePg, keepFile;
    for (int i = 1; i + 1 < args.size(); ++i) {
        const QString& a = args.at(i);
        const QString& v = args.at(i + 1);
        if (a == QLatin1String("--subjects"))
            sizes.subjects = v.toInt();
        else if (a == QLatin1String("--results"))
            sizes.results = v.toInt();
        else if (a == QLatin1String("--factors"))
            sizes.factors = v.toInt();
        else if (a == QLatin1String("--generate"))
            generateFile = v;
        else if (a == QLatin1String("--measure"))
            measureFile = v;
        else if (a == QLatin1String("--measure-pg"))
            measurePg = v;
        else if (a == QLatin1String("--keep"))
            keepFile = v;
        else if (a == QLatin1String("--pg-port"))
            server.port = v.toInt();
        else if (a == QLatin1String("--pg-host"))
            server.host = v;
        else if (a == QLatin1String("--pg-user"))
            server.user = v;
        else
            continue;
        ++i;
    }
    if (!measureFile.isEmpty()) {
        ConnectionSettings settings;
        settings.file = measureFile;
        return measure(settings);
    }
    if (!measurePg.isEmpty())
        return measure(pgSettings(server, measurePg));
    if (!generateFile.isEmpty())
        return generate(generateFile, sizes) ? 0 : 1;

    int status = 0;
    {
        QTemporaryDir dir;
        const QString file = keepFile.isEmpty() ? dir.filePath(QStringLiteral("vuvurIDIROV.db")) : keepFile;
        if (!generate(file, sizes))
            return 1;
        status = measureInChild({QStringLiteral("--measure"), file});
    }
    if (server.port <= 0) {
        std::printf("postgres (skipped: give --pg-port or PSYDESK_BENCH_PG_PORT)\n");
        return status;
    }
    if (!generatePg(server, sizes))
        return 1;
    const int pgStatus =
        measureInChild({QStringLiteral("--measure-pg"), pgDatabaseName, QStringLiteral("--pg-port"),
                        QString::number(server.port), QStringLiteral("--pg-host"), server.host,
                        QStringLiteral("--pg-user"), server.user});
    dropPgDatabase(server);
    return status != 0 ? status : pgStatus;
}
