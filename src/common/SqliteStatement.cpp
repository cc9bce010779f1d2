#include "SqliteStatement.h"

#include "Db.h"

#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace {

sqlite3* handleOf(DbConnection& db)
{
    const QVariant handle = db.Database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("数据库连接没有打开。"));
    sqlite3* h = *static_cast<sqlite3* const*>(handle.constData());
    if (!h)
        throw DbError(QStringLiteral("数据库连接没有打开。"));
    return h;
}

}  // namespace

SqliteStatement::SqliteStatement(DbConnection& db, const QString& sql, const QVariantList& values)
    : SqliteStatement(handleOf(db), sql, values)
{
}

SqliteStatement::SqliteStatement(sqlite3* db, const QString& sql, const QVariantList& values)
    : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &m_stmt, nullptr) != SQLITE_OK)
        fail();
    bind(values);
}

void SqliteStatement::bind(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        int rc = SQLITE_OK;
        switch (v.isNull() ? QMetaType::UnknownType : v.typeId()) {
        case QMetaType::UnknownType: rc = sqlite3_bind_null(m_stmt, i + 1); break;
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong: rc = sqlite3_bind_int64(m_stmt, i + 1, v.toLongLong()); break;
        case QMetaType::Double:
        case QMetaType::Float: rc = sqlite3_bind_double(m_stmt, i + 1, v.toDouble()); break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            rc = sqlite3_bind_blob64(m_stmt, i + 1, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray utf8 = v.toString().toUtf8();
            rc = sqlite3_bind_text64(m_stmt, i + 1, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
            break;
        }
        }
        if (rc != SQLITE_OK)
            fail();
    }
}

void SqliteStatement::Run(const QVariantList& values)
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    bind(values);
    while (Next()) {
    }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(m_stmt); }

bool SqliteStatement::Next()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail();
}

int SqliteStatement::ColumnCount() const { return sqlite3_column_count(m_stmt); }

bool SqliteStatement::IsNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }

qint64 SqliteStatement::Int64(int column) const { return sqlite3_column_int64(m_stmt, column); }

QByteArrayView SqliteStatement::Utf8(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? QByteArrayView(text, sqlite3_column_bytes(m_stmt, column)) : QByteArrayView();
}

QString SqliteStatement::Text(int column) const { return QString::fromUtf8(Utf8(column)); }

QVariant SqliteStatement::Value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER: return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_stmt, column));
        return QVariant(QByteArray(bytes, sqlite3_column_bytes(m_stmt, column)));
    }
    case SQLITE_NULL: return QVariant();
    default: return QVariant(Text(column));
    }
}

DbError SqliteError(sqlite3* db)
{
    return DbError::FromSql(QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(db)), QSqlError::StatementError,
                                      QString::number(sqlite3_extended_errcode(db))));
}

void SqliteStatement::fail() const { throw SqliteError(m_db); }
