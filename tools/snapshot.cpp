// Pictures of the login window, the main window and the about box as a user sees
// them, written as PNG files into a folder (default: the current one). Run it under
// a display, e.g.:
//
//     xvfb-run -a -s '-screen 0 1280x1024x24' build/snapshot /tmp
//
// It works in a fresh application folder of its own (an empty login table).

#include "ModVar.h"
#include "TestSupport.h"
#include "frame/frmAbout.h"
#include "frame/frmLogin.h"
#include "frame/frmmain.h"
#include "application/frmjblr.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <cstdio>

static void save(QWidget* w, const QString& dir, const QString& name)
{
    Settle(10);
    QTest::qWait(200);
    const QString path = QDir(dir).filePath(name);
    if (!w->grab().save(path))
        std::fprintf(stderr, "snapshot: cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    AppFixture fx;
    fx.exec(QStringLiteral("insert into sqdm (DWDM, DWMC) values ('10001', '示范大学')"));

    forms::frmLogin->Show();
    ShowActive(&forms::frmLogin.get());
    TypeText(forms::frmLogin->txtUserName(), QStringLiteral("admin"));
    TypeText(forms::frmLogin->txtPassword(), QStringLiteral("secret"));
    save(&forms::frmLogin.get(), dir, QStringLiteral("login.png"));

    forms::frmLogin->OptLb(1)->click();
    forms::frmLogin->cmdOK()->click();
    ShowActive(&forms::frmmain.get());
    save(&forms::frmmain.get(), dir, QStringLiteral("main.png"));

    // The first two menus, opened.
    for (int i = 0; i < 2; ++i) {
        QMenu* menu = forms::frmmain->MenuBar()->actions().value(i)->menu();
        menu->popup(forms::frmmain->mapToGlobal(QPoint(0, 20)));
        Settle(10);
        save(menu, dir, QStringLiteral("menu%1.png").arg(i + 1));
        menu->close();
    }

    forms::frmAbout->Show();
    ShowActive(&forms::frmAbout.get());
    save(&forms::frmAbout.get(), dir, QStringLiteral("about.png"));
    forms::frmAbout->Unload();

    // The maintenance windows, opened from the menu as a user does, on a few rows.
    for (const char* code : {"10001", "10002", "10003"})
        fx.exec(QStringLiteral("insert into dwdm values (?, ?)"),
                {QString::fromLatin1(code), QStringLiteral("示范大学%1").arg(QString::fromLatin1(code).right(1))});
    fx.exec(QStringLiteral("insert into sysdm values ('01', '省重点实验室')"));
    fx.exec(QStringLiteral("insert into xkdm values ('PA', '数学'), ('PB', '物理学')"));
    fx.exec(QStringLiteral("insert into login values ('admin', 'secret')"));
    // Applications and approved projects of the year for the tick-grid windows.
    for (int i = 1; i <= 10; ++i) {
        for (const char* table : {"xmsb", "xmsbpz"})
            fx.exec(QStringLiteral("insert into %1 (xmlb, xmmc, xmfzr, sqrq, qsny, xkmc, zzny, ssxk, szdw) "
                                   "values (?, ?, ?, '2026.03.01', '2026年1月', '数学', '2028年12月', 'PA', ?)")
                        .arg(QString::fromLatin1(table)),
                    {CategoryText(1 + i % 3), QStringLiteral("示范项目第%1号研究").arg(i), QStringLiteral("张%1").arg(i),
                     QStringLiteral("示范大学%1").arg(i % 3 + 1)});
    }
    // Applications of the login's category for the two document windows.
    for (int i = 1; i <= 3; ++i)
        fx.exec(QStringLiteral("insert into xmsb (xmlb, xmmc, fzrxm, fzrzc, szdw, sqje, sqrq) values "
                               "('B.自然科学专项', ?, ?, '教授', ?, ?, ?)"),
                {QStringLiteral("寒区城市供热管网节能运行关键技术研究%1").arg(i), QStringLiteral("欧阳振华"),
                 QStringLiteral("示范大学%1").arg(i), 12.5 * i, QStringLiteral("2004.03.0%1").arg(i)});
    const struct {
        const char* item;
        const char* file;
    } windows[] = {
        {"mnudwdmgl", "frmdwdm.png"}, {"mnuzdsysdmgl", "frmsys.png"}, {"mnuxkdmgl", "frmxkdm.png"},
        {"mnusqdwmc", "frmsqdw.png"}, {"mnuuser", "frmuser.png"},
        {"mnuxmpzgl", "frmxmpz.png"}, {"mnuqdzbxm", "frmqdzbxm.png"},
        {"mnusqs", "frmsqs.png"}, {"mnuxmsbylb", "frmylb.png"},
    };
    for (const auto& w : windows) {
        QAction* item = forms::frmmain->findChild<QAction*>(QString::fromLatin1(w.item));
        item->trigger();
        Settle(10);
        QWidget* opened = QApplication::activeWindow();
        for (VbForm* f : VbForm::AllForms())
            if (f->IsLoaded() && f != &forms::frmmain.get() && f->isVisible())
                opened = f;
        ShowActive(opened);
        save(opened, dir, QString::fromLatin1(w.file));
        static_cast<VbForm*>(opened)->Unload();
        Settle(10);
    }
    // The application window, every tab of it.
    forms::frmmain->findChild<QAction*>(QStringLiteral("mnujblr"))->trigger();
    Settle(10);
    ShowActive(&forms::frmjblr.get());
    auto* tabs = forms::frmjblr->findChild<VbTab*>(QStringLiteral("SSTabjblr"));
    for (int i = 0; i < tabs->count(); ++i) {
        if (!tabs->isTabVisible(i))
            continue;
        tabs->SetTab(i);
        save(&forms::frmjblr.get(), dir, QStringLiteral("frmjblr%1.png").arg(i));
    }
    forms::frmjblr->Unload();
    // Category 3 shows the investment tab and hides the research type.
    gCategory = 3;
    forms::frmjblr->Show();
    ShowActive(&forms::frmjblr.get());
    tabs = forms::frmjblr->findChild<VbTab*>(QStringLiteral("SSTabjblr"));
    for (int i : {1, 6}) {
        tabs->SetTab(i);
        save(&forms::frmjblr.get(), dir, QStringLiteral("frmjblr%1c3.png").arg(i));
    }
    forms::frmjblr->Unload();
    return 0;
}
