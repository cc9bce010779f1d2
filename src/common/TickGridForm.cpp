#include "TickGridForm.h"

#include "Failure.h"
#include "ModVar.h"
#include "Platform.h"

// ---------------------------------------------------------------- TickGridWindow

TickGridWindow::TickGridWindow(const QString& name, double margins, int firstColumn)
    : VbForm(name), m_margins(margins), m_firstColumn(firstColumn)
{
}

void TickGridWindow::SetDat(int nCount) { grid->SetDat(nCount); }

void TickGridWindow::Form_Load()
{
    // The window's own flags first: whatever fails below, no tick of another window
    // survives into this one.
    SetDat(0);
    CentreOnMain(*this);
    OpenWindow();
    Form_Resize();
    ShowRows();
    grid->LayoutAtLoad(500);
    grid->flex->SetCol(m_firstColumn);
}

void TickGridWindow::Form_Resize()
{
    if (grid)
        grid->FitToWindowWidth(int(InnerWidthTw()), m_margins);
}

void TickGridWindow::Form_Unload() { ReleaseMainWindow(); }

void TickGridWindow::Cmdexit_Click() { Unload(); }

// ---------------------------------------------------------------- TickGridForm

TickGridForm::TickGridForm(const QString& name, int startYearOffset, QList<QPair<int, int>> columnWidths)
    : TickGridWindow(name, 2.8, 0), m_db(name), m_startYearOffset(startYearOffset), m_columnWidths(std::move(columnWidths))
{
}

void TickGridForm::OpenWindow() { m_opened = OpenWindowConnection(m_db); }

void TickGridForm::ShowRows()
{
    if (Frame1->year)
        Frame1->year->SetStartYear(platform::Today().year() + m_startYearOffset);
    if (m_opened)
        LoadRows();
    gWorkspace = &m_db;
    for (const auto& [column, widthTw] : m_columnWidths)
        grid->flex->SetColWidthAtLeastTw(column, widthTw);
    Frame1->ShowCountAtLoad(grid->RecordCount());
}

void TickGridForm::Form_Unload()
{
    m_db.Close();
    gWorkspace = nullptr;
    TickGridWindow::Form_Unload();
}

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
