#pragma once
// The two read-only browsing windows of applications (not approved, approved): the
// application window's record boxes on its tabs, the category's rows of one table
// in the grid of the tab "浏览", the four move buttons and exit. They never write:
// their record set is read-only, and what is typed into a box goes nowhere.
//
// The boxes have the application window's names and its field table; ShowRecord and
// ClearFields are the application window's. LockFields disables only the six key
// boxes, no tab.

#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"
#include "Db.h"
#include "FieldTable.h"
#include "RecordLayouts.h"
#include "VbForm.h"

struct BrowseMember {
    QString caption;
    QString table;
};

class BrowseWindow : public VbForm {
    Q_OBJECT
public:
    BrowseWindow(const QString& formName, BrowseMember member);

    void ShowRecord();
    void ClearFields();
    void LockFields();
    void UnlockFields();

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    void BuildCover(QWidget* page);
    void BuildResearch(QWidget* page);
    void BuildLeader(QWidget* page);
    void BuildMembers(QWidget* page);
    void BuildAbstract(QWidget* page);
    void BuildPlan(QWidget* page);
    void BuildInvestment(QWidget* page);
    // A caption and the box of a column, placed at a row of a page's field columns.
    void PlaceField(QWidget* page, const QString& column, int left, int top, int labelWidth, int boxWidth);
    QWidget* MakeBox(QWidget* page, const records::Column& c);

    void Navigate(void (*move)(Recordset&));
    void TabChange();
    Recordset& Rs() { return data1->Rs(); }

    BrowseMember m;
    DbConnection m_db;
    // Every box of the record.
    FieldBoxes m_fields;

    ControlPtr<VbTab> SSTabjblr{this};
    ControlPtr<DataGrid> DataGrid1{this};
    ControlPtr<DataControl> data1{this};
    ControlPtr<VbLabel> lblxmlb{this};
    ControlPtr<VbLabel> lblxmmc{this};
    ControlPtr<VbLabel> Label23{this};
    ControlPtr<VbLabel> Label29{this};
    ControlPtr<VbButton> Cmdfst{this};
    ControlPtr<VbButton> Cmdpre{this};
    ControlPtr<VbButton> Cmdnxt{this};
    ControlPtr<VbButton> Cmdlst{this};
    ControlPtr<VbButton> Cmdexit{this};
    ControlPtr<VbTextBox> txtzjls{this};
};
