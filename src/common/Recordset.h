#pragma once
// A record set over one query: a snapshot of the query's rows with a current row.
// Each row remembers the rowid of the table row it came from, so that an edit or a
// delete touches exactly that row and no other with the same values.
//
// A set writes only to the one table its opener names; without one it is read-only
// and every write throws DbError. It never guesses the table from the query.
//
// Edits of the current row are held until the set moves off the row or Update /
// UpdateBatch runs; a new row begun by AddNew is written the same way (a new row
// that was never given a value is dropped instead), then read back from the table,
// so that what the table fills in itself (defaults, integer keys) shows. Delete
// removes the current row from the table at once; the set then stands on the
// deleted row until it moves.
//
// Inside a transaction (Transaction.h) writes count only once it commits: when it
// rolls back, the set reads its rows again, so that it shows what the table holds
// (the current row keeps what was typed into it but not yet written).

#include "Db.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

namespace recordset_detail {
// One row of a set: the rowid of its table row and its values.
struct Row {
    qint64 rowid = 0;
    QVector<QVariant> values;
    QVector<bool> changed;   // empty until the row is edited
    bool isNew = false;
    bool dirty = false;
};
}  // namespace recordset_detail
// Rows move in memory as bytes: deleting one of 10,000 does not move each of the rest.
Q_DECLARE_TYPEINFO(recordset_detail::Row, Q_RELOCATABLE_TYPE);

namespace recordset_detail {
// The rows of a set in their order, by position from 0. They lie in blocks of a few
// hundred, each with the position of its first row: taking a row out or putting one
// in shifts only the rest of its block and the positions of the blocks after it, so
// that a delete costs the same in a set of a hundred rows as in one of a hundred
// thousand, and finding a row by its position is a search among the blocks.
class RowList {
public:
    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    // 0 <= i < size()
    Row& operator[](int i)
    {
        const int b = block(i);
        return m_blocks[b][i - m_starts[b]];
    }
    const Row& operator[](int i) const
    {
        const int b = block(i);
        return m_blocks[b][i - m_starts[b]];
    }
    Row& last() { return m_blocks.last().last(); }
    const Row& last() const { return m_blocks.last().last(); }
    void append(Row row);
    // 0 <= i <= size()
    void insert(int i, Row row);
    Row takeAt(int i);
    void removeAt(int i) { takeAt(i); }
    // The row at `from` comes to stand at `to`.
    void move(int from, int to);
    void clear();

private:
    // The block that holds position i.
    int block(int i) const;

    QVector<QVector<Row>> m_blocks;
    QVector<int> m_starts;   // per block, the position of its first row
    int m_size = 0;
    mutable int m_last = 0;  // the block found last: walks stay in it
};
}  // namespace recordset_detail

class Recordset : public QObject {
    Q_OBJECT
public:
    // AbsolutePosition when the set stands on no row.
    enum { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };

    explicit Recordset(QObject* parent = nullptr);
    ~Recordset() override;

    // Runs the query on the connection (which must outlive the set) and stands on
    // the first row. `writableTable` names the table the set may write: it must be
    // in the query's `from` under its own name (not an alias). Without it the set is
    // read-only. Throws DbError when the query fails.
    void Open(DbConnection& connection, const QString& sql, const QVariantList& values = {},
              const QString& writableTable = {});
    // Reads the rows again and stands on the first; pending edits are dropped.
    void Requery();
    void Close();
    bool IsOpen() const { return m_open; }
    QString Source() const { return m_sql; }
    // True when rows can be written back (the opener named a table).
    bool Updatable() const { return !m_table.isEmpty(); }
    QString Table() const { return m_table; }

    bool Bof() const;
    bool Eof() const;
    // True when the set stands on a row that can be read.
    bool HasCurrentRow() const;
    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    // 1 for the first row; adPosBOF / adPosEOF off the rows.
    int AbsolutePosition() const;
    // The current row's index from 0, or -1 off the rows (and on a deleted row).
    int CurrentIndex() const { return HasCurrentRow() ? m_pos : -1; }

    // Moves write the current row's pending edits first (DbError when that fails,
    // and the set stays where it was). Moving past an end stays at BOF or EOF.
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();
    void MoveTo(int index);

