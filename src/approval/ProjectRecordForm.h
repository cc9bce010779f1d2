#pragma once
// What the approval-number window and the progress-evaluation window share: one
// approved project of a year at a time in entry boxes on the first tab, all of them
// in a grid on the second, the year spinner and the record count above, the save,
// new, cancel and exit buttons and the four move buttons below, the hints in the
// status bar, and the pick lists of category, subject and unit.
//
// A shown record is always the current row alone: the boxes are cleared before a
// row is shown. An edit writes exactly the current row (by its rowid) in one
// transaction; each window says which columns its edit writes.

#include "FieldTable.h"
#include "RecordLayouts.h"
#include "RecordWindow.h"
#include "Recordset.h"
#include "TickGrid.h"

#include <QPair>

class ProjectRecordForm : public RecordWindow {
    Q_OBJECT
public:
    struct Design {
        QString caption;
        const records::RecordLayout* layout = nullptr;   // the table the window keeps
        QString talentColumn;                            // the column the talent box stands for
        QString yearCaption;
        QString entryTabCaption;
        // The grid's columns: caption and field.
        QList<QPair<QString, QString>> columns;
        // The rows of the year in the box (bound to ?), in the window's order.
        QString yearFilter;
        QString order;
        // The progress evaluation: the evaluation options, typed start and end
        // months, the amount 0 shown, new records.
        bool evaluates = false;
        // Where picking a unit moves the focus.
        QString afterUnit;
    };

    // The grid columns both windows show first: approval number, category, name,
    // leader, subject, unit, amount, start and end month; the captions of the
    // category and the name are each window's own.
    static QList<QPair<QString, QString>> ProjectColumns(const QString& categoryCaption, const QString& nameCaption);

    // The evaluation options, as their captions are stored.
    static const QStringList& EvaluationCaptions();

protected:
    ProjectRecordForm(const QString& name, Design design);

    void SetupUi() override;
    void Form_Load() override;

    // The columns an edit writes into the current row, with their values.
    virtual QList<QPair<QString, QVariant>> EditedValues() const = 0;

    // Record procedures.
    void ShowRecord() override;
    void StoreRecord() override;
    void ClearFields() override;
    void LockFields() override;
    void UnlockFields() override;

    RowQuery Rows() const override;
    QWidget* FirstBox() const override { return Txtxmlb; }
    void SetBrowsing(bool on) override;
    // The shown row updated in place, the columns of EditedValues.
    qint64 WriteEdit() override;

    // Reads the rows of the year in the box anew and stands on the first.
    void OpenYear();
    QString Year() const;
    const FieldBoxes& Fields() const { return m_fields; }

    void cmdSpin_Changed();
    void Txtxmlb_Change();

    ControlPtr<VbLabel> Label1{this};
    ControlPtr<VbLabel> Label2{this};
    ControlPtr<YearSpinner> year{this};
    ControlPtr<VbFrame> Frame1{this};
    ControlPtr<VbTextBox> Txtxmlb{this};
    ControlPtr<VbTextBox> txtxmbh{this};
    ControlPtr<VbTextBox> txtxmmc{this};
    ControlPtr<VbTextBox> txtxmfzr{this};
    ControlPtr<VbTextBox> txtxkdm{this};
    ControlPtr<VbTextBox> txtxkmc{this};
    ControlPtr<VbTextBox> txtpzje{this};
    ControlPtr<VbTextBox> txtqssj{this};
    ControlPtr<VbTextBox> txtzzsj{this};
    ControlPtr<VbCheckBox> Chkbz{this};
    ControlPtr<VbFrame> Option1{this};
    ControlPtr<VbListBox> Lstxmlb{this};
    ControlPtr<VbListBox> lstxkdm{this};
    ControlPtr<VbListBox> lstszdw{this};
    ControlPtr<VbFrame> Frame2{this};
    ControlPtr<VbStatusBar> SBar{this};

    const Design m_design;

private:
    void BuildEntryTab(QWidget* page);
    void BuildButtons();
    void Txtxmlb_DblClick();
    void txtxkdm_DblClick();
    void txtszdw_DblClick();
    void txtszdw_LostFocus();
    void Lstxmlb_Click();
    void lstxkdm_Click();
    void lstszdw_Click();

    FieldBoxes m_fields;
    // The code tables behind the subject and the unit lists.
    Recordset SubjectRs;
    Recordset UnitRs;
};
