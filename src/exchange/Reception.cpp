#include "Reception.h"

#include "Db.h"
#include "ExchangeSql.h"
#include "Failure.h"
#include "JetReader.h"
#include "ModVar.h"
#include "Platform.h"
#include "RecordLayouts.h"
#include "SqliteStatement.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlError>

#include <algorithm>
#include <optional>
#include <cstring>

using platform::MsgBox;

namespace {

// A declared type read from a file is written into the scratch table's definition
// only when it is a plain type name ("TEXT", "VARCHAR(50)", "DOUBLE PRECISION");
// anything else gives a column without a type, which keeps every value as it is.
QString plainType(const QString& type)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z][A-Za-z ]*(\\(\\d+(,\\s*\\d+)?\\))?$"));
    return plain.match(type.trimmed()).hasMatch() ? type.trimmed() : QString();
}

QString jetType(JetReader::ColumnType type)
{
    using T = JetReader::ColumnType;
    switch (type) {
    case T::Text:
    case T::Memo: return QStringLiteral("TEXT");
    case T::Integer: return QStringLiteral("INTEGER");
    case T::Double: return QStringLiteral("REAL");
    case T::Date: return QStringLiteral("DATETIME");
    case T::Boolean: return QStringLiteral("BOOLEAN");
    case T::Other: return QStringLiteral("BLOB");
    }
    return QString();
}

