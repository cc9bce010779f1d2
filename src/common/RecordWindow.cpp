#include "RecordWindow.h"

#include "Failure.h"
#include "ModVar.h"
#include "Platform.h"
#include "RowPosition.h"
#include "Transaction.h"
#include "VbText.h"

using namespace platform;

namespace {

const QString kTitle = QStringLiteral("提示信息");
const QString kNewQuestion = QStringLiteral("保存数据前必须确认数据准确无误，然后保存。数据正确吗？");
const QString kEditQuestion = QStringLiteral("保存数据前必须确认修改数据准确无误，然后保存。数据正确吗？");
const QString kSaveFailed = QStringLiteral("数据错误，请检查数据或与vero科技处联系！");
const QString kNoRow = QStringLiteral("没有找到要修改的记录，数据没有保存！");

}  // namespace

RecordWindow::RecordWindow(const QString& name, int browseTab, int questionIcon)
    : VbForm(name), m_db(name), m_browseTab(browseTab), m_questionIcon(questionIcon)
{
}

void RecordWindow::Form_Load()
{
    InsertFlag = false;
    ChangedFlag = false;
}

void RecordWindow::Form_Unload()
{
    if (RowData)
        RowData->Close();
    m_db.Close();
    ReleaseMainWindow();
}

void RecordWindow::ConnectCommands()
{
    cmdinsert->Click = [this] { cmdinsert_Click(); };
    Cmdupd->Click = [this] { Cmdupd_Click(); };
    cmdcancel->Click = [this] { cmdcancel_Click(); };
    Cmdexit->Click = [this] { Unload(); };
    Cmdfst->Click = [this] { Cmdfst_Click(); };
    Cmdpre->Click = [this] { Cmdpre_Click(); };
    Cmdnxt->Click = [this] { Cmdnxt_Click(); };
    Cmdlst->Click = [this] { Cmdlst_Click(); };
    DataGrid1->RowColChange = [this] { GridRowChange(); };
}

// ---------------------------------------------------------------- rows

void RecordWindow::OpenRows()
{
    const RowQuery q = Rows();
    QString sql = QStringLiteral("select %1 from %2").arg(q.columns, q.table);
    if (!q.filter.isEmpty())
        sql += QStringLiteral(" where ") + q.filter;
    sql += QStringLiteral(" order by ") + q.order;
    RowData->UseConnection(&m_db);
    BindDataControl(*RowData, sql, q.table, q.values);
    m_rowsInOrder = true;
}

void RecordWindow::ShowFirstRecord()
{
    Recordset& rs = Rs();
    txtzjls->SetText(QString::number(rs.RecordCount()));
    if (rs.RecordCount() < 1) {
        LockFields();
        return;
    }
    {
        RowChangeHold hold(DataGrid1);
        rs.MoveFirst();
    }
    ClearFields();
    ShowRecord();
}

int RecordWindow::IndexOfRow(qint64 rowid) const
{
    const Recordset& rs = Rs();
    // The shown row, or one just added at the end, as a rule.
    if (rs.CurrentIndex() >= 0 && rs.RowId(rs.CurrentIndex()) == rowid)
        return rs.CurrentIndex();
    for (int i = rs.RecordCount() - 1; i >= 0; --i)
        if (rs.RowId(i) == rowid)
            return i;
    return -1;
}

bool RecordWindow::ReturnToRow(qint64 rowid)
{
    Recordset& rs = Rs();
    if (rs.NewRowPending())
        rs.CancelUpdate();
    const int at = rowid != 0 ? IndexOfRow(rowid) : -1;
    if (at < 0)
        return false;
    rs.MoveTo(at);
    return true;
}

void RecordWindow::ShowSavedRow(qint64 rowid)
{
    Recordset& rs = Rs();
    // The table changed by this row alone: unless a new record left the rows out of
    // order, the saved row is read back and moved to where the query puts it among
    // the others, as the database orders them (under the columns' own collation).
    bool placed = false;
    if (m_rowsInOrder) {
        try {
            const int at = IndexOfRow(rowid);
            if (at >= 0) {
                rs.RereadRow(at);
                const RowQuery q = Rows();
                const int to = SortedRowPosition(m_db, q.table, q.order, rowid, rs.RecordCount() - 1,
                                                 [&rs, at](int i) { return rs.RowId(i < at ? i : i + 1); });
                rs.MoveRow(at, to);
                placed = true;
            }
        } catch (const DbError&) {
            // Read all the rows instead.
        }
    }
    if (!placed) {
        BusyCursor busy;
        try {
            rs.Requery();
            m_rowsInOrder = true;
        } catch (const DbError& e) {
            ShowFailure(e);
        }
    }
    // On the saved record itself: another with the same texts is not the one the
    // boxes show.
    if (!ReturnToRow(rowid) && rs.RecordCount() > 0) {
        rs.MoveLast();
        rs.MoveNext();
    }
}

// ---------------------------------------------------------------- moves

void RecordWindow::MoveToEnd(bool last)
{
    Recordset& rs = Rs();
    if (rs.RecordCount() <= 0)
        return;
    RowChangeHold hold(DataGrid1);
    last ? rs.MoveLast() : rs.MoveFirst();
    ClearFields();
    ShowRecord();
}

