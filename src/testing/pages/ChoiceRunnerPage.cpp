// The choice-runner page.
#include "ChoiceRunnerPage.h"

#include "scales/AnswerSheetScoring.h"
#include "shell/Dialogs.h"

#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVBoxLayout>

static constexpr int kOptionStep = 24;

ChoiceRunnerPage::ChoiceRunnerPage(Database& bank, Database& info, ChoiceRunnerVariant variant,
                                   std::unique_ptr<ScoringRules> rules, QWidget* parent)
    : QWidget(parent), m_bank(bank), m_info(info), m_variant(variant)
{
    setObjectName(runnerPageClass(variant.kind));
    m_run = std::make_unique<ChoiceRun>(bank, SessionContext::current(), variant, std::move(rules));

    auto* layout = new QVBoxLayout(this);

    m_itemGroup = new QGroupBox(QStringLiteral("测试题目:"), this);
    m_itemGroup->setObjectName(QStringLiteral("itemGroup"));
    auto* itemLayout = new QVBoxLayout(m_itemGroup);
    if (variant.passage) {
        m_passage = new QTextEdit(m_itemGroup);
        m_passage->setObjectName(QStringLiteral("RzRichEdit2"));
        m_passage->setReadOnly(true);
        itemLayout->addWidget(m_passage);
    }
    m_itemText = new QTextEdit(m_itemGroup);
    m_itemText->setObjectName(QStringLiteral("RzRichEdit1"));
    m_itemText->setReadOnly(true);
    // Digit keys must arrive as plain characters, so the input method stays off here.
    m_itemText->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_itemText->installEventFilter(this);
    itemLayout->addWidget(m_itemText);
    layout->addWidget(m_itemGroup);

    m_optionGroup = new QGroupBox(QStringLiteral("试题选项:"), this);
    m_optionGroup->setObjectName(QStringLiteral("optionGroup"));
    m_optionGroup->setToolTip(QStringLiteral("当光标在题目显示框内时,按数值键也有效!"));
    for (int k = 0; k < variant.optionButtons; ++k) {
        auto* button = new QRadioButton(m_optionGroup);
        button->setObjectName(QStringLiteral("RzRadioButton%1").arg(k + 1));
        // Managed by hand: ShowItem leaves every button unchecked.
        button->setAutoExclusive(false);
        QFont optionFont = button->font();
        optionFont.setPointSize(12);
        button->setFont(optionFont);
        button->setGeometry(12, kOptionStep * (k + 1), 900, 22);
        button->hide();
        connect(button, &QRadioButton::clicked, this, [this, k] { RzRadioButtonClick(k); });
        m_options << button;
    }
    layout->addWidget(m_optionGroup);

    m_navigation = new QWidget(this);
    m_navigation->setObjectName(QStringLiteral("navigationPanel"));
    auto* nav = new QHBoxLayout(m_navigation);
    m_previous = new QPushButton(QStringLiteral("上一题目"), m_navigation);
    m_previous->setObjectName(QStringLiteral("RzBitBtn1"));
    m_next = new QPushButton(QStringLiteral("下一题目"), m_navigation);
    m_next->setObjectName(QStringLiteral("RzBitBtn2"));
    m_score = new QPushButton(QStringLiteral("统计"), m_navigation);
    m_score->setObjectName(QStringLiteral("RzBitBtn3"));
    m_score->setToolTip(QStringLiteral("只有当测试题目全部做完后,才能实现统计!"));
    nav->addStretch();
    nav->addWidget(m_previous);
    nav->addWidget(m_next);
    nav->addWidget(m_score);
    nav->addStretch();
    connect(m_previous, &QPushButton::clicked, this, &ChoiceRunnerPage::RzBitBtn1Click);
    connect(m_next, &QPushButton::clicked, this, &ChoiceRunnerPage::RzBitBtn2Click);
    connect(m_score, &QPushButton::clicked, this, &ChoiceRunnerPage::RzBitBtn3Click);
    layout->addWidget(m_navigation);

    m_save = new QPushButton(QStringLiteral("保存测试"), this);
    m_save->setObjectName(QStringLiteral("RzShapeButton1"));
    m_save->setMinimumSize(140, 36);
    m_save->hide();
    connect(m_save, &QPushButton::clicked, this, &ChoiceRunnerPage::RzShapeButton1Click);
    layout->addWidget(m_save, 0, Qt::AlignHCenter);
    layout->addStretch();

    auto* status = new QFrame(this);
    status->setFrameShape(QFrame::StyledPanel);
    auto* statusLayout = new QHBoxLayout(status);
    statusLayout->setContentsMargins(4, 2, 4, 2);
    m_statusLeft = new QLabel(status);
    m_statusMiddle = new QLabel(status);
    m_statusRight = new QLabel(status);
    m_statusRight->setObjectName(QStringLiteral("statusRight"));
    statusLayout->addWidget(m_statusLeft, 1);
    statusLayout->addWidget(m_statusMiddle, 1);
    statusLayout->addWidget(m_statusRight, 1);
    layout->addWidget(status);
}

void ChoiceRunnerPage::LoadTest()
{
    QString warning;
    if (!m_run->load(&warning)) {
        Dialogs::instance().warning(warning);
        return;
    }
    m_loaded = true;
    SessionContext& s = SessionContext::current();
    m_statusLeft->setText(s.subjectName);
    m_statusMiddle->setText(s.testName);
    m_navigation->show();
    m_itemText->show();
    m_itemGroup->setFixedHeight(m_variant.itemGroupHeight);
    QFont font = m_itemText->font();
    font.setPointSize(m_variant.itemFontSize);
    m_itemText->setFont(font);
    m_optionGroup->show();
    m_save->hide();
    ShowItem();
}