QString findName(const QStringList& names, const QString& name)
{
    for (const QString& n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}

// Indexes (from 0) of the rows whose flag is not 0.
QList<int> tickedIndexes(int rowCount)
{
    QList<int> ticked;
    for (int i = 0; i < rowCount; ++i)
        if (gImportFlags.value(i + 1) != 0)
            ticked << i;
    return ticked;
}

// The live table's own definition under the scratch table's name, when the file's
// columns are the live table's, in the same order (a file of this program or of
// another installation of it); "" otherwise.
QString liveDefinition(DbConnection& db, const QStringList& fileColumns, const QString& table, const QString& scratch)
{
    const QStringList live = exchange::columnNames(exchange::tableColumns(db, QStringLiteral("main"), table));
    if (live.size() != fileColumns.size())
        return QString();
    for (int i = 0; i < live.size(); ++i)
        if (live[i].compare(fileColumns[i], Qt::CaseInsensitive) != 0)
            return QString();
    const QString sql =
        db.Scalar(QStringLiteral("select sql from main.sqlite_master where type = 'table' and name = ? collate nocase"), {table})
            .toString();
    const qsizetype columns = sql.indexOf(QLatin1Char('('));
    if (columns < 0)
        return QString();
    return QStringLiteral("create table main.%1 ").arg(records::quoteIdentifier(scratch)) + sql.mid(columns);
}

// Makes the scratch table anew with the file's columns: with the live table's
// definition when they are the live table's, so that the scratch table holds the
// received values as the live table will and its rows go over whole; else with the
// file's declared types. Returns whether it has the live table's definition.
bool createScratch(DbConnection& db, const SubmittedFile& file, const QStringList& types, const QString& table,
                   const QString& scratch)
{
    db.Exec(QStringLiteral("drop table if exists main.%1").arg(records::quoteIdentifier(scratch)));
    const QString live = liveDefinition(db, file.columns(), table, scratch);
    if (!live.isEmpty()) {
        db.Exec(live);
        return true;
    }
    QStringList defs;
    for (int i = 0; i < file.columns().size(); ++i) {
        const QString type = plainType(types.value(i));
        defs << records::quoteIdentifier(file.columns()[i]) + (type.isEmpty() ? QString() : QLatin1Char(' ') + type);
    }
    db.Exec(QStringLiteral("create table main.%1 (%2)").arg(records::quoteIdentifier(scratch), defs.join(QStringLiteral(", "))));
    return false;
}

// Jet rows come from memory, through one prepared insert.
void fillScratchFromRows(DbConnection& db, const SubmittedFile& file, const QList<int>& ticked, const QString& scratch)
{
    QSqlQuery q(db.Database());
    if (!q.prepare(QStringLiteral("insert into main.%1 (%2) values (%3)")
                       .arg(records::quoteIdentifier(scratch), records::columnList(file.columns()),
                            records::placeholders(int(file.columns().size())))))
        throw DbError(q.lastError().text());
    for (int i : ticked) {
        const QVariantList& row = file.rows()[i];
        for (int c = 0; c < row.size(); ++c)
            q.bindValue(c, row[c]);
        if (!q.exec())
            throw DbError(q.lastError().text());
    }
}

// SQLite rows are copied straight from the attached file, by the rowids read when it
// was opened, in one statement. The file's rows were read in rowid order, so the
// copy keeps it; reading them in that order needs no sort of whole rows. When every
// row is ticked the table is copied whole: with the file's columns in the scratch
// table's order and of the same definitions, SQLite then moves each stored row as
// it is instead of taking it apart and building it again.
void fillScratchFromFile(DbConnection& db, const SubmittedFile& file, const QList<qint64>& rowids, bool whole,
                         bool sameOrder, const QString& scratch)
{
    const QString from = QStringLiteral("sub.%1").arg(records::quoteIdentifier(file.table()));
    const QString into = QStringLiteral("main.%1").arg(records::quoteIdentifier(scratch));
    const QString columns = records::columnList(file.columns());
    int copied = 0;
    if (whole) {
        copied = db.Exec(sameOrder ? QStringLiteral("insert into %1 select * from %2").arg(into, from)
                                   : QStringLiteral("insert into %1 (%2) select %2 from %3").arg(into, columns, from))
                     .numRowsAffected();
        // A file that changed after it was opened has other rows, or other ends.
        QSqlQuery ends = db.Exec(QStringLiteral("select min(rowid), max(rowid) from %1").arg(from));
        if (rowids.isEmpty() || !ends.next() || ends.value(0).toLongLong() != rowids.first()
            || ends.value(1).toLongLong() != rowids.last())
            copied = -1;
    } else {
        copied = db.Exec(QStringLiteral("insert into %1 (%2) select %2 from %3 "
                                        "where rowid in (select value from json_each(?)) order by rowid")
                             .arg(into, columns, from),
                         {exchange::jsonArray(rowids)})
                     .numRowsAffected();
    }
    if (copied != rowids.size())
        throw DbError(QStringLiteral("接收文件 %1 在打开后已经改变。").arg(file.path()));
}

// A key as the live table's columns compare it: Latin letters without regard to
// case (the NOCASE collation folds only A to Z), every other byte of the UTF-8 text
// as it is. Each part is written after its length, so that no text can pass for two.
class KeyMaker {
public:
    void start() { m_key.resize(0); }  // keeps the room it has
    void add(QByteArrayView part)
    {
        const qsizetype at = m_key.size();
        const auto length = qint32(part.size());
        m_key.resize(at + qsizetype(sizeof length) + part.size());
        char* out = m_key.data() + at;
        std::memcpy(out, &length, sizeof length);
        out += sizeof length;
        for (char c : part)
            *out++ = c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
    }
    const QByteArray& key() const { return m_key; }

private:
    QByteArray m_key;
};

// The keys of the received rows, each with the number of rows that have it; a Null
// counts as an empty text. From the rows in memory when every key value there is a
// text or Null, as it is then stored; none otherwise.
std::optional<QHash<QByteArray, int>> keysInMemory(const SubmittedFile& file, const QList<int>& ticked,
                                                   const QStringList& keys)
{
    QList<int> columns;
    for (const QString& k : keys)
        columns << int(file.columns().indexOf(k));
    QHash<QByteArray, int> counted;
    KeyMaker key;
    for (int i : ticked) {
        key.start();
        for (int c : columns) {
            const QVariant& v = file.rows()[i][c];
            if (!v.isNull() && v.typeId() != QMetaType::QString)
                return std::nullopt;
            key.add(v.toString().toUtf8());
        }
        ++counted[key.key()];
    }
    return counted;
}

// The same from the scratch table, which holds the values as the live table will.
QHash<QByteArray, int> keysInScratch(DbConnection& db, const QStringList& keys, const QString& scratch)
{
    QHash<QByteArray, int> counted;
    KeyMaker key;
    SqliteStatement received(db, QStringLiteral("select %1 from main.%2")
                                     .arg(records::columnList(keys), records::quoteIdentifier(scratch)));
    while (received.Next()) {
        key.start();
        for (int c = 0; c < keys.size(); ++c)
            key.add(received.Utf8(c));
        ++counted[key.key()];
    }
    return counted;
}

// The live rows the received rows replace: for each received row, the first live row
// (in stored order) with the same key; n received rows of one key take the first n
// live rows of that key. A live row with a Null key column matches nothing. The live
// table is read once, in stored order, each row looking its key up among the
// received ones.
QList<qint64> replacedRows(DbConnection& db, QHash<QByteArray, int> wanted, const QStringList& keys,
                           const QString& table)
{
    QList<qint64> replaced;
    KeyMaker key;
    SqliteStatement live(db, QStringLiteral("select rowid, %1 from main.%2 order by rowid")
                                 .arg(records::columnList(keys), records::quoteIdentifier(table)));
    while (!wanted.isEmpty() && live.Next()) {
        key.start();
        bool hasNull = false;
        for (int c = 1; c <= keys.size() && !hasNull; ++c) {
            const QByteArrayView part = live.Utf8(c);
            hasNull = part.isNull();
            key.add(part);
        }
        if (hasNull)
            continue;
        const auto it = wanted.find(key.key());
        if (it == wanted.end())
            continue;
        replaced << live.Int64(0);
        if (--it.value() == 0)
            wanted.erase(it);
    }
    return replaced;
}

void receive(DbConnection& db, const SubmittedFile& file, const ReceptionTarget& target,
             const QStringList& types, const QList<qint64>& rowids)
{
    QStringList keys;
    for (const QString& k : target.keys) {
        const QString name = findName(file.columns(), k);
        if (name.isEmpty())
            throw DbError(QStringLiteral("接收文件中没有列 %1。").arg(k));
        keys << name;
    }
    const QList<int> ticked = tickedIndexes(int(file.rows().size()));
    const std::optional<QHash<QByteArray, int>> received = keysInMemory(file, ticked, keys);
    db.InTransaction([&] {
        // The live table is read for the replaced rows before the scratch table is
        // filled, while its pages can still be held.
        QList<qint64> replaced;
        if (received)
            replaced = replacedRows(db, *received, keys, target.table);
        const bool liveLayout = createScratch(db, file, types, target.table, target.scratch);
        if (file.isJet()) {
            fillScratchFromRows(db, file, ticked, target.scratch);
        } else {
            QList<qint64> tickedIds;
            for (int i : ticked)
                tickedIds << rowids[i];
            const bool whole = !ticked.isEmpty() && ticked.size() == file.rows().size();
            fillScratchFromFile(db, file, tickedIds, whole, liveLayout, target.scratch);
        }
        if (!received)
            replaced = replacedRows(db, keysInScratch(db, keys, target.scratch), keys, target.table);
        // The received rows are added first, after the live rows, and the rows they
        // replace deleted afterwards: the new rows then take new pages at the end
        // of the file, which need no journal, instead of the pages the deleted rows
        // free all over it. The stored order is the same either way, and the
        // replaced rows were chosen among the live rows before the adding.
        // With the live table's definition the rows go over whole, in stored order;
        // otherwise column by column by name.
        if (liveLayout)
            db.Exec(QStringLiteral("insert into main.%1 select * from main.%2")
                        .arg(records::quoteIdentifier(target.table), records::quoteIdentifier(target.scratch)));
        else
            db.Exec(QStringLiteral("insert into main.%1 (%2) select %2 from main.%3 order by rowid")
                        .arg(records::quoteIdentifier(target.table), records::columnList(file.columns()),
                             records::quoteIdentifier(target.scratch)));
        db.Exec(QStringLiteral("delete from main.%1 where rowid in (select value from json_each(?))")
                    .arg(records::quoteIdentifier(target.table)),
                {exchange::jsonArray(replaced)});
    });
}

}  // namespace

