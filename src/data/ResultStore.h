// Stored results: the next result id and the save of a header with its factor and item rows.
#pragma once

#include "Database.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

struct StoredFactor {
    QString name;
    double sum = 0;
    double average = 0;
    QString explanation;
};

struct StoredItem {
    int number = 0; // item number, written as "题号：" + number
    double score = 0;
};

struct StoredResult {
    QString userId;
    QString userName;
    QString testName;
    QDateTime savedAt;       // local time, stored to the minute; Clock::now() when not set
    double total = 0;
    QString conclusion;
    double average = 0;
    double maxAverage = 0;
    int itemCount = 0;
    std::vector<StoredFactor> factors;
    std::vector<StoredItem> items;
    // The picture-matrix runner stores factor rows without an explanation column.
    bool factorExplanations = true;
    // The cancellation test stores only id, subject, test, time and total in jg and only the
    // name and sum of each factor row; the other columns stay null.
    bool scoreOnly = false;
};

class ResultStore {
public:
    explicit ResultStore(Database& db) : m_db(db) {}

    // Largest jg.id + 1; 1 for an empty table.
    int NextResultId();
    // Saves header, factor rows and item rows in one transaction and returns the new id.
    // A clash on the id with another instance saving at the same moment takes a fresh id.
    // Throws DbError when the save fails; nothing is then left behind.
    int save(const StoredResult& result);

    // Deletes one result with its factor and item rows, in one transaction.
    void deleteResult(int id);
    // Deletes every result of a subject with their factor and item rows. Runs inside the
    // caller's transaction when there is one (a subject's cascade delete), else in its own.
    void deleteResultsOfSubject(const QString& userId);

private:
    void insertRows(int id, const StoredResult& result);
    Database& m_db;
};
