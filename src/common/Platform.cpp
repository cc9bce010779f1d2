#include "Platform.h"

#include "AppFolder.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

namespace platform {

QString applicationTitle()
{
    return QStringLiteral("Oskavelvero科研计划项目申报管理系统");
}

namespace {

// A box or dialog waits for the user: it shows the arrow even while work that asked
// for the hourglass is under way, and the hourglass comes back when it closes.
class ArrowOverBusy {
public:
    ArrowOverBusy() : m_active(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_active)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowOverBusy()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    ArrowOverBusy(const ArrowOverBusy&) = delete;
    ArrowOverBusy& operator=(const ArrowOverBusy&) = delete;

private:
    bool m_active;
};

class DesktopBackend final : public Backend {
public:
    int messageBox(const MessageRecord& box) override
    {
        QMessageBox mb(QApplication::activeWindow());
        mb.setWindowTitle(box.title);
        mb.setText(box.text);
        if (!box.detail.isEmpty())
            mb.setDetailedText(box.detail);
        switch (box.icon) {
        case vbCritical: mb.setIcon(QMessageBox::Critical); break;
        case vbQuestion: mb.setIcon(QMessageBox::Question); break;
        case vbExclamation: mb.setIcon(QMessageBox::Warning); break;
        case vbInformation: mb.setIcon(QMessageBox::Information); break;
        default: mb.setIcon(QMessageBox::NoIcon); break;
        }
        struct Choice { QString caption; int result; };
        QList<Choice> choices;
        switch (box.buttons) {
        case vbOKCancel: choices = {{"确定", vbOK}, {"取消", vbCancel}}; break;
        case vbAbortRetryIgnore:
            choices = {{"终止(&A)", vbAbort}, {"重试(&R)", vbRetry}, {"忽略(&I)", vbIgnore}};
            break;
        case vbYesNoCancel: choices = {{"是(&Y)", vbYes}, {"否(&N)", vbNo}, {"取消", vbCancel}}; break;
        case vbYesNo: choices = {{"是(&Y)", vbYes}, {"否(&N)", vbNo}}; break;
        case vbRetryCancel: choices = {{"重试(&R)", vbRetry}, {"取消", vbCancel}}; break;
        default: choices = {{"确定", vbOK}}; break;
        }
        QList<QPair<QAbstractButton*, int>> made;
        for (const Choice& c : choices) {
            QPushButton* b = mb.addButton(c.caption, QMessageBox::AcceptRole);
            made.append({b, c.result});
        }
        mb.setDefaultButton(static_cast<QPushButton*>(made.first().first));
        if (choices.size() == 1 || box.buttons == vbOKCancel || box.buttons == vbYesNoCancel
            || box.buttons == vbRetryCancel)
            mb.setEscapeButton(made.last().first);
        {
            ArrowOverBusy arrow;
            mb.exec();
        }
        for (const auto& m : made)
            if (mb.clickedButton() == m.first)
                return m.second;
        // Closed without a button: the cancel answer where there is one, else the first.
        return made.last().second == vbCancel ? vbCancel : made.first().second;
    }

    QString fileDialog(const FileDialogRequest& r) override
    {
        QString start = r.initialDir;
        if (!r.fileName.isEmpty())
            start = QDir(r.initialDir).filePath(r.fileName);
        QFileDialog dlg(QApplication::activeWindow(), r.title, start, r.filter);
        dlg.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dlg.setFileMode(r.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (!r.defaultExt.isEmpty())
            dlg.setDefaultSuffix(r.defaultExt);
        ArrowOverBusy arrow;
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return {};
        return dlg.selectedFiles().first();
    }

    void beep() override { QApplication::beep(); }
    QDate today() override { return QDate::currentDate(); }

    void setBusy(bool busy) override
    {
        if (busy == m_busy)
            return;
        m_busy = busy;
        if (busy)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QGuiApplication::restoreOverrideCursor();
    }

    QString floppyFolder() override
    {
        // There is no drive A: here; a folder of the application stands in for it,
        // unless the environment names another (a mounted floppy or a USB stick).
        const QString env = qEnvironmentVariable("KYJH_FLOPPY");
        return env.isEmpty() ? appFolder() + QStringLiteral("/A") : env;
    }

    bool openDocument(const QString& path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }

    bool startProgram(const QString& path, const QStringList& args) override
    {
        return QProcess::startDetached(path, args);
    }

    void endProgram() override { QCoreApplication::quit(); }

private:
    bool m_busy = false;
};

DesktopBackend& desktop()
{
    static DesktopBackend b;
    return b;
}

Backend* g_backend = nullptr;

}  // namespace

void setBackend(Backend* b) { g_backend = b; }
Backend& backend() { return g_backend ? *g_backend : desktop(); }

int MsgBox(const QString& prompt, int style, const QString& title, const QString& detail)
{
    MessageRecord box;
    box.text = prompt;
    box.detail = detail;
    box.title = title.isEmpty() ? applicationTitle() : title;
    box.buttons = style & 0x0F;
    box.icon = style & 0x70;
    return backend().messageBox(box);
}

QString GetOpenFile(const FileDialogRequest& request)
{
    FileDialogRequest r = request;
    r.save = false;
    return backend().fileDialog(r);
}

QString GetSaveFile(const FileDialogRequest& request)
{
    FileDialogRequest r = request;
    r.save = true;
    return backend().fileDialog(r);
}

void Beep() { backend().beep(); }
QDate Today() { return backend().today(); }
namespace {
int g_busyDepth = 0;   // hourglass guards alive
}

void SetBusy(bool busy)
{
    // The arrow set by a window wins over the guards still alive: they end quietly.
    if (!busy)
        g_busyDepth = 0;
    backend().setBusy(busy);
}

void PushBusy()
{
    if (g_busyDepth++ == 0)
        backend().setBusy(true);
}

void PopBusy()
{
    if (g_busyDepth == 0)
        return;
    if (--g_busyDepth == 0)
        backend().setBusy(false);
}
QString FloppyFolder() { return backend().floppyFolder(); }
bool OpenDocument(const QString& path) { return backend().openDocument(path); }
bool StartProgram(const QString& path, const QStringList& args) { return backend().startProgram(path, args); }
void EndProgram() { backend().endProgram(); }

}  // namespace platform