const ReceptionTarget& applicationReception()
{
    static const ReceptionTarget t{QStringLiteral("xmsb"), QStringLiteral("tempxmsb"),
                                   {QStringLiteral("xmmc"), QStringLiteral("xmfzr"), QStringLiteral("sqrq")}};
    return t;
}

const ReceptionTarget& completionReception()
{
    static const ReceptionTarget t{QStringLiteral("xmjt"), QStringLiteral("tempxmjt"),
                                   {QStringLiteral("xmmc"), QStringLiteral("xmfzr"), QStringLiteral("xmbh")}};
    return t;
}

SubmittedFile::SubmittedFile(const QString& path, const QString& table)
    : m_path(path)
{
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("文件 %1 不存在。").arg(path));
    if (JetReader::isJetFile(path)) {
        m_jet = true;
        const JetReader jet(path, QStringLiteral("GBK"));
        m_table = findName(jet.tables(), table);
        if (m_table.isEmpty())
            throw DbError(QStringLiteral("文件 %1 中没有表 %2。").arg(path, table));
        for (const JetReader::Column& c : jet.columns(m_table)) {
            m_columns << c.name;
            m_types << jetType(c.type);
        }
        m_rows = jet.rows(m_table);
        return;
    }
    if (!exchange::isSqliteFile(path))
        throw DbError(QStringLiteral("文件 %1 不是数据库文件。").arg(path));
    DbConnection db(QStringLiteral("SubmittedFile"));
    db.Open(path);
    // A damaged page reads as the end of the table: the file is checked first.
    QSqlQuery check = db.Exec(QStringLiteral("pragma quick_check"));
    const QString verdict = check.next() ? check.value(0).toString() : QString();
    if (verdict != QLatin1String("ok"))
        throw DbError(QStringLiteral("文件 %1 已损坏：%2").arg(path, verdict));
    check = QSqlQuery();
    m_table = db.Scalar(QStringLiteral("select name from sqlite_master where type = 'table' and name = ? collate nocase"), {table}).toString();
    if (m_table.isEmpty())
        throw DbError(QStringLiteral("文件 %1 中没有表 %2。").arg(path, table));
    for (const exchange::ColumnInfo& c : exchange::tableColumns(db, QStringLiteral("main"), m_table)) {
        m_columns << c.name;
        m_types << c.type;
    }
    QSqlQuery q = db.Exec(QStringLiteral("select rowid, %1 from %2 order by rowid")
                              .arg(records::columnList(m_columns), records::quoteIdentifier(m_table)));
    // A text that a row has in the same column as the row before it (the file is
    // written in the grid's order, so that its category, subject and unit recur) is
    // held once, shared by those rows.
    while (q.next()) {
        m_rowids << q.value(0).toLongLong();
        QVariantList row;
        row.reserve(m_columns.size());
        for (int c = 0; c < m_columns.size(); ++c) {
            const QVariant v = q.value(c + 1);
            const QVariant* before = m_rows.isEmpty() ? nullptr : &std::as_const(m_rows).last()[c];
            const bool recurs = before && v.typeId() == QMetaType::QString && before->typeId() == QMetaType::QString
                                && v.toString() == before->toString();
            row << (recurs ? *before : v);
        }
        m_rows << row;
    }
    if (q.lastError().isValid())
        throw DbError::FromSql(q.lastError(), QStringLiteral("文件 %1 已损坏。").arg(path));
}

