// A one-test bank whose items score exactly the given values, scored through the runners'
// own path (items and factors from the bank, ChoiceScorer with the scale rules).
#pragma once

#include "TestHome.h"

#include "scales/AnswerSheetScoring.h"
#include "scales/RuleDispatch.h"
#include "testing/ChoiceItems.h"
#include "testing/ChoiceScorer.h"
#include "testing/NormLookup.h"
#include "testing/NumberFormat.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <cmath>

struct FactorSpec {
    QString name;
    QString itemList; // ",1,2,"
};

struct ScaleCase {
    int hmid = 0;
    QString testName = QStringLiteral("量表");
    QVector<double> items; // item k is answered with an option scored items[k - 1]
    QVector<FactorSpec> factors;
    QVector<BankNorm> norms; // hmid is filled in
    QString sex = QStringLiteral("男");
    double ageMonths = 240;
    bool temperament = false;
};

struct ScaleRun {
    ScoreOutcome outcome;
    SessionContext session;
    StoredResult stored;

    // The first result line that starts with prefix, without the prefix; a null string when none.
    QString line(const QString& prefix) const
    {
        for (const QString& l : outcome.lines)
            if (l.startsWith(prefix))
                return l.mid(prefix.size());
        return QString();
    }
    double storedSum(int k) const { return stored.factors.at(k - 1).sum; }
};

// Factor k holds item k alone, so its sum is items[k - 1]. Names default to 因子1, 因子2 ...
inline QVector<FactorSpec> oneItemFactors(int count, const QStringList& names = {})
{
    QVector<FactorSpec> factors;
    for (int k = 1; k <= count; ++k)
        factors.push_back({names.value(k - 1, QStringLiteral("因子%1").arg(k)), QStringLiteral(",%1,").arg(k)});
    return factors;
}

// Scores of n whole-numbered items (0..9) whose sum is value x n rounded to a whole number,
// so that the factor average comes out of the one-decimal rounding as it would in a real run.
inline QVector<double> itemsWithAverage(double value, int n = 10)
{
    int rest = int(std::lround(value * n));
    QVector<double> scores;
    for (int k = 0; k < n; ++k) {
        const int s = (rest + (n - k) - 1) / (n - k);
        scores << s;
        rest -= s;
    }
    return scores;
}

inline ScaleRun scoreScale(const ScaleCase& c)
{
    TestHome home;
    TestBankWriter& bank = home.bank();
    bank.addNode({1, 0, QStringLiteral("目录"), 0, 0, 0, 0, QStringLiteral("男女"), {}});
    bank.addNode({c.hmid, 1, c.testName, 1, 5, 9999, 0, QStringLiteral("男女"), {}});
    for (int k = 1; k <= c.items.size(); ++k) {
        BankItem item;
        item.hmid = c.hmid;
        item.number = k;
        item.text = QStringLiteral("第%1题").arg(k);
        item.options.push_back({QStringLiteral("选项"), c.items[k - 1]});
        bank.addItem(item);
    }
    for (const FactorSpec& f : c.factors)
        bank.addFactor({0, c.hmid, f.name, f.itemList, 0, 9999, QStringLiteral("男女")});
    for (BankNorm norm : c.norms) {
        norm.hmid = c.hmid;
        bank.addNorm(norm);
    }
    home.finishBank();
    auto db = home.openBank();

    // A case that scores a test in another runner than its own, or with a sex text the tool
    // does not accept, goes straight through the scorer; every other case goes through the
    // function psydesk-cli score runs, and through the tool itself.
    const bool ownRunner = c.temperament == (runnerKindFor(c.hmid) == RunnerKind::Temperament);
    const bool plainSex = c.sex == QStringLiteral("男") || c.sex == QStringLiteral("女");
    if (!ownRunner || !plainSex) {
        ScaleRun run;
        SessionContext& s = run.session;
        s.hmid = c.hmid;
        s.testName = c.testName;
        s.subjectId = QStringLiteral("S001");
        s.subjectName = QStringLiteral("李四");
        s.subjectSex = c.sex;
        s.age = c.ageMonths;
        s.factors = loadFactors(*db, c.hmid, c.ageMonths, c.sex);
        const ChoiceItems items = loadChoiceItems(*db, c.hmid);
        const QStringList answers(items.size(), QStringLiteral("ac"));
        ScoringVariant variant;
        variant.temperament = c.temperament;
        auto rules = c.temperament ? rulesForTemperament(c.hmid) : rulesForDefaultRunner(c.hmid);
        run.outcome = ChoiceScorer(*db, rules.get(), variant).ScoreTest(items, answers, s);
        run.stored = storedResultFromSession(s, run.outcome.itemScores);
        return run;
    }

    AnswerSheet sheet;
    sheet.hmid = c.hmid;
    sheet.sex = c.sex;
    sheet.ageMonths = int(c.ageMonths);
    sheet.name = QStringLiteral("李四");
    sheet.subjectId = QStringLiteral("S001");
    sheet.options = QVector<int>(c.items.size(), 1);
    const SheetScore score = scoreAnswerSheet(*db, sheet);

    ScaleRun run;
    run.outcome = score.outcome;
    run.session = score.session;
    run.stored = score.ok ? score.stored : storedResultFromSession(score.session, score.outcome.itemScores);

    // ...and through the tool itself, which must print the same lines and stored values.
    if (score.ok) {
        QProcess cli;
        QStringList answers;
        for (int k = 0; k < c.items.size(); ++k)
            answers << QStringLiteral("1");
        cli.start(QStringLiteral(PSYDESK_BIN_DIR "/psydesk-cli"),
                  {QStringLiteral("score"), QStringLiteral("--bank"), home.bankFile(), QStringLiteral("--test"),
                   QString::number(c.hmid), QStringLiteral("--sex"), c.sex, QStringLiteral("--age-months"),
                   QString::number(int(c.ageMonths)), QStringLiteral("--answers"), answers.join(QLatin1Char(',')),
                   QStringLiteral("--name"), sheet.name});
        cli.waitForFinished(60000);
        const QJsonObject json = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
        [&] {
            QCOMPARE(cli.exitCode(), 0);
            QCOMPARE(json, sheetScoreJson(score));
        }();
    }
    return run;
}

inline BankNorm norm(const QString& name, double min, double max, const QString& explain,
                     const QString& sex = QStringLiteral("男女"))
{
    return BankNorm{0, name, min, max, 0, 9999, sex, explain};
}
