#pragma once
// The life of a window. Each window is a class with exactly one global instance,
// created on first use and never destroyed during the run. Showing a window that is
// not loaded loads it: its controls are built anew in their design state and its
// load procedure runs. Closing it by any means unloads it: its unload procedure runs
// and its controls are thrown away. Shown again, it loads anew. The program ends
// when no window is loaded.
//
// The focus events of the controls (GotFocus, LostFocus) are raised here as well,
// per window, so that a message box or a switch to another program does not count
// as the control losing the focus.

#include <QAbstractButton>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <vector>

template <class T>
class ControlPtr;

class VbForm : public QWidget {
    Q_OBJECT
public:
    explicit VbForm(const QString& formName);
    ~VbForm() override;

    // VB's Show (modeless): loads when needed, shows, brings the window forward.
    void Show();
    // VB's Load statement: loads without showing. A step that fails is shown (the
    // one guard, Guard.h) and the window is left unloaded, ready to load again.
    void Load();
    // VB's Unload: runs the unload procedure, hides the window, drops its controls.
    // A failing unload procedure is shown; the window unloads all the same.
    void Unload();
    bool IsLoaded() const { return m_loaded; }

    // The area inside borders, title bar and menu bar, in twips.
    virtual double InnerWidthTw() const;
    virtual double InnerHeightTw() const;
    // Sets the inner area (twips) and moves the window (screen position, twips).
    void SetInnerSizeTw(int widthTw, int heightTw);
    void MoveTw(long leftTw, long topTw);
    // The window's position on the screen in twips, as VB's Left and Top.
    long LeftTw() const;
    long TopTw() const;

    // Default (Enter) and cancel (Esc) buttons of the window.
    void SetDefaultButton(QAbstractButton* b) { m_default = b; }
    void SetCancelButton(QAbstractButton* b) { m_cancel = b; }
    QAbstractButton* DefaultButton() const { return m_default; }
    QAbstractButton* CancelButton() const { return m_cancel; }

    // The control that has the focus as far as this window's controls know.
    QWidget* ActiveControl() const { return m_active; }

    // True while the window was opened by LockMainWindow and is loaded.
    bool LocksMainWindow() const { return m_locksMain; }
    void SetLocksMainWindow(bool v) { m_locksMain = v; }

    // Every created window, in the order of creation.
    static const QList<VbForm*>& AllForms();
    static int LoadedCount();

protected:
    // Builds the controls in their design state; runs at every load.
    virtual void SetupUi() = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    virtual void Form_Resize() {}

    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    friend class FocusTracker;
    template <class T>
    friend class ControlPtr;
    void dropControls();

    bool m_loaded = false;
    bool m_loading = false;
    bool m_locksMain = false;
    QPointer<QWidget> m_active;
    QPointer<QAbstractButton> m_default;
    QPointer<QAbstractButton> m_cancel;
    // The window's pointers to its controls, cleared when the controls go.
    std::vector<QPointer<QObject>*> m_controlPointers;
};

// A window's pointer to one of its controls. The controls are built at every load
// and thrown away at unload; from the unload on the pointer is null, until the next
// load builds the controls again, so that no pointer reaches a control that is gone.
// Declared as a member with the window: ControlPtr<VbTextBox> txtName{this};
template <class T>
class ControlPtr {
public:
    explicit ControlPtr(VbForm* form) { form->m_controlPointers.push_back(&m_p); }
    ControlPtr(const ControlPtr&) = delete;
    ControlPtr& operator=(const ControlPtr&) = delete;

    ControlPtr& operator=(T* control)
    {
        m_p = control;
        return *this;
    }
    T* get() const { return static_cast<T*>(m_p.data()); }
    operator T*() const { return get(); }
    T* operator->() const { return get(); }

private:
    QPointer<QObject> m_p;
};

// Controls that have VB focus events implement this.
class FocusEvents {
public:
    virtual ~FocusEvents() = default;
    virtual void raiseGotFocus() = 0;
    virtual void raiseLostFocus() = 0;
};

// VB's SetFocus: moves the focus to w. Called from a LostFocus handler it takes the
// focus back before any other control has seen it; a disabled or hidden control
// cannot take the focus and the call does nothing.
void SetFocus(QWidget* w);
// Queues one Tab keystroke: once the running handler has returned, the focus moves
// from whatever has it then to the next control in the window's tab order.
void SendTab(QWidget* context);
// Queues one keystroke of a key without a character (an arrow, say), or of a key
// with Ctrl held (the clipboard keys): once the running handler has returned, it
// goes to whatever control has the focus then, whose key handling judges it as typed.
void SendKey(QWidget* context, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The window's tab order, first to last, across frames; controls not named follow
// them in the order they were made.
void SetTabOrder(std::initializer_list<QWidget*> order);
void SetTabOrder(const QList<QWidget*>& order);

// The global instance of a window: created on first use through its name.
class FormRegistry {
public:
    static void add(VbForm* form, std::function<void()> reset);
    // Tests: throws every window away so the next use creates it afresh.
    static void destroyAll();
};

template <class T>
class FormRef {
public:
    T* operator->() { return &get(); }
    T& operator*() { return get(); }
    T& get()
    {
        if (!m_p) {
            m_p = new T();
            FormRegistry::add(m_p, [this] { m_p = nullptr; });
        }
        return *m_p;
    }
    bool exists() const { return m_p != nullptr; }
    // The window when it has been made, else nullptr (never makes it).
    T* existing() const { return m_p; }
    bool loaded() const { return m_p && m_p->IsLoaded(); }

private:
    T* m_p = nullptr;
};

// The main window as the working windows see it. The shared layer names no window
// above it: the frame registers its main window at start-up, as a function that
// gives the window (made on first use) and one that tells whether it is loaded
// (without making it).
void RegisterMainWindow(VbForm& (*window)(), bool (*loaded)());
// The registered main window; a programming error (std::logic_error) before the
// frame registered one.
VbForm& MainForm();
// False when no main window is registered.
bool MainFormLoaded();

// Shows the window modeless, then disables the main window until it unloads.
void LockMainWindow(VbForm& target);
// Centres the window on the screen (its available area), as a window that starts
// in the middle of the screen.
void CentreOnScreen(VbForm& form);
// Centres the window on the main window's inner area: screen position from the two
// inner sizes alone (twips, halves to even); the main window's own place is not added.
// A window that would then stand partly off the screen is moved just enough to lie
// wholly on it (the available area of the main window's screen).
void CentreOnMain(VbForm& form);
// Enables the main window again (nothing when it is not loaded).
void ReleaseMainWindow();
// For the windows that leave the main window enabled: enables it only when no
// window that locks it is open.
void ReleaseMainWindowUnlessLocked(const VbForm& self);
