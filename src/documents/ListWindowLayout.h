#pragma once
// The layout the list windows share: the width of the grid and the places of the
// buttons in the bar below it.

#include "Controls.h"
#include "DataControl.h"
#include "DataGrid.h"

#include <QRect>
#include <QtGlobal>
#include <functional>
#include <tuple>

// A grid that shows every column whole: their widths, the row marks and a scroll bar;
// never narrower than the list windows' 8130 twips.
template <class Columns>
int ListGridWidthTw(const Columns& columns)
{
    int width = 540;
    for (const GridColumn& c : columns)
        width += c.widthTw;
    return qMax(width, 8130);
}

// The button at a place of the bar below the grid (0 the leftmost), in twips of the
// bar: a row of buttons of one size with equal gaps.
inline QRect ListButtonTw(int place)
{
    constexpr int width = 1095, gap = 222;
    return {gap + place * (width + gap), 360, width, 420};
}

// The four move buttons at the first places of the bar, "第一条" to "最后一条", which
// move the window's record set as the record windows' buttons do. A failing move is
// shown by the button's guard. First, previous, next, last:
//     std::tie(Cmdfst, Cmdpre, Cmdnxt, Cmdlst) = MakeListMoveButtons(Frame2, ...);
using ListMoveButtons = std::tuple<VbButton*, VbButton*, VbButton*, VbButton*>;
inline ListMoveButtons MakeListMoveButtons(QWidget* bar, const std::function<Recordset&()>& rs)
{
    return {MakeButton(bar, QStringLiteral("Cmdfst"), QStringLiteral("第一条"), ListButtonTw(0),
                       [rs] { Cmdfst_Click(rs()); }),
            MakeButton(bar, QStringLiteral("Cmdpre"), QStringLiteral("上一条"), ListButtonTw(1),
                       [rs] { Cmdpre_Click(rs()); }),
            MakeButton(bar, QStringLiteral("Cmdnxt"), QStringLiteral("下一条"), ListButtonTw(2),
                       [rs] { Cmdnxt_Click(rs()); }),
            MakeButton(bar, QStringLiteral("Cmdlst"), QStringLiteral("最后一条"), ListButtonTw(3),
                       [rs] { Cmdlst_Click(rs()); })};
}
