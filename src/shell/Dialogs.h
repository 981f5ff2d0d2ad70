// Every message box, file dialog and input box of the program goes through this interface,
// so that tests can script the answers and no test waits on a modal window.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

class Dialogs {
public:
    enum class Icon { Information, Warning, Error, Question };
    enum class Buttons { Ok, YesNo, OkCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    // A message box; title empty means the application title.
    virtual Answer message(Icon icon, Buttons buttons, const QString& text, const QString& title = {}) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString openFileName(const QString& caption, const QString& filter, const QString& dir = {}) = 0;
    virtual QString saveFileName(const QString& caption, const QString& filter, const QString& dir = {}) = 0;
    // An input box; nullopt means cancelled.
    virtual std::optional<QString> inputText(const QString& caption, const QString& label,
                                             const QString& initial = {}) = 0;

    void information(const QString& text) { message(Icon::Information, Buttons::Ok, text); }
    void warning(const QString& text) { message(Icon::Warning, Buttons::Ok, text); }
    bool yesNo(const QString& text, Icon icon = Icon::Question)
    {
        return message(icon, Buttons::YesNo, text) == Answer::Yes;
    }
    bool okCancel(const QString& text, Icon icon = Icon::Information)
    {
        return message(icon, Buttons::OkCancel, text) == Answer::Ok;
    }

    // The process-wide instance; the GUI installs the real one, tests a scripted one.
    static Dialogs& instance();
    static void setInstance(Dialogs* dialogs);
};

// Answers from a script and records what was shown; used by tests and the headless tool.
class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        Icon icon;
        Buttons buttons;
        QString text;
    };

    // Answers for the next message boxes asking a question; without one, Yes/Ok.
    void pushAnswer(Answer answer) { m_answers.push_back(answer); }
    void pushFileName(const QString& name) { m_fileNames.push_back(name); }
    void pushInput(std::optional<QString> text) { m_inputs.push_back(std::move(text)); }

    Answer message(Icon icon, Buttons buttons, const QString& text, const QString& title = {}) override;
    QString openFileName(const QString& caption, const QString& filter, const QString& dir = {}) override;
    QString saveFileName(const QString& caption, const QString& filter, const QString& dir = {}) override;
    std::optional<QString> inputText(const QString& caption, const QString& label,
                                     const QString& initial = {}) override;

    const std::deque<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    QString lastText() const { return m_shown.empty() ? QString() : m_shown.back().text; }
    void clear();

private:
    std::deque<Answer> m_answers;
    std::deque<QString> m_fileNames;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<Shown> m_shown;
};
