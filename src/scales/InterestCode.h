// Test 77: the three-letter occupational interest code from the six interest types.
#pragma once

#include "testing/SessionContext.h"

#include <QString>
#include <QVector>

struct InterestCodeRow {
    QString code;        // three letters
    QString occupations; // the occupations that fit the code
};

// The name the test bank gives the conventional (C) type's factor.
QString conventionalTypeName();
// The letter of an interest type by its exact factor name; empty for any other name.
QString interestLetter(const QString& factorName);
// The description of the leading type; empty for a letter that is not a type.
QString leadingTypeText(const QString& letter);
// The 72 known codes, in the order they are tested.
const QVector<InterestCodeRow>& interestCodeTable();

// Orders the factor table by sum, highest first, with a plain exchange sort: entry i is
// swapped with a later entry j whenever i's sum is less than j's. Equal sums are never
// swapped, yet a swap may carry an entry past an equal one, so ties keep the order this
// procedure gives, not the loaded order.
void sortByScoreDescending(FactorTable& factors);
// The letters of the first three entries; a name outside the type table adds no letter.
QString interestCode(const FactorTable& factors);
// Sorts the factor table (the stored factor rows follow the new order) and sets the
// conclusion: the leading type's text and, for a known code, its occupations.
void applyInterestCode(SessionContext& session);
