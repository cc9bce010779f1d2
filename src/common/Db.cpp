#include "Db.h"

#include "AppFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

namespace {
int g_serial = 0;

// Primary result codes of SQLite (the driver reports them as text).
enum : int {
    kSqliteError = 1,
    kSqlitePerm = 3,
    kSqliteBusy = 5,
    kSqliteLocked = 6,
    kSqliteReadonly = 8,
    kSqliteIoErr = 10,
    kSqliteCorrupt = 11,
    kSqliteFull = 13,
    kSqliteCantOpen = 14,
    kSqliteNotADb = 26,
};

int primaryCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? (code & 0xff) : 0;
}

QString databaseText(const QSqlError& error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

// What is wrong and what to do, for the failures a user can cause.
QString advice(const QSqlError& error)
{
    const QString text = databaseText(error);
    static const QString noTable = QStringLiteral("no such table:");
    const int at = text.indexOf(noTable, 0, Qt::CaseInsensitive);
    if (at >= 0) {
        const QString table = text.mid(at + noTable.size()).trimmed();
        return QStringLiteral("数据库中没有表 %1：这个数据库文件不是本程序的，或者版本不对。"
                              "请换用本程序的数据库文件，或者从备份中恢复。")
            .arg(table);
    }
    switch (primaryCode(error)) {
    case kSqliteReadonly:
    case kSqlitePerm:
        return QStringLiteral("数据库文件不能写入：文件是只读的，或者它所在的文件夹不允许写入。"
                              "请去掉文件的只读属性，或者把它放到可以写入的文件夹，然后再试。");
    case kSqliteBusy:
    case kSqliteLocked:
        return QStringLiteral("数据库文件正被别的程序或窗口使用（已锁定）。"
                              "请稍候再试；如果一直这样，请关闭其他正在使用这个文件的程序。");
    case kSqliteFull:
        return QStringLiteral("磁盘已满，数据没有保存。请腾出磁盘空间，然后再试。");
    case kSqliteNotADb:
        return QStringLiteral("这个文件不是数据库文件，或者已被别的程序改写。"
                              "请换用本程序的数据库文件，或者从备份中恢复。");
    case kSqliteCorrupt:
        return QStringLiteral("数据库文件已经损坏。请从备份中恢复数据库文件。");
    case kSqliteCantOpen:
        return QStringLiteral("打不开数据库文件或它的临时文件：文件不在了，或者所在的文件夹不允许访问、写入。"
                              "请检查文件和文件夹，然后再试。");
    case kSqliteIoErr:
        return QStringLiteral("读写数据库文件时磁盘或网络出错。请检查磁盘或网络连接，然后再试。");
    default:
        return QStringLiteral("数据库操作没有完成。");
    }
}

}  // namespace

QString DescribeSqlError(const QSqlError& error)
{
    return advice(error) + QStringLiteral("\n数据库的说明：") + databaseText(error);
}

DbError DbError::FromSql(const QSqlError& error, const QString& context)
{
    QString text = DescribeSqlError(error);
    if (!context.isEmpty())
        text = context + QLatin1Char('\n') + text;
    return DbError(text, primaryCode(error));
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
    const QString context = QStringLiteral("无法打开数据库文件：%1").arg(QDir::toNativeSeparators(path));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        // The file must already be there: never let the driver create an empty one.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
        db.setDatabaseName(QStringLiteral("file:%1?mode=rw").arg(QString::fromUtf8(QUrl::toPercentEncoding(fi.absoluteFilePath(), "/"))));
        if (!db.open()) {
            const QSqlError err = db.lastError();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw DbError::FromSql(err, context);
        }
        // A file that is not a database only shows itself at the first read.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("select count(*) from sqlite_master"))) {
            const QSqlError err = probe.lastError();
            probe = QSqlQuery();
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(m_name);
            throw DbError::FromSql(err, context);
        }
    }
    m_path = path;
}

void DbConnection::Close()
{
    if (!QSqlDatabase::contains(m_name))
        return;
    ++m_closings;
    // Record sets let go of their statements; an open transaction ends with the file.
    if (m_depth > 0) {
        m_depth = 0;
        m_doomed = false;
        QSqlDatabase::database(m_name, false).rollback();
        notify(Event::RolledBack);
    }
    notify(Event::Closing);
    m_listeners.clear();
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
        throw DbError::FromSql(q.lastError());
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        throw DbError::FromSql(q.lastError());
    return q;
}

QVariant DbConnection::Scalar(const QString& sql, const QVariantList& values)
{
    QSqlQuery q = Exec(sql, values);
    if (q.next())
        return q.value(0);
    return {};
}

void DbConnection::AddListener(QObject* owner, std::function<void(Event)> fn)
{
    RemoveListener(owner);
    m_listeners.append({owner, std::move(fn)});
}

void DbConnection::RemoveListener(QObject* owner)
{
    m_listeners.removeIf([owner](const Listener& l) { return l.owner.isNull() || l.owner == owner; });
}

void DbConnection::notify(Event event)
{
    // A listener may add or remove listeners while it runs: walk a copy.
    const QList<Listener> listeners = m_listeners;
    for (const Listener& l : listeners)
        if (l.owner && l.fn)
            l.fn(event);
}

QString DefaultDbPath() { return appFolder() + QStringLiteral("/data/qwdb.mdb"); }
