#pragma once
// The completion-report window: every report of table xmjt listed in a grid on the
// last tab, one report at a time in the boxes of four tabs, a new report entered or
// the shown one corrected and saved. The boxes come from the record layout of xmjt
// (CompletionFields.h).

#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"
#include "Db.h"
#include "FieldTable.h"
#include "VbForm.h"

class frmjtbg : public VbForm {
    Q_OBJECT
public:
    frmjtbg();

    // The box of a column's control by its object name ("txtxmmc", "Txtcjrs_3").
    QWidget* Box(const QString& name) const { return m_fields.Box(name); }
    VbTextBox* TextBox(const QString& name) const { return m_fields.BoxAs<VbTextBox>(name); }
    QString InsertFlag() const { return m_insertFlag; }
    QString ChangedFlag() const { return m_changedFlag; }

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    Recordset& ReportRs() { return ReportData->Rs(); }

    // The record procedures.
    void ShowRecord();
    void StoreRecord();
    QVariantList StoredValues() const;
    void ClearFields();
    void LockFields();
    void UnlockFields();
    void SumParticipants();
    void MarkChanged() { m_changedFlag = QStringLiteral("1"); }

    // Layout of the pages.
    void BuildBasicPage(QWidget* page);
    void BuildWorksPage(QWidget* page);
    void BuildAwardsPage(QWidget* page);
    void BuildSummaryPage(QWidget* page);
    VbLabel* Caption(QWidget* parent, const QString& text, int left, int top, int width, int height = 300,
                     Qt::Alignment align = Qt::AlignCenter);
    QWidget* PlaceBox(const QString& name, QWidget* parent, int left, int top, int width, int height = 300);
    struct CountColumn;
    void BuildCountGrid(QWidget* frame, const QString& array, const QStringList& subject,
                        const QList<CountColumn>& cols, const QStringList& rowLabels, int colWidth);
    void WireBoxes();

    void FillCodeList(VbListBox* list, const QString& table, const QString& codeColumn);
    void SetButtons(bool browsing);
    void Navigate(void (*move)(Recordset&), bool showSameRow);
    void AfterSave();
    void SaveEdited();
    void SaveNew();

    void cmdinsert_Click();
    void cmdcancel_Click();
    void Cmdupd_Click();
    void GridRowChange();
    void TabChange();
    void ShowLookupList(VbListBox* list, const QString& hint);
    void HideLookupList(VbListBox* list);
    void Txtxmlb_Change();
    void txtszdw_LostFocus();
    void txtzc_LostFocus();
    void Lstxmlb_Click();
    void lstszdw_Click();
    void lstzc_Click();
    void lstxw_Click();

    ControlPtr<VbTab> SSTabjblr{this};
    ControlPtr<DataGrid> DataGrid1{this};
    ControlPtr<DataControl> ReportData{this};
    ControlPtr<VbStatusBar> SBar{this};
    ControlPtr<VbListBox> Lstxmlb{this};
    ControlPtr<VbListBox> lstszdw{this};
    ControlPtr<VbListBox> lstzc{this};
    ControlPtr<VbListBox> lstxw{this};
    ControlPtr<VbButton> cmdinsert{this};
    ControlPtr<VbButton> Cmdupd{this};
    ControlPtr<VbButton> cmdcancel{this};
    ControlPtr<VbButton> Cmdexit{this};
    ControlPtr<VbButton> Cmdfst{this};
    ControlPtr<VbButton> Cmdpre{this};
    ControlPtr<VbButton> Cmdnxt{this};
    ControlPtr<VbButton> Cmdlst{this};
    ControlPtr<VbTextBox> txtzjls{this};
    ControlPtr<VbCheckBox> Chkbz{this};
    ControlPtr<VbTextBox> Txtxmlb{this};
    ControlPtr<VbTextBox> txtszdw{this};
    ControlPtr<VbTextBox> txtzc{this};
    ControlPtr<VbTextBox> txtzcdm{this};
    ControlPtr<VbTextBox> txtxw{this};
    ControlPtr<VbTextBox> txtpa{this};

    FieldBoxes m_fields;
    DbConnection m_db{QStringLiteral("frmjtbg")};
    QString m_insertFlag;
    QString m_changedFlag;
    int m_labels = 0;
};

namespace forms {
inline FormRef<::frmjtbg> frmjtbg;
}
