// The dialog seam and its scripted implementation.
#include "Dialogs.h"

static ScriptedDialogs s_fallback;
static Dialogs* s_instance = nullptr;

Dialogs& Dialogs::instance()
{
    return s_instance ? *s_instance : s_fallback;
}

void Dialogs::setInstance(Dialogs* dialogs)
{
    s_instance = dialogs;
}

Dialogs::Answer ScriptedDialogs::message(Icon icon, Buttons buttons, const QString& text, const QString&)
{
    m_shown.push_back({icon, buttons, text});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    Answer answer = buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    return answer;
}

QString ScriptedDialogs::openFileName(const QString&, const QString&, const QString&)
{
    if (m_fileNames.empty())
        return {};
    QString name = m_fileNames.front();
    m_fileNames.pop_front();
    return name;
}

QString ScriptedDialogs::saveFileName(const QString& caption, const QString& filter, const QString& dir)
{
    return openFileName(caption, filter, dir);
}

std::optional<QString> ScriptedDialogs::inputText(const QString&, const QString&, const QString&)
{
    if (m_inputs.empty())
        return std::nullopt;
    auto text = m_inputs.front();
    m_inputs.pop_front();
    return text;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList list;
    for (const Shown& s : m_shown)
        list << s.text;
    return list;
}

void ScriptedDialogs::clear()
{
    m_answers.clear();
    m_fileNames.clear();
    m_inputs.clear();
    m_shown.clear();
}
