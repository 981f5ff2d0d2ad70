// A read-only table over one statement that reads its rows in chunks as a view scrolls.
#pragma once

#include "Database.h"

#include <QAbstractTableModel>
#include <QSet>
#include <vector>

// Lists of 100,000 rows open at once: only the rows a view has asked for are read and kept.
// Each chunk is read by a statement of its own, ordered by the key column and continuing after
// the last key read (Dialect::pageStatement), so no query stays open between chunks, rows
// deleted or changed in between neither leave a gap nor come twice, and the same works on both
// engines. Changes that the database has accepted are applied to the rows held here, so a list
// keeps its order and position after an edit instead of being read again.
class LazyQueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Format { Plain, Date, DateTime, Number };
    struct Column {
        QString name;    // column of the statement
        QString caption; // heading
        Format format = Format::Plain;
    };

    explicit LazyQueryModel(QObject* parent = nullptr);

    // The columns shown, in order; the others stay readable through value(). Empty: all.
    void setColumns(const QList<Column>& columns);
    void setAlignment(Qt::Alignment alignment) { m_alignment = alignment; }
    void setChunkSize(int rows) { m_chunk = qMax(1, rows); }
    // The column that identifies a row (unique, never null) and the order of the list: the
    // chunks are read in this order, and a row changed or added here is not taken again from a
    // later chunk. Without a key column the statement is read whole at open (short lists).
    void setKeyColumn(const QString& name, Qt::SortOrder order = Qt::AscendingOrder) {
        m_keyName = name;
        m_keyOrder = order;
    }

    // Reads the first chunk of the statement. The database must stay open while rows are read.
    // Throws DbError; the model is then empty.
    void open(Database& db, const QString& sql, const QVariantList& params = {});
    void clear();
    bool hasMore() const { return m_more; }
    // Reads every remaining row (a jump to the last row needs them).
    void fetchAll();

    QString columnName(int column) const;
    int fieldIndex(const QString& name) const;
    QStringList fieldNames() const { return m_fields; }
    QVariant value(int row, const QString& field) const;
    QVariantList rowValues(int row) const;
    // Index of the first held row whose field equals value, or -1.
    int findRow(const QString& field, const QVariant& value) const;

    // Apply a change that the database has accepted.
    void setRowValues(int row, const QVariantList& values);
    void insertRowValues(int row, const QVariantList& values);
    void removeCachedRow(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    void fetchMore(const QModelIndex& parent = {}) override;

signals:
    // A later chunk could not be read (the rows held stay, reading stops until the next open).
    // Views call fetchMore while painting, so the failure is reported here instead of thrown.
    void readFailed(const QString& message);

private:
    QString keyOf(const QVariantList& values) const;
    std::vector<QVariantList> readChunk(int limit, QStringList* fields = nullptr);
    void appendRows(int limit);
    void rememberKey(const QVariantList& values);
    int fieldOfColumn(int column) const;

    QList<Column> m_columns;
    QStringList m_fields;
    std::vector<QVariantList> m_rows;
    Database* m_db = nullptr;
    QString m_sql;
    QVariantList m_params;
    bool m_more = false; // chunks may follow
    QVariant m_lastKey;  // key of the last row read from the database, the next chunk's start
    QString m_keyName;
    Qt::SortOrder m_keyOrder = Qt::AscendingOrder;
    int m_key = -1;
    QSet<QString> m_changedKeys;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    int m_chunk = 256;
};
