#pragma once
// What the exchange tests share: rows put into the fixture's tables by column name,
// and rows read back from another database file (a submission file, a backup).

#include "TestSupport.h"
#include "RecordLayouts.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariantMap>

// Adds a row to a table of the fixture's database: the named columns get the
// values (a null QVariant stores Null), the others stay Null.
inline void insertRow(AppFixture& fx, const QString& table, const QVariantMap& row)
{
    fx.exec(QStringLiteral("insert into %1 (%2) values (%3)")
                .arg(records::quoteIdentifier(table), records::columnList(row.keys()),
                     records::placeholders(int(row.size()))),
            row.values());
}

// Rows of a query on a database file, read-only; each row as its column values in
// text, Null as "<null>" (as AppFixture::rows gives them).
inline QList<QStringList> fileRows(const QString& path, const QString& sql)
{
    QList<QStringList> out;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("filerows"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(path));
        QSqlQuery q(db);
        if (!q.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        while (q.next()) {
            QStringList r;
            for (int i = 0; i < q.record().count(); ++i)
                r << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
            out << r;
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("filerows"));
    return out;
}
