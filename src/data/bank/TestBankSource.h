// The test bank sources as read from their text files, before checking and writing.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// Where an entry was written: the file relative to the source folder and its line (0 = file).
struct SourcePlace {
    QString file;
    int line = 0;
    QString text() const;  // "file 第n行: ", to start a message
    QString where() const; // "file 第n行", inside a message
};

struct SourceCategory {
    SourcePlace at;
    int id = 0;
    int parent = 0;
    QString name;
    int ageMin = 0;
    int ageMax = 1200;
    QString sex = QStringLiteral("男女");
    QString description;
};

struct SourceItem {
    SourcePlace at;
    int number = 0;
    QString text;                                 // toplr
    std::optional<int> optionCount;               // chc when given
    std::array<std::optional<QString>, 10> texts; // A .. j
    std::array<std::optional<double>, 10> scores; // ac .. jc
    QByteArray picture;
    QString pictureSource; // the file or figure description, for messages
};

struct SourceFactor {
    SourcePlace at;
    QString name;
    QString itemList; // as stored: ",1,2,"
    std::vector<int> items;
    int ageMin = 0;
    int ageMax = 0;
    QString sex;
};

struct SourceNorm {
    SourcePlace at;
    QString name;
    double min = 0;
    double max = 0;
    int ageMin = 0;
    int ageMax = 0;
    QString sex;
    QString explain;
};

struct SourceTest {
    SourcePlace at;
    int id = 0;
    int parent = 0;
    QString name;
    std::optional<int> optionCount; // treename.chc when given
    int maxAverage = 0;
    int ageMin = 0;
    int ageMax = 0;
    QString sex = QStringLiteral("男女");
    QString description;
    std::vector<SourceItem> items;
    std::vector<SourceFactor> factors;
    std::vector<SourceNorm> norms;
};

struct SourceAverageSd {
    SourcePlace at;
    int age = 0;
    QString sex;
    int average = 0;
    double sd = 0;
};

struct SourceConversion {
    SourcePlace at;
    QString sex;
    int factor = 0;
    double raw = 0;
    double converted = 0;
};

struct BankSource {
    std::vector<SourceCategory> categories;
    std::vector<SourceTest> tests;
    std::vector<SourceAverageSd> averageSd;
    std::vector<SourceConversion> conversions;
    QStringList errors;

    void error(const SourcePlace& at, const QString& message) { errors << at.text() + message; }
};

// Reads catalogue.txt, tests/ and tables/ under the folder. Syntax errors go to errors;
// the content is checked by the compiler.
BankSource readBankSource(const QString& folder);

// Splits a table row at "|" (a "\|" stays in the field; "\n" is a line break, "\\" a backslash)
// and trims each field.
QStringList splitSourceRow(const QString& line);
