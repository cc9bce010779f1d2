#pragma once
// Reception of submission files: the rows of a file that another installation wrote
// are listed in a tick grid, and the ticked ones replace the rows of the live table
// that have the same key, or are added when there is none.
//
// The received rows pass through a scratch table of the database (tempxmsb,
// tempxmjt), which the next reception in the same window makes anew and which
// otherwise stays in the file holding the rows last received.

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

// What a reception window takes in: its live table, its scratch table and the key
// columns by which a received row finds the row it replaces.
struct ReceptionTarget {
    QString table;
    QString scratch;
    QStringList keys;
};
// Applications: xmsb through tempxmsb, keyed by name, leader and application date.
const ReceptionTarget& applicationReception();
// Completion reports: xmjt through tempxmjt, keyed by name, leader and approval number.
const ReceptionTarget& completionReception();

// One table of a submitted file, read whole when the file is opened: an SQLite file
// as this program writes them, or a Jet file (recognised by its header) as other
// installations may still send, its text in their code page GBK. Row i of rows()
// (from 0) is grid row i + 1 and is ticked by gImportFlags[i + 1]; reception takes
// exactly these rows, so a tick always belongs to the row the user saw. The grid
// shows the rows without a copy of its own.
class SubmittedFile {
public:
    // Throws DbError when the file is missing, not a database, has no such table (the
    // name compared without regard to case) or is damaged: a file that cannot be read
    // whole is not read in part.
    SubmittedFile(const QString& path, const QString& table);

    QString path() const { return m_path; }
    QString table() const { return m_table; }  // as the file spells it
    bool isJet() const { return m_jet; }
    QStringList columns() const { return m_columns; }
    const QList<QVariantList>& rows() const { return m_rows; }

private:
    friend bool InsertDat(const SubmittedFile& file, const ReceptionTarget& target);

    QString m_path;
    QString m_table;
    bool m_jet = false;
    QStringList m_columns;
    QStringList m_types;     // declared types for the scratch table
    QList<QVariantList> m_rows;
    QList<qint64> m_rowids;  // SQLite: the rowid of each row in the file
};

// Opens a submitted file for a reception window; on failure shows
// "文件打开错误，操作将被取消。", the reason behind its details button, and returns
// nullptr.
std::unique_ptr<SubmittedFile> OpenSubmittedFile(const QString& path, const QString& table);

// Receives the rows of `file` whose flag in gImportFlags is not 0 into the live
// database: finds, for each of them, the first live row (in stored order) with the
// same key; makes the scratch table anew with the file's columns and those rows, in
// their order; adds them to the live table, whole when the file's columns are the
// live table's (the scratch table then has the live table's definition), else column
// by column by name; then deletes the live rows found. All of it is one
// transaction: a failure changes nothing. Shows "数据已被成功接收。" or "数据接收失败。" (the reason behind its
// details button) and returns whether the rows were received.
bool InsertDat(const SubmittedFile& file, const ReceptionTarget& target);
