#pragma once
// One unit of work on a connection: every statement and record-set write made while
// it is open is committed together or not at all.
//
//     Transaction t(connection);
//     ... statements, record-set writes ...
//     t.Commit();          // leaving the scope without Commit rolls back
//
// or connection.InTransaction([&] { ... }), which commits when the function returns
// and rolls back when it throws. Transactions nest: only the outermost begins and
// commits; an inner one that rolls back makes the outermost roll back as well
// (its Commit then throws). Record sets on the connection count their writes as
// stored only once the outermost commits; a rollback puts them back in step with
// the table. Closing the connection rolls back whatever is open: a transaction still
// alive then has ended (its Commit throws, its Rollback has nothing left to do) and
// the connection takes new ones afresh.

class DbConnection;
class QString;

class Transaction {
public:
    // Begins a transaction unless one is already open on the connection. Throws DbError.
    explicit Transaction(DbConnection& connection);
    // Rolls back when neither Commit nor Rollback ran (a throw left the scope). A
    // failure of that rollback cannot be thrown from here: it is logged.
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // The outermost commits (throws DbError when that fails, or when an inner
    // transaction rolled back; the work is then rolled back). An inner one only
    // closes itself.
    void Commit();
    // The outermost rolls back now (throws DbError when that fails); an inner one
    // makes the outermost roll back.
    void Rollback();

    // Runs fn; commits when it returns. When it throws, rolls back and lets the
    // exception go on; if the rollback fails too, the first failure still leads the
    // description, the rollback's failure follows it.
    template <class Fn>
    void Run(Fn&& fn)
    {
        try {
            fn();
        } catch (...) {
            rollbackAndRethrow();
        }
        Commit();
    }

private:
    // Ends this transaction by rolling back; returns the rollback's failure, empty
    // when it succeeded.
    QString end();
    [[noreturn]] void rollbackAndRethrow();
    // The connection was closed since this transaction began.
    bool outlived() const;

    DbConnection& m_conn;
    int m_closings = 0;   // the connection's closings when this one began
    bool m_done = false;
};
