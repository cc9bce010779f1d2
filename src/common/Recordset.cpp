#include "Recordset.h"

#include "RecordLayouts.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlField>

#include <algorithm>
#include <iterator>

namespace {

using records::quoteIdentifier;

const QString kRowidAlias = QStringLiteral("__kyjh_rowid");

// One UTF-16 unit without regard to case (ASCII without a table look-up).
inline char16_t fold(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    return QChar(c).toCaseFolded().unicode();
}

size_t foldedHash(QStringView s)
{
    size_t h = 1469598103934665603ULL;
    for (const QChar c : s) {
        h ^= fold(c.unicode());
        h *= 1099511628211ULL;
    }
    return h;
}

bool sameFolded(QStringView name, QStringView folded)
{
    if (name.size() != folded.size())
        return false;
    for (qsizetype i = 0; i < name.size(); ++i)
        if (fold(name[i].unicode()) != folded[i].unicode())
            return false;
    return true;
}

// Runs a prepared statement with its values; throws DbError.
void run(QSqlQuery& q, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec()) {
        const QSqlError err = q.lastError();
        q.finish();
        throw DbError::FromSql(err);
    }
}

// Rows a block holds when the rows are read; a block that grows to twice as many by
// insertions is split.
constexpr int kBlockRows = 256;

}  // namespace

namespace recordset_detail {

int RowList::block(int i) const
{
    const int blocks = int(m_blocks.size());
    auto holds = [&](int b) { return b < blocks && i >= m_starts[b] && i - m_starts[b] < m_blocks[b].size(); };
    if (holds(m_last))
        return m_last;
    if (holds(m_last + 1))
        return ++m_last;
    m_last = int(std::upper_bound(m_starts.cbegin(), m_starts.cend(), i) - m_starts.cbegin()) - 1;
    return m_last;
}

void RowList::append(Row row)
{
    if (m_blocks.isEmpty() || m_blocks.last().size() >= kBlockRows) {
        m_blocks.append(QVector<Row>());
        m_blocks.last().reserve(kBlockRows);
        m_starts.append(m_size);
    }
    m_blocks.last().append(std::move(row));
    ++m_size;
}

void RowList::insert(int i, Row row)
{
    if (i == m_size) {
        append(std::move(row));
        return;
    }
    const int b = block(i);
    QVector<Row>& rows = m_blocks[b];
    rows.insert(i - m_starts[b], std::move(row));
    for (int k = b + 1; k < m_starts.size(); ++k)
        ++m_starts[k];
    ++m_size;
    if (rows.size() >= 2 * kBlockRows) {
        QVector<Row> second(std::make_move_iterator(rows.begin() + kBlockRows), std::make_move_iterator(rows.end()));
        rows.resize(kBlockRows);
        m_blocks.insert(b + 1, std::move(second));
        m_starts.insert(b + 1, m_starts[b] + kBlockRows);
    }
}

Row RowList::takeAt(int i)
{
    const int b = block(i);
    QVector<Row>& rows = m_blocks[b];
    Row row = rows.takeAt(i - m_starts[b]);
    for (int k = b + 1; k < m_starts.size(); ++k)
        --m_starts[k];
    --m_size;
    if (rows.isEmpty()) {
        m_blocks.removeAt(b);
        m_starts.removeAt(b);
    }
    return row;
}

void RowList::move(int from, int to)
{
    insert(to, takeAt(from));
}

void RowList::clear()
{
    m_blocks.clear();
    m_starts.clear();
    m_size = 0;
    m_last = 0;
}

}  // namespace recordset_detail

Recordset::Recordset(QObject* parent)
    : QObject(parent)
{
}

Recordset::~Recordset()
{
    m_statements.clear();
    if (m_listening && m_conn)
        m_conn->RemoveListener(this);
}

void Recordset::checkOpen() const
{
    if (!m_open)
        throw DbError(QStringLiteral("记录集没有打开。"));
}

