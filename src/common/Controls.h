#pragma once
// The window controls, as thin Qt widgets that raise the events the windows are
// written against: Click, DblClick, Change (on every change of the text, typed or
// set by code), GotFocus and LostFocus (per window, see VbForm), KeyPress by
// character code with cancel and change, and KeyDown by key code.
//
// Every control is made with its parent and its object name, so that a window reads
// like its design and tests find each control by name.

#include "Guard.h"
#include "VbForm.h"

#include <QCheckBox>
#include <QColor>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <functional>
#include <type_traits>

// Character codes of KeyPress.
namespace vbkey {
constexpr int Back = 8;
constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int CtrlC = 3;
constexpr int CtrlV = 22;
constexpr int CtrlX = 24;
constexpr int CtrlZ = 26;
}  // namespace vbkey

// Key codes of KeyDown (virtual-key numbers) and the shift mask.
namespace vbkeycode {
constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Escape = 27, Space = 32;
constexpr int PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40;
constexpr int Insert = 45, Delete = 46, F1 = 112;
constexpr int ShiftMask = 1, CtrlMask = 2, AltMask = 4;
}  // namespace vbkeycode

// The input method of a box: the user's own setting, switched on, switched off.
enum class ImeMode { NoControl = 0, On = 1, Off = 2 };
// How MaxLength counts: bytes of the Chinese code page (an ASCII character one, any
// other two) or characters.
enum class LengthUnit { GbkBytes, Characters };

// Length of a text in the given unit.
int TextLength(const QString& s, LengthUnit unit);
// The longest start of s that fits into `room` units.
QString FitLength(const QString& s, int room, LengthUnit unit);
// KeyPress filter of code and count boxes: digits and Backspace pass; any other key
// (a control key such as Ctrl+V included) is dropped with the system beep.
void DigitKeysOnly(int& keyAscii);
// The character code of a key event as KeyPress sees it; 0 when the key has none.
int KeyAsciiOf(const QKeyEvent* e);
// The key code and shift mask of a key event as KeyDown sees them.
int KeyCodeOf(const QKeyEvent* e);
int ShiftMaskOf(const QKeyEvent* e);

// One event of a control. The window gives it its handler once, when it builds its
// controls; a second handler would silently replace the first (a hint, a change
// mark), so setting one where one is set is a programming error that a debug build
// stops on. Assign nullptr first to replace a handler on purpose.
//     box->Change = [this] { MarkChanged(); };
//     if (box->Change) box->Change();   // or box->Change.raise() with the guard
template <class Sig>
class Event;
template <class... A>
class Event<void(A...)> {
public:
    using Handler = std::function<void(A...)>;
    Event() = default;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    Event& operator=(Handler h)
    {
        Q_ASSERT_X(!(m_handler && h), "Event", "a second handler for an event that already has one");
        m_handler = std::move(h);
        return *this;
    }
    Event& operator=(std::nullptr_t)
    {
        m_handler = nullptr;
        return *this;
    }
    explicit operator bool() const { return static_cast<bool>(m_handler); }
    void operator()(A... args) const { m_handler(args...); }
    // Runs the handler, if any, under the failure guard.
    void raise(A... args) const
    {
        if (m_handler)
            RunGuarded([&] { m_handler(args...); });
    }

private:
    Handler m_handler;
};

// Focus events of every control that takes the focus. A field table's own focus
// work (hint, input method) runs first, then the window's handler, so the window
// may still write a hint of its own or take the focus back.
class FocusBox : public FocusEvents {
public:
    Event<void()> GotFocus;
    Event<void()> LostFocus;
    // The field table's share (see FieldBoxes).
    Event<void()> FieldGotFocus;
    Event<void()> FieldLostFocus;

    void raiseGotFocus() override;
    void raiseLostFocus() override;
};

// The typing core of every box the user types into: the text box, the multi-line
// box and the boxes built on them. KeyDown, the window's default and cancel
// buttons, then KeyPress by character code (which may drop or change the key),
// clipboard keys as their codes, MaxLength in the box's unit on typing, pasting and
// input-method commits, the input method, and Change on every change of the text.
//
// Every way text enters the box meets its KeyPress rule and MaxLength: typed keys and
// input-method commits character by character; a paste by any route (Ctrl+V,
// Shift+Insert, the context menu, the selection of the mouse's middle button) and a
// drop as one paste key Ctrl+V (code 22), which a box that takes only some keys
// refuses, and then cut to MaxLength.
template <class Widget>
class TypingBox : public Widget, public FocusBox {
public:
    Event<void()> Change;
    Event<void()> DblClick;
    Event<void(int& keyAscii)> KeyPress;
    Event<void(int& keyCode, int shift)> KeyDown;

