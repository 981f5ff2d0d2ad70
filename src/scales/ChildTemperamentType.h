// Test 125: temperament type of children aged 3 to 7 from the averages of factors 2-6
// against norm means and standard deviations by sex and age group.
#pragma once

#include "testing/SessionContext.h"

#include <array>
#include <optional>

struct ChildTemperamentNorm {
    std::array<double, 5> mean; // factors 2..6
    std::array<double, 5> sd;
};

// The norm for a sex ("男" or "女", compared exactly) and an age in whole months, whose age
// group is months / 12 with the remainder dropped; nullopt outside groups 3 to 7.
std::optional<ChildTemperamentNorm> childTemperamentNorm(const QString& sex, double ageMonths);

struct ChildTemperamentFlags {
    // Index 0..4 for factors 2..6.
    std::array<bool, 5> direction{}; // A < m for factors 2, 3, 4, 6; A > m for factor 5
    std::array<bool, 5> close{};     // |A - m| < sd
};

ChildTemperamentFlags childTemperamentFlags(const FactorTable& factors, const ChildTemperamentNorm& norm);

// The type from the ten flags, tried in this order:
//   "难养型"     factor 5's direction flag, at least four direction flags in all, and at
//                least two of the factors with a direction flag a full deviation or more
//                away from the mean (closeness flag off);
//   "易养型"     every closeness flag on and at most two direction flags;
//   "启动缓慢型" direction flags on for factors 3, 4 and 6 and off for factor 5 (withdrawing,
//                slow to adapt and negative in mood, yet mild in intensity), the closeness
//                flag of factor 3 or of factor 4 on, and that of factor 6 off;
//   "中间型"     otherwise.
QString childTemperamentType(const ChildTemperamentFlags& flags);
// The conclusion of test 125 for the subject: the bare type, or a message when the sex and
// age have no norm.
QString childTemperamentConclusion(const FactorTable& factors, const QString& sex, double ageMonths);
