#pragma once
// Showing a failure to the user: a failure that reached an event handler or a
// window's load is shown in a message box and the program goes on.

#include <QString>
#include <exception>

class DbConnection;

// How a failure box looks unless a window shows its failures its own way: OK only,
// with the critical icon (vbOKOnly + vbCritical), under the program's title.
constexpr int kFailureStyle = 16;

// Shows a failure: its own description (for a database failure, what is wrong and
// what to do, then the database's text), in the window's style and title where it
// has them of its own.
void ShowFailure(const std::exception& e, int style = kFailureStyle, const QString& title = QString());
void ShowFailure(const QString& description, int style = kFailureStyle, const QString& title = QString());
// Shows a window's own failure message (its text, buttons, icon and title) and puts
// the reason, as FailureText words it, behind the box's details button.
void ShowFailure(const QString& message, const std::exception& reason, int style,
                 const QString& title = QString());
// The description of a failure as ShowFailure shows it.
QString FailureText(const std::exception& e);

// Opens a window's connection when the window loads (on the installation's database
// when `path` is empty). When the file cannot be opened the failure is shown in a
// message box and false is returned; the window stays open without its data.
bool OpenWindowConnection(DbConnection& connection, const QString& path = {});
