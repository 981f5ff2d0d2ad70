// The items of a choice test as the runners read them from toplr.
#pragma once

#include "data/Database.h"

#include <QSqlRecord>
#include <QString>
#include <QVector>
#include <optional>

// The ten options: label, text column and answer code (the score column).
struct OptionColumn {
    QString label;
    QString textColumn;
    QString answerCode;
};
const QVector<OptionColumn>& OptionTable();
// 0..9 for "ac".."jc" (case-insensitive), -1 otherwise.
int optionIndexOfCode(const QString& code);

struct ChoiceItem {
    int number = 0;     // topid
    QString text;       // toplr
    int optionCount = 0; // chc
    QString optionTexts[10];
    std::optional<double> optionScores[10];
    QSqlRecord row;     // the whole row, for runners that read further columns

    // The score of an answer code; nullopt when the code is unknown or its column is empty.
    std::optional<double> scoreOf(const QString& code) const;
};

using ChoiceItems = QVector<ChoiceItem>;

// "select * from toplr where hmid=:p order by topid"
ChoiceItems loadChoiceItems(Database& bank, int hmid);
ChoiceItem choiceItemFromRecord(const QSqlRecord& record);
