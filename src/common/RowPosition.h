#pragma once
// Where a row stands in a window's sorted rows, as the database orders them.
//
// A window that has just written one row puts it where reading its rows again would
// show it (Recordset::RereadRow, then Recordset::MoveRow to this position), instead
// of reading all its rows again.

#include <QString>
#include <QVariant>

class DbConnection;

// The position, counted from 0, of the row `rowid` of `table` among the rows that
//     select * from <table> where <filter> order by <order>
// reads: the number of the query's other rows that come before it. The database
// compares the sort keys, each under its column's own collation (so "a" and "B" of a
// NOCASE column sort as a fresh read sorts them), with NULL before any value as in
// ORDER BY. `order` is the query's own order text: keys separated by commas, each
// optionally followed by asc or desc. Rows whose keys all equal the row's count before
// it when their rowid is smaller, as a scan of the table hands them to the sort.
// `filter` (may be empty) holds ? placeholders bound to `filterValues` in order.
// Throws DbError when the statements fail or the table has no row `rowid`.
int SortedRowPosition(DbConnection& db, const QString& table, const QString& filter, const QVariantList& filterValues,
                      const QString& order, qint64 rowid);
