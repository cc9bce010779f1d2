#include "Recordset.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

namespace {

const QString kRowidAlias = QStringLiteral("__kyjh_rowid");

// The one table a query reads, when its rows can be written back to it.
QString singleTable(const QString& sql)
{
    static const QRegularExpression notSimple(
        QStringLiteral("\\b(join|union|group\\s+by|distinct|intersect|except)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    if (notSimple.match(sql).hasMatch())
        return {};
    static const QRegularExpression from(
        QStringLiteral("\\bfrom\\s+([A-Za-z_][A-Za-z0-9_]*)\\s*(,)?"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = from.match(sql);
    if (!m.hasMatch() || !m.captured(2).isEmpty())
        return {};
    return m.captured(1);
}

QString quoted(const QString& identifier)
{
    QString s = identifier;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

}  // namespace

Recordset::Recordset(QObject* parent)
    : QObject(parent)
{
}

Recordset::~Recordset() = default;

void Recordset::checkOpen() const
{
    if (!m_open)
        throw DbError(QStringLiteral("记录集没有打开。"));
}

void Recordset::Open(DbConnection& connection, const QString& sql, const QVariantList& values)
{
    m_conn = &connection;
    m_sql = sql;
    m_values = values;
    load();
}

void Recordset::Requery()
{
    checkOpen();
    load();
}

void Recordset::load()
{
    QVector<Row> rows;
    QSqlRecord record;
    QString table = singleTable(m_sql);
    bool withRowid = !table.isEmpty();
    if (withRowid) {
        static const QRegularExpression select(QStringLiteral("^\\s*select\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
        QString injected = m_sql;
        const QRegularExpressionMatch m = select.match(injected);
        if (m.hasMatch()) {
            injected.insert(m.capturedEnd(), QStringLiteral("rowid as %1, ").arg(kRowidAlias));
            try {
                QSqlQuery q = m_conn->Exec(injected, m_values);
                record = q.record();
                record.remove(0);
                while (q.next()) {
                    Row r;
                    r.rowid = q.value(0).toLongLong();
                    r.values.resize(record.count());
                    for (int i = 0; i < record.count(); ++i)
                        r.values[i] = q.value(i + 1);
                    r.changed.fill(false, record.count());
                    rows.append(std::move(r));
                }
            } catch (const DbError&) {
                withRowid = false;   // not a plain table query: read it as it stands
                rows.clear();
            }
        } else {
            withRowid = false;
        }
    }
    if (!withRowid) {
        table.clear();
        QSqlQuery q = m_conn->Exec(m_sql, m_values);
        record = q.record();
        while (q.next()) {
            Row r;
            r.values.resize(record.count());
            for (int i = 0; i < record.count(); ++i)
                r.values[i] = q.value(i);
            r.changed.fill(false, record.count());
            rows.append(std::move(r));
        }
    }
    m_table = table;
    m_record = record;
    m_rows = std::move(rows);
    m_open = true;
    m_onDeleted = false;
    m_pos = 0;   // the first row; with no rows this is EOF as well as BOF
    emit RowsReset();
    emit MoveComplete();
}

void Recordset::Close()
{
    m_open = false;
    m_rows.clear();
    m_record = QSqlRecord();
    m_pos = -1;
    m_onDeleted = false;
    m_conn = nullptr;
    emit RowsReset();
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
    for (int i = 0; i < m_record.count(); ++i)
        if (m_record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
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

void Recordset::SetField(int index, const QVariant& value)
{
    checkOpen();
    if (!HasCurrentRow())
        throw DbError(QStringLiteral("当前没有记录，不能修改。"));
    if (index < 0 || index >= m_record.count())
        throw DbError(QStringLiteral("记录集中没有第%1个字段。").arg(index));
    Row& r = m_rows[m_pos];
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
    if (!Updatable())
        throw DbError(QStringLiteral("这个记录集不能增加记录。"));
    writeCurrent();
    Row r;
    r.isNew = true;
    r.values.resize(m_record.count());
    for (int i = 0; i < m_record.count(); ++i)
        r.values[i] = QVariant();
    r.changed.fill(false, m_record.count());
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
        // Read the stored values back.
        const QString sql = QStringLiteral("select * from %1 where rowid = ?").arg(quoted(m_table));
        QSqlQuery q = m_conn->Exec(sql, {r.rowid});
        if (q.next()) {
            for (int i = 0; i < m_record.count(); ++i) {
                const int at = q.record().indexOf(m_record.fieldName(i));
                if (at >= 0)
                    r.values[i] = q.value(at);
            }
        }
        r.changed.fill(false);
        r.dirty = false;
        emit RowDataChanged(m_pos);
    }
}

void Recordset::Delete()
{
    checkOpen();
    if (!HasCurrentRow())
        throw DbError(QStringLiteral("当前没有记录，不能删除。"));
    const int at = m_pos;
    Row& r = m_rows[at];
    if (r.isNew) {
        m_rows.removeAt(at);
        m_onDeleted = true;
        emit NewRowDropped(at);
        return;
    }
    if (!Updatable())
        throw DbError(QStringLiteral("这个记录集不能删除记录。"));
    m_conn->Exec(QStringLiteral("delete from %1 where rowid = ?").arg(quoted(m_table)), {r.rowid});
    m_rows.removeAt(at);
    m_onDeleted = true;
    emit RowRemoved(at);
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
    if (!Updatable())
        throw DbError(QStringLiteral("这个记录集不能写回数据库。"));

    QStringList cols;
    QVariantList vals;
    for (int i = 0; i < m_record.count(); ++i) {
        if (r.changed[i]) {
            cols << quoted(m_record.fieldName(i));
            vals << r.values[i];
        }
    }
    if (r.isNew) {
        if (cols.isEmpty()) {
            // A new row that was never given a value is not written.
            m_rows.removeAt(index);
            if (m_pos >= m_rows.size())
                m_pos = static_cast<int>(m_rows.size());
            emit NewRowDropped(index);
            return;
        }
        QStringList marks;
        for (int i = 0; i < cols.size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery q = m_conn->Exec(QStringLiteral("insert into %1 (%2) values (%3)")
                                       .arg(quoted(m_table), cols.join(QStringLiteral(", ")),
                                            marks.join(QStringLiteral(", "))),
                                   vals);
        r.rowid = q.lastInsertId().toLongLong();
        r.isNew = false;
        r.dirty = false;
        r.changed.fill(false);
        emit NewRowCommitted(index);
        return;
    }
    QStringList sets;
    for (const QString& c : cols)
        sets << c + QStringLiteral(" = ?");
    vals << r.rowid;
    QSqlQuery q = m_conn->Exec(QStringLiteral("update %1 set %2 where rowid = ?")
                                   .arg(quoted(m_table), sets.join(QStringLiteral(", "))),
                               vals);
    if (q.numRowsAffected() == 0)
        throw DbError(QStringLiteral("要更新的记录已不在数据库中。"));
    r.dirty = false;
    r.changed.fill(false);
    emit RowDataChanged(index);
}
