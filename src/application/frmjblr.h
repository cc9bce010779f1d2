#pragma once
// 简表录入: the applications of the login category, one at a time on eight tabs,
// entered, checked field by field as they are typed, saved as new or edited, and
// browsed in a grid. One application is one row of xmsb.
#include "ApplicationFields.h"
#include "DateFields.h"
#include "MemberRows.h"
#include "RecordWindow.h"
#include "Recordset.h"
#include "VbToolbar.h"

// Its flags InsertFlag and ChangedFlag (RecordWindow) are read and set as the
// texts "1" and "0".
class frmjblr : public RecordWindow {
    Q_OBJECT
public:
    frmjblr();

    // The record set of the category's applications, bound to DataGrid1.
    Recordset& AppRecordset() { return Rs(); }
    const FieldBoxes& Fields() const { return m_fields; }

    // The tabs of SSTabjblr.
    enum { TabCover, TabProject, TabLeader, TabMembers, TabAbstract, TabPlan, TabInvestment, TabBrowse };

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

    // The record procedures over this window's boxes.
    void ShowRecord() override;
    void StoreRecord() override;
    void ClearFields() override;
    void LockFields() override;
    void UnlockFields() override;

    // The applications of the login category.
    RowQuery Rows() const override;
    QWidget* FirstBox() const override { return Box(QStringLiteral("txtnbbh")); }
    // A new application carries the login category.
    void StartNewRecord() override;
    // The shown application replaced; the suggested amount, which this window does
    // not keep, goes over into the new row.
    qint64 WriteEdit() override;

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

    // Field handlers.
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

    // The tab control and the toolbar.
    void TabChange();
    void Toolbar1_ButtonClick(const QString& key);

    FieldBoxes m_fields;
    int m_labels = 0;   // labels made so far, for their names
    // A date box's message, shown again when the box takes the focus back.
    QString m_heldMessage;
    // The member row ("1".."8") whose degree box last had the focus.
    QString CurrentDegreeRow;
    // The member rows whose title and unit boxes last had the focus ("0" after a unit pick).
    QString CurrentTitleRow;
    QString CurrentUnitRow;

    ControlPtr<VbToolbar> Toolbar1{this};
    ControlPtr<VbLabel> Label23{this};
    ControlPtr<VbLabel> Label29{this};
    ControlPtr<VbFrame> Frame1{this};
    ControlPtr<VbLabel> Label41{this};
    ControlPtr<VbTextBox> txtdqjls{this};
    ControlPtr<VbFrame> Frame2{this};
    ControlPtr<VbStatusBar> SBar{this};
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

    // The code tables as the pick lists were filled from them when the window
    // loaded, kept while it is open; the lookups ask the tables themselves
    // (CodeLookups.h), so that they find what the tables hold now.
    Recordset SubjectRecordset;
    Recordset UnitRecordset;
    Recordset LabRecordset;
    Recordset TitleRecordset;
    Recordset DeptRecordset;
};

namespace forms {
inline FormRef<::frmjblr> frmjblr;
}
