#pragma once
// The record windows: the rows of one query in a grid on a tab of their own, one row
// at a time in entry boxes on the other tabs, the record count, and the buttons
// 录入 (new), 保存 (save), 放弃 (cancel), 退出 (exit) and the four moves.
//
// What they have in common lives here: the two flags, the browse and new-entry
// states, the moves through the data control with the messages past either end, and
// the save: its question, one transaction, then the saved row read back and put where
// reading the rows again would put it. Each window keeps its own boxes and record
// procedures (ShowRecord, StoreRecord, ClearFields, LockFields, UnlockFields), its
// layout, its query, and what its edit writes.
//
// The data control reads its rows on the window's own connection, so that the save's
// transaction covers the record set's writes as well as the window's statements.

#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"
#include "Db.h"
#include "VbForm.h"

#include <functional>

// A flag of a record window, on or off. The application window keeps its flags as
// the texts "1" and "0": a flag takes and gives those texts too ("1" is on, any other
// text off).
class RecordFlag {
public:
    RecordFlag& operator=(bool on)
    {
        m_on = on;
        return *this;
    }
    RecordFlag& operator=(const QString& text)
    {
        m_on = text == QLatin1String("1");
        return *this;
    }
    RecordFlag& operator=(const char* text) { return *this = QString::fromLatin1(text); }

    explicit operator bool() const { return m_on; }
    QString Text() const { return m_on ? QStringLiteral("1") : QStringLiteral("0"); }
    operator QString() const { return Text(); }
    friend bool operator==(const RecordFlag& flag, const QString& text) { return flag.Text() == text; }

private:
    bool m_on = false;
};

class RecordWindow : public VbForm {
    Q_OBJECT
public:
    // On from 录入 until the new record is saved or abandoned.
    RecordFlag InsertFlag;
    // On once a box changed (typed, or written by the window itself in showing,
    // clearing or filling a record); off after a save, before an edit's question and
    // after 放弃.
    RecordFlag ChangedFlag;

protected:
    // `browseTab`: the tab of the grid; `questionIcon`: the icon of the save's two
    // questions (platform::vbNoIcon for none).
    RecordWindow(const QString& name, int browseTab, int questionIcon);

    // The window's rows: select <columns> from <table> [where <filter>] order by
    // <order>, the filter's ? bound to `values`. The order ends with the rowid, so
    // that rows with equal keys come in the same order at every read.
    struct RowQuery {
        QString columns = QStringLiteral("*");
        QString table{};
        QString filter{};
        QVariantList values{};
        QString order{};
    };
    virtual RowQuery Rows() const = 0;
    // Reads the rows (Rows()) into the data control, on the window's connection, and
    // stands on the first. Throws DbError.
    void OpenRows();
    Recordset& Rs() { return RowData->Rs(); }
    const Recordset& Rs() const { return RowData->Rs(); }
    // After the rows are read: the record count shown, then the first record, or the
    // boxes locked when there is none.
    void ShowFirstRecord();

    // The record procedures over the window's own boxes.
    virtual void ShowRecord() = 0;
    virtual void StoreRecord() = 0;
    virtual void ClearFields() = 0;
    virtual void LockFields() = 0;
    virtual void UnlockFields() = 0;

    // The box that takes the focus after a command. Disabled, it tells that the boxes
    // are locked.
    virtual QWidget* FirstBox() const = 0;
    // What a new record starts with besides the applicant unit.
    virtual void StartNewRecord() {}
    // The moves, 录入 and the grid's tab on for browsing, off for a new entry.
    virtual void SetBrowsing(bool on);
    // Writes the edit of the shown record inside the save's transaction and answers
    // the rowid of the saved row, or 0 when the table has no row to write. By default
    // the shown row is replaced (ReplaceShownRow).
    virtual qint64 WriteEdit();
    // The shown row deleted and added again from the boxes (StoreRecord, then `more`
    // on the new row), and written. Answers the new row's rowid.
    qint64 ReplaceShownRow(const std::function<void()>& more = {});
    // After an edit has been saved and the set stands on the saved row.
    virtual void EditSaved() {}

    void MarkChanged() { ChangedFlag = true; }

    // The flags off, as a window starts.
    void Form_Load() override;
    // The rows and the connection closed, the main window enabled again.
    void Form_Unload() override;

    // The buttons and the grid's row change to their handlers; the window calls it
    // once it has made them.
    void ConnectCommands();

    void cmdinsert_Click();
    void Cmdupd_Click();
    void cmdcancel_Click();
    void Cmdfst_Click() { MoveToEnd(false); }
    void Cmdpre_Click() { Step(false); }
    void Cmdnxt_Click() { Step(true); }
    void Cmdlst_Click() { MoveToEnd(true); }
    void GridRowChange();

    // The window's own connection, which its record sets share.
    DbConnection m_db;

    ControlPtr<VbTab> SSTabjblr{this};
    ControlPtr<DataControl> RowData{this};
    ControlPtr<DataGrid> DataGrid1{this};
    ControlPtr<VbTextBox> txtzjls{this};
    ControlPtr<VbTextBox> txtszdw{this};
    ControlPtr<VbButton> Cmdfst{this};
    ControlPtr<VbButton> Cmdpre{this};
    ControlPtr<VbButton> Cmdnxt{this};
    ControlPtr<VbButton> Cmdlst{this};
    ControlPtr<VbButton> cmdinsert{this};
    ControlPtr<VbButton> Cmdupd{this};
    ControlPtr<VbButton> cmdcancel{this};
    ControlPtr<VbButton> Cmdexit{this};

private:
    void MoveToEnd(bool last);
    void Step(bool forward);
    void SaveNew();
    void SaveEdit();
    // The index of the row `rowid` in the set, -1 when it has none.
    int IndexOfRow(qint64 rowid) const;
    // The set back on the row `rowid`, no new row pending; false when it has no such
    // row.
    bool ReturnToRow(qint64 rowid);
    // The saved row as reading the rows again would show it, and the set on it.
    void ShowSavedRow(qint64 rowid);

    const int m_browseTab;
    const int m_questionIcon;
    // The set's rows stand in the query's order (a new record stays at the end until
    // the rows are read again).
    bool m_rowsInOrder = true;
};
