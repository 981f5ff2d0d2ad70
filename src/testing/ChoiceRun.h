// The choice-runner engine without widgets: items, answers, the cursor, keys, scoring and save.
#pragma once

#include "ChoiceScorer.h"
#include "Launcher.h"

#include <memory>

// What distinguishes the four runner pages built on this engine.
struct ChoiceRunnerVariant {
    RunnerKind kind = RunnerKind::DefaultChoice;
    int optionButtons = 9;
    bool zeroKeyForTenth = false;   // key "0" answers option 10 (temperament runner)
    int itemGroupHeight = 200;
    int itemFontSize = 18;
    bool passage = false;           // a passage area shows column j (test 147)
    bool hideOptionsWhileRecording = false; // inventory runner
    ScoringVariant scoring;
    bool trimConclusionOnSave = false;

    static ChoiceRunnerVariant forKind(RunnerKind kind, int hmid);
};

class ChoiceRun {
public:
    ChoiceRun(Database& bank, SessionContext& session, ChoiceRunnerVariant variant,
              std::unique_ptr<ScoringRules> rules);

    // LoadTest's data part: items and factors of the current test, per-run state reset.
    // Returns false with the warning text when the test has no items.
    bool load(QString* warning);

    const ChoiceRunnerVariant& variant() const { return m_variant; }
    int itemCount() const { return m_items.size(); }
    int cursor() const { return m_cursor; }         // 0-based
    const ChoiceItem& currentItem() const { return m_items[m_cursor]; }
    const ChoiceItems& items() const { return m_items; }
    const QStringList& answers() const { return m_answers; }
    QString currentAnswer() const { return m_answers.value(m_cursor); }

    // The option a typed character stands for on the current item (0-based), or -1.
    int optionForKey(QChar key) const;
    // Stores the answer of the current item; returns true when the cursor moved on,
    // false when it stays on the last item (all answered).
    bool recordAnswer(const QString& code);
    // "上一题目"/"下一题目": false when nothing happens (the cursor already stood past that end);
    // true when the item under the cursor is to be shown (moved, or kept at the end).
    bool previous();
    bool next();
    void moveTo(int index);

    // Status text of ShowItem: "测试进行中..." + number + "/" + count.
    QString progressText() const;

    // "统计": scores into the session.
    ScoreOutcome score();
    bool scored() const { return m_scored; }
    // "保存测试": the result that the save stores.
    StoredResult storedResult() const;

private:
    Database& m_bank;
    SessionContext& m_session;
    ChoiceRunnerVariant m_variant;
    std::unique_ptr<ScoringRules> m_rules;
    ChoiceItems m_items;
    QStringList m_answers;
    QVector<double> m_itemScores;
    bool step(int direction);

    int m_cursor = 0;
    bool m_bof = true;
    bool m_eof = false;
    bool m_scored = false;
};

// Saves a scored result and clears the unsaved-result flag; the messages are the page's.
struct SaveOutcome {
    bool saved = false;
    bool alreadySaved = false;
    int id = 0;
    QString message; // "记录已保存！" or "保存数据失败,请重新保存!"
    QString error;   // the database's text on failure
};
SaveOutcome saveScoredResult(Database& info, const StoredResult& result);
