#pragma once
// What the frame's tests share: finding windows and menu items, logging in.

#include "TestSupport.h"
#include "VbForm.h"
#include "frmLogin.h"
#include "frmmain.h"

#include <QAction>
#include <QSqlDatabase>

// The window of that name among the created ones, or nullptr.
inline VbForm* FormNamed(const QString& name)
{
    for (VbForm* f : VbForm::AllForms())
        if (f->objectName() == name)
            return f;
    return nullptr;
}

inline int FormsNamed(const QString& name)
{
    int n = 0;
    for (VbForm* f : VbForm::AllForms())
        n += f->objectName() == name ? 1 : 0;
    return n;
}

// Shows the login window, chooses the category and presses OK with the given name
// and password. True when the main window is open afterwards.
inline bool LogIn(int category = 1, const QString& user = QString(), const QString& password = QString())
{
    forms::frmLogin->Show();
    if (!forms::frmLogin.loaded())
        return false;
    forms::frmLogin->OptLb(category - 1)->click();
    forms::frmLogin->txtUserName()->setText(user);
    forms::frmLogin->txtPassword()->setText(password);
    forms::frmLogin->cmdOK()->click();
    Settle();
    return forms::frmmain.loaded() && forms::frmmain->isVisible();
}

inline QAction* MenuItem(const QString& name) { return forms::frmmain->findChild<QAction*>(name); }

// The open database connections whose name starts with the window's name.
inline int ConnectionsOf(const QString& window)
{
    int n = 0;
    for (const QString& c : QSqlDatabase::connectionNames())
        n += c.startsWith(window + QLatin1Char('#')) ? 1 : 0;
    return n;
}
