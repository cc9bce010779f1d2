#pragma once
// What the tests of the list windows share (the document windows, deletion and
// suggested amounts): opening a window, clicking its buttons, reading its grid.

#include "Controls.h"
#include "DataGrid.h"
#include "TestSupport.h"
#include "Twips.h"

#include <QHeaderView>
#include <QTest>

inline VbForm* OpenListWindow(VbForm& f)
{
    f.Show();
    ShowActive(&f);
    Settle();
    return &f;
}

inline DataGrid* ListGrid(VbForm* f) { return Child<DataGrid>(f, "DataGrid1"); }

inline void ClickButton(VbForm* f, const QString& button)
{
    QTest::mouseClick(Child<VbButton>(f, button), Qt::LeftButton);
    Settle();
}

// The texts of one grid column, top to bottom.
inline QStringList GridColumnTexts(VbForm* f, int column)
{
    QStringList texts;
    for (int r = 0; r < ListGrid(f)->VisibleRowCount(); ++r)
        texts << ListGrid(f)->CellText(r, column);
    return texts;
}

// The grid's columns as "caption|width in pixels", left to right; and the same made
// from captions and widths in twips, to compare with.
inline QStringList GridColumnHeads(DataGrid* g)
{
    QStringList heads;
    for (int i = 0; i < g->ColumnCount(); ++i)
        heads << g->ColumnCaption(i) + '|' + QString::number(g->horizontalHeader()->sectionSize(i));
    return heads;
}

inline QStringList ColumnHeads(const QStringList& captions, const QList<int>& widthsTw)
{
    QStringList heads;
    for (int i = 0; i < captions.size(); ++i)
        heads << captions[i] + '|' + QString::number(TwipsToPixels(widthsTw.value(i)));
    return heads;
}