void RecordWindow::Step(bool forward)
{
    Recordset& rs = Rs();
    RowChangeHold hold(DataGrid1);
    // Past the end the set goes back to the end row, whose texts the boxes still show.
    if (!StepRecord(rs, forward) && rs.HasCurrentRow()) {
        ClearFields();
        ShowRecord();
    }
}

void RecordWindow::GridRowChange()
{
    if (!Rs().HasCurrentRow())
        return;
    ClearFields();
    ShowRecord();
}

// ---------------------------------------------------------------- new, cancel, save

void RecordWindow::SetBrowsing(bool on)
{
    for (VbButton* b : {Cmdfst.get(), Cmdpre.get(), Cmdnxt.get(), Cmdlst.get(), cmdinsert.get()})
        b->setEnabled(on);
    SSTabjblr->SetTabEnabled(m_browseTab, on);
}

void RecordWindow::cmdinsert_Click()
{
    SetBrowsing(false);
    ClearFields();
    InsertFlag = true;
    StartNewRecord();
    if (!Trim(gAppUnitName).isEmpty())
        txtszdw->SetText(gAppUnitName);
    if (!FirstBox()->isEnabled()) {
        UnlockFields();
        // A window that locks the grid's tab with the others has opened it again.
        SSTabjblr->SetTabEnabled(m_browseTab, false);
    }
    SetFocus(FirstBox());
}

void RecordWindow::cmdcancel_Click()
{
    SetBrowsing(true);
    Recordset& rs = Rs();
    if (rs.RecordCount() < 1) {
        ClearFields();
        LockFields();
    } else {
        // A save that did not find its row may have left the set past its last row.
        if (!rs.HasCurrentRow()) {
            RowChangeHold hold(DataGrid1);
            rs.MoveFirst();
        }
        // The abandoned entry leaves nothing behind in the boxes.
        ClearFields();
        ShowRecord();
        SetFocus(FirstBox());
    }
    SSTabjblr->SetTab(0);
    InsertFlag = false;
    ChangedFlag = false;
}

void RecordWindow::Cmdupd_Click()
{
    if (!Rs().IsOpen())
        return;
    if (InsertFlag)
        SaveNew();
    else
        SaveEdit();
}

void RecordWindow::SaveNew()
{
    if (MsgBox(kNewQuestion, vbYesNo + m_questionIcon, kTitle) != vbYes)
        return;
    Recordset& rs = Rs();
    const qint64 shown = rs.HasCurrentRow() ? rs.RowId(rs.CurrentIndex()) : 0;
    {
        // The boxes keep what was typed, whatever the set does meanwhile.
        RowChangeHold hold(DataGrid1);
        try {
            Transaction t(m_db);
            rs.AddNew();
            StoreRecord();
            rs.UpdateBatch();
            t.Commit();
        } catch (const std::exception& e) {
            // Nothing is stored; the entry stays in the boxes for another try.
            ReturnToRow(shown);
            ShowFailure(kSaveFailed, e, vbOKOnly, kTitle);
            return;
        }
    }
    ChangedFlag = false;
    InsertFlag = false;
    // The new record stays at the end, where the set now stands, until the rows are
    // read again.
    m_rowsInOrder = false;
    txtzjls->SetText(PlainNumber(Val(txtzjls->Text()) + 1));
    SetBrowsing(true);
    SSTabjblr->SetTab(0);
    SetFocus(FirstBox());
}

qint64 RecordWindow::WriteEdit() { return ReplaceShownRow(); }

qint64 RecordWindow::ReplaceShownRow(const std::function<void()>& more)
{
    Recordset& rs = Rs();
    rs.Delete();
    rs.AddNew();
    StoreRecord();
    if (more)
        more();
    rs.UpdateBatch();
    return rs.RowId(rs.RecordCount() - 1);
}

void RecordWindow::SaveEdit()
{
    Recordset& rs = Rs();
    if (!ChangedFlag || !rs.HasCurrentRow())
        return;
    ChangedFlag = false;
    if (MsgBox(kEditQuestion, vbYesNo + m_questionIcon, kTitle) != vbYes)
        return;
    {
        RowChangeHold hold(DataGrid1);
        // Exactly the row shown is written, by its rowid.
        const qint64 edited = rs.RowId(rs.CurrentIndex());
        qint64 saved = 0;
        try {
            Transaction t(m_db);
            saved = WriteEdit();
            t.Commit();
        } catch (const std::exception& e) {
            // Rolled back: the table and the typed values stay as they were, to be
            // saved again.
            ReturnToRow(edited);
            ChangedFlag = true;
            ShowFailure(kSaveFailed, e, vbOKOnly, kTitle);
            return;
        }
        if (saved == 0) {
            ChangedFlag = true;
            MsgBox(kNoRow, vbOKOnly + vbExclamation, kTitle);
            return;
        }
        ShowSavedRow(saved);
    }
    EditSaved();
    SetBrowsing(true);
    SSTabjblr->SetTab(0);
    SetFocus(FirstBox());
    txtzjls->SetText(QString::number(rs.RecordCount()));
}
