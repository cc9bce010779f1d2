#include "frmxmsc.h"

#include "Failure.h"
#include "ModVar.h"
#include "Platform.h"

frmxmsc::frmxmsc()
    : ReviewListWindow(QStringLiteral("frmxmsc"),
                       {.caption = QStringLiteral("项目删除"),
                        .actionCaption = QStringLiteral("删  除"),
                        .columns = {
                            {.caption = QStringLiteral("     项 目 名 称"), .field = QStringLiteral("XMMC"), .widthTw = 2280},
                            {.caption = QStringLiteral("申 请 人"), .field = QStringLiteral("XMFZR"), .widthTw = 870},
                            {.caption = QStringLiteral("  职 称"), .field = QStringLiteral("FZRZC"), .widthTw = 855},
                            {.caption = QStringLiteral("      申 请 人 单 位"), .field = QStringLiteral("SZDW"), .widthTw = 2700},
                            {.caption = QStringLiteral("申请金额（万元）"), .field = QStringLiteral("SQJE"), .widthTw = 1440},
                        }})
{
}

void frmxmsc::Form_Load()
{
    CentreOnMain(*this);
    if (!OpenWindowConnection(m_db))
        return;
    try {
        ShowCategory(QStringLiteral("sqrq desc,szdw asc,ssxk asc"));
    } catch (const DbError& e) {
        // Without its rows the window still opens, empty and closable.
        ShowFailure(e);
    }
}

void frmxmsc::ShowCategory(const QString& order)
{
    BindDataControl(*data1, CategoryQuery(QStringLiteral("xmsb"), order), QString(), {CategoryText(gCategory)});
    DataGrid1->SetDataSource(data1);
    if (Rs().RecordCount() >= 1)
        Rs().MoveFirst();
}

void frmxmsc::Cmdupd_Click()
{
    if (!Rs().IsOpen() || Rs().RecordCount() < 1 || !Rs().HasCurrentRow())
        return;
    if (platform::MsgBox(QStringLiteral("删除当前项目，请您确认？"), platform::vbYesNo, QStringLiteral("提示信息"))
        != platform::vbYes)
        return;
    // Exactly the application chosen in the grid: other applications that carry the
    // same project name, in this category or another, stay.
    m_db.Exec(QStringLiteral("delete from xmsb where rowid=?"), {Rs().Field(QStringLiteral("xmsb_rowid"))});
    // The list is read again latest application first; the first row is current.
    ShowCategory(QStringLiteral("sqrq desc"));
}

void frmxmsc::Form_Unload()
{
    // Opened without disabling the main window: it enables the main window only
    // when no window that disables it is open.
    ReleaseMainWindowUnlessLocked(*this);
    m_db.Close();
}
