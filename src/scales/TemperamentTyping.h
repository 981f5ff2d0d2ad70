// Tests 40-43: temperament type from the averages of factors 2-6 against fixed thresholds,
// followed by the type's description and parenting advice.
#pragma once

#include "testing/SessionContext.h"

#include <QStringList>
#include <array>
#include <optional>

// One threshold per factor 2..6, held in extended precision: the averages are doubles from
// the one-decimal rounding, and the double for 4.3 lies just below the extended 4.3, so an
// average of 4.3 does not reach a threshold of 4.3 while 3.7, 3.8, 4.0 ... reach theirs.
using TemperamentThresholds = std::array<long double, 5>;

// The thresholds of tests 40-43; nullopt for any other test.
std::optional<TemperamentThresholds> temperamentThresholds(int hmid);
// "平易型:", "麻烦型:", "缓动型:", "中间平易型:" or "中间麻烦型:" from A2..A6 (the
// factor table needs at least six entries).
QString temperamentLabel(const FactorTable& factors, const TemperamentThresholds& t);
// The advice paragraphs of a label, in order; empty for an unknown label.
const QStringList& temperamentAdvice(const QString& label);
// The label followed by its advice paragraphs, run together.
QString temperamentConclusion(const FactorTable& factors, const TemperamentThresholds& t);