void Recordset::checkWritable(const QString& what) const
{
    if (!Updatable())
        throw DbError(QStringLiteral("这个记录集是只读的（打开时没有指定它可以写的表），不能%1。").arg(what));
}

void Recordset::Open(DbConnection& connection, const QString& sql, const QVariantList& values,
                     const QString& writableTable)
{
    if (m_listening && m_conn && m_conn != &connection) {
        m_conn->RemoveListener(this);
        m_listening = false;
    }
    m_statements.clear();
    m_conn = &connection;
    m_sql = sql;
    m_values = values;
    m_table = writableTable.trimmed();
    load();
}

void Recordset::Requery()
{
    checkOpen();
    load();
}

void Recordset::listen()
{
    if (m_listening)
        return;
    m_conn->AddListener(this, [this](DbConnection::Event e) { connectionEvent(e); });
    m_listening = true;
}

void Recordset::readAll()
{
    m_statements.clear();
    QSqlQuery q;
    int first = 0;
    if (m_table.isEmpty()) {
        q = m_conn->Exec(m_sql, m_values);
    } else {
        // Each row carries the rowid of its row in the writable table, so that a
        // write touches exactly that row.
        static const QRegularExpression select(QStringLiteral("^\\s*select\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = select.match(m_sql);
        if (!m.hasMatch())
            throw DbError(QStringLiteral("记录集只能写回 select 查询读出的表，不能写回表 %1。").arg(m_table));
        QString injected = m_sql;
        injected.insert(m.capturedEnd(), QStringLiteral("%1.rowid as %2, ").arg(quoteIdentifier(m_table), kRowidAlias));
        try {
            q = m_conn->Exec(injected, m_values);
        } catch (const DbError&) {
            m_conn->Exec(m_sql, m_values);   // a query that fails as it stands says why
            throw DbError(QStringLiteral("记录集不能写回表 %1：查询的 from 中没有这个表（或者只有它的别名）。")
                              .arg(m_table));
        }
        first = 1;
    }
    QSqlRecord record = q.record();
    if (first)
        record.remove(0);
    const int n = record.count();
    QSet<QString> tableColumns;
    if (!m_table.isEmpty()) {
        QSqlQuery columns = m_conn->Exec(QStringLiteral("select name from pragma_table_info(?)"), {m_table});
        while (columns.next())
            tableColumns.insert(columns.value(0).toString().toCaseFolded());
    }
    // The query runs: nothing more can fail, so the old rows go before the new ones
    // come, and a set read again never holds both.
    m_rows = {};
    recordset_detail::RowList rows;
    while (q.next()) {
        Row r;
        if (first)
            r.rowid = q.value(0).toLongLong();
        // Room for exactly as many values as fields: a list grown to them keeps room
        // to spare in every row (a sixth more for the 107 fields of an application).
        r.values = QVector<QVariant>(n);
        for (int i = 0; i < n; ++i)
            r.values[i] = q.value(i + first);
        rows.append(std::move(r));
    }

    m_foldedNames.resize(n);
    int size = 8;
    while (size < 2 * n)
        size *= 2;
    m_nameSlots.fill(0, size);
    for (int i = 0; i < n; ++i) {
        const QString name = record.fieldName(i);
        QString& folded = m_foldedNames[i];
        folded.resize(name.size());
        for (int c = 0; c < name.size(); ++c)
            folded[c] = QChar(fold(name[c].unicode()));
        // The first of two fields with one name wins.
        for (size_t at = foldedHash(name) & (size - 1);; at = (at + 1) & (size - 1)) {
            const int slot = m_nameSlots[at];
            if (slot == 0) {
                m_nameSlots[at] = i + 1;
                break;
            }
            if (m_foldedNames[slot - 1] == folded)
                break;
        }
    }
    m_inTable.fill(false, n);
    if (!m_table.isEmpty())
        for (int i = 0; i < n; ++i)
            m_inTable[i] = tableColumns.contains(record.fieldName(i).toCaseFolded());
    m_record = record;
    m_rows = std::move(rows);
    m_open = true;
    m_onDeleted = false;
    if (m_conn->TransactionOpen())
        m_touchedInTransaction = true;
    listen();
}

void Recordset::load()
{
    readAll();
    m_pos = 0;   // the first row; with no rows this is EOF as well as BOF
    emit RowsReset();
    emit MoveComplete();
}

void Recordset::Close()
{
    // The hook belongs to whoever opened the set (a window may go before the set).
    m_beforeWrite = nullptr;
    m_statements.clear();
    if (m_listening && m_conn)
        m_conn->RemoveListener(this);
    m_listening = false;
    m_touchedInTransaction = false;
    m_open = false;
    m_rows.clear();
    m_record = QSqlRecord();
    m_foldedNames.clear();
    m_nameSlots.clear();
    m_inTable.clear();
    m_pos = -1;
    m_onDeleted = false;
    m_conn = nullptr;
    emit RowsReset();
}

void Recordset::connectionEvent(DbConnection::Event event)
{
    switch (event) {
    case DbConnection::Event::Committed:
        m_touchedInTransaction = false;
        break;
    case DbConnection::Event::RolledBack:
        if (m_touchedInTransaction && m_open) {
            m_touchedInTransaction = false;
            try {
                resync();
            } catch (const DbError& e) {
                // Called while a transaction ends, where nothing may be thrown.
                qWarning("Recordset: rows not read again after a rollback: %s", qPrintable(e.description()));
            }
        }
        break;
    case DbConnection::Event::Closing:
        // The statements belong to the connection that goes away.
        m_statements.clear();
        m_listening = false;
        break;
    }
}

void Recordset::resync()
{
    // The rows written in the rolled-back transaction are not in the table: read
    // them again. The current row keeps what was typed into it and not yet written.
    const int oldPos = m_pos;
    const bool onRow = HasCurrentRow();
    Row pending;
    if (onRow)
        pending = m_rows[m_pos];
    readAll();
    const int count = static_cast<int>(m_rows.size());
    if (!onRow)
        m_pos = oldPos < 0 ? -1 : qMin(oldPos, count);   // BOF, EOF or a deleted row's place
    else   // a row that is gone leaves the set on the row now in its place, else the last
        m_pos = qBound(0, oldPos, qMax(0, count - 1));
    if (onRow && pending.isNew) {
        if (pending.dirty) {
            pending.rowid = 0;
            m_rows.append(pending);
            m_pos = static_cast<int>(m_rows.size()) - 1;
        }
    } else if (onRow) {
        for (int i = 0; i < m_rows.size(); ++i) {
            if (m_rows[i].rowid != pending.rowid)
                continue;
            m_pos = i;
            if (pending.dirty) {
                Row& r = m_rows[i];
                r.changed = pending.changed;
                for (int f = 0; f < r.changed.size() && f < r.values.size(); ++f)
                    if (r.changed[f])
                        r.values[f] = pending.values.value(f);
                r.dirty = true;
            }
            break;
        }
    }
    emit RowsReset();
    emit MoveComplete();
}

bool Recordset::Bof() const
{
    if (!m_open)
        return true;
    if (m_rows.isEmpty())
        return true;
    return !m_onDeleted && m_pos < 0;
}

bool Recordset::Eof() const
{
    if (!m_open)
        return true;
    if (m_rows.isEmpty())
        return true;
    return !m_onDeleted && m_pos >= m_rows.size();
}

bool Recordset::HasCurrentRow() const
{
    return m_open && !m_onDeleted && m_pos >= 0 && m_pos < m_rows.size();
}

int Recordset::AbsolutePosition() const
{
    if (HasCurrentRow())
        return m_pos + 1;
    if (Bof())
        return adPosBOF;
    if (Eof())
        return adPosEOF;
    return adPosUnknown;
}

void Recordset::writeCurrent()
{
    if (HasCurrentRow())
        writeRow(m_pos);
}

void Recordset::MoveFirst()
{
    checkOpen();
    writeCurrent();
    m_onDeleted = false;
    m_pos = 0;
    emit MoveComplete();
}

void Recordset::MoveLast()
{
    checkOpen();
    writeCurrent();
    m_onDeleted = false;
    m_pos = m_rows.isEmpty() ? 0 : static_cast<int>(m_rows.size()) - 1;
    emit MoveComplete();
}

void Recordset::MoveNext()
{
    checkOpen();
    writeCurrent();
    if (m_onDeleted) {
        // The rows after the deleted one have moved up into its place.
        m_onDeleted = false;
    } else if (m_pos < m_rows.size()) {
        ++m_pos;
    }
    if (m_pos > m_rows.size())
        m_pos = static_cast<int>(m_rows.size());
    emit MoveComplete();
}

void Recordset::MovePrevious()
{
    checkOpen();
    writeCurrent();
    if (m_onDeleted)
        m_onDeleted = false;
    if (m_pos >= 0)
        --m_pos;
    if (m_rows.isEmpty())
        m_pos = 0;
    emit MoveComplete();
}

void Recordset::MoveTo(int index)
{
    checkOpen();
    if (index < 0 || index >= m_rows.size())
        return;
    if (HasCurrentRow() && index != m_pos)
        writeCurrent();
    // Writing may have dropped an untouched new row at the end.
    if (index >= m_rows.size())
        index = static_cast<int>(m_rows.size()) - 1;
    m_onDeleted = false;
    m_pos = index;
    emit MoveComplete();
}

int Recordset::FieldIndex(const QString& name) const
{
    if (m_nameSlots.isEmpty())
        return -1;
    const size_t mask = m_nameSlots.size() - 1;
    for (size_t at = foldedHash(name) & mask;; at = (at + 1) & mask) {
        const int slot = m_nameSlots[at];
        if (slot == 0)
            return -1;
        if (sameFolded(name, m_foldedNames[slot - 1]))
            return slot - 1;
    }
}

QVariant Recordset::Field(int index) const
{
    if (!HasCurrentRow() || index < 0 || index >= m_record.count())
        return {};
    return m_rows[m_pos].values[index];
}

QVariant Recordset::Field(const QString& name) const
{
    const int i = FieldIndex(name);
    if (i < 0) {
        qWarning("Recordset: no field %s in %s", qPrintable(name), qPrintable(m_sql));
        return {};
    }
    return Field(i);
}

QVariant Recordset::ValueAt(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_record.count())
        return {};
    return m_rows[row].values[column];
}

qint64 Recordset::RowId(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows[row].rowid : 0;
}

void Recordset::SetField(int index, const QVariant& value)
{
    checkOpen();
    checkWritable(QStringLiteral("修改"));
    if (!HasCurrentRow())
        throw DbError(QStringLiteral("当前没有记录，不能修改。"));
    if (index < 0 || index >= m_record.count())
        throw DbError(QStringLiteral("记录集中没有第%1个字段。").arg(index));
    if (!m_inTable[index])
        throw DbError(QStringLiteral("字段 %1 不是表 %2 的列，不能修改。").arg(m_record.fieldName(index), m_table));
    Row& r = m_rows[m_pos];
    if (r.changed.isEmpty())
        r.changed.fill(false, m_record.count());
    r.values[index] = value;
    r.changed[index] = true;
    r.dirty = true;
    emit RowDataChanged(m_pos);
}

void Recordset::SetField(const QString& name, const QVariant& value)
{
    const int i = FieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("记录集中没有字段 %1。").arg(name));
    SetField(i, value);
}

