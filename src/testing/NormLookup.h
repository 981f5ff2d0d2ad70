// The norm lookup on account: name and value against score, age and sex bands.
#pragma once

#include "data/Database.h"

#include <optional>

class NormLookup {
public:
    explicit NormLookup(Database& bank) : m_bank(bank) {}
    // Sets the test id, age and sex that every following lookup uses.
    void prepare(int hmid, double age, const QString& sex);
    // The explain text of the first row with min <= value < max, or nullopt.
    std::optional<QString> lookup(const QString& name, double value);

private:
    Database& m_bank;
    int m_hmid = 0;
    double m_age = 0;
    QString m_sexPattern;
};

// The factor rows of a test for an age and sex, in hmez.id order.
class Database;
struct tmx;
QVector<tmx> loadFactors(Database& bank, int hmid, double age, const QString& sex);
// Every factor row of a test, without the age and sex conditions.
QVector<tmx> loadAllFactors(Database& bank, int hmid);
