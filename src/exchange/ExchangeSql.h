#pragma once
// Small SQL pieces that the submission, reception and backup code share: a table's
// columns as SQLite reports them, column lists, and row lists passed as one bound
// value.

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

}  // namespace exchange
