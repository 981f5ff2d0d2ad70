// The configuration of the program: the keys of Set.SYS, held in memory after start-up.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class AppConfig {
public:
    // The product title: the window caption and the default application title.
    static QString productTitle() { return QStringLiteral("心理测评工作站"); }
    // The configuration file's name; it is matched without regard to case.
    static QString fileName() { return QStringLiteral("Set.SYS"); }
    static QString section() { return QStringLiteral("db"); }
    // The keys in the order they are read, and their defaults.
    static const QStringList& keys();
    static QString defaultValue(const QString& key);

    // The program directory: the value of "--home DIR" (or "--home=DIR") when given,
    // otherwise the directory of the executable; without a trailing separator.
    static QString programDirectory(const QStringList& arguments);

    // All defaults, bound to no directory (setValue then only changes memory).
    AppConfig();
    // Reads the configuration file of a program directory; a missing file or section gives the
    // defaults. Never writes.
    static AppConfig load(const QString& programDir);

    QString programDir() const { return m_programDir; }
    // The configuration file in use: the existing one whatever its case, or Set.SYS.
    QString filePath() const;

    // The value of a key (case-insensitive); an unknown key gives an empty text.
    QString value(const QString& key) const;
    // Changes a value in memory and in the file together. On failure (unknown key, file not
    // writable) neither changes and *error says why, in Chinese.
    bool setValue(const QString& key, const QString& value, QString* error = nullptr);

    // Network mode: bde is "1". Every other value runs the local information database.
    bool isNetworkMode() const;
    // A Chinese message when bde is neither "0" nor "1", else empty.
    QString bdeProblem() const;

    // The status-bar marquee text: unit name, ":", unit description.
    QString marqueeText() const;

private:
    QString m_programDir;
    QString m_fileName; // the file's actual name in the program directory
    QHash<QString, QString> m_values;
};