    // Limits typing (and pasting) only; text set by code may be longer. 0 = none.
    void SetMaxLength(int n, LengthUnit unit);
    void SetMaxLength(int n) { SetMaxLength(n, m_unit); }
    int MaxLength() const { return m_maxLength; }
    LengthUnit MaxLengthUnit() const { return m_unit; }

    void SetImeMode(ImeMode mode);
    ImeMode Ime() const { return m_ime; }

    void SetBackColor(const QColor& c);
    QColor BackColor() const;
    void SetLocked(bool locked) { this->setReadOnly(locked); }
    bool Locked() const { return this->isReadOnly(); }

    QString Text() const;
    // Setting the text by code raises Change only when the text really differs. A
    // box without the focus then shows the start of a text too long for it (a long
    // name shows its first characters, as a box always did); in the box being typed
    // in the caret stays at the end.
    void SetText(const QString& t);
    // Inserts text as typed at the caret (KeyPress is not raised; MaxLength holds).
    void InsertTyped(const QString& s);

protected:
    TypingBox(QWidget* parent, const QString& name, LengthUnit unit);

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void dropEvent(QDropEvent* e) override;

    // What of a text that arrives whole (a paste by any route but the Ctrl+V key,
    // which has been through KeyPress already, or a drop) may go in: nothing when the
    // box is locked or its KeyPress rule refuses the paste key, else the start that
    // fits under MaxLength beside the text that stays (`replacesSelection`: the
    // selection makes room, as for a paste; else the whole text stays).
    QString admitPaste(const QString& text, bool replacesSelection);
    // Pastes text at the caret, over the selection, as far as admitPaste lets it.
    void pasteText(const QString& text);
    // The multi-line box takes dropped text through insertFromMimeData: a drop that
    // has been admitted already is not put to the rule a second time.
    bool m_dropAdmitted = false;

private:
    bool typeKey(QKeyEvent* e);
    // The longest start of s that fits under MaxLength beside `kept` (all of it
    // without a limit).
    QString fitting(const QString& s, const QString& kept) const;

    int m_maxLength = 0;
    LengthUnit m_unit;
    ImeMode m_ime = ImeMode::NoControl;
};

// Text box (one line).
class VbTextBox : public TypingBox<QLineEdit> {
    Q_OBJECT
public:
    VbTextBox(QWidget* parent, const QString& name);
    Event<void()> Click;
    void SetPasswordChar(QChar c);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    bool m_inDoubleClick = false;
};

// Multi-line text box: the same events as VbTextBox; Enter makes no line break and
// Tab moves the focus. Its limit counts characters unless told otherwise.
class VbMemo : public TypingBox<QPlainTextEdit> {
    Q_OBJECT
public:
    VbMemo(QWidget* parent, const QString& name);

protected:
    // Where the box's own paste (context menu, middle button) and drops end up.
    void insertFromMimeData(const QMimeData* source) override;
};

