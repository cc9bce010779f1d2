#pragma once
// What the exchange tests share: rows put into the fixture's tables by column name,
// rows read back from another database file (a submission file, a backup), and the
// permissions of the files written.

#include "TestSupport.h"
#include "RecordLayouts.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QVariantMap>

#include <sys/stat.h>

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

// The permission bits of a file (0644 ...), -1 when it is not there.
inline int modeOf(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// Cases of a file written anew: the user's umask and the permissions it leaves.
inline void umaskCases()
{
    QTest::addColumn<int>("umask");
    QTest::addColumn<int>("mode");
    QTest::newRow("022") << 022 << 0644;
    QTest::newRow("002") << 002 << 0664;
    QTest::newRow("077") << 077 << 0600;
}

// The user's umask, set for as long as the object lives.
struct UmaskScope {
    explicit UmaskScope(int mask) : old(::umask(mode_t(mask))) {}
    ~UmaskScope() { ::umask(old); }
    UmaskScope(const UmaskScope&) = delete;
    UmaskScope& operator=(const UmaskScope&) = delete;
    mode_t old;
};
