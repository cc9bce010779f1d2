#pragma once
// A window's own connection to the database file. Each window opens one when it
// loads and closes it when it unloads. Every statement binds its values: typed text
// never becomes part of the SQL.

#include "Transaction.h"

#include <QList>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <stdexcept>

class QSqlError;

// A failed database step. Its description says in Chinese what went wrong and what
// to do, followed by the database's own text.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& description, int code = 0)
        : std::runtime_error(description.toStdString()), m_description(description), m_code(code)
    {
    }
    // A failure the database reported; `context` (may be empty) says what was being done.
    static DbError FromSql(const QSqlError& error, const QString& context = {});

    const QString& description() const { return m_description; }
    // The database's primary result code (SQLITE_BUSY 5, SQLITE_READONLY 8 ...), 0
    // for a failure of our own.
    int Code() const { return m_code; }

private:
    QString m_description;
    int m_code = 0;
};

// What a user can do about a failure the database reported, in Chinese, then the
// database's own text.
QString DescribeSqlError(const QSqlError& error);

class DbConnection {
public:
    // `owner` names the connection (the window's name); a number keeps it unique.
    explicit DbConnection(const QString& owner);
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    // Opens the file; it must exist (an absent file is never created in its place).
    // Throws DbError on failure.
    void Open(const QString& path);
    // Closes the file; an open transaction is rolled back, and a Transaction still
    // alive then has ended with it (see Transaction).
    void Close();
    bool IsOpen() const;
    QString Path() const { return m_path; }
    QString Name() const { return m_name; }
    QSqlDatabase Database() const;

    // Runs one statement with its values bound in order; throws DbError on failure.
    QSqlQuery Exec(const QString& sql, const QVariantList& values = {});
    // The first column of the first row, or an invalid value when there is no row.
    QVariant Scalar(const QString& sql, const QVariantList& values = {});

    // Runs fn inside one transaction (see Transaction): committed when fn returns,
    // rolled back when it throws; the exception goes on.
    template <class Fn>
    void InTransaction(Fn&& fn);

    // True while a transaction is open on this connection.
    bool TransactionOpen() const { return m_depth > 0; }

    // What a record set hears from its connection.
    enum class Event { Committed, RolledBack, Closing };
    // `fn` runs on every event while `owner` lives, until RemoveListener(owner).
    void AddListener(QObject* owner, std::function<void(Event)> fn);
    void RemoveListener(QObject* owner);

private:
    friend class Transaction;
    void notify(Event event);

    QString m_name;
    QString m_path;
    int m_depth = 0;          // nested transactions open
    bool m_doomed = false;    // an inner transaction rolled back: the whole one will
    int m_closings = 0;       // times the file was closed: a transaction begun before
                              // the last close has nothing left to end
    struct Listener {
        QPointer<QObject> owner;
        std::function<void(Event)> fn;
    };
    QList<Listener> m_listeners;
};

// The database file of this installation: the application folder's data/qwdb.mdb.
QString DefaultDbPath();

template <class Fn>
void DbConnection::InTransaction(Fn&& fn)
{
    Transaction t(*this);
    t.Run(std::forward<Fn>(fn));
}
