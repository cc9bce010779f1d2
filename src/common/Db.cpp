#include "Db.h"

#include "AppFolder.h"
#include "Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <QSqlError>

namespace {
int g_serial = 0;
}

DbConnection::DbConnection(const QString& owner)
    : m_name(QStringLiteral("%1#%2").arg(owner).arg(++g_serial))
{
}

DbConnection::~DbConnection() { Close(); }

void DbConnection::Open(const QString& path)
{
    Close();
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile())
        throw DbError(QStringLiteral("找不到数据库文件：%1").arg(QDir::toNativeSeparators(path)));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        // The file must already be there: never let the driver create an empty one.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        db.setDatabaseName(QStringLiteral("file:%1?mode=rw").arg(QString::fromUtf8(QUrl::toPercentEncoding(fi.absoluteFilePath(), "/"))));
        if (!db.open()) {
            const QString err = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw DbError(QStringLiteral("无法打开数据库文件：%1（%2）").arg(QDir::toNativeSeparators(path), err));
        }
        // A file that is not a database only shows itself at the first read.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
            const QString err = probe.lastError().text();
            probe = QSqlQuery();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw DbError(QStringLiteral("无法读取数据库文件：%1（%2）").arg(QDir::toNativeSeparators(path), err));
        }
    }
    m_path = path;
}

void DbConnection::Close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_path.clear();
}

bool DbConnection::IsOpen() const
{
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase DbConnection::Database() const
{
    if (!IsOpen())
        throw DbError(QStringLiteral("数据库连接没有打开。"));
    return QSqlDatabase::database(m_name, false);
}

QSqlQuery DbConnection::Exec(const QString& sql, const QVariantList& values)
{
    QSqlQuery q(Database());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(q.lastError().text());
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        throw DbError(q.lastError().text());
    return q;
}

QVariant DbConnection::Scalar(const QString& sql, const QVariantList& values)
{
    QSqlQuery q = Exec(sql, values);
    if (q.next())
        return q.value(0);
    return {};
}

void DbConnection::Begin()
{
    if (!Database().transaction())
        throw DbError(Database().lastError().text());
}

void DbConnection::Commit()
{
    if (!Database().commit())
        throw DbError(Database().lastError().text());
}

void DbConnection::Rollback() { Database().rollback(); }

QString DefaultDbPath() { return appFolder() + QStringLiteral("/data/qwdb.mdb"); }

QString FailureText(const std::exception& e)
{
    const auto* db = dynamic_cast<const DbError*>(&e);
    return db ? db->description() : QString::fromLocal8Bit(e.what());
}

void ShowFailure(const QString& description)
{
    platform::MsgBox(description, platform::vbOKOnly | platform::vbCritical);
}

void ShowFailure(const std::exception& e) { ShowFailure(FailureText(e)); }

bool OpenWindowConnection(DbConnection& connection, const QString& path)
{
    try {
        connection.Open(path);
        return true;
    } catch (const DbError& e) {
        platform::MsgBox(e.description(), platform::vbOKOnly, QStringLiteral("提示信息"));
        return false;
    }
}
