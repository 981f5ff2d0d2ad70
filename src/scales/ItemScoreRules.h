// Conclusions drawn from item scores or from the factors' norm texts (tests 16, 108, 116,
// 122 and 142).
#pragma once

#include "testing/SessionContext.h"

#include <QVector>
#include <optional>

// Test 16: the drinking diagnosis from the norm texts of the factors named A, B and C.
// Returns the conclusion (possibly empty), or nullopt with *missing set to the names the
// test bank lacks.
std::optional<QString> drinkingDiagnosis(const FactorTable& factors, QString* missing = nullptr);
// Test 108: ";有" + c + "项明显的功能障碍" when c >= 2 items score above 2; empty otherwise.
QString impairmentCountText(const QVector<double>& itemScores);
// Test 116: the conclusion becomes factor 1's explanation, which is then cleared.
void conclusionFromFirstFactor(SessionContext& session);
// Test 122: fatigue remarks from items 2, 3 and 4 written into factor 3's explanation.
void fatigueRemarks(FactorTable& factors, const QVector<double>& itemScores);
// Test 142: the helping type from how many items score 0, 1 and 2.
QString helpingTypeConclusion(const QVector<double>& itemScores);
