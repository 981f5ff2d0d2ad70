// Which scale rules a runner applies, by test id.
#pragma once

#include "testing/ScoringRules.h"

#include <memory>

// The conversions and conclusion rules of the default choice runner for a test id;
// a rule object that does nothing for tests without rules.
std::unique_ptr<ScoringRules> rulesForDefaultRunner(int hmid);
// The temperament typing of tests 40-43 and 125. The temperament runner never makes the
// total-score lookup: a test id without a typing rule keeps an empty conclusion.
std::unique_ptr<ScoringRules> rulesForTemperament(int hmid);
