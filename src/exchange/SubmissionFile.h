#pragma once
// Submission files: the ticked rows of one table written to a new database file on
// the medium that stands for drive A:, for another installation to receive.
//
// A submission file is an SQLite file named by a prefix ("项目申请", "中期评价",
// "项目结题"), a number 0..255 and ".MDB". It holds one table, named like the source
// table, with the source's columns in the same order, and exactly the ticked rows in
// the order of the window's grid. It is written under a temporary name and gets its
// own name only when complete, so a medium never holds half a submission, and an
// earlier submission on the medium is never replaced.

#include <QList>
#include <QString>
#include <QVariantList>

// The rows a submission window lists: one table, a condition with bound values and
// an order. The rowid ends every order, so that rows with equal sort values always
// come in one order.
struct RowQuery {
    QString table;
    QString where;        // condition with ? placeholders; empty: every row
    QVariantList values;  // bound to the placeholders in order
    QString orderBy;      // sort keys ("xmlb, ssxk"); may be empty

    // "select <columns> from <table> [where ...] order by [<orderBy>,] rowid".
    QString sql(const QString& columns) const;
};

// A path on the medium (platform::FloppyFolder()): the prefix, a number and ".MDB",
// whose file does not exist yet. The number is drawn at random; when its file is
// there, the next free number is taken. When all 256 are taken the drawn path is
// returned all the same: PackData refuses it with a message.
QString NewSubmissionFile(const QString& prefix);

// The declared type that a column of the submission file gets for a source column
// of the declared type `declaredType`. The types this program's tables use keep
// their name (and with it the way SQLite stores their values), so every value reads
// back exactly; DECIMAL and LONGCHAR columns get no type, silently; any other type
// shows "Data Type Exception,Please contact the vendor." and gets no type either.
QString MapFieldType(const QString& declaredType);

// Writes the submission file gExportFile: a table named gExportTable with the
// columns of that table of the database file, holding the rows of `sourceTable`
// with the given rowids, in their order: the ticked rows of the window's grid, as
// the grid holds them, so that a row deleted or added elsewhere since the grid was
// filled cannot move a tick onto another row. A ticked row gone since is not
// written. Compares the rows written with gCheckedCount, then sets gCheckedCount
// to 0.
// Tells the user the outcome by messages and returns whether the file was written.
// When gExportFile has been taken in the meantime (another disk put in), the next
// free number of the same prefix is used and gExportFile names it. A failure at any
// step leaves no file on the medium. The copy runs on gWorkspace when a window has
// opened it, else on a connection of its own.
bool PackData(const QString& sourceTable, const QList<qint64>& rowids);
