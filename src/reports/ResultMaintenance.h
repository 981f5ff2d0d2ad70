// Stored results as result maintenance sees them: list statements, search fields, edits, delete.
#pragma once

#include <QString>

class Database;
class TZTQueryEx;

class ResultMaintenance {
public:
    explicit ResultMaintenance(Database& db) : m_db(db) {}

    // The result list, newest first: every result, or those matching a condition of the query
    // builder. An empty condition lists every result.
    static QString listSql(const QString& condition = {});
    // The factor rows of one result (parameter: the result id).
    static QString factorSql();
    // The searchable fields of the result list's query builder.
    static void configureQuery(TZTQueryEx& query);

    // The editable parts of a result header: reporter and conclusion. Throw DbError.
    void saveHeader(int resultId, const QString& reporter, const QString& conclusion);
    // The conclusion of one factor row (jgmx.id). Throws DbError.
    void saveFactorConclusion(int factorRowId, const QString& conclusion);
    // Deletes the result with its factor and item rows in one transaction. Throws DbError.
    void deleteResult(int resultId);

private:
    Database& m_db;
};
