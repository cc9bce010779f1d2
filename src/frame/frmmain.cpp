#include "frmmain.h"

#include "AppFolder.h"
#include "Db.h"
#include "Guard.h"
#include "ModVar.h"
#include "Twips.h"
#include "frmAbout.h"
#include "frmLogin.h"
#include "frmuser.h"

#include "frmjblr.h"
#include "frmlrpzh.h"
#include "frmpzcx.h"
#include "frmqdzbxm.h"
#include "frmwpzcx.h"
#include "frmxmpz.h"
#include "frmzqjzpj.h"
#include "frmjtbg.h"
#include "frmjyje.h"
#include "frmsqs.h"
#include "frmxmsc.h"
#include "frmylb.h"
#include "Beifen.h"
#include "Beifene.h"
#include "DiskBu.h"
#include "DiskRcv.h"
#include "frmjtsjjs.h"
#include "frmjtsjsb.h"
#include "frmzqsjsb.h"
#include "frmdwdm.h"
#include "frmejdwdm.h"
#include "frmrwjd.h"
#include "frmsqdw.h"
#include "frmsys.h"
#include "frmxkdm.h"
#include "frmzcdm.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <functional>
#include <vector>

namespace {

constexpr int kDesignWidthTw = 7080;
constexpr int kDesignHeightTw = 6225;
const QString kDesignCaption = QStringLiteral("Oskavelvero科研计划项目申报管理系统");

// What choosing a menu item does.
enum class Action {
    Lock,     // shown modeless, the main window disabled until the window unloads
    Show,     // shown modeless, the main window stays enabled
    Greyed,   // disabled at design, nothing enables it
    Hidden,   // disabled and not shown
    Exit,
    LogOff,
    Separator,
};

struct Item {
    const char* name;
    const char* caption;
    Action action;
    std::function<VbForm&()> window;
};

struct Menu {
    const char* name;
    const char* caption;
    std::vector<Item> items;
};

template <class T>
std::function<VbForm&()> win(FormRef<T>& ref)
{
    return [&ref]() -> VbForm& { return ref.get(); };
}

const Item kSeparator{"", "", Action::Separator, {}};

const std::vector<Menu>& MenuTree()
{
    static const std::vector<Menu> tree = {
        {"mnuxtwh", "系统维护", {
            {"mnusqdwmc", "申请单位信息", Action::Lock, win(forms::frmsqdw)},
            {"mnuejdwdmgl", "二级申请单位代码管理", Action::Lock, win(forms::frmejdwdm)},
            kSeparator,
            {"mnudwdmgl", "单位代码管理", Action::Lock, win(forms::frmdwdm)},
            kSeparator,
            {"mnuxkdmgl", "学科代码管理", Action::Lock, win(forms::frmxkdm)},
            kSeparator,
            {"mnuzdsysdmgl", "重点实验室代码管理", Action::Lock, win(forms::frmsys)},
            {"mnurwjd", "所属人文、社科研究基地", Action::Lock, win(forms::frmrwjd)},
            kSeparator,
            {"mnuzyzcdmgl", "专业职称代码管理", Action::Lock, win(forms::frmzcdm)},
            kSeparator,
            {"mnuuser", "操作员管理", Action::Show, win(forms::frmuser)},
            kSeparator,
            {"mnutc", "退出", Action::Exit, {}},
        }},
        {"sqxm", "项目申请", {
            {"mnujblr", "简表录入", Action::Lock, win(forms::frmjblr)},
            {"mnusqs", "生成申请书", Action::Show, win(forms::frmsqs)},
            kSeparator,
            {"mnuxmsc", "项目删除", Action::Show, win(forms::frmxmsc)},
            kSeparator,
            {"mnujyje", "录入建议金额", Action::Lock, win(forms::frmjyje)},
            {"mnuxmlbdy", "项目列表打印", Action::Hidden, {}},
            kSeparator,
            {"mnuxmsbylb", "项目申报一览表", Action::Show, win(forms::frmylb)},
            {"mnuxssc", "形式审查", Action::Greyed, {}},
            {"mnusqcxjc", "申请超项检查", Action::Greyed, {}},
            {"mnushtj", "上会统计", Action::Greyed, {}},
            kSeparator,
            {"mnuxkzhf", "学科组划分", Action::Greyed, {}},
            {"mnusqxmcx", "申请项目查询", Action::Greyed, {}},
            {"mnusqxmtj", "申请项目统计", Action::Greyed, {}},
            kSeparator,
            {"mnuzjdf", "专家打分", Action::Greyed, {}},
        }},
        {"mnuzqxmgl", "中期项目管理", {
            {"mnuxmpzgl", "项目批准管理", Action::Lock, win(forms::frmxmpz)},
            kSeparator,
            {"mnulrpzh", "录入批准号", Action::Lock, win(forms::frmlrpzh)},
            kSeparator,
            {"mnuqdzbxm", "确定中报项目", Action::Lock, win(forms::frmqdzbxm)},
            kSeparator,
            {"mnundjzbglr", "项目进展评价", Action::Lock, win(forms::frmzqjzpj)},
            kSeparator,
            {"mnuyqsqlr", "延期申请录入", Action::Greyed, {}},
            kSeparator,
            {"mnuzyxmcx", "未批准项目浏览", Action::Lock, win(forms::frmwpzcx)},
            {"mnuzyxmtj", "已批准项目浏览", Action::Lock, win(forms::frmpzcx)},
        }},
        {"mnuxmjt", "项目结题", {
            {"mnujtbglr", "结题报告录入", Action::Lock, win(forms::frmjtbg)},
            kSeparator,
            {"mnujtxmcx", "结题项目查询", Action::Greyed, {}},
            {"mnujtxmtj", "结题项目统计", Action::Greyed, {}},
            kSeparator,
            {"mnujtxmgd", "结题项目归档", Action::Greyed, {}},
        }},
        {"mnusjgl", "数据管理", {
            {"mnusjbf", "数据备份", Action::Lock, win(forms::DiskBu)},
            kSeparator,
            {"mnusjhf", "数据恢复", Action::Lock, win(forms::DiskRcv)},
        }},
        {"mnusjsbyjs", "数据上报与接收", {
            {"mnusjsb", "申报数据上报", Action::Lock, win(forms::Beifen)},
            {"mnusjjs", "申报数据接收", Action::Lock, win(forms::Beifene)},
            kSeparator,
            {"mnuzqjzsb", "中期进展上报", Action::Lock, win(forms::frmzqsjsb)},
            kSeparator,
            {"mnujtsjsb", "结题数据上报", Action::Lock, win(forms::frmjtsjsb)},
            {"mnujtsjjs", "结题数据接收", Action::Lock, win(forms::frmjtsjjs)},
        }},
        {"mnuxtbz", "系统帮助", {
            {"mnugybxt", "关于本系统", Action::Show, win(forms::frmAbout)},
            kSeparator,
            {"mnusyxtbz", "使用系统帮助", Action::Greyed, {}},
            {"mnutcxt", "退出本系统", Action::LogOff, {}},
        }},
    };
    return tree;
}

struct ToolButton {
    const char* key;     // empty: a separator
    const char* toolTip;
    const char* image;   // empty: no image
};

const ToolButton kToolButtons[] = {
    {"new", "新建", "new"},
    {"", "", ""},
    {"cut", "剪切", "cut"},
    {"copy", "拷贝", "copy"},
    {"paste", "粘贴", "paste"},
    {"", "", ""},
    {"undo", "撤消", "undo"},
    {"select", "全选", ""},
    {"", "", ""},
    {"exit", "退出本系统", "exit"},
};

// The window's icon: a small flame on a blue square.
QIcon MainIcon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 80, 160));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QPainterPath flame;
    flame.moveTo(16, 4);
    flame.cubicTo(QPointF(26, 14), QPointF(25, 27), QPointF(16, 28));
    flame.cubicTo(QPointF(7, 27), QPointF(6, 16), QPointF(12, 11));
    flame.cubicTo(QPointF(12, 16), QPointF(14, 17), QPointF(15, 17));
    flame.cubicTo(QPointF(13, 11), QPointF(15, 7), QPointF(16, 4));
    p.setBrush(QColor(250, 150, 30));
    p.drawPath(flame);
    p.setBrush(QColor(255, 230, 90));
    p.drawEllipse(QRectF(12.5, 18, 7, 9));
    return QIcon(pm);
}

