#pragma once
// A statement run on a connection's own SQLite handle. For reads of many rows, where
// wrapping every value in a QVariant, as a QSqlQuery does, costs more than the read
// itself. Values are bound in order; failures throw DbError with the database's
// own text, as DbConnection::Exec does.
//
//     SqliteStatement s(db, "select rowid, xmmc from xmsb where xmlb = ?", {category});
//     while (s.Next())
//         use(s.Int64(0), s.Text(1));

#include <QByteArrayView>
#include <QString>
#include <QVariantList>

class DbConnection;
class DbError;
struct sqlite3;
struct sqlite3_stmt;

// The last failure on a handle, as DbConnection reports the driver's failures.
DbError SqliteError(sqlite3* db);

class SqliteStatement {
public:
    SqliteStatement(DbConnection& db, const QString& sql, const QVariantList& values = {});
    // On a handle of one's own (a connection of another thread).
    SqliteStatement(sqlite3* db, const QString& sql, const QVariantList& values = {});
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Steps to the next row; false after the last. Throws DbError on failure.
    bool Next();
    // Runs the statement again, to its end, with these values (an insert of many rows,
    // prepared once). Throws DbError on failure.
    void Run(const QVariantList& values);

    int ColumnCount() const;
    bool IsNull(int column) const;
    qint64 Int64(int column) const;
    // The column's text in UTF-8, valid until the next step; a Null gives a null
    // view, an empty text an empty one that is not null.
    QByteArrayView Utf8(int column) const;
    QString Text(int column) const;
    // The value as QSqlQuery::value gives it: Null, integer, real, text or bytes.
    QVariant Value(int column) const;

private:
    void bind(const QVariantList& values);
    [[noreturn]] void fail() const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};
