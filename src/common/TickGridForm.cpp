#include "TickGridForm.h"

#include "Failure.h"
#include "ModVar.h"
#include "Platform.h"

TickGridForm::TickGridForm(const QString& name, int startYearOffset, QList<QPair<int, int>> columnWidths)
    : VbForm(name), m_db(name), m_startYearOffset(startYearOffset), m_columnWidths(std::move(columnWidths))
{
}

void TickGridForm::SetDat(int nCount) { grid->SetDat(nCount); }

void TickGridForm::Form_Load()
{
    // The window's own flags first: whatever fails below, no tick of another window
    // survives into this one.
    SetDat(0);
    CentreOnMain(*this);
    const bool opened = OpenWindowConnection(m_db);
    Form_Resize();
    if (Frame1->year)
        Frame1->year->SetStartYear(platform::Today().year() + m_startYearOffset);
    if (opened)
        LoadRows();
    gWorkspace = &m_db;
    for (const auto& [column, widthTw] : m_columnWidths)
        grid->flex->SetColWidthAtLeastTw(column, widthTw);
    grid->LayoutAtLoad(500);
    Frame1->ShowCountAtLoad(grid->RecordCount());
    grid->flex->SetCol(0);
}

void TickGridForm::Form_Resize()
{
    if (grid)
        grid->FitToWindowWidth(int(InnerWidthTw()));
}

void TickGridForm::Form_Unload()
{
    m_db.Close();
    gWorkspace = nullptr;
    ReleaseMainWindow();
}

void TickGridForm::Cmdexit_Click() { Unload(); }

void TickGridForm::LoadRows()
{
    try {
        LoadGrid();
    } catch (const std::exception& e) {
        ShowFailure(e);
    }
}

void TickGridForm::Requery()
{
    LoadRows();
    Frame1->ShowCount(grid->RecordCount());
    grid->flex->SetCol(1);
}
