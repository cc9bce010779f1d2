#include "Backup.h"

#include "SaveFile.h"

#include "AppFolder.h"
#include "Db.h"
#include "ExchangeSql.h"
#include "Failure.h"
#include "Platform.h"
#include "RecordLayouts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUrl>
#include <filesystem>

using platform::MsgBox;

namespace {

const QString kTitle = QStringLiteral("提示信息");

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The file a connection's database name points at: a plain path, or a "file:" URI
// as the windows' connections use.
QString fileOfConnection(const QString& databaseName)
{
    if (!databaseName.startsWith(QLatin1String("file:")))
        return databaseName;
    const QString path = databaseName.mid(5).section(QLatin1Char('?'), 0, 0);
    return QUrl::fromPercentEncoding(path.toUtf8());
}

// The tables every database of this program has.
QStringList programTables()
{
    QStringList tables = {QStringLiteral("login"), QStringLiteral("sqdm")};
    for (const records::RecordLayout* l : records::allLayouts())
        tables << l->table;
    return tables;
}

QString damaged(const QString& path)
{
    return QStringLiteral("所选文件已经损坏，不能用来恢复：%1").arg(native(path));
}

// An intact database with every table of the program, or why not.
QString tablesProblem(const QSqlDatabase& db, const QString& path)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("pragma integrity_check")) || !q.next() || q.value(0).toString() != QLatin1String("ok"))
        return damaged(path);
    QStringList missing;
    for (const QString& t : programTables()) {
        q.prepare(QStringLiteral("select count(*) from sqlite_master where type = 'table' and name = ? collate nocase"));
        q.addBindValue(t);
        if (!q.exec() || !q.next() || q.value(0).toInt() == 0)
            missing << t;
    }
    if (missing.isEmpty())
        return QString();
    return QStringLiteral("所选文件不是本系统的数据库文件（没有数据表 %1），不能用来恢复：%2")
        .arg(missing.join(QStringLiteral("、")), native(path));
}

// Reads a database read-only: its integrity and its tables. "" when it may replace
// the live database.
QString databaseProblem(const QString& path)
{
    static int serial = 0;
    const QString name = QStringLiteral("RestoreCheck#%1").arg(++serial);
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        db.setDatabaseName(path);
        problem = db.open() ? tablesProblem(db, path) : damaged(path);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problem;
}

// Side files of SQLite beside a database; after a replace they would belong to the
// old file, and a journal left there would be played back into the new one when it
// is next opened. Throws DbError when one cannot be removed.
void removeSideFiles(const QString& dbPath)
{
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        QFile side(dbPath + QLatin1String(suffix));
        if (QFileInfo::exists(side.fileName()) && !side.remove())
            throw DbError(QStringLiteral("无法删除文件 %1：%2。请删除它之后再打开数据库。")
                              .arg(native(side.fileName()), side.errorString()));
    }
}

// Writes a consistent copy of the live database to `target`, which it replaces: the
// copy is written beside it and takes its place in one rename, so a failure leaves
// an older backup there as it was. Throws DbError with the reason.
void writeBackup(const QString& dbPath, const QString& target)
{
    const QString folder = QFileInfo(target).absolutePath();
    exchange::PendingFile temp(folder);
    if (!temp.isValid())
        throw DbError(QStringLiteral("无法在文件夹 %1 中写入文件：%2").arg(native(folder), temp.errorString()));
    {
        DbConnection db(QStringLiteral("DiskBu"));
        db.Open(dbPath);
        db.Exec(QStringLiteral("vacuum into ?"), {temp.fileName()});
    }
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp.fileName()).toStdString(), QFile::encodeName(target).toStdString(), ec);
    if (ec)
        throw DbError(QStringLiteral("无法写入文件 %1：%2").arg(native(target), QString::fromLocal8Bit(ec.message())));
    temp.keep();
}

// Copies `source` over the live database in one rename: the old file stays until the
// copy is complete. Throws DbError with the reason.
void replaceDatabase(const QString& source, const QString& dbPath)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("无法读取文件 %1：%2").arg(native(source), in.errorString()));
    QSaveFile out(dbPath);
    if (!out.open(QIODevice::WriteOnly))
        throw DbError(QStringLiteral("无法写入文件 %1：%2").arg(native(dbPath), out.errorString()));
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty())
            throw DbError(QStringLiteral("无法读取文件 %1：%2").arg(native(source), in.errorString()));
        if (out.write(chunk) != chunk.size())
            break;
    }
    if (!CommitSaveFile(out))
        throw DbError(QStringLiteral("无法写入文件 %1：%2").arg(native(dbPath), out.errorString()));
    removeSideFiles(dbPath);
}

}  // namespace

