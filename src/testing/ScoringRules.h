// The two points at which a test's own rules enter the common scoring steps.
#pragma once

#include "NormLookup.h"
#include "SessionContext.h"

#include <QStringList>
#include <QVector>

// What a rule sees and may change. Item k's score is itemScores[k - 1].
struct ScoringState {
    SessionContext& session;     // total, average, conclusion, factors, age, sex, test id and name
    QVector<double>& itemScores; // I1..In
    const QStringList& answers;  // answer codes, one per item
    NormLookup& norms;           // prepared for the test, age and sex
    QStringList& lines;          // the result lines written so far

    int n() const { return itemScores.size(); }
    double I(int k) const { return itemScores.value(k - 1); }
    // Factor k counted from 1; rules address factors by position.
    tmx& factor(int k) { return session.factors[k - 1]; }
    int factorCount() const { return session.factors.size(); }
};

class ScoringRules {
public:
    virtual ~ScoringRules() = default;
    // Conversions: after the factor sums are accumulated, before the per-factor norm lookups.
    virtual void convert(ScoringState&) {}
    // Conclusion: in place of the total-score lookup; return false to keep that lookup.
    virtual bool conclude(ScoringState&) { return false; }
};
