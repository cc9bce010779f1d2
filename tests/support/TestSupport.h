#pragma once
// What every window test stands on: a fresh application folder with the database
// made from the schema, the scripted message service, and typing helpers.

#include "Platform.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <QWidget>
#include <functional>

// Records every box, dialog, beep and program start; answers from a script.
class TestUi : public platform::Backend {
public:
    QList<platform::MessageRecord> messages;
    // Answers for the next message boxes, first in first out. When empty, a box is
    // answered with its first button (OK, Yes, Abort, Retry).
    QList<int> answers;
    // Called for every box before it is answered (may change the answer queue).
    std::function<void(const platform::MessageRecord&)> onMessage;
    QList<platform::FileDialogRequest> fileDialogs;
    QStringList fileAnswers;   // chosen paths; an empty text is a cancel
    int beeps = 0;
    int endProgramCalls = 0;
    int busyDepth = 0;
    QDate todayDate = QDate(2026, 12, 10);
    QString floppy;
    QStringList openedDocuments;
    bool openSucceeds = true;   // whether the desktop opens a document handed to it
    QStringList startedPrograms;
    bool startSucceeds = true;

    int messageBox(const platform::MessageRecord& box) override;
    QString fileDialog(const platform::FileDialogRequest& request) override;
    void beep() override { ++beeps; }
    QDate today() override { return todayDate; }
    void setBusy(bool busy) override { busyDepth = busy ? 1 : 0; }
    QString floppyFolder() override { return floppy; }
    bool openDocument(const QString& path) override;
    bool startProgram(const QString& path, const QStringList& args) override;
    void endProgram() override { ++endProgramCalls; }

    // Texts of the recorded boxes, in order.
    QStringList texts() const;
    void clear();
};

// A fresh application folder for one test: data/qwdb.mdb from the schema, the
// pictures and the report files; the scripted message service installed; the module
// state reset; the frame's main window registered. Made inside a test function, it
// makes any warning fail that test. Destroying it throws every window away.
class AppFixture {
public:
    AppFixture();
    ~AppFixture();
    AppFixture(const AppFixture&) = delete;
    AppFixture& operator=(const AppFixture&) = delete;

    QString folder() const { return m_dir.path(); }
    QString dbPath() const;
    TestUi ui;

    // Statements on the test's database through a connection of the test's own.
    void exec(const QString& sql, const QVariantList& values = {});
    // Rows of a query, each as its column values in text.
    QList<QStringList> rows(const QString& sql, const QVariantList& values = {});
    int count(const QString& table);
    // Closes the test's own connection, as a user closes the other windows before a
    // restore; the next statement or query opens it again.
    void closeConnection();

private:
    QTemporaryDir m_dir;
    QString m_conn;
};

// Resets the module state to its start values.
void ResetModuleState();

// Typing as a user does. Latin letters, digits and punctuation go as key clicks;
// other characters as key events that carry the character.
void TypeText(QWidget* w, const QString& text);
void PressKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier);
// A double click as the window system delivers it: press, release, double-click
// press, release (QTest::mouseDClick sends the double-click press alone).
void DoubleClick(QWidget* w, QPoint pos = QPoint());
// An input-method commit of text (how Chinese text arrives).
void CommitText(QWidget* w, const QString& text);
// A right click on the box as the window system delivers it, then a click on the
// "Paste" item of the menu that opens. False, with the menu closed again, when the
// menu offers no Paste to click.
bool PasteByContextMenu(QWidget* box);
// Lets queued work run (posted focus moves, queued Tab keystrokes, deletions).
void Settle(int rounds = 3);
// Shows and activates a window and waits until it is active.
bool ShowActive(QWidget* window);
// Opens a window as the program does (Show), waits until it is active (a warning,
// which fails the test, when it does not become so) and lets queued work run.
template <class Form>
Form& OpenActive(Form& form)
{
    form.Show();
    if (!ShowActive(&form))
        qWarning("window not active");
    Settle();
    return form;
}

template <class T = QWidget>
T* Child(QWidget* form, const QString& name)
{
    return form->findChild<T*>(name);
}
