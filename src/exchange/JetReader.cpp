#include "JetReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

// libmdb's header pulls in glib; it comes after Qt's.
#include <mdbtools.h>

namespace {

// Row offsets on a data page carry flags in their top bits (libmdb's OFFSET_MASK).
constexpr int kRowOffsetMask = 0x1fff;
// The length word of a memo value carries its storage flags in the top two bits.
constexpr guint32 kMemoLengthMask = 0x3fffffff;

struct TableFree {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};
using TablePtr = std::unique_ptr<MdbTableDef, TableFree>;

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

MdbColumn* columnAt(MdbTableDef* table, guint i)
{
    return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
}

JetReader::ColumnType simpleType(int jetType)
{
    using T = JetReader::ColumnType;
    switch (jetType) {
    case MDB_TEXT: return T::Text;
    case MDB_MEMO: return T::Memo;
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT: return T::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_MONEY:
    case MDB_NUMERIC: return T::Double;
    case MDB_DATETIME: return T::Date;
    case MDB_BOOL: return T::Boolean;
    default: return T::Other;
    }
}

// libmdb decodes Jet 3 text with iconv from a code page it guesses (or takes from
// the environment); the file does not record the writer's code page, so the caller's
// choice replaces that guess before any name or value is read.
void useCodePage(MdbHandle* mdb, const QString& codePage)
{
    const QByteArray name = codePage.toLatin1();
    iconv_t in = iconv_open("UTF-8", name.constData());
    iconv_t out = iconv_open(name.constData(), "UTF-8");
    if (in == iconv_t(-1) || out == iconv_t(-1)) {
        if (in != iconv_t(-1))
            iconv_close(in);
        if (out != iconv_t(-1))
            iconv_close(out);
        throw DbError(QStringLiteral("不认识代码页 %1。").arg(codePage));
    }
    mdb_iconv_close(mdb);
    mdb->iconv_in = in;
    mdb->iconv_out = out;
}

// A libmdb string (UTF-8, allocated by glib) as a QString.
QString takeText(char* text)
{
    QString s = QString::fromUtf8(text);
    g_free(text);
    return s;
}

// Jet keeps a date as days since 1899-12-30; the fraction is the time of day and,
// before that day, counts forward from the (negative) whole day.
QVariant jetDate(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e7)
        return QDateTime();
    const double whole = std::trunc(value);
    qint64 seconds = std::llround(std::fabs(value - whole) * 86400.0);
    QDate day = QDate(1899, 12, 30).addDays(qint64(whole));
    if (seconds == 86400) {
        day = day.addDays(1);
        seconds = 0;
    }
    return QDateTime(day, QTime(0, 0).addSecs(int(seconds)));
}

// A Single as the decimal a user typed (0.15, not 0.15000000596...).
double singleAsDouble(float value)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double result = value;
    std::from_chars(text, written.ptr, result);
    return result;
}

} // namespace

struct JetReader::Handle {
    MdbHandle* mdb = nullptr;
    QString path;
    qint64 fileSize = 0;
    ~Handle()
    {
        if (mdb)
            mdb_close(mdb);
    }

    // The catalog entry of a user table, by its decoded name.
    MdbCatalogEntry* entry(const QString& table) const
    {
        for (guint i = 0; i < mdb->num_catalog; ++i) {
            auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
            if (mdb_is_user_table(e) && QString::fromUtf8(e->object_name) == table)
                return e;
        }
        throw DbError(QStringLiteral("数据库文件 %1 中没有表 %2。").arg(nativePath(path), table));
    }

    TablePtr open(const QString& table) const
    {
        TablePtr t(mdb_read_table(entry(table)));
        if (!t || !mdb_read_columns(t.get()))
            throw DbError(QStringLiteral("读不出数据库文件 %1 中的表 %2。").arg(nativePath(path), table));
        return t;
    }

    DbError damaged(const QString& table) const
    {
        return DbError(QStringLiteral("数据库文件 %1 的表 %2 已损坏。").arg(nativePath(path), table));
    }

    QVariant value(MdbColumn* col, const MdbField& f, const QString& table) const;
};

