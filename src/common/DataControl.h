#pragma once
// The data control: it opens its own connection on the database file named in its
// connection text, runs its record source into a record set, keeps text boxes bound
// to fields of the current row, and shows a caption with four move buttons when it
// is visible. Grids bind to it (DataGrid).

#include "Recordset.h"

#include <QHash>
#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class VbTextBox;
class QToolButton;

class DataControl : public QWidget {
    Q_OBJECT
public:
    DataControl(QWidget* parent, const QString& name);
    ~DataControl() override;

    void SetConnectionString(const QString& text) { m_connectionString = text; }
    QString ConnectionString() const { return m_connectionString; }
    void SetRecordSource(const QString& sql, const QVariantList& values = {});
    QString RecordSource() const { return m_recordSource; }
    // The table the record set may write; empty: the set is read-only.
    void SetWritableTable(const QString& table) { m_writableTable = table; }
    QString WritableTable() const { return m_writableTable; }

    // Opens the record set anew on the record source (pending edits are dropped)
    // and stands on its first row. Throws DbError.
    void Refresh();
    // Closes the record set and the connection.
    void Close();

    Recordset& Rs() { return m_rs; }
    const Recordset& Rs() const { return m_rs; }

    void SetCaption(const QString& caption);
    QString Caption() const;

    // A text box that shows a field of the current row; what is typed into it goes
    // into that field when the row is written.
    void Bind(VbTextBox* box, const QString& field);

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
    Recordset m_rs;
    QLabel* m_caption = nullptr;
    struct Binding {
        QPointer<VbTextBox> box;
        QString field;
        bool changed = false;
    };
    QList<Binding> m_bindings;
    bool m_filling = false;
};

// The connection text of the application folder's database.
QString DatabaseConnectionString();
// The file a connection text names (its "Data Source=" part).
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
