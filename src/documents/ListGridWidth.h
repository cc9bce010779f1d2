#pragma once
// The width of the grid of a list window.

#include "DataGrid.h"

#include <QtGlobal>

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
