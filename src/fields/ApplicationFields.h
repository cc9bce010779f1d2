#pragma once
// The boxes of an application (a row of xmsb) as the application window shows them,
// and the record procedures over them. The table is derived from the record layout
// (records::applications()), where each box is described once: one row per box of a
// column, with the column's limit in characters, its converter by the column's store
// rule, its input method, hint, place in the tab order, and the six key boxes flagged
// Key, the counts, the subject name and the investment total Computed. The window
// takes the key rules and the look of its boxes from the same columns. The browsing
// windows make boxes of the same names and use the same ShowRecord and ClearFields.

#include "FieldTable.h"

class Recordset;
class VbTab;

// The field table of the application window, every category's boxes included.
FieldTable ApplicationFieldTable();

// The first box of a page of the window's tab control that the category shows, in
// the tab order; empty when the page has none (the grid's page, the investment page
// outside category 3).
QString FirstBoxOfPage(int page, int category);

// Hides the boxes whose columns the layout hides in the category (their columns are
// still stored by their rules).
void HideBoxesOf(const FieldBoxes& boxes, int category);

// Copies the current row into the boxes of the category: every box from its column
// (a Null column empties its box, a check box follows its column both ways), the
// category text into the label lblxmlb, the project name also into lblxmmc. The
// investment boxes only in category 3. The caller makes sure a row is current.
void ShowRecord(const FieldBoxes& boxes, const Recordset& rs, int category);

// Copies the boxes of the category into the current row, each by its column's store
// rule. The member rows and the plan rows are closed up first: the rows whose name
// (year) box is filled are stored one after another from row 1, so that no filled
// row after an empty one is lost. Writes into the row; never saves it.
void StoreRecord(const FieldBoxes& boxes, Recordset& rs, int category);

// Empties every box of the category, unticks the check box and empties the two
// labels; the investment total last, so that it ends empty.
void ClearFields(const FieldBoxes& boxes, int category);

// Disables (enables) the six key boxes and the data tabs that the layout locks in
// the category. tabs may be null (a window without locked tabs).
void LockFields(FieldBoxes& boxes, VbTab* tabs, int category);
void UnlockFields(FieldBoxes& boxes, VbTab* tabs, int category);