void Recordset::AddNew()
{
    checkOpen();
    checkWritable(QStringLiteral("增加记录"));
    writeCurrent();
    Row r;
    r.isNew = true;
    r.values = QVector<QVariant>(m_record.count());
    m_rows.append(std::move(r));
    m_onDeleted = false;
    m_pos = static_cast<int>(m_rows.size()) - 1;
    emit RowAdded(m_pos);
    emit MoveComplete();
}

void Recordset::Update()
{
    checkOpen();
    writeCurrent();
}

void Recordset::UpdateBatch()
{
    checkOpen();
    // Moves write as they go, so only the current row can hold edits.
    writeCurrent();
}

void Recordset::CancelUpdate()
{
    if (!HasCurrentRow())
        return;
    Row& r = m_rows[m_pos];
    if (r.isNew) {
        const int at = m_pos;
        m_rows.removeAt(at);
        m_pos = static_cast<int>(m_rows.size());   // EOF, as after an abandoned new row
        emit NewRowDropped(at);
        emit MoveComplete();
        return;
    }
    if (r.dirty) {
        r.changed.clear();
        r.dirty = false;
        readBack(r);
        emit RowDataChanged(m_pos);
    }
}

void Recordset::Delete()
{
    checkOpen();
    if (!HasCurrentRow())
        throw DbError(QStringLiteral("当前没有记录，不能删除。"));
    const int at = m_pos;
    if (m_rows[at].isNew) {
        m_rows.removeAt(at);
        m_onDeleted = true;
        emit NewRowDropped(at);
        return;
    }
    checkWritable(QStringLiteral("删除记录"));
    QSqlQuery& q = statement("d", [this] { return QStringLiteral("delete from %1 where rowid = ?").arg(quoteIdentifier(m_table)); });
    run(q, {m_rows[at].rowid});
    q.finish();
    if (m_conn->TransactionOpen())
        m_touchedInTransaction = true;
    m_rows.removeAt(at);
    m_onDeleted = true;
    emit RowRemoved(at);
}

