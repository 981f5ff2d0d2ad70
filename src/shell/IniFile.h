// A small reader and writer of Windows-style INI text, for Set.SYS.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Sections and keys match without regard to case; the first occurrence of a key in the
// first section of that name wins; values are trimmed and one pair of matching quotes is
// removed; lines without "=" and comment lines are ignored. Nothing is split on commas.
//
// Line breaks inside a value are kept by writing them as \n (and \r); a backslash that
// would otherwise start such a sequence is written as \\. Reading turns only these three
// sequences back, so a path such as C:\pics\unit.jpg reads as it stands.
class IniFile {
public:
    // Reads a file; a missing or unreadable file gives an empty document.
    static IniFile load(const QString& path);
    static IniFile fromText(const QString& text);

    // The value, or nullopt when the key is absent.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Sets a value, replacing the first occurrence of the key or adding it at the end of
    // the section (which is added when missing). Other lines stay as they are.
    void setValue(const QString& section, const QString& key, const QString& value);

    QString text() const;
    // Writes the whole text (UTF-8) through a temporary file; false with *error on failure.
    bool save(const QString& path, QString* error = nullptr) const;

    static QString escape(const QString& value);
    static QString unescape(const QString& raw);

private:
    struct Location {
        int sectionLine = -1; // the "[section]" line
        int sectionEnd = -1;  // one past the section's last line
        int keyLine = -1;
    };
    Location find(const QString& section, const QString& key) const;

    QStringList m_lines;
};
