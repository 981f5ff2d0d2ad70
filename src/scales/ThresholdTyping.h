// Conclusions that compare factor sums, item scores or the total with fixed thresholds
// (tests 10, 11, 20, 36, 55, 76, 78, 86, 89, 90 and 148). Each returns the conclusion text.
#pragma once

#include "testing/SessionContext.h"

#include <QVector>

// Tests 10 and 11: the total against the standard value, then the named symptom subscales.
QString standardValueConclusion(int hmid, double total, const FactorTable& factors);
// The sum of the factors named 不适应, 抑郁, 焦虑, 敏感, 愤怒 or 紧张 (whole trimmed names).
double symptomSubscaleSum(const FactorTable& factors);
// Test 20: the whole-number total in bands that depend on sex.
QString alexithymiaConclusion(double total, const QString& sex);
// Test 36: introversion or extraversion from factors 7 and 8.
QString introversionConclusion(const FactorTable& factors);
// Test 55: mature (factors 1, 3, 6) against immature (2, 4, 5) coping.
QString copingStyleConclusion(const FactorTable& factors);
// Test 76: behaviour type from F1 + F2.
QString behaviourTypeConclusion(const FactorTable& factors);
// Test 78: student screening class from F1, F2 and items 8, 16, 25, 26.
QString screeningClassConclusion(const FactorTable& factors, const QVector<double>& itemScores);
// Test 86: balanced, middle or extreme from F1 and F2.
QString balanceTypeConclusion(const FactorTable& factors);
// Tests 89 and 90: behaviour problems from the total, F1 and F2.
QString behaviourProblemConclusion(int hmid, double total, const FactorTable& factors);
// Test 148: disease belief (F2) and hypochondria index (F8).
QString hypochondriaConclusion(const FactorTable& factors);
