#pragma once
// Where a row stands in a window's sorted rows, as the database orders them.
//
// A window that has just written one row puts it where reading its rows again would
// show it (Recordset::RereadRow, then Recordset::MoveRow to this position), instead
// of reading all its rows again.

#include <QString>
#include <QVariant>
#include <functional>

class DbConnection;

// The position, counted from 0, that the row `rowid` of `table` takes among rows a
// window holds in the order of its query
//     select ... from <table> where ... order by <order>
// : the `count` rows whose rowids `rowAt(0)` .. `rowAt(count - 1)` gives, in that
// order, the row itself not among them. It is the number of those rows that come
// before the row: the database compares the sort keys, each under its column's own
// collation (so "a" and "B" of a NOCASE column sort as a fresh read sorts them), with
// NULL before any value as in ORDER BY. `order` is the query's own order text: keys
// separated by commas, each optionally followed by asc or desc. Rows whose keys all
// equal the row's come before it when their rowid is smaller, as a scan of the table
// hands them to the sort. The database compares the row only with the rows the search
// halves its way to, so that the cost grows with the logarithm of the rows, not with
// the table. Throws DbError when the statements fail or the table lacks the row or one
// it is compared with.
int SortedRowPosition(DbConnection& db, const QString& table, const QString& order, qint64 rowid, int count,
                      const std::function<qint64(int)>& rowAt);
