#pragma once
// Expert scoring: up to six experts score the projects of one subject group of one
// year. The group's projects are copied from sh into the scratch table zjdfcopy and
// listed in a grid; for the project of the current row each expert who takes part is
// ticked and given a score; "确  定" merges the scratch rows into zjdf, "退  出"
// merges or discards them and closes the window. No menu item opens it.
//
// The six inputs show the scores of the row on show. What is typed into them goes
// into that row whenever the row is left (a move in the grid, confirm, exit), so that
// nothing typed is lost; a score out of range keeps the grid on its row. A merge
// overwrites a stored row only with values that were given: an empty scratch value
// leaves the stored one, and a row already stored is never added a second time.
#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"
#include "VbForm.h"

#include <QComboBox>

class frmzjdf : public VbForm {
    Q_OBJECT
public:
    frmzjdf();

    static constexpr int kExperts = 6;
    // The columns that a scoring row carries from one table to the other, by position.
    static constexpr int kRowColumns = 18;

    // Key filter of the score boxes: digits, one point, one decimal; keyAscii is set
    // to 0 for a key that is refused. `text` is the box's text before the key.
    static void ScoreKey(const QString& text, int& keyAscii);

protected:
    void SetupUi() override;
    void Form_Load() override;
    void Form_Unload() override;

private:
    void Combo2_Click();
    void Combo1_Click();
    void DataGrid1_RowColChange();
    void Check1_Click(int index);
    // Checks the six inputs and writes them into the current scratch row; false when a
    // score is out of range (nothing written).
    bool SaveScores();
    // Hands what was typed over to the current scratch row and writes it; false when
    // a score is out of range.
    bool HandOverScores();
    void Command1_Click();
    void Command2_Click();

    // Fills the group list with the groups of a year (as text, blanks trimmed).
    void FillGroups(const QString& year);
    void EmptyScratch();
    void EnableInputs(bool on);
    // Merges every scratch row into zjdf: a row with the same leader and project name
    // takes the given values, any other row is added.
    void MergeScores();

    Recordset& Projects() { return Adodc1->Rs(); }
    Recordset& Scratch() { return Adodc2->Rs(); }
    Recordset& Stored() { return Adodc3->Rs(); }
    Recordset& Groups() { return Adodc4->Rs(); }

    ControlPtr<VbLabel> Label1{this};
    ControlPtr<QComboBox> Combo1{this};
    ControlPtr<VbLabel> Label7{this};
    ControlPtr<QComboBox> Combo2{this};
    ControlPtr<DataGrid> DataGrid1{this};
    ControlPtr<VbFrame> Frame1{this};
    ControlPtr<VbLabel> Label3{this};
    ControlPtr<VbLabel> Label4{this};
    ControlPtr<VbLabel> Label5{this};
    ControlPtr<VbLabel> Label6{this};
    ControlPtr<VbButton> Command1{this};
    ControlPtr<VbButton> Command2{this};
    ControlPtr<DataControl> Adodc1{this};
    ControlPtr<DataControl> Adodc2{this};
    ControlPtr<DataControl> Adodc3{this};
    ControlPtr<DataControl> Adodc4{this};
    QList<VbLabel*> Label2;
    QList<VbTextBox*> Text1;
    QList<VbCheckBox*> Check1;
    QList<VbTextBox*> Text2;

    // The code string of each group in the list, by its position.
    QStringList strXkzdm;
    bool m_filling = false;       // the inputs are being filled by the program
    bool m_inputsDirty = false;   // typed into since the row was shown
    int m_refusedRow = -1;        // a row whose scores could not be handed over
    bool m_returning = false;     // moving back to that row
};

namespace forms {
inline FormRef<::frmzjdf> frmzjdf;
}
