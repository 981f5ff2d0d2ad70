// Windows-style INI reading and line-preserving writing.
#include "IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace {

bool isSectionLine(const QString& trimmed)
{
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.contains(QLatin1Char(']'));
}

QString sectionName(const QString& trimmed)
{
    return trimmed.mid(1, trimmed.indexOf(QLatin1Char(']')) - 1).trimmed();
}

// Splits "key = value"; false for lines that hold no key.
bool splitKeyLine(const QString& line, QString* key, QString* raw)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || isSectionLine(trimmed))
        return false;
    const int eq = trimmed.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *key = trimmed.left(eq).trimmed();
    *raw = trimmed.mid(eq + 1).trimmed();
    return !key->isEmpty();
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // A file edited with a Chinese Windows editor is usually GB18030; try that before
    // giving up on the bytes.
    QStringDecoder gb("GB18030");
    if (gb.isValid()) {
        QString gbText = gb(bytes);
        if (!gb.hasError())
            return gbText;
    }
    return text;
}

} // namespace

IniFile IniFile::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return fromText(decode(bytes));
}

IniFile IniFile::fromText(const QString& text)
{
    IniFile ini;
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    ini.m_lines = normalised.split(QLatin1Char('\n'));
    // A final line break leaves one empty entry that is not a line of its own.
    if (!ini.m_lines.isEmpty() && ini.m_lines.last().isEmpty())
        ini.m_lines.removeLast();
    return ini;
}

IniFile::Location IniFile::find(const QString& section, const QString& key) const
{
    Location loc;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString trimmed = m_lines.at(i).trimmed();
        if (isSectionLine(trimmed)) {
            if (loc.sectionLine >= 0) {
                loc.sectionEnd = i;
                break;
            }
            if (sectionName(trimmed).compare(section, Qt::CaseInsensitive) == 0)
                loc.sectionLine = i;
            continue;
        }
        if (loc.sectionLine < 0 || loc.keyLine >= 0)
            continue;
        QString k, raw;
        if (splitKeyLine(m_lines.at(i), &k, &raw) && k.compare(key, Qt::CaseInsensitive) == 0)
            loc.keyLine = i;
    }
    if (loc.sectionLine >= 0 && loc.sectionEnd < 0)
        loc.sectionEnd = m_lines.size();
    return loc;
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const
{
    const Location loc = find(section, key);
    if (loc.keyLine < 0)
        return std::nullopt;
    QString k, raw;
    splitKeyLine(m_lines.at(loc.keyLine), &k, &raw);
    if (raw.size() >= 2 && (raw.front() == QLatin1Char('"') || raw.front() == QLatin1Char('\'')) &&
        raw.back() == raw.front())
        raw = raw.mid(1, raw.size() - 2);
    return unescape(raw);
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    QString raw = escape(value);
    // Reading trims and unquotes, so a value that would lose something that way is quoted.
    const bool needsQuotes =
        raw != raw.trimmed() ||
        (raw.size() >= 2 && (raw.front() == QLatin1Char('"') || raw.front() == QLatin1Char('\'')) &&
         raw.back() == raw.front());
    if (needsQuotes)
        raw = QLatin1Char('"') + raw + QLatin1Char('"');
    const QString line = key + QLatin1Char('=') + raw;

    const Location loc = find(section, key);
    if (loc.keyLine >= 0) {
        m_lines[loc.keyLine] = line;
        return;
    }
    if (loc.sectionLine < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines << QString();
        m_lines << QLatin1Char('[') + section + QLatin1Char(']') << line;
        return;
    }
    // After the section's last non-blank line, so blank separators stay between sections.
    int at = loc.sectionEnd;
    while (at - 1 > loc.sectionLine && m_lines.at(at - 1).trimmed().isEmpty())
        --at;
    m_lines.insert(at, line);
}

QString IniFile::text() const
{
    QString out;
    for (const QString& line : m_lines)
        out += line + QLatin1Char('\n');
    return out;
}

bool IniFile::save(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(text().toUtf8());
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString IniFile::escape(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\n')) {
            out += QLatin1String("\\n");
        } else if (c == QLatin1Char('\r')) {
            out += QLatin1String("\\r");
        } else if (c == QLatin1Char('\\') && i + 1 < value.size() &&
                   (value.at(i + 1) == QLatin1Char('n') || value.at(i + 1) == QLatin1Char('r') ||
                    value.at(i + 1) == QLatin1Char('\\'))) {
            // Only a backslash that reading would take as the start of a sequence is doubled.
            out += QLatin1String("\\\\");
        } else {
            out += c;
        }
    }
    return out;
}

QString IniFile::unescape(const QString& raw)
{
    QString out;
    out.reserve(raw.size());
    for (int i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c == QLatin1Char('\\') && i + 1 < raw.size()) {
            const QChar next = raw.at(i + 1);
            if (next == QLatin1Char('n')) {
                out += QLatin1Char('\n');
                ++i;
                continue;
            }
            if (next == QLatin1Char('r')) {
                out += QLatin1Char('\r');
                ++i;
                continue;
            }
            if (next == QLatin1Char('\\')) {
                out += QLatin1Char('\\');
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}
