// ScoreTest: the scoring steps that every choice runner shares.
#pragma once

#include "ChoiceItems.h"
#include "ScoringRules.h"
#include "data/ResultStore.h"

struct ScoringVariant {
    // Test 147 counts items by category instead of by factor item lists.
    bool categoryCount = false;
    // The temperament runner looks factors up by their average, writes an unmatched
    // factor's sum unrounded and writes the total in general format.
    bool temperament = false;
};

struct ScoreOutcome {
    bool complete = false;
    int unansweredItem = 0; // 1-based position of the first unanswered item
    QString message;        // the message the page shows when not complete
    QStringList lines;      // the result lines, when complete
    QVector<double> itemScores;
};

class ChoiceScorer {
public:
    ChoiceScorer(Database& bank, ScoringRules* rules = nullptr, ScoringVariant variant = {})
        : m_bank(bank), m_rules(rules), m_variant(variant) {}

    // Scores the answer sheet into the session (total, average, item count, conclusion,
    // factor sums, averages and explanations). The factor table must hold the factors the
    // runner loaded, with zero sums.
    ScoreOutcome ScoreTest(const ChoiceItems& items, const QStringList& answers, SessionContext& session);

private:
    Database& m_bank;
    ScoringRules* m_rules;
    ScoringVariant m_variant;
};

// The result the save stores for a scored choice run.
StoredResult storedResultFromSession(const SessionContext& session, const QVector<double>& itemScores);
