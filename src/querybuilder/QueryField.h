// A searchable field of the query builder: its table, column, type and value rules.
#pragma once

#include <QString>
#include <QStringList>

class TZTQueryEx;

// Column types as the builder distinguishes them. The second group cannot be searched.
enum class TFieldType {
    String,
    WideString,
    FixedChar,
    Memo,
    SmallInt,
    Integer,
    Word,
    AutoInc,
    LargeInt,
    Float,
    Currency,
    Boolean,
    Date,
    Time,
    DateTime,
    // not searchable
    Unknown,
    BCD,
    Bytes,
    VarBytes,
    Blob,
    Graphic,
    ParadoxOle,
    DBaseOle,
    TypedBinary,
    Cursor,
    Array,
    DataSet,
    OraBlob,
    OraClob,
    Interface,
    IDispatch,
    Guid,
    FMTBcd,
};

bool isSearchable(TFieldType type);
bool isTextType(TFieldType type); // values written between apostrophes
bool isIntegerType(TFieldType type);
bool isFloatType(TFieldType type);
bool isDateTimeType(TFieldType type); // date, time and date-time

class TField {
public:
    explicit TField(TZTQueryEx* owner = nullptr) : m_owner(owner) {}

    bool AutoCheckType() const { return m_autoCheckType; }
    void setAutoCheckType(bool on);

    QString TableName() const { return m_tableName; }
    // Stored without surrounding blanks; clears the field name.
    void setTableName(const QString& name);

    QString FieldName() const { return m_fieldName; }
    // Also sets the display name; looks the type up when AutoCheckType is set.
    void setFieldName(const QString& name);

    TFieldType FieldType() const { return m_fieldType; }
    // Refuses a type that cannot be searched ("Can not query this type data!") and keeps the
    // previous one; returns whether the type was taken.
    bool setFieldType(TFieldType type);

    QString DisplayName() const { return m_displayName; }
    void setDisplayName(const QString& name) { m_displayName = name; }

    // Lines "value=caption"; when not empty the value is picked from them.
    QStringList SelectList() const { return m_selectList; }
    void setSelectList(const QStringList& list) { m_selectList = list; }
    bool SelectOnly() const { return m_selectOnly; }
    void setSelectOnly(bool on) { m_selectOnly = on; }

    double NumericMin() const { return m_numericMin; }
    double NumericMax() const { return m_numericMax; }
    // A minimum above the maximum raises the maximum to it; a maximum below the minimum
    // lowers the minimum to it.
    void setNumericMin(double value);
    void setNumericMax(double value);
    quint16 NumericDigits() const { return m_numericDigits; }
    void setNumericDigits(quint16 digits) { m_numericDigits = digits; }
    int StringLength() const { return m_stringLength; }
    void setStringLength(int length) { m_stringLength = length; }

    // The select list split into values and captions.
    static QString selectValue(const QString& line);
    static QString selectCaption(const QString& line);

private:
    void checkType();

    TZTQueryEx* m_owner;
    bool m_autoCheckType = false;
    QString m_tableName;
    QString m_fieldName;
    TFieldType m_fieldType = TFieldType::String;
    QString m_displayName;
    QStringList m_selectList;
    bool m_selectOnly = true;
    double m_numericMin = -999999;
    double m_numericMax = 999999;
    quint16 m_numericDigits = 4;
    int m_stringLength = -1;
};