void Recordset::RereadRow(int index)
{
    checkOpen();
    checkWritable(QStringLiteral("重读记录"));
    if (index < 0 || index >= m_rows.size())
        throw DbError(QStringLiteral("记录集中没有第%1行。").arg(index + 1));
    Row& r = m_rows[index];
    if (r.isNew || r.dirty)
        throw DbError(QStringLiteral("这一行还有没写回的修改，不能重读。"));
    // Without edits every table field is read, as a fresh query shows it.
    if (!readBack(r))
        throw DbError(QStringLiteral("要重读的记录已不在数据库中。"));
    if (m_conn->TransactionOpen())
        m_touchedInTransaction = true;
    emit RowDataChanged(index);
}

void Recordset::MoveRow(int from, int to)
{
    checkOpen();
    if (from < 0 || from >= m_rows.size() || to < 0 || to >= m_rows.size())
        throw DbError(QStringLiteral("记录集中没有第%1行。").arg(qMax(from, to) + 1));
    if (from == to)
        return;
    m_rows.move(from, to);
    if (m_pos == from)
        m_pos = to;
    else if (from < m_pos && m_pos <= to)
        --m_pos;
    else if (to <= m_pos && m_pos < from)
        ++m_pos;
    emit RowMoved(from, to);
}

bool Recordset::EditPending() const
{
    if (!HasCurrentRow())
        return false;
    const Row& r = m_rows[m_pos];
    return r.dirty || r.isNew;
}

