// Rule routing by test id: conversions before the per-factor lookup, conclusions in place of
// (for test 108, after) the total-score lookup.
#include "RuleDispatch.h"
#include "ChildTemperamentType.h"
#include "InterestCode.h"
#include "ItemScoreRules.h"
#include "ScoreConversions.h"
#include "SecondaryFactors.h"
#include "TemperamentTyping.h"
#include "ThresholdTyping.h"

#include <optional>

namespace {

// The factors and items a test's rules read by position. A test bank that has fewer would
// make the rule read past the factor table; the rule is then skipped and the conclusion
// says why, instead of a total-score lookup on values the rule was meant to change.
struct RuleNeeds {
    int hmid;
    int factors;
    int items;
};

constexpr RuleNeeds kDefaultRunnerNeeds[] = {
    {28, 24, 0}, {36, 8, 0}, {55, 6, 0},  {66, 7, 0},   {70, 1, 11},  {76, 2, 0},   {78, 2, 26}, {86, 2, 0},
    {89, 2, 0},  {90, 2, 0}, {114, 8, 0}, {116, 1, 0}, {121, 4, 0}, {122, 3, 4}, {132, 2, 0}, {148, 8, 0},
};

constexpr RuleNeeds kTemperamentNeeds[] = {
    {40, 6, 0}, {41, 6, 0}, {42, 6, 0}, {43, 6, 0}, {125, 6, 0},
};

template <size_t N>
std::optional<QString> unmetNeeds(const RuleNeeds (&table)[N], int hmid, const ScoringState& st)
{
    for (const RuleNeeds& need : table) {
        if (need.hmid != hmid)
            continue;
        if (st.factorCount() < need.factors)
            return QStringLiteral("试题库中本测验只有") + QString::number(st.factorCount())
                 + QStringLiteral("个因子,本测验的结论需要") + QString::number(need.factors)
                 + QStringLiteral("个,无法得出结论!");
        if (st.n() < need.items)
            return QStringLiteral("试题库中本测验只有") + QString::number(st.n())
                 + QStringLiteral("道题,本测验的结论需要") + QString::number(need.items)
                 + QStringLiteral("道,无法得出结论!");
    }
    return std::nullopt;
}

class DefaultRunnerRules : public ScoringRules {
public:
    explicit DefaultRunnerRules(int hmid) : m_hmid(hmid) {}

    void convert(ScoringState& st) override
    {
        SessionContext& s = st.session;
        if (m_hmid == 46) {
            // Converts whatever factors there are; a missing one shows in the conclusion.
            convertPrimaryFactors(s.factors);
            return;
        }
        if (unmetNeeds(kDefaultRunnerNeeds, m_hmid, st))
            return;
        switch (m_hmid) {
        case 54: factorSumTotal(s); break;
        case 66: rescaleSymptomFactors(s.factors); break;
        case 70: levelScore(s, st.itemScores); break;
        case 114: healthSurveyScales(s.factors); break;
        case 121: balanceTotal(s); break;
        default: break;
        }
    }

    bool conclude(ScoringState& st) override
    {
        SessionContext& s = st.session;
        if (const auto why = unmetNeeds(kDefaultRunnerNeeds, m_hmid, st)) {
            s.conclusion = *why;
            return true;
        }
        FactorTable& f = s.factors;
        const QVector<double>& I = st.itemScores;
        switch (m_hmid) {
        case 10:
        case 11: s.conclusion = standardValueConclusion(m_hmid, s.total, f); return true;
        case 16: {
            QString missing;
            const auto diagnosis = drinkingDiagnosis(f, &missing);
            s.conclusion = diagnosis ? *diagnosis
                                     : QStringLiteral("试题库中本测验缺少因子") + missing
                                           + QStringLiteral(",无法得出诊断!");
            return true;
        }
        case 20: s.conclusion = alexithymiaConclusion(s.total, s.subjectSex); return true;
        case 28: referenceTotal100(s); return true;
        case 36: s.conclusion = introversionConclusion(f); return true;
        case 46: {
            const auto why = missingPrimaryFactor(f);
            s.conclusion = why ? *why : secondaryFactorConclusion(secondaryFactors(f));
            return true;
        }
        case 55: s.conclusion = copingStyleConclusion(f); return true;
        case 66: s.conclusion = estimateTotalsConclusion(f); return true;
        case 76: s.conclusion = behaviourTypeConclusion(f); return true;
        case 77: applyInterestCode(s); return true;
        case 78: s.conclusion = screeningClassConclusion(f, I); return true;
        case 86: s.conclusion = balanceTypeConclusion(f); return true;
        case 89:
        case 90: s.conclusion = behaviourProblemConclusion(m_hmid, s.total, f); return true;
        case 108:
            // The total-score lookup stays; the count is appended to what it found.
            if (const auto text = st.norms.lookup(s.testName, s.total))
                s.conclusion = *text;
            s.conclusion += impairmentCountText(I);
            return true;
        case 116: conclusionFromFirstFactor(s); return true;
        case 122: fatigueRemarks(f, I); return true;
        case 132: twoFactorTotal(s); return true;
        case 142: s.conclusion = helpingTypeConclusion(I); return true;
        case 148: s.conclusion = hypochondriaConclusion(f); return true;
        default: return false;
        }
    }

private:
    int m_hmid;
};

class TemperamentRules : public ScoringRules {
public:
    explicit TemperamentRules(int hmid) : m_hmid(hmid) {}

    bool conclude(ScoringState& st) override
    {
        SessionContext& s = st.session;
        if (const auto why = unmetNeeds(kTemperamentNeeds, m_hmid, st))
            s.conclusion = *why;
        else if (const auto thresholds = temperamentThresholds(m_hmid))
            s.conclusion = temperamentConclusion(s.factors, *thresholds);
        else if (m_hmid == 125)
            s.conclusion = childTemperamentConclusion(s.factors, s.subjectSex, s.age);
        return true;
    }

private:
    int m_hmid;
};

} // namespace

std::unique_ptr<ScoringRules> rulesForDefaultRunner(int hmid)
{
    return std::make_unique<DefaultRunnerRules>(hmid);
}

std::unique_ptr<ScoringRules> rulesForTemperament(int hmid)
{
    return std::make_unique<TemperamentRules>(hmid);
}
