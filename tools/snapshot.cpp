// Pictures of the login window, the main window and the about box as a user sees
// them, written as PNG files into a folder (default: the current one). Run it under
// a display, e.g.:
//
//     xvfb-run -a -s '-screen 0 1280x1024x24' build/snapshot /tmp
//
// It works in a fresh application folder of its own (an empty login table).

#include "Controls.h"
#include "ModVar.h"
#include "TestSupport.h"
#include "frmpzcx.h"
#include "frmzjdf.h"
#include "frmAbout.h"
#include "frmLogin.h"
#include "frmmain.h"
#include "frmjtbg.h"
#include "TickGrid.h"
#include "Beifen.h"
#include "Beifene.h"
#include "SubmissionFile.h"
#include "frmPrvw.h"
#include "frmjblr.h"

#include <QApplication>
#include <QComboBox>
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
    // Approval numbers and amounts, and the year's mid-term projects with their evaluations.
    fx.exec(QStringLiteral("update xmsbpz set xmbh = 'P2026' || rowid, pzje = 2.5 * rowid, nd = '2026', "
                           "bz = case when rowid % 2 = 0 then '中青年人才培养' end"));
    fx.exec(QStringLiteral("insert into xmpz (xmbh, pzje, xmmc, xmfzr, szdw, ssxk, xkmc, qsny, zzny, xmlb, zqnbz, nd, "
                           "jzpj) select xmbh, pzje, xmmc, xmfzr, szdw, ssxk, xkmc, qsny, zzny, xmlb, bz, '2026', "
                           "'基本按计划进行' from xmsbpz"));
    // Applications of the login's category for the two document windows.
    for (int i = 1; i <= 3; ++i)
        fx.exec(QStringLiteral("insert into xmsb (xmlb, xmmc, fzrxm, fzrzc, szdw, sqje, sqrq) values "
                               "('B.自然科学专项', ?, ?, '教授', ?, ?, ?)"),
                {QStringLiteral("寒区城市供热管网节能运行关键技术研究%1").arg(i), QStringLiteral("欧阳振华"),
                 QStringLiteral("示范大学%1").arg(i), 12.5 * i, QStringLiteral("2004.03.0%1").arg(i)});
    // Applications of next year, mid-term records and completion reports for the
    // submission and reception windows.
    for (int i = 1; i <= 10; ++i) {
        const QVariantList common = {CategoryText(1 + i % 3), QStringLiteral("示范项目第%1号研究").arg(i),
                                     QStringLiteral("张%1").arg(i), QStringLiteral("示范大学%1").arg(i % 3 + 1)};
        fx.exec(QStringLiteral("insert into xmsb (xmlb, xmmc, xmfzr, szdw, sqrq, qsny, xkmc, ssxk) "
                               "values (?, ?, ?, ?, '2027.03.01', '2027年1月', '数学', 'PA')"), common);
        fx.exec(QStringLiteral("insert into xmpz (xmlb, xmmc, xmfzr, szdw, xmbh, nd, xkmc, ssxk, jzpj, qsny) "
                               "values (?, ?, ?, ?, ?, '2026', '数学', 'PA', '良好', '2025年1月')"),
                common + QVariantList{QStringLiteral("2025A%1").arg(i, 3, 10, QChar('0'))});
        fx.exec(QStringLiteral("insert into xmjt (xmlb, xmmc, xmfzr, szdw, xmbh, pa, fa) "
                               "values (?, ?, ?, ?, ?, '2026.06', '2026.09')"),
                common + QVariantList{QStringLiteral("2025A%1").arg(i, 3, 10, QChar('0'))});
    }
    // Applications archived as not approved, and the expert scoring's projects.
    fx.exec(QStringLiteral("insert into xmsbwpz select * from xmsb where xmlb = 'B.自然科学专项'"));
    fx.exec(QStringLiteral("insert into xkhf values ('2026', '理科组', 'PAPB')"));
    for (int i = 1; i <= 4; ++i)
        fx.exec(QStringLiteral("insert into sh values ('PA', ?, ?, ?, ?)"),
                {QStringLiteral("BH%1").arg(i), QStringLiteral("欧阳%1").arg(i),
                 QStringLiteral("寒区城市供热管网节能运行研究%1").arg(i), QStringLiteral("示范大学%1").arg(i)});
    const struct {
        const char* item;
        const char* file;
    } windows[] = {
        {"mnudwdmgl", "frmdwdm.png"}, {"mnuzdsysdmgl", "frmsys.png"}, {"mnuxkdmgl", "frmxkdm.png"},
        {"mnusqdwmc", "frmsqdw.png"}, {"mnuuser", "frmuser.png"},
        {"mnuxmpzgl", "frmxmpz.png"}, {"mnuqdzbxm", "frmqdzbxm.png"},
        {"mnulrpzh", "frmlrpzh.png"}, {"mnundjzbglr", "frmzqjzpj.png"},
        {"mnusqs", "frmsqs.png"}, {"mnuxmsbylb", "frmylb.png"},
        {"mnusjsb", "Beifen.png"}, {"mnuzqjzsb", "frmzqsjsb.png"}, {"mnujtsjsb", "frmjtsjsb.png"},
        {"mnusjjs", "Beifene.png"}, {"mnujtsjjs", "frmjtsjjs.png"},
        {"mnusjbf", "DiskBu.png"}, {"mnusjhf", "DiskRcv.png"},
        {"mnuxmsc", "frmxmsc.png"},
        {"mnujyje", "frmjyje.png"}, {"mnuzyxmcx", "frmwpzcx.png"}, {"mnuzyxmtj", "frmpzcx.png"},
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

    // The completion-report window on a full report, one picture per tab.
    fx.exec(QStringLiteral("insert into zcdm values ('001', '教授'), ('002', '副教授')"));
    fx.exec(QStringLiteral("insert into xmjt (zqnbz, xmlb, xmbh, xmmc, xmfzr, szdw, fzrzc, fzrzcdm, fzrxw, fzrcjsj, pa, "
                           "fa, fh, ff, au, aha, ahb, picr, pncr, pjn, pappv, psa, tnn1, ph, pss, psz, abst, key1) values "
                           "('中青年人才培养', 'B.自然科学专项', 'B2004017', '寒区城市供热管网节能运行关键技术研究', "
                           "'欧阳振华', '示范大学1', '教授', '001', '博士', '24', '2006.12', '2007.03', 12.5, 11.8, 2, "
                           "3, 4, 1, 2, 5, 1, 1, 1, 2, 3, 45.5, '完成了供热管网运行的节能研究。', '供热')"));
    forms::frmmain->findChild<QAction*>(QStringLiteral("mnujtbglr"))->trigger();
    Settle(10);
    ShowActive(&forms::frmjtbg.get());
    auto* tabs = forms::frmjtbg->findChild<QTabWidget*>(QStringLiteral("SSTabjblr"));
    for (int t = 0; t < tabs->count(); ++t) {
        tabs->setCurrentIndex(t);
        Settle(5);
        save(&forms::frmjtbg.get(), dir, QStringLiteral("frmjtbg%1.png").arg(t));
    }
    forms::frmjtbg->Unload();
    Settle(10);

    // The preview of two ticked applications, over the submission window.
    forms::frmmain->findChild<QAction*>(QStringLiteral("mnusjsb"))->trigger();
    Settle(10);
    TickGrid* grid = forms::Beifen->findChild<TickGrid*>();
    grid->Flags()[2] = 1;
    grid->Flags()[5] = 1;
    frmPrvw::OpenPreview(*grid);
    ShowActive(&forms::frmPrvw.get());
    save(&forms::frmPrvw.get(), dir, QStringLiteral("frmPrvw.png"));
    forms::frmPrvw->Unload();
    forms::Beifen->Unload();

    // The reception window with a submitted file open.
    QList<qint64> submitted;
    for (const QStringList& r : fx.rows(QStringLiteral("select rowid from xmsb where qsny = ? order by rowid"), {QStringLiteral("2027年1月")}))
        submitted << r[0].toLongLong();
    gCheckedCount = int(submitted.size());
    gExportTable = QStringLiteral("xmsb");
    gExportFile = fx.folder() + QStringLiteral("/submitted.MDB");
    PackData(QStringLiteral("xmsb"), submitted);
    fx.ui.clear();
    fx.ui.fileAnswers << gExportFile;
    forms::frmmain->findChild<QAction*>(QStringLiteral("mnusjjs"))->trigger();
    Settle(10);
    forms::Beifene->findChild<QPushButton*>(QStringLiteral("cmdOf"))->click();
    ShowActive(&forms::Beifene.get());
    save(&forms::Beifene.get(), dir, QStringLiteral("Beifene-file.png"));
    forms::Beifene->Unload();

    // The other tabs of the approved browsing window, in category 3 (all eight tabs).
    gCategory = 3;
    forms::frmmain->findChild<QAction*>(QStringLiteral("mnuzyxmtj"))->trigger();
    ShowActive(&forms::frmpzcx.get());
    if (auto* browseTabs = forms::frmpzcx->findChild<VbTab*>(QStringLiteral("SSTabjblr")))
        for (int i = 1; i < browseTabs->count(); ++i) {
            browseTabs->SetTab(i);
            save(&forms::frmpzcx.get(), dir, QStringLiteral("frmpzcx_tab%1.png").arg(i));
        }
    forms::frmpzcx->Unload();
    Settle(10);

    // Expert scoring: no menu item opens it; shown as it would open, a group picked.
    forms::frmzjdf->Show();
    ShowActive(&forms::frmzjdf.get());
    if (auto* groups = forms::frmzjdf->findChild<QComboBox*>(QStringLiteral("Combo1")); groups && groups->count() > 0) {
        groups->setCurrentIndex(0);
        emit groups->activated(0);
    }
    save(&forms::frmzjdf.get(), dir, QStringLiteral("frmzjdf.png"));

    // The application window, every tab of it.
    forms::frmmain->findChild<QAction*>(QStringLiteral("mnujblr"))->trigger();
    Settle(10);
    ShowActive(&forms::frmjblr.get());
    auto* appTabs = forms::frmjblr->findChild<VbTab*>(QStringLiteral("SSTabjblr"));
    for (int i = 0; i < appTabs->count(); ++i) {
        if (!appTabs->isTabVisible(i))
            continue;
        appTabs->SetTab(i);
        save(&forms::frmjblr.get(), dir, QStringLiteral("frmjblr%1.png").arg(i));
    }
    // The unit list open on the cover.
    appTabs->SetTab(0);
    forms::frmjblr->findChild<VbTextBox*>(QStringLiteral("txtszdw"))->DblClick.raise();
    save(&forms::frmjblr.get(), dir, QStringLiteral("frmjblr0unit.png"));
    forms::frmjblr->Unload();
    // Category 3 shows the investment tab and hides the research type.
    gCategory = 3;
    forms::frmjblr->Show();
    ShowActive(&forms::frmjblr.get());
    appTabs = forms::frmjblr->findChild<VbTab*>(QStringLiteral("SSTabjblr"));
    for (int i : {1, 6}) {
        appTabs->SetTab(i);
        save(&forms::frmjblr.get(), dir, QStringLiteral("frmjblr%1c3.png").arg(i));
    }
    forms::frmjblr->Unload();
    return 0;
}
