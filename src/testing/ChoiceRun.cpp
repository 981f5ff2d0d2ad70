// The choice-runner engine.
#include "ChoiceRun.h"

ChoiceRunnerVariant ChoiceRunnerVariant::forKind(RunnerKind kind, int hmid)
{
    ChoiceRunnerVariant v;
    v.kind = kind;
    switch (kind) {
    case RunnerKind::PlainChoice:
        v.itemGroupHeight = 290;
        v.itemFontSize = 14;
        v.passage = true;
        v.scoring.categoryCount = true;
        break;
    case RunnerKind::Temperament:
        v.optionButtons = 8;
        v.zeroKeyForTenth = true;
        v.itemGroupHeight = 129;
        v.scoring.temperament = true;
        v.trimConclusionOnSave = true;
        break;
    case RunnerKind::Inventory:
        v.itemGroupHeight = 129;
        v.hideOptionsWhileRecording = true;
        break;
    default:
        v.itemGroupHeight = hmid == 118 ? 250 : 200;
        break;
    }
    return v;
}

ChoiceRun::ChoiceRun(Database& bank, SessionContext& session, ChoiceRunnerVariant variant,
                     std::unique_ptr<ScoringRules> rules)
    : m_bank(bank), m_session(session), m_variant(variant), m_rules(std::move(rules))
{
}

bool ChoiceRun::load(QString* warning)
{
    ChoiceItems items = loadChoiceItems(m_bank, m_session.hmid);
    if (items.isEmpty()) {
        if (warning)
            *warning = QStringLiteral("数据库中不存在") + m_session.testName + QStringLiteral("试题集");
        return false;
    }
    m_items = std::move(items);
    m_session.factors = loadFactors(m_bank, m_session.hmid, m_session.age, m_session.subjectSex);
    m_session.factorCount = m_session.factors.size();
    m_session.total = 0;
    m_session.average = 0;
    m_session.conclusion.clear();
    m_answers = QStringList();
    for (int k = 0; k < m_items.size(); ++k)
        m_answers << QString();
    m_itemScores = QVector<double>(m_items.size(), 0.0);
    m_cursor = 0;
    m_bof = true;
    m_eof = false;
    m_scored = false;
    return true;
}

int ChoiceRun::optionForKey(QChar key) const
{
    if (m_items.isEmpty())
        return -1;
    const int count = std::min(currentItem().optionCount, m_variant.zeroKeyForTenth ? 10 : m_variant.optionButtons);
    if (key >= QLatin1Char('1') && key <= QLatin1Char('9')) {
        const int option = key.unicode() - '1';
        return option < count ? option : -1;
    }
    if (key == QLatin1Char('0') && m_variant.zeroKeyForTenth && currentItem().optionCount == 10)
        return 9;
    return -1;
}

bool ChoiceRun::recordAnswer(const QString& code)
{
    if (m_items.isEmpty())
        return false;
    m_answers[m_cursor] = code;
    return step(+1);
}

// Moves like a dataset cursor: a move past either end keeps the item and raises the end flag;
// a move from a raised end flag in the same direction does nothing.
bool ChoiceRun::step(int direction)
{
    if (direction > 0) {
        if (m_cursor + 1 >= m_items.size()) {
            m_eof = true;
            return false;
        }
        ++m_cursor;
    } else {
        if (m_cursor == 0) {
            m_bof = true;
            return false;
        }
        --m_cursor;
    }
    m_bof = m_eof = false;
    return true;
}

bool ChoiceRun::previous()
{
    if (m_bof)
        return false;
    step(-1);
    return true;
}

bool ChoiceRun::next()
{
    if (m_eof)
        return false;
    step(+1);
    return true;
}

void ChoiceRun::moveTo(int index)
{
    if (index >= 0 && index < m_items.size()) {
        m_cursor = index;
        m_bof = m_eof = false;
    }
}

QString ChoiceRun::progressText() const
{
    return QStringLiteral("测试进行中...") + QString::number(currentItem().number) + QLatin1Char('/')
           + QString::number(m_items.size());
}

ScoreOutcome ChoiceRun::score()
{
    ChoiceScorer scorer(m_bank, m_rules.get(), m_variant.scoring);
    ScoreOutcome outcome = scorer.ScoreTest(m_items, m_answers, m_session);
    if (outcome.complete) {
        m_itemScores = outcome.itemScores;
        m_scored = true;
        setUnsavedResult(true);
    } else if (outcome.unansweredItem > 0) {
        moveTo(outcome.unansweredItem - 1);
    }
    return outcome;
}

StoredResult ChoiceRun::storedResult() const
{
    StoredResult r = storedResultFromSession(m_session, m_itemScores);
    if (m_variant.trimConclusionOnSave)
        r.conclusion = r.conclusion.trimmed();
    return r;
}

SaveOutcome saveScoredResult(Database& info, const StoredResult& result)
{
    SaveOutcome out;
    if (!unsavedResult()) {
        out.alreadySaved = true;
        out.message = QStringLiteral("记录已保存！");
        return out;
    }
    try {
        out.id = ResultStore(info).save(result);
        out.saved = true;
        out.message = QStringLiteral("记录已保存！");
        setUnsavedResult(false);
    } catch (const DbError& e) {
        out.error = e.message();
        out.message = QStringLiteral("保存数据失败,请重新保存!");
    }
    return out;
}
