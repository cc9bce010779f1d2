#pragma once
// The entry boxes of the completion-report window, made from the record layout of
// `xmjt` (records::completionReports()), which describes each box once: one
// field-table row per column that has a box, with the key rule, hint and input
// method of the box. The window walks this table instead of naming its eighty boxes
// one by one.

#include "FieldTable.h"
#include "RecordLayouts.h"

struct CompletionBox {
    const records::Column* column;   // the column the box shows
    KeyRule keys;                    // the column's
    // Enter in this box turns the tab control to this page; -1 none (the column's).
    int nextPage = -1;
};

// The field table of the window's boxes, in the layout's column order.
const FieldTable& CompletionFieldTable();
// Per row of that table: its column, key rule and page turn.
const QList<CompletionBox>& CompletionBoxes();

// The participants' total from the texts of the seven kinds: the sum of the
// numbers of the boxes that hold more than blanks, each step rounded to a whole
// number (halves to even); empty when the sum is below 1, so that the total follows
// the kinds down as well as up.
QString ParticipantsTotal(const QStringList& kinds);
