// The conditions of the query builder: one TTerm per condition, kept in order in TTerms.
#pragma once

#include "QueryField.h"

#include <QString>
#include <optional>
#include <vector>

struct TTerm {
    QString logic; // "AND" or "OR"; the first condition's is never written
    const TField* field = nullptr;
    QString op;           // SQL comparison: "=", "<>", ">", ">=", "<", "<=", "LIKE", "NOT LIKE"
    QString value;        // SQL value text, "%" wildcards included
    QString valueCaption; // the text as the value editor showed it

    QString logicCaption() const;    // "并且" / "或者"
    QString operatorCaption() const; // "等与", "包含", "右边等于" ...
};

class TTerms {
public:
    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    const TTerm& at(int index) const { return m_items.at(index); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    void add(const TTerm& term) { m_items.push_back(term); }
    void removeAt(int index);
    // Exchange a condition with its neighbour; nothing at the ends. Return the condition's
    // new position.
    int moveUp(int index);
    int moveDown(int index);
    void clear() { m_items.clear(); }

private:
    std::vector<TTerm> m_items;
};

// The comparisons offered for a field type, in the order of their positions.
QStringList comparisonsFor(TFieldType type);

// What the dialog collected for one condition.
struct TermInput {
    bool orLogic = false; // "或" chosen instead of "且"
    const TField* field = nullptr;
    int comparison = 0;   // position in comparisonsFor()
    QString value;        // value text
    QString valueCaption; // the editor's text
};

// Builds a condition. Numbers must be numbers, dates dates and so on; dates and times are
// rewritten in the fixed short form. On refusal returns nothing and sets the message.
std::optional<TTerm> makeTerm(const TermInput& input, QString* message);

// Short forms in which date, time and date-time values are written.
QString shortDateFormat();
QString shortTimeFormat();
QString shortDateTimeFormat();