QString BackupFolder()
{
    return appFolder() + QStringLiteral("/BackUp");
}

bool EnsureBackupFolder()
{
    if (QFileInfo(BackupFolder()).isDir() || QDir().mkpath(BackupFolder()))
        return true;
    MsgBox(QStringLiteral("无法建立备份文件夹 %1。").arg(native(BackupFolder())), platform::vbExclamation, kTitle);
    return false;
}

QString DefaultBackupName(const QDate& day)
{
    return QStringLiteral("备份") + day.toString(QStringLiteral("yyyyMMdd"));
}

QString WithBackupExtension(const QString& path)
{
    const qsizetype slash = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    if (path.mid(slash + 1).contains(QLatin1Char('.')))
        return path;
    qsizetype end = path.size();
    while (end > 0 && path[end - 1] == QLatin1Char(' '))
        --end;
    return path.left(end) + QStringLiteral(".mdb");
}

bool BackupDatabase(const QString& backupPath)
{
    if (backupPath.trimmed().isEmpty()) {
        MsgBox(QStringLiteral("无备份文件名，操作被取消。"), platform::vbExclamation, kTitle);
        return false;
    }
    const QString target = QFileInfo(WithBackupExtension(backupPath)).absoluteFilePath();
    const QString dbPath = exchange::databasePath();
    if (exchange::sameFile(target, dbPath)) {
        MsgBox(QStringLiteral("不能把数据备份到正在使用的数据库文件上，请换一个文件名。"), platform::vbExclamation, kTitle);
        return false;
    }
    if (QFileInfo::exists(target)
        && MsgBox(QStringLiteral("文件 %1 已经存在，要替换它吗？").arg(native(target)),
                  platform::vbYesNo | platform::vbQuestion, kTitle) != platform::vbYes)
        return false;
    try {
        platform::BusyCursor busy;
        writeBackup(dbPath, target);
    } catch (const DbError& e) {
        ShowFailure(QStringLiteral("数据备份失败！"), e, platform::vbCritical, kTitle);
        return false;
    }
    MsgBox(QStringLiteral("数据已成功备份至文件： ") + native(target) + QStringLiteral("请记录下此文件名以备恢复。"),
           platform::vbOKOnly, kTitle);
    return true;
}

bool DatabaseInUse(const QString& path)
{
    for (const QString& name : QSqlDatabase::connectionNames()) {
        const QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen() && exchange::sameFile(fileOfConnection(db.databaseName()), path))
            return true;
    }
    return false;
}

QString RestoreSourceProblem(const QString& source, const QString& dbPath)
{
    if (!QFileInfo(source).isFile())
        return QStringLiteral("文件 %1 不存在。").arg(native(source));
    if (exchange::sameFile(source, dbPath))
        return QStringLiteral("所选文件就是正在使用的数据库文件，不能用它来恢复。");
    if (!exchange::isSqliteFile(source))
        return QStringLiteral("所选文件不是本系统的数据库文件，不能用来恢复：%1").arg(native(source));
    return databaseProblem(source);
}

bool RestoreDatabase(const QString& source)
{
    if (source.trimmed().isEmpty()) {
        MsgBox(QStringLiteral("没有选定任何数据文件."));
        return false;
    }
    const QString dbPath = exchange::databasePath();
    const QString problem = RestoreSourceProblem(source, dbPath);
    if (!problem.isEmpty()) {
        MsgBox(problem, platform::vbExclamation, kTitle);
        return false;
    }
    if (DatabaseInUse(dbPath)) {
        MsgBox(QStringLiteral("数据库文件正被其他窗口使用。请先关闭其他窗口，然后再恢复数据。"), platform::vbExclamation, kTitle);
        return false;
    }
    if (MsgBox(QStringLiteral("当前数据将被完全覆盖,请仔细操作."), platform::vbYesNo | platform::vbExclamation,
               QStringLiteral("数据恢复")) != platform::vbYes)
        return false;
    try {
        replaceDatabase(source, dbPath);
    } catch (const DbError& e) {
        ShowFailure(QStringLiteral("数据恢复失败！"), e, platform::vbCritical, kTitle);
        return false;
    }
    MsgBox(QStringLiteral("数据已成功恢复至文件： ") + native(dbPath) + QStringLiteral("。"), platform::vbOKOnly, kTitle);
    return true;
}
