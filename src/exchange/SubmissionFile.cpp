#include "SubmissionFile.h"

#include "Db.h"
#include "Failure.h"
#include "ModVar.h"
#include "Platform.h"
#include "RecordLayouts.h"
#include "ExchangeSql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

using platform::MsgBox;

namespace {

const QString kTitle = QStringLiteral("提示信息");
constexpr int kNumbers = 256;

QString numberedName(const QString& folder, const QString& prefix, int n)
{
    return QDir(folder).filePath(prefix + QString::number(n) + QStringLiteral(".MDB"));
}

// The first number from `start` on (wrapping at 256) whose file is not there; "" when
// all are taken.
QString freeName(const QString& folder, const QString& prefix, int start)
{
    for (int k = 0; k < kNumbers; ++k) {
        const QString path = numberedName(folder, prefix, (start + k) % kNumbers);
        if (!QFileInfo::exists(path))
            return path;
    }
    return QString();
}

// Whether a type MapFieldType gives holds text.
bool isTextType(const QString& type)
{
    static const QSet<QString> text = {QStringLiteral("CHAR"), QStringLiteral("VARCHAR"), QStringLiteral("NCHAR"),
                                       QStringLiteral("NVARCHAR"), QStringLiteral("TEXT"), QStringLiteral("MEMO")};
    return text.contains(type.section(QLatin1Char('('), 0, 0).trimmed().toUpper());
}

// Creates the table of the submission file with the columns of the source table, in
// their order, each of the type MapFieldType gives. Text columns compare Latin
// letters without regard to case, as the live tables' do; a file's table is then of
// the live table's definition, and a reception moves its rows whole.
void CopyTableStructure(DbConnection& db, const QString& table)
{
    const QList<exchange::ColumnInfo> columns = exchange::tableColumns(db, QStringLiteral("main"), table);
    if (columns.isEmpty())
        throw DbError(QStringLiteral("数据库中没有数据表 %1。").arg(table));
    QStringList defs;
    for (const exchange::ColumnInfo& c : columns) {
        const QString type = MapFieldType(c.type);
        QString def = records::quoteIdentifier(c.name);
        if (!type.isEmpty())
            def += QLatin1Char(' ') + type;
        if (isTextType(type))
            def += QStringLiteral(" COLLATE NOCASE");
        defs << def;
    }
    db.Exec(QStringLiteral("create table sub.%1 (%2)").arg(records::quoteIdentifier(table), defs.join(QStringLiteral(", "))));
}

// Copies the rows with the given rowids into the file's table, in their order, in one
// statement and one transaction: the unticked rows never reach the file.
void CopyRows(DbConnection& db, const QString& sourceTable, const QList<qint64>& rowids, const QString& table)
{
    const QStringList names = exchange::columnNames(exchange::tableColumns(db, QStringLiteral("sub"), table));
    db.InTransaction([&] {
        db.Exec(QStringLiteral("insert into sub.%1 (%2) select %3 from json_each(?) as j "
                               "join main.%4 as s on s.rowid = j.value order by j.key")
                    .arg(records::quoteIdentifier(table), records::columnList(names),
                         exchange::qualifiedColumnList(QStringLiteral("s"), names),
                         records::quoteIdentifier(sourceTable)),
                {exchange::jsonArray(rowids)});
    });
}

// The rows in the file must be the rows the window counted as ticked.
bool CheckCopiedCount(DbConnection& db, const QString& table)
{
    const qint64 written = db.Scalar(QStringLiteral("select count(*) from sub.%1").arg(records::quoteIdentifier(table))).toLongLong();
    if (written == gCheckedCount)
        return true;
    MsgBox(QStringLiteral("系统出错,请与开发者联系."), platform::vbOKOnly | platform::vbCritical);
    return false;
}

// Gives the finished file its name. A name taken since it was drawn is never
// replaced: the next free number of the same prefix is used instead.
bool moveIntoPlace(exchange::PendingFile& temp)
{
    const QFileInfo wanted(gExportFile);
    static const QRegularExpression numbered(QStringLiteral("^(.*?)(\\d+)\\.MDB$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = numbered.match(wanted.fileName());
    QString path = wanted.absoluteFilePath();
    QString error;
    for (int attempt = 0; attempt <= kNumbers; ++attempt) {
        if (QFileInfo::exists(path)) {
            if (!m.hasMatch()) {
                MsgBox(QStringLiteral("软盘上已有文件 %1，没有写盘。").arg(QDir::toNativeSeparators(path)),
                       platform::vbExclamation, kTitle);
                return false;
            }
            path = freeName(wanted.absolutePath(), m.captured(1), m.captured(2).toInt());
            if (path.isEmpty()) {
                MsgBox(QStringLiteral("软盘上已有全部 256 个“%1”文件（0 至 255），请换一张软盘后再写盘。").arg(m.captured(1)),
                       platform::vbExclamation, kTitle);
                return false;
            }
            continue;
        }
        QFile file(temp.fileName());
        if (file.rename(path)) {
            temp.keep();
            gExportFile = path;
            return true;
        }
        error = file.errorString();
        if (!QFileInfo::exists(path))
            break;
    }
    MsgBox(QStringLiteral("无法在软盘上写入文件 %1：%2").arg(QDir::toNativeSeparators(path), error),
           platform::vbExclamation, kTitle);
    return false;
}

}  // namespace

QString RowQuery::sql(const QString& columns) const
{
    QString s = QStringLiteral("select %1 from %2").arg(columns, records::quoteIdentifier(table));
    if (!where.isEmpty())
        s += QStringLiteral(" where ") + where;
    s += QStringLiteral(" order by ");
    if (!orderBy.isEmpty())
        s += orderBy + QStringLiteral(", ");
    return s + QStringLiteral("rowid");
}

QString NewSubmissionFile(const QString& prefix)
{
    const QString folder = platform::FloppyFolder();
    const int drawn = int(QRandomGenerator::global()->bounded(kNumbers));
    const QString path = freeName(folder, prefix, drawn);
    return path.isEmpty() ? numberedName(folder, prefix, drawn) : path;
}

QString MapFieldType(const QString& declaredType)
{
    // The types a submission file carries, under their own names.
    static const QSet<QString> carried = {
        QStringLiteral("BOOLEAN"), QStringLiteral("TINYINT"), QStringLiteral("SMALLINT"),
        QStringLiteral("INTEGER"), QStringLiteral("INT"), QStringLiteral("REAL"),
        QStringLiteral("FLOAT"), QStringLiteral("DOUBLE"), QStringLiteral("CURRENCY"),
        QStringLiteral("DATE"), QStringLiteral("DATETIME"), QStringLiteral("GUID"),
        QStringLiteral("CHAR"), QStringLiteral("VARCHAR"), QStringLiteral("NCHAR"),
        QStringLiteral("NVARCHAR"), QStringLiteral("TEXT"), QStringLiteral("MEMO"),
        QStringLiteral("BLOB"),
    };
    // Types that get no type of their own, silently (a column without a type keeps
    // every value as it is given).
    static const QSet<QString> untyped = {QString(), QStringLiteral("DECIMAL"), QStringLiteral("LONGCHAR")};
    const QString type = declaredType.trimmed();
    const QString base = type.section(QLatin1Char('('), 0, 0).trimmed().toUpper();
    if (carried.contains(base))
        return type;
    if (!untyped.contains(base))
        MsgBox(QStringLiteral("Data Type Exception,Please contact the vendor."), platform::vbOKOnly | platform::vbCritical);
    return QString();
}

bool PackData(const QString& sourceTable, const QList<qint64>& rowids)
{
    struct ResetCount {
        ~ResetCount() { gCheckedCount = 0; }
    } resetCount;

    const QString table = gExportTable;
    const QString folder = QFileInfo(gExportFile).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        MsgBox(QStringLiteral("没有找到软盘（%1）。请放入软盘后再写盘。").arg(QDir::toNativeSeparators(folder)),
               platform::vbExclamation, kTitle);
        return false;
    }
    // Written under a name of its own beside the final one; removed unless it gets
    // its final name.
    exchange::PendingFile temp(folder);
    if (!temp.isValid()) {
        MsgBox(QStringLiteral("软盘无法写入（%1）：%2。请打开软盘的写保护后再写盘。")
                   .arg(QDir::toNativeSeparators(folder), temp.errorString()),
               platform::vbExclamation, kTitle);
        return false;
    }

    {
        // The copy runs in the workspace of the submission window (its connection),
        // or, with no window open, on a connection of its own.
        DbConnection own(QStringLiteral("PackData"));
        DbConnection& db = gWorkspace && gWorkspace->IsOpen() ? *gWorkspace : own;
        // The file is attached for this export only, whatever way it ends.
        struct Attachment {
            DbConnection& db;
            bool attached = false;
            ~Attachment()
            {
                if (!attached)
                    return;
                try {
                    db.Exec(QStringLiteral("detach database sub"));
                } catch (const DbError&) {
                    // The connection closes at the window's unload; the file goes with it.
                }
            }
        } attachment{db};
        try {
            if (!db.IsOpen())
                db.Open(exchange::databasePath());
            db.Exec(QStringLiteral("attach database ? as sub"), {temp.fileName()});
            attachment.attached = true;
        } catch (const DbError& e) {
            ShowFailure(e.description(), e, platform::vbOKOnly);
            return false;
        }
        try {
            CopyTableStructure(db, table);
        } catch (const DbError& e) {
            ShowFailure(e.description(), e, platform::vbOKOnly);
            MsgBox(QStringLiteral("数据结构复制有错."));
            return false;
        }
        try {
            CopyRows(db, sourceTable, rowids, table);
        } catch (const DbError& e) {
            ShowFailure(e.description(), e, platform::vbOKOnly);
            MsgBox(QStringLiteral("数据复制有错."));
            return false;
        }
        try {
            if (!CheckCopiedCount(db, table)) {
                MsgBox(QStringLiteral("Deletee Copies error. in PackData"));
                return false;
            }
            db.Exec(QStringLiteral("detach database sub"));
            attachment.attached = false;
        } catch (const DbError& e) {
            ShowFailure(e.description(), e, platform::vbOKOnly);
            return false;
        }
    }
    if (!moveIntoPlace(temp))
        return false;
    MsgBox(QStringLiteral("正在写盘！注意：等软驱灯灭后，方可取出软盘。"), platform::vbInformation, kTitle);
    return true;
}