class VbButton : public QPushButton, public FocusBox {
    Q_OBJECT
public:
    VbButton(QWidget* parent, const QString& name, const QString& caption = QString());
    Event<void()> Click;

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

class VbLabel : public QLabel {
    Q_OBJECT
public:
    VbLabel(QWidget* parent, const QString& name, const QString& caption = QString());
    QString Caption() const { return text(); }
    void SetCaption(const QString& c) { setText(c); }
    Event<void()> Click;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// A frame: a box around controls, with or without a caption.
class VbFrame : public QGroupBox {
    Q_OBJECT
public:
    VbFrame(QWidget* parent, const QString& name, const QString& caption = QString());
};

class VbCheckBox : public QCheckBox, public FocusBox {
    Q_OBJECT
public:
    VbCheckBox(QWidget* parent, const QString& name, const QString& caption = QString());
    // 0 unticked, 1 ticked; Click runs on every change, by the user or by code.
    int Value() const { return isChecked() ? 1 : 0; }
    void SetValue(int v) { setChecked(v != 0); }
    Event<void()> Click;
};

class VbOption : public QRadioButton, public FocusBox {
    Q_OBJECT
public:
    VbOption(QWidget* parent, const QString& name, const QString& caption = QString());
    bool Value() const { return isChecked(); }
    void SetValue(bool v) { setChecked(v); }
    // Runs when the button becomes the chosen one, by the user or by code.
    Event<void()> Click;
};

class VbListBox : public QListWidget, public FocusBox {
    Q_OBJECT
public:
    VbListBox(QWidget* parent, const QString& name);
    void AddItem(const QString& item);
    void Clear() { clear(); }
    int ListCount() const { return count(); }
    QString List(int i) const;
    int ListIndex() const { return currentRow(); }
    // Setting the index by code raises Click when it changes, as a user's choice does.
    void SetListIndex(int i);
    QString Text() const;
    // Chooses the first item with this text; -1 (none) when no item has it.
    void SetText(const QString& t);
    Event<void()> Click;
    Event<void()> DblClick;
    Event<void(int& keyAscii)> KeyPress;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;

private:
    bool m_changedInPress = false;
    bool m_focusing = false;
};

// Picture box or image control; Stretch scales the picture to the control's size.
class VbPicture : public QLabel {
    Q_OBJECT
public:
    VbPicture(QWidget* parent, const QString& name);
    // Loads a picture file; false (and an empty picture) when it cannot be read.
    bool LoadPicture(const QString& path);
    void SetStretch(bool s);
    bool HasPicture() const { return !m_pixmap.isNull(); }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void refresh();
    QPixmap m_pixmap;
    bool m_stretch = false;
};

// Status bar with numbered panels (Panels(1) is the first); each keeps its text
// until the next write.
class VbStatusBar : public QStatusBar {
    Q_OBJECT
public:
    VbStatusBar(QWidget* parent, const QString& name, int panels = 1);
    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;

private:
    QList<QLabel*> m_panels;
};

// Tab control: Tab() is the current tab (from 0); Click runs on every change of the
// current tab, by the user or by code, with the previous tab.
class VbTab : public QTabWidget {
    Q_OBJECT
public:
    VbTab(QWidget* parent, const QString& name);
    int Tab() const { return currentIndex(); }
    void SetTab(int i) { setCurrentIndex(i); }
    QString Caption() const { return tabText(currentIndex()); }
    void SetTabVisible(int i, bool v) { setTabVisible(i, v); }
    void SetTabEnabled(int i, bool e) { setTabEnabled(i, e); }
    Event<void(int previousTab)> Click;

private:
    int m_previous = -1;
};

// Background colours of boxes filled from a pick list and of computed boxes.
inline QColor PickListColor() { return QColor(255, 224, 192); }
inline QColor ComputedColor() { return QColor(224, 224, 224); }

// Places a control by its design rectangle in twips.
void PlaceTw(QWidget* w, int left, int top, int width, int height);
// A command button made in parent and placed by its design rectangle in twips.
VbButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                     int height);

// A button of a window's design: its object name, caption, rectangle in twips and
// Click handler, made in one place so that every window's buttons are alike. The
// command buttons are VbButtons (their Click runs under the failure guard, and the
// handler may be left out and set later); a bar of tool buttons makes QToolButtons
// with an empty rectangle, which the bar's layout places, their click guarded too.
//     cmdAdd = MakeButton(Frame2, QStringLiteral("cmdAdd"), QStringLiteral("增  加"),
//                         {450, 240, 1215, 420}, [this] { cmdAdd_Click(); });
template <class Button = VbButton>
Button* MakeButton(QWidget* parent, const QString& name, const QString& caption, QRect twips = {},
                   std::function<void()> click = {})
{
    Button* b;
    if constexpr (std::is_base_of_v<VbButton, Button>) {
        b = new Button(parent, name, caption);
        if (click)
            b->Click = std::move(click);
    } else {
        b = new Button(parent);
        b->setObjectName(name);
        b->setText(caption);
        if (click)
            QObject::connect(b, &QAbstractButton::clicked, b, Guarded(std::move(click)));
    }
    if (!twips.isNull())
        PlaceTw(b, twips.x(), twips.y(), twips.width(), twips.height());
    return b;
}

// A pick list dropping down from `box` over the controls below it, hidden until
// called. It takes no focus: a click on an item leaves the focus in the box, so
// the box's own leaving is what hides the list.
VbListBox* PickListUnder(QWidget* box, const QString& name, int widthTw, int heightTw);
