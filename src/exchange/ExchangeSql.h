#pragma once
// Small pieces that the submission, reception and backup code share: a table's
// columns as SQLite reports them, column lists, row lists passed as one bound value,
// and the new file that a submission or backup is written to before it gets its name.

#include "Db.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace exchange {

// The live database file: gDbPath, set when the main window loads, or the
// application folder's one before that.
QString databasePath();
// Whether the file starts like an SQLite database.
bool isSqliteFile(const QString& path);
// Whether the two paths name the same existing file (links and other spellings
// included).
bool sameFile(const QString& a, const QString& b);

struct ColumnInfo {
    QString name;
    QString type;  // the declared type, as written in the table's definition
};

// The columns of `table` in the attached database `schema` ("main", "sub"), in their
// order; empty when there is no such table.
QList<ColumnInfo> tableColumns(DbConnection& db, const QString& schema, const QString& table);
QStringList columnNames(const QList<ColumnInfo>& columns);
// "a"."x", "a"."y": the quoted names, each qualified by the table alias.
QString qualifiedColumnList(const QString& alias, const QStringList& names);
// The numbers as a JSON array ("[3,7,12]"), bound as one value and read with
// json_each: any number of rows in one statement, their order kept.
QString jsonArray(const QList<qint64>& numbers);

// A new, empty file in `folder` under a name of its own ("~kyjh….tmp"), for a file
// that is written whole and only then gets its name by a rename. It is made as any
// new file of the user is, so that the finished file has the permissions the user's
// umask gives (a temporary file's own would keep others from reading it). Removed
// when the object goes, unless kept.
class PendingFile {
public:
    explicit PendingFile(const QString& folder);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Whether the file was made; errorString() says why not.
    bool isValid() const { return !m_path.isEmpty(); }
    QString errorString() const { return m_error; }
    QString fileName() const { return m_path; }
    // The file has its final name: it is not removed.
    void keep() { m_path.clear(); }

private:
    QString m_path;
    QString m_error;
};

}  // namespace exchange
