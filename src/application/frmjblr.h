#pragma once
// 简表录入: the applications of the login category, one at a time on eight tabs,
// entered, checked field by field as they are typed, saved as new or edited, and
// browsed in a grid. One application is one row of xmsb.
#include "ApplicationFields.h"
#include "Controls.h"
#include "DataGrid.h"
#include "DateFields.h"
#include "MemberRows.h"
#include "Db.h"
#include "Recordset.h"
#include "VbForm.h"
#include "VbToolbar.h"

class frmjblr : public VbForm {
    Q_OBJECT
public:
    frmjblr();

    // "1" while a new application is being entered, else "0".
    QString InsertFlag;
    // "1" once a box's text changed since the last save.
    QString ChangedFlag;

    // The record set of the category's applications, bound to DataGrid1.
    Recordset& AppRecordset() { return Adodc1->Rs(); }
    const FieldBoxes& Fields() const { return m_fields; }

    // The tabs of SSTabjblr.
    enum { TabCover, TabProject, TabLeader, TabMembers, TabAbstract, TabPlan, TabInvestment, TabBrowse };

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    // Building the window.
    QWidget* AddPage(const QString& caption);
    VbLabel* AddLabel(QWidget* page, const QString& caption, int left, int top, int width,
                      Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter);
    VbLabel* AddLabelBefore(QWidget* page, const QString& caption, int boxLeft, int top, int width, int boxHeight);
    QWidget* AddBox(QWidget* page, const QString& name, int left, int top, int width, int height = 300);
    VbListBox* AddList(QWidget* page, const QString& name, int left, int top, int width, int height);
    void BuildCover(QWidget* page);
    void BuildProject(QWidget* page);
    void BuildLeader(QWidget* page);
    void BuildMembers(QWidget* page);
    void BuildAbstract(QWidget* page);
    void BuildPlan(QWidget* page);
    void BuildInvestment(QWidget* page);
    void BuildBrowse(QWidget* page);
    void BuildCommands();
    void ConnectKeys();

    VbTextBox* Text(const QString& box) const { return m_fields.BoxAs<VbTextBox>(box); }
    QWidget* Box(const QString& box) const { return m_fields.Box(box); }

    // The record procedures over this window's boxes.
    void ShowRecord();
    void StoreRecord();
    void ClearFields();
    void LockFields();
    void UnlockFields();

    // Field handlers.
    void MarkChanged() { ChangedFlag = QStringLiteral("1"); }
    void EnterToTab(int& keyAscii);
    // What a date check asks: the box's text, the first panel, the tab, the focus.
    void Apply(const FieldOutcome& outcome, VbTextBox* box, DateStep step);
    void SwitchTab(int tab, const QString& focus);
    void SumInvestment();

    // Pick lists.
    void ConnectLookups();
    // A shared member list opened at the Top of a row ("1".."8").
    void ShowMemberList(VbListBox* list, const QString& row);
    void ShowUnitList();     // beside the row whose unit box last had the focus
    void ShowDegreeList();   // beside the row whose degree box last had the focus
    void ConnectMemberRows();
    MemberRows ReadMemberRows() const;
    void WriteMemberRows(const MemberRows& rows);
    // F2 and F3 in the name box of member row `row` (1..8).
    void MemberRowKey(int keyCode, int row);
    void RemoveMemberRow(int row);
    void ResolveMemberTitle();
    void ResolveMemberUnit();
    void PickFromList(VbListBox* list);
    void ResolveTitleCode();
    void CountStaff();
    void CountUnits();

    // Commands.
    void cmdinsert_Click();
    void Cmdupd_Click();
    void cmdcancel_Click();
    void Cmdfst_Click();
    void Cmdpre_Click();
    void Cmdnxt_Click();
    void Cmdlst_Click();
    void Cmdexit_Click();
    void GridRowChange();
    void TabChange();
    void Toolbar1_ButtonClick(const QString& key);

    // First or last row; one row on or back, with the message past either end.
    void MoveToEnd(bool last);
    void Step(bool forward);
    void SaveNew();
    void SaveEdit();
    // The set back on the row `rowid`, no new row pending (after a failed save, or on
    // the saved row after a save); false when the set has no such row.
    bool ReturnToRow(qint64 rowid);
    // After an edit: the saved row (the set's last) read back and moved to where the
    // window's order puts it, as reading all rows again would show it.
    void PlaceSavedRow();
    void SetBrowsing(bool on);
    // Fills a pick list (and its twin) from a code table, one item per row: the code,
    // "、" and the name, or the name alone.
    void FillList(Recordset& rs, const QString& sql, bool withCode, VbListBox* list, VbListBox* second = nullptr);

    // AppConnection: the window's own connection, which the record sets share.
    DbConnection m_db{QStringLiteral("frmjblr")};
    FieldBoxes m_fields;
    int m_labels = 0;   // labels made so far, for their names
    // The set's rows stand in the window's order (a new application stays at the end
    // until the rows are read again).
    bool m_rowsInOrder = true;
    // A date box's message, shown again when the box takes the focus back.
    QString m_heldMessage;
    // The member row ("1".."8") whose degree box last had the focus.
    QString CurrentDegreeRow;
    // The member rows whose title and unit boxes last had the focus ("0" after a unit pick).
    QString CurrentTitleRow;
    QString CurrentUnitRow;

    ControlPtr<VbToolbar> Toolbar1{this};
    ControlPtr<VbTab> SSTabjblr{this};
    ControlPtr<VbLabel> Label23{this};
    ControlPtr<VbLabel> Label29{this};
    ControlPtr<VbFrame> Frame1{this};
    ControlPtr<VbTextBox> txtzjls{this};
    ControlPtr<VbLabel> Label41{this};
    ControlPtr<VbTextBox> txtdqjls{this};
    ControlPtr<VbButton> Cmdfst{this};
    ControlPtr<VbButton> Cmdpre{this};
    ControlPtr<VbButton> Cmdnxt{this};
    ControlPtr<VbButton> Cmdlst{this};
    ControlPtr<VbButton> cmdinsert{this};
    ControlPtr<VbFrame> Frame2{this};
    ControlPtr<VbButton> Cmdupd{this};
    ControlPtr<VbButton> cmdcancel{this};
    ControlPtr<VbButton> Cmdexit{this};
    ControlPtr<VbStatusBar> SBar{this};
    ControlPtr<DataControl> Adodc1{this};
    ControlPtr<DataGrid> DataGrid1{this};
    ControlPtr<VbListBox> lstxkdm{this};
    ControlPtr<VbListBox> lstszdw{this};
    QRect m_unitListTw;   // the unit list's place on the cover page
    ControlPtr<VbListBox> lstszdw1{this};
    ControlPtr<VbListBox> lstsys{this};
    ControlPtr<VbListBox> lstzc{this};
    ControlPtr<VbListBox> lstzc1{this};
    ControlPtr<VbListBox> lstszxs{this};
    ControlPtr<VbListBox> lstyjlb{this};
    ControlPtr<VbListBox> lstxb{this};
    ControlPtr<VbListBox> lstsbd{this};
    ControlPtr<VbListBox> lstxw{this};
    ControlPtr<VbListBox> lstxw1{this};

    // The code tables, read when the window loads; the lookups walk them again.
    Recordset SubjectRecordset;
    Recordset UnitRecordset;
    Recordset LabRecordset;
    Recordset TitleRecordset;
    Recordset DeptRecordset;
};

namespace forms {
inline FormRef<::frmjblr> frmjblr;
}
