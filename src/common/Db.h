#pragma once
// A window's own connection to the database file. Each window opens one when it
// loads and closes it when it unloads. Every statement binds its values: typed text
// never becomes part of the SQL.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <stdexcept>

// A failed database step, with the database's own description.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& description)
        : std::runtime_error(description.toStdString()), m_description(description)
    {
    }
    const QString& description() const { return m_description; }

private:
    QString m_description;
};

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
    void Close();
    bool IsOpen() const;
    QString Path() const { return m_path; }
    QString Name() const { return m_name; }
    QSqlDatabase Database() const;

    // Runs one statement with its values bound in order; throws DbError on failure.
    QSqlQuery Exec(const QString& sql, const QVariantList& values = {});
    // The first column of the first row, or an invalid value when there is no row.
    QVariant Scalar(const QString& sql, const QVariantList& values = {});

    // Runs fn inside one transaction: committed when fn returns, rolled back when it
    // throws (the exception goes on).
    template <class Fn>
    void InTransaction(Fn&& fn)
    {
        Begin();
        try {
            fn();
        } catch (...) {
            Rollback();
            throw;
        }
        Commit();
    }
    void Begin();
    void Commit();
    void Rollback();

private:
    QString m_name;
    QString m_path;
};

// The database file of this installation: the application folder's data/qwdb.mdb.
QString DefaultDbPath();

// Shows a failure that reached an event handler or a window's load: its own
// description (a database's message as the database gave it), OK only.
void ShowFailure(const std::exception& e);
void ShowFailure(const QString& description);
// The description of a failure as ShowFailure shows it.
QString FailureText(const std::exception& e);

// Opens a window's connection when the window loads. When the file cannot be opened
// the database's own description is shown in a message box and false is returned;
// the window stays open without its data.
bool OpenWindowConnection(DbConnection& connection, const QString& path = DefaultDbPath());
