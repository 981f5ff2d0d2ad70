// The query builder: searchable fields, the current conditions and their SQL text.
#pragma once

#include "QueryField.h"
#include "QueryTerms.h"

#include <functional>
#include <memory>
#include <vector>

class Database;

// A list page owns one builder, configures its fields, runs Execute(true) for its search
// button and appends QueryTerm to its own statement. The conditions stay between dialog
// runs for as long as the builder exists.
class TZTQueryEx {
public:
    TZTQueryEx() = default;
    TZTQueryEx(const TZTQueryEx&) = delete;
    TZTQueryEx& operator=(const TZTQueryEx&) = delete;

    Database* Connection() const { return m_connection; }
    void setConnection(Database* db) { m_connection = db; }

    // Appends a field; its display name is the column name until set otherwise.
    TField& addField(const QString& table, const QString& column, TFieldType type,
                     const QString& displayName = {});
    int fieldCount() const { return int(m_fields.size()); }
    TField& field(int index) { return *m_fields.at(index); }
    const TField& field(int index) const { return *m_fields.at(index); }
    void clearFields();

    QString DateTimeCompart() const { return m_dateTimeCompart; }
    void setDateTimeCompart(const QString& delimiter) { m_dateTimeCompart = delimiter; }
    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    bool TabNameHasbracket() const { return m_tabNameHasbracket; }
    void setTabNameHasbracket(bool on) { m_tabNameHasbracket = on; }

    // The distinct tables of the fields in field order, each but the last followed by ",".
    QStringList UseredTables() const;

    TTerms& Terms() { return m_terms; }
    const TTerms& Terms() const { return m_terms; }

    // The condition text of the current conditions; empty without conditions.
    QString QueryTerm() const;
    static QString renderTerm(const TTerm& term, bool first, const QString& dateDelimiter,
                              bool bracketTables);

    // Runs the dialog (through the runner the page installed). Clears the conditions first
    // unless keep. Returns true when the operator confirmed.
    bool Execute(bool keep);

    using DialogRunner = std::function<bool(TZTQueryEx&)>;
    void setDialogRunner(DialogRunner runner) { m_dialogRunner = std::move(runner); }

private:
    Database* m_connection = nullptr;
    std::vector<std::unique_ptr<TField>> m_fields;
    TTerms m_terms;
    QString m_dateTimeCompart = QStringLiteral("'");
    QString m_caption = QStringLiteral("ZTQuery");
    bool m_tabNameHasbracket = false;
    DialogRunner m_dialogRunner;
};
