#pragma once
// The one door to everything outside the program's own windows: message boxes,
// file dialogs, the beep, today's date, the hourglass, the folder that stands for
// the floppy drive, opening finished documents, starting other programs and ending
// the program. Production uses real dialogs; tests install a scripted backend that
// records every box and answers it, so no test ever blocks on a modal dialog.

#include <QDate>
#include <QString>
#include <QStringList>

namespace platform {

// Message box buttons, icons and answers keep the classic numeric values so that
// a window's code reads like the message it shows (vbYesNo + vbQuestion).
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;

constexpr int vbNoIcon = 0;
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;

constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// The title a message box shows when the caller gives none of its own.
QString applicationTitle();

struct MessageRecord {
    QString text;
    QString title;   // as shown (the application title when the caller gave none)
    int buttons = vbOKOnly;   // the button part of the style
    int icon = vbNoIcon;      // the icon part of the style
    QString detail;  // shown behind the box's details button (why it failed); may be empty
};

struct FileDialogRequest {
    bool save = false;
    QString title;
    QString initialDir;
    QString fileName;    // proposed name
    QString defaultExt;  // without the dot
    QString filter;      // Qt filter text, may be empty
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual int messageBox(const MessageRecord& box) = 0;
    // Returns the chosen path, or an empty text when the user cancelled.
    virtual QString fileDialog(const FileDialogRequest& request) = 0;
    virtual void beep() = 0;
    virtual QDate today() = 0;
    virtual void setBusy(bool busy) = 0;
    virtual QString floppyFolder() = 0;
    virtual bool openDocument(const QString& path) = 0;
    virtual bool startProgram(const QString& path, const QStringList& args) = 0;
    virtual void endProgram() = 0;
};

// Installs a backend (tests); nullptr restores the production one. The caller keeps
// ownership.
void setBackend(Backend* backend);
Backend& backend();

// MsgBox(prompt, buttons + icon, title): the answer as a MsgResult value.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString(),
           const QString& detail = QString());
QString GetOpenFile(const FileDialogRequest& request);
QString GetSaveFile(const FileDialogRequest& request);
void Beep();
QDate Today();
// The screen's pointer as a window sets it: the hourglass, or back to the arrow
// whatever hourglass guards are alive.
void SetBusy(bool busy);
QString FloppyFolder();
bool OpenDocument(const QString& path);
bool StartProgram(const QString& path, const QStringList& args = {});
void EndProgram();

// Sets the hourglass for as long as the guard lives. Guards nest: the arrow comes back
// when the outermost one ends.
void PushBusy();
void PopBusy();
class BusyCursor {
public:
    BusyCursor() { PushBusy(); }
    ~BusyCursor() { PopBusy(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace platform
