#pragma once
// Backup and restore of the whole database file.
//
// A backup is a consistent copy of the live database (VACUUM INTO), written under a
// temporary name beside the chosen file and renamed when complete; it is made as any
// new file of the user is (the umask decides who may read it). A restore first
// checks the chosen file (an intact SQLite database with the program's tables, not the
// live file itself), then replaces the live file in one rename, and only while no
// connection to it is open; a failure leaves the old database in place. A journal
// the old file left beside it goes with it, so it cannot roll the restored file back.

#include <QDate>
#include <QString>

// The default backup folder: the application folder's BackUp.
QString BackupFolder();
// Creates the backup folder when it is missing; a failure shows a message.
bool EnsureBackupFolder();
// "备份" and the day as yyyymmdd.
QString DefaultBackupName(const QDate& day);
// The path with its trailing blanks removed and ".mdb" appended, when the file name
// (not the folders above it) has no point; otherwise the path unchanged.
QString WithBackupExtension(const QString& path);

// The backup button: "无备份文件名，操作被取消。" for an empty path; otherwise the
// live database is copied to the path (given ".mdb" as above), asking before an
// existing file is replaced, with "数据已成功备份至文件： …请记录下此文件名以备恢复。"
// or "数据备份失败！" (the reason behind its details button; an older file of that
// name stays as it was). Returns whether the copy was written.
bool BackupDatabase(const QString& backupPath);

// Whether a connection of this program to the file at `path` is open.
bool DatabaseInUse(const QString& path);
// Why `source` cannot replace the database at `dbPath`, or "" when it can.
QString RestoreSourceProblem(const QString& source, const QString& dbPath);

// The restore button: "没有选定任何数据文件." for an empty path; the chosen file is
// checked and the live database must not be in use (each with its message); then the
// question "当前数据将被完全覆盖,请仔细操作." (title "数据恢复"); Yes replaces the
// live database with "数据已成功恢复至文件： …。" or "数据恢复失败！" (the reason
// behind its details button). Returns whether the database was replaced.
bool RestoreDatabase(const QString& source);
