// Conversions of factor sums and composite totals (tests 28, 54, 66, 70, 114, 121, 132).
#pragma once

#include "testing/SessionContext.h"

#include <QVector>

// Before the per-factor lookup.
// Test 114: factors 1..8 to the 0-100 health scales, each truncated toward zero.
void healthSurveyScales(FactorTable& factors);
// Test 121: T := F1 + 24 + F3 - F2 - F4.
void balanceTotal(SessionContext& session);
// Test 54: T := the sum of every factor.
void factorSumTotal(SessionContext& session);
// Test 70: T and F1 := the level of the highest-numbered positive item below n, plus I11.
// Needs at least 11 items and one factor.
void levelScore(SessionContext& session, const QVector<double>& itemScores);
// Test 66: factors 1..7 rescaled.
void rescaleSymptomFactors(FactorTable& factors);

// After the per-factor lookup.
// Test 66: the positive, negative and overall estimate totals as the conclusion text.
QString estimateTotalsConclusion(const FactorTable& factors);
// Test 132: T := F1 + F2 and the average score T / 10; the conclusion stays empty.
void twoFactorTotal(SessionContext& session);
// Test 28: factors 1..24 and the total rescaled to a reference total of 100.
void referenceTotal100(SessionContext& session);
