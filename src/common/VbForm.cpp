#include "VbForm.h"

#include "Failure.h"
#include "Guard.h"
#include "Platform.h"
#include "Twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QTimer>
#include <deque>
#include <stdexcept>
#include <vector>

// ---------------------------------------------------------------------------
// Focus events per window.

class FocusTracker : public QObject {
public:
    static FocusTracker& instance()
    {
        static FocusTracker* t = new FocusTracker();
        return *t;
    }

    // The focus reached `now` (by Qt or by SetFocus on an inactive window).
    void arrive(QWidget* now)
    {
        if (!now)
            return;
        VbForm* form = qobject_cast<VbForm*>(now->window());
        if (!form || !form->IsLoaded())
            return;
        m_queue.push_back({form, now});
        if (m_dispatching)
            return;
        m_dispatching = true;
        while (!m_queue.empty()) {
            Move m = m_queue.front();
            m_queue.pop_front();
            // One failing handler must not stop the moves queued behind it.
            if (m.form && m.to)
                RunGuarded([&] { process(m.form, m.to); });
        }
        m_dispatching = false;
    }

    // A SetFocus from inside a LostFocus handler of the same window.
    bool redirect(QWidget* w)
    {
        if (!m_inLostFocus || w->window() != m_inLostFocus)
            return false;
        m_redirect = w;
        return true;
    }

private:
    struct Move {
        QPointer<VbForm> form;
        QPointer<QWidget> to;
    };

    FocusTracker()
    {
        connect(qApp, &QApplication::focusChanged, this,
                [this](QWidget*, QWidget* now) { arrive(now); });
    }

    static void raise(QWidget* w, bool got)
    {
        if (auto* fe = dynamic_cast<FocusEvents*>(w))
            got ? fe->raiseGotFocus() : fe->raiseLostFocus();
    }

    void process(VbForm* form, QWidget* now)
    {
        if (form->m_active == now)
            return;
        QPointer<QWidget> old = form->m_active;
        form->m_active = now;
        // The focus moved because the control that had it was disabled or hidden by
        // the program: the window's controls see no focus event for that.
        if (old && (!old->isEnabled() || !old->isVisibleTo(form)))
            return;
        if (old) {
            m_inLostFocus = form;
            m_redirect = nullptr;
            raise(old, false);
            m_inLostFocus = nullptr;
            if (m_redirect) {
                QPointer<QWidget> back = m_redirect;
                m_redirect = nullptr;
                form->m_active = back;
                if (back != now) {
                    QPointer<VbForm> f = form;
                    QTimer::singleShot(0, back, Guarded([f, back] {
                        // A move that the program made since (a handler that sent the
                        // focus on) wins over the take-back.
                        if (!f || f->m_active != back)
                            return;
                        if (back && back->isEnabled() && QApplication::focusWidget() != back)
                            back->setFocus(Qt::OtherFocusReason);
                    }));
                }
                raise(back, true);
                return;
            }
        }
        if (form->m_active == now)
            raise(now, true);
    }

    std::deque<Move> m_queue;
    bool m_dispatching = false;
    QPointer<VbForm> m_inLostFocus;
    QPointer<QWidget> m_redirect;
};

void SetFocus(QWidget* w)
{
    if (!w)
        return;
    QWidget* win = w->window();
    if (!w->isEnabled() || !w->isVisibleTo(win) || w->focusPolicy() == Qt::NoFocus)
        return;
    FocusTracker& t = FocusTracker::instance();
    if (t.redirect(w))
        return;
    w->setFocus(Qt::OtherFocusReason);
    // An inactive window gets no focus signal from Qt; its controls still see the move.
    if (!win->isActiveWindow())
        t.arrive(w);
}

