#pragma once
// The completion-report window: every report of table xmjt listed in a grid on the
// last tab, one report at a time in the boxes of four tabs, a new report entered or
// the shown one corrected and saved. The boxes come from the record layout of xmjt
// (CompletionFields.h).

#include "FieldTable.h"
#include "RecordWindow.h"
#include "Recordset.h"

class frmjtbg : public RecordWindow {
    Q_OBJECT
public:
    frmjtbg();

    // The box of a column's control by its object name ("txtxmmc", "Txtcjrs_3").
    QWidget* Box(const QString& name) const { return m_fields.Box(name); }
    VbTextBox* TextBox(const QString& name) const { return m_fields.BoxAs<VbTextBox>(name); }

protected:
    void SetupUi() override;
    void Form_Load() override;

private:
    // The record procedures.
    void ShowRecord() override;
    void StoreRecord() override;
    QVariantList StoredValues() const;
    void ClearFields() override;
    void LockFields() override;
    void UnlockFields() override;
    void SumParticipants();

    RowQuery Rows() const override;
    QWidget* FirstBox() const override { return Txtxmlb; }
    // A new report starts without a participants' total.
    void StartNewRecord() override;
    // The saved report shown again, as it is stored.
    void EditSaved() override { ShowRecord(); }

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

    ControlPtr<VbStatusBar> SBar{this};
    ControlPtr<VbListBox> Lstxmlb{this};
    ControlPtr<VbListBox> lstszdw{this};
    ControlPtr<VbListBox> lstzc{this};
    ControlPtr<VbListBox> lstxw{this};
    ControlPtr<VbCheckBox> Chkbz{this};
    ControlPtr<VbTextBox> Txtxmlb{this};
    ControlPtr<VbTextBox> txtzc{this};
    ControlPtr<VbTextBox> txtzcdm{this};
    ControlPtr<VbTextBox> txtxw{this};
    ControlPtr<VbTextBox> txtpa{this};

    FieldBoxes m_fields;
    // The code tables behind the unit and the title lists.
    Recordset UnitRs;
    Recordset TitleRs;
    int m_labels = 0;
};

namespace forms {
inline FormRef<::frmjtbg> frmjtbg;
}