std::unique_ptr<SubmittedFile> OpenSubmittedFile(const QString& path, const QString& table)
{
    try {
        return std::make_unique<SubmittedFile>(path, table);
    } catch (const DbError& e) {
        ShowFailure(QStringLiteral("文件打开错误，操作将被取消。"), e, platform::vbOKOnly);
        return nullptr;
    }
}

bool InsertDat(const SubmittedFile& file, const ReceptionTarget& target)
{
    try {
        DbConnection db(QStringLiteral("InsertDat"));
        db.Open(exchange::databasePath());
        // The replaced rows lie all over the live table: a page cache of a quarter of
        // the file (within bounds) keeps many of the pages their deletion changes
        // until the end, instead of writing them out, and waiting for the journal,
        // again and again.
        const qint64 cacheKib = std::clamp<qint64>(QFileInfo(file.path()).size() / 1024 / 4, 2000, 32768);
        db.Exec(QStringLiteral("pragma cache_size = -%1").arg(cacheKib));
        // What the replaced rows leave on the pages that keep other rows is still
        // cleared; the pages they (and the last scratch table) free wholly go to the
        // free list as they are, for the next rows written to take, instead of each
        // being zeroed and written once more, journal and all.
        db.Exec(QStringLiteral("pragma secure_delete = fast"));
        if (!file.isJet())
            db.Exec(QStringLiteral("attach database ? as sub"), {file.path()});
        receive(db, file, target, file.m_types, file.m_rowids);
    } catch (const DbError& e) {
        ShowFailure(QStringLiteral("数据接收失败。"), e, platform::vbOKOnly, QStringLiteral("提示信息"));
        return false;
    }
    MsgBox(QStringLiteral("数据已被成功接收。"), platform::vbOKOnly, QStringLiteral("提示信息"));
    return true;
}