    int FieldCount() const { return m_record.count(); }
    QString FieldName(int i) const { return m_record.fieldName(i); }
    // Index of a field by name, without regard to case; -1 when there is none.
    // Looked up in a map made when the rows are read.
    int FieldIndex(const QString& name) const;
    // Values of the current row; an invalid value when there is no current row or
    // no such field. Text() gives a null value as an empty text.
    QVariant Field(int index) const;
    QVariant Field(const QString& name) const;
    QString Text(int index) const { return Field(index).toString(); }
    QString Text(const QString& name) const { return Field(name).toString(); }
    // Values of any row (for grids).
    QVariant ValueAt(int row, int column) const;
    // The rowid of the table row that a row of the set came from (0 for a new row
    // or a read-only set).
    qint64 RowId(int row) const;

    // Edits the current row (held until it is written). Throws DbError when there
    // is no current row or no such field.
    void SetField(int index, const QVariant& value);
    void SetField(const QString& name, const QVariant& value);

    // Begins a new empty row at the end and stands on it.
    void AddNew();
    // Writes the current row's pending edits.
    void Update();
    // Writes every pending edit.
    void UpdateBatch();
    // Drops the current row's pending edits (a new row disappears).
    void CancelUpdate();
    // Deletes the current row from the table at once.
    void Delete();
    // Reads the row at `index` again from its table row (by its rowid), every field,
    // as a fresh query would show it. Throws DbError when the table row is gone or
    // the row has edits pending.
    void RereadRow(int index);
    // Moves the row at `from` so that it stands at `to`; the current row stays the
    // same row. With RereadRow, a set keeps its order after a write without reading
    // all its rows again.
    void MoveRow(int from, int to);

    bool EditPending() const;
    bool NewRowPending() const;

    // Run before any row is written: bound controls hand over their values. Close
    // drops it.
    void SetBeforeWrite(std::function<void()> fn) { m_beforeWrite = std::move(fn); }

signals:
    // After every move (also one that did not change the row) and after Open/Requery.
    void MoveComplete();
    void RowsReset();
    void RowAdded(int index);           // AddNew
    void NewRowCommitted(int index);    // a new row reached the table
    void NewRowDropped(int index);      // a new row without values went away
    void RowRemoved(int index);         // Delete
    void RowDataChanged(int index);
    void RowMoved(int from, int to);    // MoveRow: the row at `from` now stands at `to`

private:
    using Row = recordset_detail::Row;

    void load();
    // Reads the rows of the query (the rowid first when the set may write).
    void readAll();
    void writeCurrent();
    void writeRow(int index);
    void checkOpen() const;
    void checkWritable(const QString& what) const;
    // A prepared statement of this set, made once per key (the kind of write and
    // the fields it writes) and kept until the set reads its rows again.
    QSqlQuery& statement(const QByteArray& key, const std::function<QString()>& text);
    // Reads the stored values of a row back into the fields it has not changed and
    // a write did not just give (`written`: a write's statement key). False when its
    // table row is gone.
    bool readBack(Row& r, const QByteArray& written = {});
    void listen();
    void connectionEvent(DbConnection::Event event);
    void resync();

    DbConnection* m_conn = nullptr;
    bool m_listening = false;
    QString m_sql;
    QVariantList m_values;
    QString m_table;
    QSqlRecord m_record;
    // Field indexes by name without regard to case, made when the rows are read:
    // an open-addressed table, so that looking a name up copies no text.
    QVector<QString> m_foldedNames;   // per field
    QVector<int> m_nameSlots;         // field index + 1, 0 empty; a power of two long
    QVector<bool> m_inTable;          // per field: a column of the writable table
    QHash<QByteArray, QSqlQuery> m_statements;
    bool m_touchedInTransaction = false;   // wrote or read inside an open transaction
    recordset_detail::RowList m_rows;
    int m_pos = -1;          // -1 BOF, size() EOF, else the current row
    bool m_onDeleted = false;
    bool m_open = false;
    bool m_writing = false;
    std::function<void()> m_beforeWrite;
};