// Unloads every loaded window but the main and login windows.
void UnloadWorkingWindows()
{
    const QList<VbForm*> all = VbForm::AllForms();
    for (VbForm* f : all) {
        if (!f->IsLoaded() || f == forms::frmmain.existing() || f == forms::frmLogin.existing())
            continue;
        f->Unload();
    }
}

}  // namespace

frmmain::frmmain()
    : VbForm(QStringLiteral("frmmain"))
{
}

int frmmain::MenuBarHeight() const { return m_menuBar ? m_menuBar->height() : 0; }

double frmmain::InnerWidthTw() const
{
    if (!IsLoaded())
        return kDesignWidthTw;
    return PixelsToTwips(width());
}

double frmmain::InnerHeightTw() const
{
    if (!IsLoaded())
        return kDesignHeightTw;
    return PixelsToTwips(height() - MenuBarHeight());
}

void frmmain::SetupUi()
{
    setWindowTitle(kDesignCaption);
    setWindowIcon(MainIcon());

    // Created first, so that it lies under the toolbar.
    m_imgback = new VbPicture(this, QStringLiteral("Imgback"));
    m_imgback->SetStretch(true);

    m_imageList = new VbImageList(this, QStringLiteral("ImageList1"), 16);
    AddMainToolbarImages(*m_imageList);

    BuildMenus();
    BuildToolbar();

    m_menuBar->resize(m_menuBar->sizeHint());
    resize(TwipsToPixels(kDesignWidthTw), TwipsToPixels(kDesignHeightTw) + m_menuBar->sizeHint().height());
    LayoutControls();
    CentreOnScreen(*this);
}

