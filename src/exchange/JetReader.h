#pragma once
// Reads a Jet database file (the Access 97 format that other desks may still send
// their submission files in) through mdbtools' libmdb, read-only. Jet 3 keeps text in
// the code page of the machine that wrote it, which the file does not record, so the
// caller names it: "GBK" for the desks of this system.
//
// Failures (a missing file, a file that is not a Jet database, an unknown code page
// or table, a table that cannot be read whole) throw DbError with a message for the
// user.

#include "Db.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

class JetReader {
public:
    enum class ColumnType { Text, Integer, Double, Date, Boolean, Memo, Other };

    struct Column {
        QString name;
        ColumnType type;
        bool operator==(const Column&) const = default;
    };

    // Whether the file starts like a Jet database ("Standard Jet DB" at offset 4).
    // False for a missing or unreadable file, an SQLite file or anything else.
    static bool isJetFile(const QString& path);

    // `codePage` is an iconv name of the code page of Jet 3 text ("GBK",
    // "Windows-1252"); Jet 4 files keep Unicode and ignore it.
    JetReader(const QString& path, const QString& codePage);
    ~JetReader();
    JetReader(const JetReader&) = delete;
    JetReader& operator=(const JetReader&) = delete;

    // The user tables, in the file's own order.
    QStringList tables() const;
    // A table's columns in their order.
    QList<Column> columns(const QString& table) const;
    // Every row of a table, its values in column order: a null value for Null, int
    // for integers, double for Single, Double and Currency, QDateTime for dates,
    // bool, QString for text and memo, QByteArray for anything else.
    QList<QVariantList> rows(const QString& table) const;

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
};