QVariant JetReader::Handle::value(MdbColumn* col, const MdbField& f, const QString& table) const
{
    // A Yes/No value lives in the row's null mask: a set bit is Yes.
    if (col->col_type == MDB_BOOL)
        return bool(!f.is_null);
    if (f.is_null)
        return QVariant();
    const int at = f.start;
    switch (col->col_type) {
    case MDB_BYTE: return int(mdb_get_byte(mdb->pg_buf, at));
    case MDB_INT: return int(qint16(mdb_get_int16(mdb->pg_buf, at)));
    case MDB_LONGINT: return int(qint32(mdb_get_int32(mdb->pg_buf, at)));
    case MDB_FLOAT: return singleAsDouble(mdb_get_single(mdb->pg_buf, at));
    case MDB_DOUBLE: return mdb_get_double(mdb->pg_buf, at);
    case MDB_MONEY: // a 64-bit count of ten-thousandths
        return double(qFromLittleEndian<qint64>(mdb->pg_buf + at)) / 10000.0;
    case MDB_NUMERIC:
        return takeText(mdb_numeric_to_string(mdb, at, col->col_scale, col->col_prec)).toDouble();
    case MDB_DATETIME: return jetDate(mdb_get_double(mdb->pg_buf, at));
    case MDB_MEMO: {
        // libmdb writes a memo into a buffer of its bind size and silently cuts what
        // does not fit: make room for the longest decoding of its bytes (it allocates
        // that much for every text value, so the size goes back afterwards).
        // A length that the file cannot hold is damage, not a size to allocate.
        const size_t bytes = mdb_get_int32(mdb->pg_buf, at) & kMemoLengthMask;
        if (qint64(bytes) > fileSize)
            throw damaged(table);
        mdb_set_bind_size(mdb, std::max<size_t>(MDB_BIND_SIZE, 3 * bytes + 16));
        QString text = takeText(mdb_col_to_string(mdb, mdb->pg_buf, at, MDB_MEMO, f.siz));
        mdb_set_bind_size(mdb, MDB_BIND_SIZE);
        return text;
    }
    case MDB_TEXT: return takeText(mdb_col_to_string(mdb, mdb->pg_buf, at, MDB_TEXT, f.siz));
    case MDB_OLE: {
        size_t size = 0;
        void* data = mdb_ole_read_full(mdb, col, &size);
        QByteArray bytes(static_cast<const char*>(data), qsizetype(size));
        std::free(data);
        return bytes;
    }
    default:
        return QByteArray(reinterpret_cast<const char*>(mdb->pg_buf + at), f.siz);
    }
}

bool JetReader::isJetFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(19);
    return head.size() == 19 && head.mid(4) == QByteArrayLiteral("Standard Jet DB");
}

JetReader::JetReader(const QString& path, const QString& codePage) : m_handle(new Handle)
{
    m_handle->path = path;
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("文件 %1 不存在。").arg(nativePath(path)));
    if (!isJetFile(path))
        throw DbError(QStringLiteral("文件 %1 不是 Jet 数据库文件。").arg(nativePath(path)));
    m_handle->fileSize = QFileInfo(path).size();
    m_handle->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!m_handle->mdb)
        throw DbError(QStringLiteral("打不开数据库文件 %1。").arg(nativePath(path)));
    if (IS_JET3(m_handle->mdb))
        useCodePage(m_handle->mdb, codePage);
    if (!mdb_read_catalog(m_handle->mdb, MDB_TABLE))
        throw DbError(QStringLiteral("读不出数据库文件 %1 的目录。").arg(nativePath(path)));
}

JetReader::~JetReader() = default;

QStringList JetReader::tables() const
{
    QStringList names;
    MdbHandle* mdb = m_handle->mdb;
    for (guint i = 0; i < mdb->num_catalog; ++i) {
        auto* e = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(e))
            names << QString::fromUtf8(e->object_name);
    }
    return names;
}

QList<JetReader::Column> JetReader::columns(const QString& table) const
{
    const TablePtr t = m_handle->open(table);
    QList<Column> result;
    for (guint i = 0; i < t->num_cols; ++i) {
        const MdbColumn* col = columnAt(t.get(), i);
        result.append({QString::fromUtf8(col->name), simpleType(col->col_type)});
    }
    return result;
}

QList<QVariantList> JetReader::rows(const QString& table) const
{
    MdbHandle* mdb = m_handle->mdb;
    const TablePtr t = m_handle->open(table);
    const guint count = t->num_cols;

    // An OLE object is read through its column's bound buffer, one page at a time.
    std::vector<std::vector<char>> oleBuffers;
    for (guint i = 0; i < count; ++i) {
        if (columnAt(t.get(), i)->col_type == MDB_OLE) {
            oleBuffers.emplace_back(4 * MDB_PGSIZE);
            mdb_bind_column(t.get(), int(i) + 1, oleBuffers.back().data(), nullptr);
        }
    }

    // libmdb's bound values cannot tell Null from empty text, so each row it returns
    // is cracked again for its null mask and the offsets of its values.
    std::vector<MdbField> fields(count);
    QList<QVariantList> result;
    mdb_rewind_table(t.get());
    while (mdb_fetch_row(t.get())) {
        int start = 0;
        size_t size = 0;
        if (mdb_find_row(mdb, int(t->cur_row) - 1, &start, &size) != 0
            || mdb_crack_row(t.get(), start & kRowOffsetMask, size, fields.data()) < 0)
            throw m_handle->damaged(table);
        QVariantList row(count);
        for (guint i = 0; i < count; ++i) {
            const MdbField& f = fields[i];
            row[f.colnum] = m_handle->value(columnAt(t.get(), guint(f.colnum)), f, table);
        }
        result.append(row);
    }
    // libmdb passes over a page or a row it cannot read as if it were not there, and
    // ends as at the end of the table: only the table's own row count tells.
    if (result.size() != qsizetype(t->num_rows))
        throw m_handle->damaged(table);
    return result;
}
