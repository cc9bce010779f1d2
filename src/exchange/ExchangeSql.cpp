#include "ExchangeSql.h"

#include "ModVar.h"
#include "RecordLayouts.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <filesystem>

namespace exchange {

QString databasePath()
{
    return gDbPath.isEmpty() ? DefaultDbPath() : gDbPath;
}

bool isSqliteFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3\0", 16);
}

bool sameFile(const QString& a, const QString& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(QFile::encodeName(a).toStdString(), QFile::encodeName(b).toStdString(), ec);
}

QList<ColumnInfo> tableColumns(DbConnection& db, const QString& schema, const QString& table)
{
    QSqlQuery q = db.Exec(QStringLiteral("select name, type from pragma_table_info(?, ?) order by cid"), {table, schema});
    QList<ColumnInfo> columns;
    while (q.next())
        columns << ColumnInfo{q.value(0).toString(), q.value(1).toString()};
    return columns;
}

QStringList columnNames(const QList<ColumnInfo>& columns)
{
    QStringList names;
    for (const ColumnInfo& c : columns)
        names << c.name;
    return names;
}

QString qualifiedColumnList(const QString& alias, const QStringList& names)
{
    QStringList qualified;
    for (const QString& n : names)
        qualified << alias + QLatin1Char('.') + records::quoteIdentifier(n);
    return qualified.join(QStringLiteral(", "));
}

QString jsonArray(const QList<qint64>& numbers)
{
    QStringList parts;
    parts.reserve(numbers.size());
    for (qint64 n : numbers)
        parts << QString::number(n);
    return QLatin1Char('[') + parts.join(QLatin1Char(',')) + QLatin1Char(']');
}

PendingFile::PendingFile(const QString& folder)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path = QDir(folder).filePath(
            QStringLiteral("~kyjh%1.tmp").arg(QRandomGenerator::global()->generate() & 0xffffff, 6, 16, QLatin1Char('0')));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            m_path = path;
            return;
        }
        m_error = f.errorString();
        if (!f.exists())
            return;
    }
}

PendingFile::~PendingFile()
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
}

}  // namespace exchange
