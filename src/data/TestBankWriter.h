// Writes a test bank file: the one writer behind the bank compiler and the test fixtures.
#pragma once

#include "Database.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct BankNode {
    int id = 0;
    int parentId = 0;
    QString name;
    int optionCount = 0; // chc
    int maxAverage = 0;  // maxavg
    int maxAge = 0;      // months
    int minAge = 0;      // months
    QString sex = QStringLiteral("男女");
    QString description; // hmjg
};

struct BankOption {
    QString text;
    std::optional<double> score;
};

struct BankItem {
    int hmid = 0;
    int number = 0; // topid
    QString text;   // toplr
    std::vector<BankOption> options; // up to ten, in column order A..j / ac..jc
    // Extra column texts by column name (for example "j" for a passage, "a"/"b" for scenes),
    // applied after the options.
    std::vector<std::pair<QString, QString>> extraTexts;
    std::vector<std::pair<QString, double>> extraScores;
    QByteArray picture;
    std::optional<int> optionCount; // chc; defaults to the number of options
};

struct BankFactor {
    int id = 0; // hmez.id; 0 = next free
    int hmid = 0;
    QString name;
    QString itemList; // ",1,2,"
    int ageMin = 0;
    int ageMax = 9999;
    QString sex = QStringLiteral("男女");
};

struct BankNorm {
    int hmid = 0;
    QString name;
    double min = 0;
    double max = 0;
    int ageMin = 0;
    int ageMax = 9999;
    QString sex = QStringLiteral("男女");
    QString explain;
};

class TestBankWriter {
public:
    // Creates a new bank file (an existing one is replaced). Throws DbError on failure.
    explicit TestBankWriter(const QString& file);
    ~TestBankWriter();

    void addNode(const BankNode& node);
    void addItem(const BankItem& item);
    void addFactor(const BankFactor& factor);
    void addNorm(const BankNorm& norm);
    void addMmpiConversion(const QString& sex, int factorNumber, double raw, double converted);
    void addAverageSd(int age, const QString& sex, int average, double sd);

    // Commits everything written so far.
    void finish();
    Database& database() { return m_db; }

private:
    Database m_db;
    int m_nextFactorId = 1;
};