void frmmain::BuildMenus()
{
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("MenuBar"));
    m_menuBar->setNativeMenuBar(false);
    // Narrow item margins, so that the seven menus fit the window's design width.
    m_menuBar->setStyleSheet(QStringLiteral("QMenuBar { spacing: 0px; } QMenuBar::item { padding: 3px 5px; margin: 0px; }"));
    for (const Menu& m : MenuTree()) {
        QMenu* menu = m_menuBar->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QString::fromUtf8(m.name));
        menu->menuAction()->setObjectName(QString::fromUtf8(m.name));
        for (const Item& it : m.items) {
            if (it.action == Action::Separator) {
                menu->addSeparator();
                continue;
            }
            QAction* a = menu->addAction(QString::fromUtf8(it.caption));
            a->setObjectName(QString::fromUtf8(it.name));
            switch (it.action) {
            case Action::Greyed:
                a->setEnabled(false);
                break;
            case Action::Hidden:
                a->setEnabled(false);
                a->setVisible(false);
                break;
            case Action::Lock: {
                const auto window = it.window;
                connect(a, &QAction::triggered, this, Guarded([window] { LockMainWindow(window()); }));
                break;
            }
            case Action::Show: {
                const auto window = it.window;
                connect(a, &QAction::triggered, this, Guarded([window] { window().Show(); }));
                break;
            }
            case Action::Exit:
                connect(a, &QAction::triggered, this, Guarded([this] { mnutc_Click(); }));
                break;
            case Action::LogOff:
                connect(a, &QAction::triggered, this, Guarded([this] { mnutcxt_Click(); }));
                break;
            case Action::Separator:
                break;
            }
        }
    }
}

void frmmain::BuildToolbar()
{
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setIconSize(QSize(16, 16));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->setFocusPolicy(Qt::NoFocus);
    for (const ToolButton& b : kToolButtons) {
        const QString key = QString::fromUtf8(b.key);
        if (key.isEmpty()) {
            m_toolbar->addSeparator();
            continue;
        }
        // No caption: the text is the tool tip only.
        QAction* a = m_toolbar->addAction(QString());
        a->setObjectName(key);
        a->setData(key);
        a->setToolTip(QString::fromUtf8(b.toolTip));
        const QString image = QString::fromUtf8(b.image);
        if (!image.isEmpty())
            a->setIcon(m_imageList->Icon(image));
        if (QWidget* w = m_toolbar->widgetForAction(a))
            w->setFocusPolicy(Qt::NoFocus);
        connect(a, &QAction::triggered, this, Guarded([this, key] { Toolbar1_ButtonClick(key); }));
    }
}

void frmmain::LayoutControls()
{
    if (!m_menuBar)
        return;
    const int menuH = m_menuBar->sizeHint().height();
    m_menuBar->setGeometry(0, 0, width(), menuH);
    m_toolbar->setGeometry(0, menuH, width(), m_toolbar->sizeHint().height());
    // The background covers the whole area below the menu bar.
    m_imgback->setGeometry(0, menuH, width(), qMax(0, height() - menuH));
}

void frmmain::Form_Load()
{
    m_imgback->LoadPicture(appFolder() + QStringLiteral("/gif/bgpic.bmp"));
    switch (gCategory) {
    case 1: setWindowTitle(QStringLiteral("Oskavelvero科研计划项目申报管理系统(人文社科专项)")); break;
    case 2: setWindowTitle(QStringLiteral("Oskavelvero科研计划项目申报管理系统(自然科学专项)")); break;
    case 3: setWindowTitle(QStringLiteral("Oskavelvero科研计划项目申报管理系统(产业化培育项目)")); break;
    default: break;
    }
    gDbPath = DefaultDbPath();
}

void frmmain::Form_Resize() { LayoutControls(); }

void frmmain::Toolbar1_ButtonClick(const QString& key)
{
    if (key == QLatin1String("cut"))
        EditCut();
    else if (key == QLatin1String("copy"))
        EditCopy();
    else if (key == QLatin1String("paste"))
        EditPaste();
    else if (key == QLatin1String("exit"))
        mnutcxt_Click();
    // "new", "undo" and "select" do nothing.
}

void frmmain::mnutc_Click()
{
    // The working windows go first, so that none of them outlives the main window.
    UnloadWorkingWindows();
    if (forms::frmLogin.loaded())
        forms::frmLogin->Unload();
    Unload();
}

void frmmain::mnutcxt_Click()
{
    UnloadWorkingWindows();
    forms::frmLogin->Show();
    Unload();
}

void frmmain::closeEvent(QCloseEvent* e)
{
    // The close box is the exit; a disabled window takes no input, its close box
    // included.
    e->ignore();
    if (isEnabled() && IsLoaded())
        RunGuarded([this] { mnutc_Click(); });
}

void RegisterFrameWindows()
{
    RegisterMainWindow([]() -> VbForm& { return forms::frmmain.get(); }, [] { return forms::frmmain.loaded(); });
}
