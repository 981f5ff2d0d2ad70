// The choice-runner page: the engine's widgets for the default, plain, temperament and
// inventory runners (TFrame103, TFrame109, TFrame102, TFrame107).
#pragma once

#include "testing/ChoiceRun.h"

#include <QWidget>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTextEdit;

class ChoiceRunnerPage : public QWidget {
    Q_OBJECT
public:
    ChoiceRunnerPage(Database& bank, Database& info, ChoiceRunnerVariant variant,
                     std::unique_ptr<ScoringRules> rules, QWidget* parent = nullptr);

    // Loads the current test of the session and shows its first item.
    virtual void LoadTest();
    void ShowItem();
    void RecordAnswer(const QString& code);

    // Handlers of the page's controls.
    void RzRadioButtonClick(int option); // 0-based option
    void RzRichEdit1KeyPress(QChar key);
    void RzBitBtn1Click(); // 上一题目
    void RzBitBtn2Click(); // 下一题目
    virtual void RzBitBtn3Click(); // 统计
    void RzShapeButton1Click(); // 保存测试

    ChoiceRun* run() { return m_run.get(); }
    int lastSavedId() const { return m_lastSavedId; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showScoredLines(const QStringList& lines);
    void setOptionsAvailable(bool available);
    bool optionsAvailable() const;

    Database& m_bank;
    Database& m_info;
    ChoiceRunnerVariant m_variant;
    std::unique_ptr<ChoiceRun> m_run;
    bool m_loaded = false;
    int m_lastSavedId = 0;

    QGroupBox* m_itemGroup = nullptr;
    QTextEdit* m_passage = nullptr; // RzRichEdit2, test 147
    QTextEdit* m_itemText = nullptr; // RzRichEdit1
    QGroupBox* m_optionGroup = nullptr;
    QVector<QRadioButton*> m_options;
    QWidget* m_navigation = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_score = nullptr;
    QPushButton* m_save = nullptr;
    QLabel* m_statusLeft = nullptr;
    QLabel* m_statusMiddle = nullptr;
    QLabel* m_statusRight = nullptr;
};

// The page class the launcher creates for a runner kind that this engine serves, or nullptr.
ChoiceRunnerPage* createChoiceRunnerPage(RunnerKind kind, int hmid, Database& bank, Database& info,
                                         QWidget* parent);
