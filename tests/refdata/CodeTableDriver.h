#pragma once
// Drives a code-table window as a user does (mouse clicks on its buttons, typing
// into its boxes) and reads back what the user sees.

#include "Controls.h"
#include "DataGrid.h"
#include "Report.h"
#include "TestSupport.h"
#include "frmdwdm.h"
#include "frmejdwdm.h"
#include "frmmzdm.h"
#include "frmrwjd.h"
#include "frmsys.h"
#include "frmxkdm.h"
#include "frmzcdm.h"

#include <QTest>

inline CodeTableWindow& CodeTableForm(const QString& name)
{
    if (name == QLatin1String("frmdwdm"))
        return forms::frmdwdm.get();
    if (name == QLatin1String("frmmzdm"))
        return forms::frmmzdm.get();
    if (name == QLatin1String("frmejdwdm"))
        return forms::frmejdwdm.get();
    if (name == QLatin1String("frmrwjd"))
        return forms::frmrwjd.get();
    if (name == QLatin1String("frmzcdm"))
        return forms::frmzcdm.get();
    if (name == QLatin1String("frmsys"))
        return forms::frmsys.get();
    if (name == QLatin1String("frmxkdm"))
        return forms::frmxkdm.get();
    qFatal("no code-table window %s", qPrintable(name));
}

// A message box as one line: title | text | buttons | icon.
inline QString Box(const QString& title, const QString& text, int buttons = platform::vbOKOnly, int icon = 0)
{
    return QStringLiteral("%1 | %2 | %3 | %4").arg(title, text).arg(buttons).arg(icon);
}

inline QStringList Boxes(const TestUi& ui)
{
    QStringList out;
    for (const auto& m : ui.messages)
        out << Box(m.title, m.text, m.buttons, m.icon);
    return out;
}

class Driver {
public:
    Driver(const QString& formName, const QString& codeBox, const QString& nameBox)
        : form(CodeTableForm(formName)), m_code(codeBox), m_name(nameBox)
    {
    }

    CodeTableWindow& form;

    // Shows the window as the main menu does and waits until it is active.
    bool Open()
    {
        LockMainWindow(form);
        const bool active = ShowActive(&form);
        Settle();
        return active;
    }

    VbTextBox* code() const { return Child<VbTextBox>(&form, m_code); }
    VbTextBox* name() const { return Child<VbTextBox>(&form, m_name); }
    VbButton* button(const QString& n) const { return Child<VbButton>(&form, n); }
    DataGrid* grid() const { return Child<DataGrid>(&form, QStringLiteral("DataGrid1")); }
    QString hint() const { return Child<QLabel>(&form, QStringLiteral("Label1"))->text(); }
    QWidget* focus() const { return form.ActiveControl(); }
    QString shown() const { return code()->Text() + QLatin1Char('|') + name()->Text(); }

    void click(const QString& b)
    {
        VbButton* w = button(b);
        QVERIFY2(w, qPrintable(b));
        QTest::mouseClick(w, Qt::LeftButton);
        Settle();
    }

    void type(QWidget* box, const QString& text)
    {
        TypeText(box, text);
        Settle();
    }

    QStringList gridCodes() const
    {
        QStringList out;
        for (int r = 0; r < grid()->VisibleRowCount(); ++r)
            out << grid()->CellText(r, 0);
        return out;
    }

    // Which of the window's states the controls and EditMode show.
    QString state() const
    {
        auto all = [this](std::initializer_list<const char*> names, bool enabled) {
            for (const char* n : names)
                if (button(QString::fromLatin1(n))->isEnabled() != enabled)
                    return false;
            return true;
        };
        const std::initializer_list<const char*> browsing = {"cmdAdd", "Cmddel", "Cmdfst", "Cmdpre",
                                                            "Cmdnxt", "Cmdlst", "Cmdprev"};
        const std::initializer_list<const char*> confirming = {"Cmdref", "Cmdupd"};
        const bool boxesOn = code()->isEnabled() && name()->isEnabled();
        const bool boxesOff = !code()->isEnabled() && !name()->isEnabled();
        if (!button(QStringLiteral("Cmdexit"))->isEnabled())
            return QStringLiteral("exit disabled");
        if (form.EditMode == CodeTableWindow::Mode::Browse && all(browsing, true) && all(confirming, false) && boxesOff
            && grid()->isEnabled())
            return QStringLiteral("Browse");
        if (form.EditMode == CodeTableWindow::Mode::Adding && all(browsing, false) && all(confirming, true) && boxesOn
            && !grid()->isEnabled())
            return QStringLiteral("Add armed");
        if (form.EditMode == CodeTableWindow::Mode::Deleting && all(browsing, false) && all(confirming, true) && boxesOff
            && !grid()->isEnabled())
            return QStringLiteral("Delete armed");
        return QStringLiteral("mixed, EditMode %1").arg(int(form.EditMode));
    }

private:
    QString m_code;
    QString m_name;
};
