// Rule routing by test id.
#include "RuleDispatch.h"

std::unique_ptr<ScoringRules> rulesForDefaultRunner(int)
{
    return std::make_unique<ScoringRules>();
}

std::unique_ptr<ScoringRules> rulesForTemperament(int)
{
    return std::make_unique<ScoringRules>();
}
