#include "SchemaTool.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

// Statements of the script: comments dropped, split at the semicolons.
QStringList statements(const QString& script)
{
    QString text;
    for (const QString& line : script.split(QLatin1Char('\n'))) {
        const int dash = line.indexOf(QLatin1String("--"));
        text += (dash >= 0 ? line.left(dash) : line) + QLatin1Char('\n');
    }
    QStringList out;
    for (const QString& s : text.split(QLatin1Char(';'))) {
        const QString t = s.trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}

}  // namespace

QString CreateDatabaseFromSchema(const QString& schemaPath, const QString& dbPath)
{
    QFile f(schemaPath);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read %1").arg(schemaPath);
    const QString script = QString::fromUtf8(f.readAll());
    QFile::remove(dbPath);
    static int serial = 0;
    const QString name = QStringLiteral("schema-tool-%1").arg(++serial);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(dbPath);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            db.transaction();
            for (const QString& st : statements(script)) {
                QSqlQuery q(db);
                if (!q.exec(st)) {
                    error = QStringLiteral("%1: %2").arg(q.lastError().text(), st.left(60));
                    break;
                }
            }
            if (error.isEmpty())
                db.commit();
            else
                db.rollback();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty())
        QFile::remove(dbPath);
    return error;
}
