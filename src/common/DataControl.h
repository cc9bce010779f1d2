#pragma once
// The data control: it opens its own connection on the database file named in its
// connection text, runs its record source into a record set, keeps text boxes bound
// to fields of the current row, and shows a caption with four move buttons when it
// is visible. Grids bind to it (DataGrid).

#include "FieldTable.h"
#include "Recordset.h"

#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QToolButton;

class DataControl : public QWidget {
    Q_OBJECT
public:
    DataControl(QWidget* parent, const QString& name);
    // Lets go of the record set and the connection without writing anything and
    // without a message: edits that Close did not write are gone.
    ~DataControl() override;

    void SetConnectionString(const QString& text) { m_connectionString = text; }
    QString ConnectionString() const { return m_connectionString; }
    void SetRecordSource(const QString& sql, const QVariantList& values = {});
    QString RecordSource() const { return m_recordSource; }
    // The table the record set may write; empty: the set is read-only.
    void SetWritableTable(const QString& table) { m_writableTable = table; }
    QString WritableTable() const { return m_writableTable; }

    // Writes the pending edits, then opens the record set anew on the record source
    // and stands on its first row. Throws DbError (when the edits cannot be written
    // the set stays as it was, edits and all), also when a bound box names a field
    // the set lacks.
    void Refresh();
    // Writes the pending edits and closes the record set and the connection; edits
    // that cannot be written are reported (ShowFailure), never dropped silently.
    void Close();
    // Forgets the pending edits, for a window that drops them on purpose (and says so).
    void DropEdits();

    Recordset& Rs() { return m_rs; }
    // Runs the record set on a connection of the window's own (which the window opens
    // before the first refresh and closes after Close) instead of opening one.
    void UseConnection(DbConnection* connection) { m_shared = connection; }
    // The connection the record set runs on (null until the first refresh), for
    // statements and transactions that must share it with the set.
    DbConnection* Connection() const { return m_shared ? m_shared : m_conn.get(); }
    const Recordset& Rs() const { return m_rs; }

    void SetCaption(const QString& caption);
    QString Caption() const;

    // A box of any kind (text, multi-line, check box, option group, list) that
    // shows a field of the current row through its converter; what the user changes
    // in it goes into that field when the row is written (a value its converter does
    // not write becomes Null). A field the set lacks throws DbError: at once when
    // the set is open, else when it opens. Option buttons must exist when bound.
    void Bind(QWidget* box, const QString& field, FieldConverter converter = convert::Text());
    // Every row of a field table that names a field.
    void Bind(const FieldBoxes& boxes);

    // Run after every move of the record set.
    std::function<void()> MoveComplete;

private:
    void fillBoundBoxes();
    void pushBoundBoxes();

    QString m_connectionString;
    QString m_recordSource;
    QVariantList m_values;
    QString m_writableTable;
    std::unique_ptr<DbConnection> m_conn;
    DbConnection* m_shared = nullptr;
    Recordset m_rs;
    QLabel* m_caption = nullptr;
    void checkBindings() const;

    struct Binding {
        QPointer<QWidget> box;
        QString field;
        FieldConverter converter;
        bool changed = false;
    };
    QList<Binding> m_bindings;
    bool m_filling = false;
};

// The connection text of the application folder's database.
QString DatabaseConnectionString();
// The file a connection text names: its "Data Source=" part, or for the data source
// "DSN=qwdb" the installation's database file.
QString DataSourceOf(const QString& connectionString);

// Opens a data control on the database with the window's query: the connection
// text, the record source and the table its rows may be written to (none: read
// only), then a refresh, which stands on the first row.
void BindDataControl(DataControl& dc, const QString& query, const QString& writableTable,
                     const QVariantList& values = {});

// The four move buttons of the data-control windows.
void Cmdfst_Click(Recordset& rs);
void Cmdpre_Click(Recordset& rs);
void Cmdnxt_Click(Recordset& rs);
void Cmdlst_Click(Recordset& rs);

// One row on (back): a step past the end puts the set back on the last (first) row,
// tells the user and answers true, so a window that shows the row itself knows the
// boxes already hold it.
bool StepRecord(Recordset& rs, bool forward);
