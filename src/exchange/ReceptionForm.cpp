#include "ReceptionForm.h"

#include "ModVar.h"
#include "Platform.h"

using namespace platform;

namespace {

constexpr int kWidthTw = 8250;
constexpr int kHeightTw = 5055;

}  // namespace

// The grid is 2.5 times its left narrower than the window; the first data column is
// current once the window is open.
ReceptionForm::ReceptionForm(const QString& name, Design design)
    : TickGridWindow(name, 2.5, 1), m_design(std::move(design))
{
}

void ReceptionForm::SetupUi()
{
    SetInnerSizeTw(kWidthTw, kHeightTw);

    Frame1 = new VbFrame(this, QStringLiteral("Frame1"));
    PlaceTw(Frame1, 240, 60, kWidthTw - 480, 615);
    lblShuoming = new VbLabel(Frame1, QStringLiteral("lblShuoming"),
                              QStringLiteral("说明：先单击打开文件按钮，选择要接收的文件，然后选择接收记录，最后单击接收数据按钮。"));
    lblShuoming->setWordWrap(true);
    PlaceTw(lblShuoming, 120, 120, kWidthTw - 720, 435);

    TickGrid::Options options;
    options.boxName = QStringLiteral("chks");
    options.boxCount = 6;
    options.selectAllCaption = QStringLiteral("全选");
    options.flags = &gImportFlags;
    grid = new TickGrid(this, 240, 840, options);

    // The three buttons in one row at the bottom right.
    const char* captions[3] = {"打开文件", "接收数据", "退   出"};
    const char* names[3] = {"cmdOf", "cmdinsert", "Cmdexit"};
    VbButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new VbButton(this, QString::fromLatin1(names[i]), QString::fromUtf8(captions[i]));
        PlaceTw(buttons[i], kWidthTw - 4335 + i * 1380, kHeightTw - 615, 1215, 435);
    }
    cmdOf = buttons[0];
    cmdinsert = buttons[1];
    Cmdexit = buttons[2];
    cmdOf->Click = [this] { cmdOf_Click(); };
    cmdinsert->Click = [this] { cmdinsert_Click(); };
    Cmdexit->Click = [this] { Cmdexit_Click(); };
}

void ReceptionForm::OpenWindow()
{
    setWindowTitle(m_design.caption);
    m_fileOpen = false;
    m_submittedFile.clear();
}

// The window opens on no file: an empty grid without boxes.
void ReceptionForm::ShowRows() { grid->Clear(); }

void ReceptionForm::Form_Unload()
{
    if (m_fileOpen)
        m_file.reset();
    m_fileOpen = false;
    TickGridWindow::Form_Unload();
}

void ReceptionForm::cmdOf_Click()
{
    m_submittedFile = GetOpenFile(FileDialogRequest{});
    if (m_submittedFile.isEmpty()) {
        // The file opened before stays open and shown, with its ticks.
        MsgBox(QStringLiteral("没有选中文件，操作将被取消。"), vbOKOnly, windowTitle());
        return;
    }
    m_file.reset();
    m_fileOpen = false;
    BusyCursor busy;
    m_file = OpenSubmittedFile(m_submittedFile, m_design.fileTable);
    if (!m_file) {
        // No rows of the file closed before stay on show: a tick always belongs to
        // the file that is open.
        grid->Clear();
        return;
    }
    grid->Show(m_file->columns(), m_file->rows());
    grid->flex->SetCol(1);
    m_fileOpen = true;
}

void ReceptionForm::cmdinsert_Click()
{
    BusyCursor busy;
    if (m_submittedFile.trimmed().isEmpty())
        MsgBox(QStringLiteral("没有选定任何数据文件."));
    else if (!m_file || grid->TickedCount() == 0)
        MsgBox(QStringLiteral("没选定任何记录,操作将取消"), vbOKOnly + vbExclamation);
    else
        InsertDat(*m_file, *m_design.target);
}