bool Recordset::NewRowPending() const
{
    return !m_rows.isEmpty() && m_rows.last().isNew;
}

QSqlQuery& Recordset::statement(const QByteArray& key, const std::function<QString()>& text)
{
    auto it = m_statements.find(key);
    if (it == m_statements.end()) {
        QSqlQuery q(m_conn->Database());
        q.setForwardOnly(true);
        if (!q.prepare(text()))
            throw DbError::FromSql(q.lastError());
        it = m_statements.insert(key, q);
    }
    return *it;
}

bool Recordset::readBack(Row& r, const QByteArray& written)
{
    if (r.isNew || m_table.isEmpty())
        return true;
    // The key: which fields are read, as a write's key says which are written.
    QByteArray key(1, 'r');
    const int n = m_record.count();
    bool any = false;
    for (int i = 0; i < n; ++i) {
        const bool read = m_inTable[i] && !(i < r.changed.size() && r.changed[i])
                          && !(i + 1 < written.size() && written[i + 1] == '1');
        key += read ? '1' : '0';
        any = any || read;
    }
    if (!any)
        return true;
    QSqlQuery& q = statement(key, [&] {
        QStringList cols;
        for (int i = 0; i < n; ++i)
            if (key[i + 1] == '1')
                cols << quoteIdentifier(m_record.fieldName(i));
        return QStringLiteral("select %1 from %2 where rowid = ?").arg(cols.join(QStringLiteral(", ")), quoteIdentifier(m_table));
    });
    run(q, {r.rowid});
    const bool found = q.next();
    if (found) {
        int at = 0;
        for (int i = 0; i < n; ++i)
            if (key[i + 1] == '1')
                r.values[i] = q.value(at++);
    }
    q.finish();
    return found;
}

