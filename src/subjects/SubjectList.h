// The subjects (table username): list statement, search fields, row writes and cascade delete.
#pragma once

#include <QDate>
#include <QString>

class Database;
class DbError;
class TZTQueryEx;

struct SubjectRecord {
    QString id; // at most 10 characters, upper case
    QString name;
    QString sex; // "男" or "女"
    QDate birth; // invalid: not given
    QString tel;
    QString group; // "正常组", "对照组" or "病人组"
    QString address;
};

class SubjectList {
public:
    explicit SubjectList(Database& db) : m_db(db) {}

    static constexpr int maxIdLength = 10;

    // The list statement: every subject, or those matching a condition of the query builder.
    // An empty condition lists every subject.
    static QString listSql(const QString& condition = {});
    // The searchable fields of the subject list's query builder.
    static void configureQuery(TZTQueryEx& query);

    // Writes a row; the id is stored in upper case, empty texts as missing values.
    // Throw DbError when the database refuses (duplicate id, missing id ...).
    void insert(const SubjectRecord& subject);
    void update(const QString& oldId, const SubjectRecord& subject);
    // Deletes the subject with all of its results (header, factor and item rows) and its
    // saved progress, in one transaction: either all of it goes or nothing does.
    void remove(const QString& id);

    // A refusal of the database as the operator should read it.
    QString refusalText(const DbError& error) const;

private:
    Database& m_db;
};
