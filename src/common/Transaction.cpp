#include "Transaction.h"

#include "Db.h"

#include <QSqlError>
#include <QtGlobal>

Transaction::Transaction(DbConnection& connection)
    : m_conn(connection)
{
    if (m_conn.m_depth == 0) {
        QSqlDatabase db = m_conn.Database();
        if (!db.transaction())
            throw DbError::FromSql(db.lastError(), QStringLiteral("无法开始事务。"));
        m_conn.m_doomed = false;
    }
    ++m_conn.m_depth;
    m_closings = m_conn.m_closings;
}

bool Transaction::outlived() const { return m_conn.m_closings != m_closings; }

Transaction::~Transaction()
{
    if (m_done)
        return;
    const QString failure = end();
    if (!failure.isEmpty())
        qWarning("Transaction: rollback failed: %s", qPrintable(failure));
}

QString Transaction::end()
{
    m_done = true;
    // The close rolled the work back and counted this one out already.
    if (outlived())
        return {};
    if (--m_conn.m_depth > 0) {
        m_conn.m_doomed = true;
        return {};
    }
    m_conn.m_doomed = false;
    QString failure;
    if (m_conn.IsOpen()) {
        QSqlDatabase db = m_conn.Database();
        if (!db.rollback()) {
            const QSqlError err = db.lastError();
            // SQLite ends a transaction itself on some failures (a full disk): then
            // there is nothing left to roll back.
            if (!err.databaseText().contains(QLatin1String("no transaction is active"), Qt::CaseInsensitive))
                failure = DescribeSqlError(err);
        }
    }
    m_conn.notify(DbConnection::Event::RolledBack);
    return failure;
}

void Transaction::Rollback()
{
    if (m_done)
        return;
    const QString failure = end();
    if (!failure.isEmpty())
        throw DbError(QStringLiteral("撤销修改没有成功。\n") + failure);
}

void Transaction::Commit()
{
    if (m_done)
        return;
    if (outlived()) {
        m_done = true;
        throw DbError(QStringLiteral("数据库连接在事务完成之前已经关闭，这次的全部修改都已撤销。"));
    }
    if (m_conn.m_depth > 1) {
        m_done = true;
        --m_conn.m_depth;
        return;
    }
    if (m_conn.m_doomed) {
        const QString failure = end();
        QString text = QStringLiteral("其中一步没有完成，这次的全部修改都已撤销。");
        if (!failure.isEmpty())
            text += QStringLiteral("\n撤销修改也没有成功：") + failure;
        throw DbError(text);
    }
    QSqlDatabase db = m_conn.Database();
    if (!db.commit()) {
        const DbError first = DbError::FromSql(db.lastError(), QStringLiteral("修改没有保存。"));
        const QString failure = end();
        if (failure.isEmpty())
            throw first;
        throw DbError(first.description() + QStringLiteral("\n撤销修改也没有成功：") + failure, first.Code());
    }
    m_done = true;
    m_conn.m_depth = 0;
    m_conn.notify(DbConnection::Event::Committed);
}

void Transaction::rollbackAndRethrow()
{
    const QString failure = end();
    if (failure.isEmpty())
        throw;
    // The first failure leads; the rollback's follows it.
    const QString more = QStringLiteral("\n撤销修改也没有成功：") + failure;
    try {
        throw;
    } catch (const DbError& e) {
        throw DbError(e.description() + more, e.Code());
    } catch (const std::exception& e) {
        throw DbError(QString::fromLocal8Bit(e.what()) + more);
    }
}