static QWidget* nextInTabOrder(QWidget* from)
{
    QWidget* win = from->window();
    QWidget* w = from;
    for (;;) {
        w = w->nextInFocusChain();
        if (!w || w == from)
            return nullptr;
        if (w->window() == win && w != win && w->isEnabled() && w->isVisibleTo(win)
            && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            return w;
    }
}

void SendTab(QWidget* context)
{
    QPointer<VbForm> form = context ? qobject_cast<VbForm*>(context->window()) : nullptr;
    QTimer::singleShot(0, qApp, Guarded([form] {
        QWidget* from = nullptr;
        if (form && form->IsLoaded())
            from = form->ActiveControl();
        if (!from)
            from = QApplication::focusWidget();
        if (!from)
            return;
        if (QWidget* next = nextInTabOrder(from))
            SetFocus(next);
    }));
}

void SendKey(QWidget* context, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QPointer<VbForm> form = context ? qobject_cast<VbForm*>(context->window()) : nullptr;
    QTimer::singleShot(0, qApp, Guarded([form, key, modifiers] {
        QWidget* to = QApplication::focusWidget();
        if (!to && form && form->IsLoaded())
            to = form->ActiveControl();
        if (!to)
            return;
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(to, &press);
        QApplication::sendEvent(to, &release);
    }));
}

void SetTabOrder(std::initializer_list<QWidget*> order) { SetTabOrder(QList<QWidget*>(order)); }

void SetTabOrder(const QList<QWidget*>& order)
{
    // Each control in turn goes to the front of its window's focus chain, the last
    // first, so that the list ends up at the front in its own order. Qt's pairwise
    // setTabOrder leaves a control where it was when it stands earlier in the chain
    // and in another frame.
    std::vector<QWidget*> list;
    for (QWidget* w : order)
        if (w)
            list.push_back(w);
    if (list.empty())
        return;
    QWidget* win = list.front()->window();
    const Qt::FocusPolicy was = win->focusPolicy();
    win->setFocusPolicy(Qt::StrongFocus);
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if ((*it)->window() == win && *it != win)
            QWidget::setTabOrder(win, *it);
    win->setFocusPolicy(was);
}

// ---------------------------------------------------------------------------
// Window registry and life cycle.

namespace {
struct Entry {
    VbForm* form;
    std::function<void()> reset;
};
QList<Entry>& entries()
{
    static QList<Entry> e;
    return e;
}
QList<VbForm*>& formList()
{
    static QList<VbForm*> l;
    return l;
}
int g_loaded = 0;

QWidget* graveyard()
{
    static QWidget* g = nullptr;
    if (!g) {
        g = new QWidget();
        g->setObjectName(QStringLiteral("__dropped_controls"));
    }
    return g;
}
}  // namespace

void FormRegistry::add(VbForm* form, std::function<void()> reset)
{
    entries().append({form, std::move(reset)});
}

void FormRegistry::destroyAll()
{
    const QList<Entry> all = entries();
    entries().clear();
    for (const Entry& e : all) {
        if (e.form->IsLoaded()) {
            // Thrown away without its unload procedure: nothing may run any more.
            e.form->hide();
        }
        e.reset();
        delete e.form;
    }
    g_loaded = 0;
}

VbForm::VbForm(const QString& formName)
    : QWidget(nullptr)
{
    setObjectName(formName);
    setAttribute(Qt::WA_DeleteOnClose, false);
    formList().append(this);
    FocusTracker::instance();
}

VbForm::~VbForm()
{
    formList().removeAll(this);
    if (m_loaded)
        --g_loaded;
}

const QList<VbForm*>& VbForm::AllForms() { return formList(); }
int VbForm::LoadedCount() { return g_loaded; }

void VbForm::Load()
{
    if (m_loaded || m_loading)
        return;
    m_loading = true;
    m_active = nullptr;
    // A window whose controls cannot be built says why and is not loaded; what was
    // built of them goes, so that the next load starts from nothing.
    if (!RunGuarded([this] { SetupUi(); })) {
        dropControls();
        m_loading = false;
        return;
    }
    m_loaded = true;
    ++g_loaded;
    // A window that cannot open its data (the database file missing, say) says why
    // and does not open; its unload closes what the load had opened, and it can be
    // loaded again later.
    const bool opened = RunGuarded([this] { Form_Load(); });
    m_loading = false;
    if (!opened)
        Unload();
}

void VbForm::Show()
{
    if (!m_loaded) {
        Load();
        // The load procedure may have unloaded the window again.
        if (!m_loaded)
            return;
    }
    show();
    raise();
    activateWindow();
}

void VbForm::Unload()
{
    if (!m_loaded)
        return;
    // A failing unload step is shown; the window unloads all the same, or it could
    // never be closed.
    RunGuarded([this] { Form_Unload(); });
    m_locksMain = false;
    m_loaded = false;
    hide();
    dropControls();
    m_active = nullptr;
    if (--g_loaded == 0)
        platform::EndProgram();
}

void VbForm::dropControls()
{
    // The controls may be in the middle of raising the event that unloads the
    // window: move them out of sight now and delete them once control returns.
    const QList<QWidget*> kids = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* w : kids) {
        w->hide();
        w->setParent(graveyard());
        w->deleteLater();
    }
    const QList<QObject*> objs = children();
    for (QObject* o : objs) {
        if (o->isWidgetType() || o == layout())
            continue;
        o->setParent(nullptr);
        o->deleteLater();
    }
    delete layout();
    m_default = nullptr;
    m_cancel = nullptr;
    for (QPointer<QObject>* p : m_controlPointers)
        p->clear();
}

