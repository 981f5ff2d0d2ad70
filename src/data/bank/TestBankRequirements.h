// What the runners and the scale rules read from the test bank, by test id.
#pragma once

#include <QStringList>

// The runner page the launcher opens for a test id, and so the item shape it reads.
enum class BankRunner {
    Choice,         // default choice runner: options A..i with scores ac..ic
    Passage,        // test 147: choice items with a passage in column j
    Temperament,    // tests 40-43, 125: choice items, at most eight options
    Inventory,      // test 81: true/false items, column cc scores 0
    PictureMatrix,  // tests 18, 48: picture, 6 or 8 candidates, ac = correct candidate
    LifeEvents,     // test 102: event texts
    ForcedChoice,   // test 103: three statements in a, b, c
    ScenarioRating, // test 104: scene b, text, note a, age bounds ac/bc
    Cancellation,   // test 133: rows of at least 35 digits
};

BankRunner bankRunnerFor(int hmid);
QString bankRunnerName(BankRunner runner);
// Option buttons of the runner's page (0 where options are not shown as buttons).
int bankRunnerButtons(BankRunner runner);
// True when the runner reads factors with the age and sex conditions.
bool bankRunnerFiltersFactors(BankRunner runner);

// What a test's scoring rule reads: factor positions, named factors and item numbers.
struct BankRuleNeeds {
    int minFactors = 0; // for every subject the test admits
    int exactItems = 0; // 0 = any number
    int minItems = 0;
    int maxItems = 0;        // 0 = no limit
    QStringList factorNames; // names that must be among the factors
    bool everyFactorHasItems = false;
    QString why; // what needs it, for the message
};

BankRuleNeeds bankRuleNeedsFor(int hmid);
