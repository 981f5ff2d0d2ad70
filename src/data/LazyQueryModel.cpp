// Chunked reading of a statement's rows for the list grids.
#include "LazyQueryModel.h"

#include <QDateTime>

LazyQueryModel::LazyQueryModel(QObject* parent) : QAbstractTableModel(parent) {}

void LazyQueryModel::setColumns(const QList<Column>& columns) {
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void LazyQueryModel::clear() {
    beginResetModel();
    m_db = nullptr;
    m_sql.clear();
    m_params.clear();
    m_more = false;
    m_lastKey.clear();
    m_key = -1;
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_changedKeys.clear();
    endResetModel();
}

void LazyQueryModel::open(Database& db, const QString& sql, const QVariantList& params) {
    clear();
    std::vector<QVariantList> rows;
    QStringList fields;
    if (m_keyName.isEmpty()) {
        QSqlQuery query = db.run(sql, params);
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            fields << record.fieldName(i);
        while (query.next()) {
            QVariantList values;
            values.reserve(fields.size());
            for (int i = 0; i < fields.size(); ++i)
                values << query.value(i);
            rows.push_back(std::move(values));
        }
    } else {
        m_db = &db;
        m_sql = sql;
        m_params = params;
        m_more = true;
        try {
            rows = readChunk(m_chunk, &fields);
        } catch (const DbError&) {
            m_db = nullptr;
            m_more = false;
            throw;
        }
    }
    beginResetModel();
    m_fields = fields;
    m_rows = std::move(rows);
    endResetModel();
}

std::vector<QVariantList> LazyQueryModel::readChunk(int limit, QStringList* fields) {
    std::vector<QVariantList> read;
    if (!m_more || !m_db)
        return read;
    const bool after = m_lastKey.isValid();
    QVariantList params = m_params;
    if (after)
        params << m_lastKey;
    QSqlQuery query = m_db->run(m_db->dialect().pageStatement(m_sql, m_keyName, m_keyOrder, after, limit), params);
    const QSqlRecord record = query.record();
    if (fields) {
        for (int i = 0; i < record.count(); ++i)
            *fields << record.fieldName(i);
    }
    const int columns = record.count();
    m_key = record.indexOf(m_keyName);
    int count = 0;
    while (query.next()) {
        ++count;
        QVariantList values;
        values.reserve(columns);
        for (int i = 0; i < columns; ++i)
            values << query.value(i);
        m_lastKey = values.value(m_key);
        // A row changed or added here may come again from a later chunk.
        if (!m_changedKeys.isEmpty() && m_changedKeys.contains(keyOf(values)))
            continue;
        read.push_back(std::move(values));
    }
    // A short chunk is the last; so is one whose last key is missing (nothing to go on from).
    if (count < limit || m_lastKey.isNull())
        m_more = false;
    return read;
}

void LazyQueryModel::appendRows(int limit) {
    std::vector<QVariantList> read;
    try {
        read = readChunk(limit);
    } catch (const DbError& e) {
        m_more = false;
        emit readFailed(e.message());
        return;
    }
    if (read.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(read.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
    endInsertRows();
}

void LazyQueryModel::fetchAll() {
    // Larger chunks: fewer statements, while the driver still never holds the whole rest twice.
    const int chunk = qMax(m_chunk, 4096);
    while (m_more)
        appendRows(chunk);
}

QString LazyQueryModel::keyOf(const QVariantList& values) const {
    if (m_key < 0 || m_key >= values.size())
        return {};
    return values.at(m_key).toString();
}

void LazyQueryModel::rememberKey(const QVariantList& values) {
    if (m_key >= 0 && m_more)
        m_changedKeys.insert(keyOf(values));
}

int LazyQueryModel::fieldIndex(const QString& name) const {
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int LazyQueryModel::fieldOfColumn(int column) const {
    if (m_columns.isEmpty())
        return column;
    if (column < 0 || column >= m_columns.size())
        return -1;
    return fieldIndex(m_columns.at(column).name);
}

QString LazyQueryModel::columnName(int column) const {
    const int field = fieldOfColumn(column);
    if (!m_columns.isEmpty() && column >= 0 && column < m_columns.size())
        return m_columns.at(column).name;
    return field >= 0 && field < m_fields.size() ? m_fields.at(field) : QString();
}

QVariant LazyQueryModel::value(int row, const QString& field) const {
    const int index = fieldIndex(field);
    if (row < 0 || row >= int(m_rows.size()) || index < 0)
        return {};
    return m_rows[row].value(index);
}

QVariantList LazyQueryModel::rowValues(int row) const {
    if (row < 0 || row >= int(m_rows.size()))
        return {};
    return m_rows[row];
}

int LazyQueryModel::findRow(const QString& field, const QVariant& value) const {
    const int index = fieldIndex(field);
    if (index < 0)
        return -1;
    const QString wanted = value.toString();
    for (int row = 0; row < int(m_rows.size()); ++row) {
        if (m_rows[row].value(index).toString() == wanted)
            return row;
    }
    return -1;
}

void LazyQueryModel::setRowValues(int row, const QVariantList& values) {
    if (row < 0 || row >= int(m_rows.size()))
        return;
    rememberKey(values);
    m_rows[row] = values;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void LazyQueryModel::insertRowValues(int row, const QVariantList& values) {
    row = qBound(0, row, int(m_rows.size()));
    rememberKey(values);
    beginInsertRows({}, row, row);
    m_rows.insert(m_rows.begin() + row, values);
    endInsertRows();
}

void LazyQueryModel::removeCachedRow(int row) {
    if (row < 0 || row >= int(m_rows.size()))
        return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

int LazyQueryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int LazyQueryModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return m_columns.isEmpty() ? int(m_fields.size()) : int(m_columns.size());
}

static QString formatted(const QVariant& value, LazyQueryModel::Format format) {
    if (value.isNull())
        return {};
    switch (format) {
    case LazyQueryModel::Format::Date:
        return variantToDate(value).toString(QStringLiteral("yyyy-MM-dd"));
    case LazyQueryModel::Format::DateTime:
        return variantToDateTime(value).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case LazyQueryModel::Format::Number: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        return ok ? QString::number(number, 'g', 15) : value.toString();
    }
    case LazyQueryModel::Format::Plain:
        break;
    }
    return value.toString();
}

QVariant LazyQueryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_alignment);
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    const int field = fieldOfColumn(index.column());
    if (field < 0)
        return {};
    const QVariant value = m_rows[index.row()].value(field);
    if (role == Qt::EditRole)
        return value;
    const Format format = m_columns.isEmpty() ? Format::Plain : m_columns.at(index.column()).format;
    return formatted(value, format);
}

QVariant LazyQueryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return section + 1;
        return {};
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    if (role != Qt::DisplayRole)
        return {};
    if (!m_columns.isEmpty() && section >= 0 && section < m_columns.size())
        return m_columns.at(section).caption;
    return columnName(section);
}

bool LazyQueryModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && m_more;
}

void LazyQueryModel::fetchMore(const QModelIndex& parent) {
    if (!parent.isValid())
        appendRows(m_chunk);
}