void Recordset::writeRow(int index)
{
    if (m_writing)
        return;
    m_writing = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_writing};

    if (m_beforeWrite)
        m_beforeWrite();
    if (index < 0 || index >= m_rows.size())
        return;
    Row& r = m_rows[index];
    if (!r.isNew && !r.dirty)
        return;
    checkWritable(QStringLiteral("写回数据库"));

    // The key of the statement: its kind, then which fields it writes.
    QByteArray key(1, r.isNew ? 'i' : 'u');
    QVariantList vals;
    const int n = m_record.count();
    key.reserve(n + 1);
    for (int i = 0; i < n; ++i) {
        const bool c = i < r.changed.size() && r.changed[i];
        key += c ? '1' : '0';
        if (c)
            vals << r.values[i];
    }
    auto columns = [this, &key] {
        QStringList cols;
        for (int i = 0; i < m_record.count(); ++i)
            if (key[i + 1] == '1')
                cols << quoteIdentifier(m_record.fieldName(i));
        return cols;
    };

    if (r.isNew) {
        if (vals.isEmpty()) {
            // A new row that was never given a value is not written.
            m_rows.removeAt(index);
            if (m_pos >= m_rows.size())
                m_pos = static_cast<int>(m_rows.size());
            emit NewRowDropped(index);
            return;
        }
        QSqlQuery& q = statement(key, [&] {
            const QStringList cols = columns();
            return QStringLiteral("insert into %1 (%2) values (%3)")
                .arg(quoteIdentifier(m_table), cols.join(QStringLiteral(", ")), records::placeholders(int(cols.size())));
        });
        run(q, vals);
        const qint64 rowid = q.lastInsertId().toLongLong();
        q.finish();
        if (m_conn->TransactionOpen())
            m_touchedInTransaction = true;
        r.rowid = rowid;
        r.isNew = false;
        r.dirty = false;
        r.changed.clear();
        // What the table filled in itself (defaults, keys) shows as stored.
        readBack(r, key);
        emit NewRowCommitted(index);
        return;
    }
    QSqlQuery& q = statement(key, [&] {
        QStringList sets;
        for (const QString& c : columns())
            sets << c + QStringLiteral(" = ?");
        return QStringLiteral("update %1 set %2 where rowid = ?").arg(quoteIdentifier(m_table), sets.join(QStringLiteral(", ")));
    });
    vals << r.rowid;
    run(q, vals);
    const int affected = q.numRowsAffected();
    q.finish();
    if (affected == 0)
        throw DbError(QStringLiteral("要更新的记录已不在数据库中。"));
    if (m_conn->TransactionOpen())
        m_touchedInTransaction = true;
    r.dirty = false;
    r.changed.clear();
    emit RowDataChanged(index);
}
