// Scoring an answer sheet without a page, through the very engine and rules the runner pages use.
#pragma once

#include "testing/ChoiceRun.h"

#include <QJsonObject>
#include <memory>

// The rules a runner page of this kind applies for a test id.
std::unique_ptr<ScoringRules> rulesForRunner(RunnerKind kind, int hmid);

struct AnswerSheet {
    int hmid = 0;
    QString sex;              // "男" or "女"
    int ageMonths = 0;
    QString name;             // subject name for the result lines
    QString subjectId;        // for a saved result
    QVector<int> options;     // 1..10 per item in item order; 0 = unanswered
};

struct SheetScore {
    bool ok = false;
    QString error;            // the page's message when not ok
    SessionContext session;   // the scored session
    ScoreOutcome outcome;
    StoredResult stored;      // what the save stores
};

// Loads the test like the launcher and the runner would, records the answers and scores.
SheetScore scoreAnswerSheet(Database& bank, const AnswerSheet& sheet);
// The JSON object of psydesk-cli score.
QJsonObject sheetScoreJson(const SheetScore& score);