void ChoiceRunnerPage::setOptionsAvailable(bool available)
{
    if (m_variant.hideOptionsWhileRecording)
        m_optionGroup->setVisible(available);
    else
        m_optionGroup->setEnabled(available);
}

bool ChoiceRunnerPage::optionsAvailable() const
{
    if (m_variant.hideOptionsWhileRecording)
        return m_optionGroup->isVisibleTo(const_cast<ChoiceRunnerPage*>(this));
    return m_optionGroup->isEnabled();
}

void ChoiceRunnerPage::ShowItem()
{
    if (!m_loaded)
        return;
    const ChoiceItem& item = m_run->currentItem();
    const QString answer = m_run->currentAnswer();
    const int answered = answer.isEmpty() ? -1 : optionIndexOfCode(answer);
    if (m_variant.kind == RunnerKind::Temperament)
        m_optionGroup->setEnabled(false);
    for (int k = 0; k < m_options.size(); ++k) {
        QRadioButton* button = m_options[k];
        button->hide();
        button->setChecked(false);
        button->setStyleSheet(k == answered ? QStringLiteral("color: red;") : QString());
    }
    m_itemText->clear();
    m_itemText->append(QString::number(item.number) + QStringLiteral("、") + item.text);
    if (m_passage)
        m_passage->setPlainText(item.row.value(QStringLiteral("j")).toString());
    SessionContext::current().optionCount = item.optionCount;
    const int shown = std::min<int>(item.optionCount, m_options.size());
    for (int k = 0; k < shown; ++k) {
        QRadioButton* button = m_options[k];
        button->setText(OptionTable()[k].label + item.optionTexts[k]);
        button->move(12, kOptionStep * (k + 1));
        button->show();
    }
    m_statusRight->setText(m_run->progressText());
    m_optionGroup->setFixedHeight(kOptionStep * shown + kOptionStep + 8);
    m_optionGroup->setEnabled(true);
    if (m_variant.hideOptionsWhileRecording)
        m_optionGroup->show();
}

void ChoiceRunnerPage::RecordAnswer(const QString& code)
{
    if (!m_loaded)
        return;
    if (m_run->recordAnswer(code)) {
        ShowItem();
        m_itemText->setFocus();
    } else {
        setOptionsAvailable(false);
        m_statusRight->setText(QStringLiteral("测试已完成,未保存..."));
    }
}

void ChoiceRunnerPage::RzRadioButtonClick(int option)
{
    if (!m_loaded || !optionsAvailable())
        return;
    setOptionsAvailable(false);
    RecordAnswer(OptionTable()[option].answerCode);
}

void ChoiceRunnerPage::RzRichEdit1KeyPress(QChar key)
{
    if (!m_loaded || m_run->scored() || !optionsAvailable())
        return;
    const int option = m_run->optionForKey(key);
    if (option < 0)
        return;
    RecordAnswer(OptionTable()[option].answerCode);
}

bool ChoiceRunnerPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_itemText && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1) {
            RzRichEdit1KeyPress(text.at(0));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ChoiceRunnerPage::RzBitBtn1Click()
{
    if (!m_loaded || !m_run->previous())
        return;
    ShowItem();
    m_itemText->setFocus();
}

void ChoiceRunnerPage::RzBitBtn2Click()
{
    if (!m_loaded || !m_run->next())
        return;
    ShowItem();
    m_itemText->setFocus();
}

void ChoiceRunnerPage::RzBitBtn3Click()
{
    if (!m_loaded || m_run->scored())
        return;
    ScoreOutcome outcome;
    try {
        outcome = m_run->score();
    } catch (const DbError& e) {
        Dialogs::instance().message(Dialogs::Icon::Error, Dialogs::Buttons::Ok, e.message());
        return;
    }
    if (!outcome.complete) {
        Dialogs::instance().information(outcome.message);
        ShowItem();
        m_itemText->setFocus();
        return;
    }
    showScoredLines(outcome.lines);
}

void ChoiceRunnerPage::showScoredLines(const QStringList& lines)
{
    m_navigation->hide();
    m_optionGroup->hide();
    if (m_passage)
        m_passage->hide();
    m_itemGroup->setFixedHeight(m_passage ? m_variant.itemGroupHeight + 60 : 350);
    m_itemText->clear();
    QFont font = m_itemText->font();
    font.setPointSize(14);
    m_itemText->setFont(font);
    for (const QString& line : lines)
        m_itemText->append(line);
    // Long advice texts scroll; the result is read from its first line.
    m_itemText->moveCursor(QTextCursor::Start);
    m_save->show();
}

void ChoiceRunnerPage::RzShapeButton1Click()
{
    if (!unsavedResult() || !m_run->scored()) {
        Dialogs::instance().information(QStringLiteral("记录已保存！"));
        return;
    }
    const SaveOutcome outcome = saveScoredResult(m_info, m_run->storedResult());
    if (outcome.saved) {
        m_lastSavedId = outcome.id;
        m_statusRight->setText(QStringLiteral("记录已保存..."));
        Dialogs::instance().information(outcome.message);
        m_save->hide();
    } else {
        Dialogs::instance().information(outcome.message);
    }
}

ChoiceRunnerPage* createChoiceRunnerPage(RunnerKind kind, int hmid, Database& bank, Database& info, QWidget* parent)
{
    switch (kind) {
    case RunnerKind::DefaultChoice:
    case RunnerKind::PlainChoice:
    case RunnerKind::Temperament:
        return new ChoiceRunnerPage(bank, info, ChoiceRunnerVariant::forKind(kind, hmid), rulesForRunner(kind, hmid),
                                    parent);
    default:
        return nullptr;
    }
}
