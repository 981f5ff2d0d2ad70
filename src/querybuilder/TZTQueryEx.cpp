// Rendering of the conditions and the checks before the dialog opens.
#include "TZTQueryEx.h"

#include "data/Database.h"
#include "shell/Dialogs.h"

TField& TZTQueryEx::addField(const QString& table, const QString& column, TFieldType type,
                             const QString& displayName) {
    auto item = std::make_unique<TField>(this);
    item->setTableName(table);
    item->setFieldName(column);
    item->setFieldType(type);
    if (!displayName.isEmpty())
        item->setDisplayName(displayName);
    m_fields.push_back(std::move(item));
    return *m_fields.back();
}

void TZTQueryEx::clearFields() {
    m_terms.clear();
    m_fields.clear();
}

QStringList TZTQueryEx::UseredTables() const {
    QStringList tables;
    for (const auto& f : m_fields) {
        const QString name =
            m_tabNameHasbracket ? QLatin1Char('[') + f->TableName() + QLatin1Char(']') : f->TableName();
        if (!tables.contains(name, Qt::CaseInsensitive))
            tables << name;
    }
    for (int i = 0; i + 1 < tables.size(); ++i)
        tables[i] += QLatin1Char(',');
    return tables;
}

// A value between apostrophes has its apostrophes doubled, so that a name like O'Brien is
// searched for as it stands instead of ending the literal early.
static QString quoted(const QString& value, const QString& delimiter) {
    QString text = value;
    if (delimiter == QLatin1String("'"))
        text.replace(QLatin1Char('\''), QLatin1String("''"));
    return delimiter + text + delimiter;
}

QString TZTQueryEx::renderTerm(const TTerm& term, bool first, const QString& dateDelimiter,
                               bool bracketTables) {
    QString text;
    if (!first)
        text += QLatin1Char(' ') + term.logic + QLatin1Char(' ');
    const QString table = bracketTables ? QLatin1Char('[') + term.field->TableName() + QLatin1Char(']')
                                        : term.field->TableName();
    text += QLatin1Char(' ') + table + QLatin1Char('.') + term.field->FieldName() + QLatin1Char(' ');
    text += QLatin1Char(' ') + term.op + QLatin1Char(' ');
    const TFieldType type = term.field->FieldType();
    QString delimiter;
    if (isTextType(type))
        delimiter = QStringLiteral("'");
    else if (isDateTimeType(type))
        delimiter = dateDelimiter;
    text += QLatin1Char(' ') + quoted(term.value, delimiter) + QLatin1Char(' ');
    text += QChar(13);
    return text;
}

QString TZTQueryEx::QueryTerm() const {
    QString text;
    bool first = true;
    for (const TTerm& term : m_terms) {
        if (!term.field)
            continue;
        text += renderTerm(term, first, m_dateTimeCompart, m_tabNameHasbracket);
        first = false;
    }
    return text;
}

bool TZTQueryEx::Execute(bool keep) {
    if (!m_connection) {
        Dialogs::instance().message(Dialogs::Icon::Information, Dialogs::Buttons::Ok,
                                    QStringLiteral("没有指定Connection或者ConnectionString"));
        return false;
    }
    if (!m_connection->isOpen()) {
        const ConnectionSettings settings = m_connection->settings();
        if (!m_connection->open(settings) || !m_connection->isOpen()) {
            Dialogs::instance().message(Dialogs::Icon::Information, Dialogs::Buttons::Ok,
                                        QStringLiteral("ADOConnection连接错误"));
            return false;
        }
    }
    if (m_fields.empty())
        return false;
    if (!keep)
        m_terms.clear();
    return m_dialogRunner ? m_dialogRunner(*this) : false;
}