double VbForm::InnerWidthTw() const { return PixelsToTwips(width()); }
double VbForm::InnerHeightTw() const { return PixelsToTwips(height()); }

void VbForm::SetInnerSizeTw(int widthTw, int heightTw)
{
    resize(TwipsToPixels(widthTw), TwipsToPixels(heightTw));
}

void VbForm::MoveTw(long leftTw, long topTw)
{
    move(TwipsToPixels(static_cast<double>(leftTw)), TwipsToPixels(static_cast<double>(topTw)));
}

long VbForm::LeftTw() const { return PixelsToTwips(pos().x()); }
long VbForm::TopTw() const { return PixelsToTwips(pos().y()); }

void VbForm::closeEvent(QCloseEvent* e)
{
    // A disabled window takes no input, its close box included.
    if (!isEnabled()) {
        e->ignore();
        return;
    }
    e->ignore();
    RunGuarded([this] { Unload(); });
}

void VbForm::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (m_loaded)
        RunGuarded([this] { Form_Resize(); });
}

void VbForm::keyPressEvent(QKeyEvent* e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && m_default && m_default->isEnabled()) {
        m_default->click();
        return;
    }
    if (e->key() == Qt::Key_Escape && m_cancel && m_cancel->isEnabled()) {
        m_cancel->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

// ---------------------------------------------------------------------------
// The working windows and the main window.

namespace {
VbForm& (*g_mainWindow)() = nullptr;
bool (*g_mainWindowLoaded)() = nullptr;

// Moves the window just enough to lie wholly in the screen's available area; a
// window larger than the area keeps its left and top edges on it, where its labels
// and first buttons are.
void keepOnScreen(QWidget& w, QScreen* screen)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = w.frameGeometry();
    auto shift = [](int low, int high, int areaLow, int areaHigh) {
        int d = 0;
        if (high > areaHigh)
            d = areaHigh - high;
        if (low + d < areaLow)
            d = areaLow - low;
        return d;
    };
    const QPoint by(shift(frame.left(), frame.right(), area.left(), area.right()),
                    shift(frame.top(), frame.bottom(), area.top(), area.bottom()));
    if (!by.isNull())
        w.move(w.pos() + by);
}
}  // namespace

void RegisterMainWindow(VbForm& (*window)(), bool (*loaded)())
{
    g_mainWindow = window;
    g_mainWindowLoaded = loaded;
}

VbForm& MainForm()
{
    if (!g_mainWindow)
        throw std::logic_error("no main window is registered");
    return g_mainWindow();
}

bool MainFormLoaded() { return g_mainWindowLoaded && g_mainWindowLoaded(); }

void LockMainWindow(VbForm& target)
{
    target.Show();
    if (!target.IsLoaded())
        return;
    target.SetLocksMainWindow(true);
    if (MainFormLoaded())
        MainForm().setEnabled(false);
}

void CentreOnScreen(VbForm& form)
{
    QScreen* screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    form.move(area.x() + (area.width() - form.width()) / 2, area.y() + (area.height() - form.height()) / 2);
}

void CentreOnMain(VbForm& form)
{
    // Single-precision arithmetic in twips, as the layout numbers are kept.
    const float mainW = static_cast<float>(MainForm().InnerWidthTw());
    const float mainH = static_cast<float>(MainForm().InnerHeightTw());
    const float ownW = static_cast<float>(form.InnerWidthTw());
    const float ownH = static_cast<float>(form.InnerHeightTw());
    const long left = RoundHalfEven((mainW - ownW) / 2.0f);
    const long top = RoundHalfEven((mainH - ownH) / 2.0f);
    form.MoveTw(left, top);
    keepOnScreen(form, MainForm().screen());
}

void ReleaseMainWindow()
{
    if (MainFormLoaded())
        MainForm().setEnabled(true);
}

void ReleaseMainWindowUnlessLocked(const VbForm& self)
{
    for (VbForm* f : VbForm::AllForms())
        if (f != &self && f->IsLoaded() && f->LocksMainWindow())
            return;
    ReleaseMainWindow();
}
