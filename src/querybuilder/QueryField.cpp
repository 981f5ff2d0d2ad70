// Field items of the query builder and their property rules.
#include "QueryField.h"
#include "TZTQueryEx.h"

#include "data/Database.h"
#include "shell/Dialogs.h"

bool isSearchable(TFieldType type) {
    return type < TFieldType::Unknown;
}

bool isTextType(TFieldType type) {
    return type == TFieldType::String || type == TFieldType::WideString || type == TFieldType::FixedChar ||
           type == TFieldType::Memo;
}

bool isIntegerType(TFieldType type) {
    return type == TFieldType::SmallInt || type == TFieldType::Integer || type == TFieldType::Word ||
           type == TFieldType::AutoInc || type == TFieldType::LargeInt;
}

bool isFloatType(TFieldType type) {
    return type == TFieldType::Float || type == TFieldType::Currency;
}

bool isDateTimeType(TFieldType type) {
    return type == TFieldType::Date || type == TFieldType::Time || type == TFieldType::DateTime;
}

void TField::setAutoCheckType(bool on) {
    m_autoCheckType = on;
    if (on)
        checkType();
}

void TField::setTableName(const QString& name) {
    m_tableName = name.trimmed();
    m_fieldName.clear();
}

void TField::setFieldName(const QString& name) {
    m_fieldName = name;
    m_displayName = name;
    if (m_autoCheckType)
        checkType();
}

bool TField::setFieldType(TFieldType type) {
    if (!isSearchable(type)) {
        Dialogs::instance().message(Dialogs::Icon::Warning, Dialogs::Buttons::Ok,
                                    QStringLiteral("Can not query this type data!"));
        return false;
    }
    m_fieldType = type;
    return true;
}

void TField::setNumericMin(double value) {
    m_numericMin = value;
    if (m_numericMax < m_numericMin)
        m_numericMax = m_numericMin;
}

void TField::setNumericMax(double value) {
    m_numericMax = value;
    if (m_numericMin > m_numericMax)
        m_numericMin = m_numericMax;
}

QString TField::selectValue(const QString& line) {
    const int eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.left(eq);
}

QString TField::selectCaption(const QString& line) {
    const int eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.mid(eq + 1);
}

// Reads the column's type from an empty result of its table; any failure gives "unknown",
// which the builder then refuses like any other type it cannot search.
void TField::checkType() {
    if (m_tableName.isEmpty() || m_fieldName.isEmpty())
        return;
    TFieldType found = TFieldType::Unknown;
    Database* db = m_owner ? m_owner->Connection() : nullptr;
    if (db && db->isOpen()) {
        try {
            QSqlQuery query =
                db->run(QStringLiteral("SELECT * FROM ") + m_tableName + QStringLiteral(" WHERE 1<>1"));
            const QSqlRecord record = query.record();
            const int index = record.indexOf(m_fieldName);
            if (index >= 0) {
                switch (record.field(index).metaType().id()) {
                case QMetaType::QString:
                    found = TFieldType::String;
                    break;
                case QMetaType::Short:
                case QMetaType::UShort:
                    found = TFieldType::SmallInt;
                    break;
                case QMetaType::Int:
                case QMetaType::UInt:
                    found = TFieldType::Integer;
                    break;
                case QMetaType::LongLong:
                case QMetaType::ULongLong:
                    found = TFieldType::LargeInt;
                    break;
                case QMetaType::Double:
                case QMetaType::Float:
                    found = TFieldType::Float;
                    break;
                case QMetaType::Bool:
                    found = TFieldType::Boolean;
                    break;
                case QMetaType::QDate:
                    found = TFieldType::Date;
                    break;
                case QMetaType::QTime:
                    found = TFieldType::Time;
                    break;
                case QMetaType::QDateTime:
                    found = TFieldType::DateTime;
                    break;
                case QMetaType::QByteArray:
                    found = TFieldType::Blob;
                    break;
                default:
                    break;
                }
            }
        } catch (const DbError&) {
        }
    }
    setFieldType(found);
}
