#include "Controls.h"

#include "Failure.h"
#include "Guard.h"
#include "Platform.h"
#include "Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPixmap>
#include <limits>
#include <memory>

// ---------------------------------------------------------------------------
// Keys and lengths.

int TextLength(const QString& s, LengthUnit unit)
{
    if (unit == LengthUnit::Characters)
        return static_cast<int>(s.toUcs4().size());
    int n = 0;
    for (char32_t c : s.toUcs4())
        n += c < 0x80 ? 1 : 2;
    return n;
}

QString FitLength(const QString& s, int room, LengthUnit unit)
{
    QString out;
    int used = 0;
    for (char32_t c : s.toUcs4()) {
        const int w = (unit == LengthUnit::Characters || c < 0x80) ? 1 : 2;
        if (used + w > room)
            break;
        used += w;
        out += QString::fromUcs4(&c, 1);
    }
    return out;
}

void DigitKeysOnly(int& keyAscii)
{
    if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == vbkey::Back)
        return;
    keyAscii = 0;
    platform::Beep();
}

int KeyAsciiOf(const QKeyEvent* e)
{
    const int key = e->key();
    const Qt::KeyboardModifiers m = e->modifiers();
    const bool ctrl = m.testFlag(Qt::ControlModifier) && !m.testFlag(Qt::AltModifier);
    if (ctrl && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;
    switch (key) {
    case Qt::Key_Backspace: return vbkey::Back;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vbkey::Return;
    case Qt::Key_Escape: return vbkey::Escape;
    default: break;
    }
    if (ctrl || m.testFlag(Qt::AltModifier))
        return 0;
    const QString t = e->text();
    if (t.isEmpty())
        return 0;
    const char32_t c = t.toUcs4().value(0);
    if (c < 32 || c == 127)
        return 0;
    return static_cast<int>(c);
}

int KeyCodeOf(const QKeyEvent* e)
{
    const int key = e->key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return vbkeycode::F1 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return vbkeycode::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vbkeycode::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vbkeycode::Return;
    case Qt::Key_Shift: return vbkeycode::Shift;
    case Qt::Key_Control: return vbkeycode::Control;
    case Qt::Key_Escape: return vbkeycode::Escape;
    case Qt::Key_Space: return vbkeycode::Space;
    case Qt::Key_PageUp: return vbkeycode::PageUp;
    case Qt::Key_PageDown: return vbkeycode::PageDown;
    case Qt::Key_End: return vbkeycode::End;
    case Qt::Key_Home: return vbkeycode::Home;
    case Qt::Key_Left: return vbkeycode::Left;
    case Qt::Key_Up: return vbkeycode::Up;
    case Qt::Key_Right: return vbkeycode::Right;
    case Qt::Key_Down: return vbkeycode::Down;
    case Qt::Key_Insert: return vbkeycode::Insert;
    case Qt::Key_Delete: return vbkeycode::Delete;
    default: return 0;
    }
}

int ShiftMaskOf(const QKeyEvent* e)
{
    int s = 0;
    if (e->modifiers().testFlag(Qt::ShiftModifier))
        s |= vbkeycode::ShiftMask;
    if (e->modifiers().testFlag(Qt::ControlModifier))
        s |= vbkeycode::CtrlMask;
    if (e->modifiers().testFlag(Qt::AltModifier))
        s |= vbkeycode::AltMask;
    return s;
}

namespace {

// Runs an event handler. A failure that escapes it (a database step that went wrong)
// is shown to the user and the program goes on, rather than ending it.
template <class F, class... A>
void fire(const F& handler, A&&... args)
{
    if (handler)
        RunGuarded([&] { handler(std::forward<A>(args)...); });
}

VbForm* formOf(QWidget* w) { return qobject_cast<VbForm*>(w->window()); }

// Enter and Esc go to the window's default and cancel buttons before the box sees
// them, as they do in a dialog. True when the key was taken.
bool windowButtonsTake(QWidget* w, const QKeyEvent* e)
{
    VbForm* f = formOf(w);
    if (!f || e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    QAbstractButton* b = nullptr;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        b = f->DefaultButton();
    else if (e->key() == Qt::Key_Escape)
        b = f->CancelButton();
    if (!b || !b->isEnabled() || !b->isVisible())
        return false;
    b->click();
    return true;
}

void applyIme(QWidget* w, ImeMode mode)
{
    w->setAttribute(Qt::WA_InputMethodEnabled, mode != ImeMode::Off);
    if (w->hasFocus() && QGuiApplication::inputMethod())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

void applyBase(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
}

// How much more a box takes under its MaxLength, counting the selection as gone.
template <class Box>
int roomLeft(const Box* box)
{
    if (box->MaxLength() <= 0)
        return std::numeric_limits<int>::max();
    return box->MaxLength() - TextLength(box->textWithoutSelection(), box->MaxLengthUnit());
}

// A typed key: KeyDown, the window's default and cancel buttons, then KeyPress by
// character code, which may drop or change the character. True when the key was
// dealt with; false when the box's own handling should run.
template <class Box>
bool typeKey(Box* box, QKeyEvent* e)
{
    if (box->KeyDown) {
        int code = KeyCodeOf(e);
        if (code) {
            fire(box->KeyDown, code, ShiftMaskOf(e));
            if (code == 0 && KeyAsciiOf(e) == 0) {
                e->accept();
                return true;
            }
        }
    }
    if (windowButtonsTake(box, e)) {
        e->accept();
        return true;
    }
    const int original = KeyAsciiOf(e);
    if (original == 0)
        return false;
    int code = original;
    fire(box->KeyPress, code);
    e->accept();
    if (code == 0)
        return true;
    const bool readOnly = box->isReadOnly();
    switch (code) {
    case vbkey::Back:
        if (!readOnly)
            box->typedBackspace();
        return true;
    case vbkey::Return:  // Enter never makes a line break, not even in a multi-line box
    case vbkey::Escape:
        return true;
    case vbkey::CtrlC: box->copy(); return true;
    case vbkey::CtrlX:
        if (!readOnly)
            box->cut();
        return true;
    case vbkey::CtrlV:
        if (!readOnly)
            box->InsertTyped(box->clipboardText());
        return true;
    case vbkey::CtrlZ:
        if (!readOnly)
            box->undo();
        return true;
    default: break;
    }
    if (code < 32)
        return code != original;   // other control keys as the box knows them
    if (!readOnly) {
        const char32_t c = static_cast<char32_t>(code);
        box->InsertTyped(QString::fromUcs4(&c, 1));
    }
    return true;
}

// An input-method commit: its characters go through KeyPress one by one and what
// is left must fit under MaxLength. Nothing when the event should pass unchanged.
template <class Box>
std::unique_ptr<QInputMethodEvent> filterCommit(Box* box, const QInputMethodEvent* e)
{
    if (e->commitString().isEmpty() || box->isReadOnly())
        return nullptr;
    QString accepted;
    for (char32_t c : e->commitString().toUcs4()) {
        int code = static_cast<int>(c);
        fire(box->KeyPress, code);
        if (code >= 32) {
            const char32_t ch = static_cast<char32_t>(code);
            accepted += QString::fromUcs4(&ch, 1);
        }
    }
    accepted = FitLength(accepted, roomLeft(box), box->MaxLengthUnit());
    auto filtered = std::make_unique<QInputMethodEvent>(e->preeditString(), e->attributes());
    filtered->setCommitString(accepted, e->replacementStart(), e->replacementLength());
    return filtered;
}

}  // namespace

// ---------------------------------------------------------------------------
// VbTextBox

VbTextBox::VbTextBox(QWidget* parent, const QString& name)
    : QLineEdit(parent)
{
    setObjectName(name);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    connect(this, &QLineEdit::textChanged, this, [this] {
        fire(Change);
    });
}

void VbTextBox::SetMaxLength(int n, LengthUnit unit)
{
    m_maxLength = n;
    m_unit = unit;
}

void VbTextBox::SetImeMode(ImeMode mode)
{
    m_ime = mode;
    applyIme(this, mode);
}

void VbTextBox::SetBackColor(const QColor& c) { applyBase(this, c); }
QColor VbTextBox::BackColor() const { return palette().color(QPalette::Base); }

void VbTextBox::SetPasswordChar(QChar c)
{
    if (c.isNull()) {
        setEchoMode(QLineEdit::Normal);
        return;
    }
    setEchoMode(QLineEdit::Password);
    setStyleSheet(QStringLiteral("QLineEdit[echoMode=\"2\"] { lineedit-password-character: %1; }").arg(c.unicode()));
}

void VbTextBox::SetText(const QString& t)
{
    if (t != text())
        setText(t);
}

QString VbTextBox::textWithoutSelection() const
{
    QString rest = text();
    if (hasSelectedText())
        rest.remove(selectionStart(), selectedText().size());
    return rest;
}

void VbTextBox::InsertTyped(const QString& s)
{
    const QString add = FitLength(s, roomLeft(this), m_unit);
    if (!add.isEmpty())
        insert(add);
}

void VbTextBox::typedBackspace() { backspace(); }

QString VbTextBox::clipboardText() const
{
    // A single-line box takes the first line of what was copied.
    QString t = QGuiApplication::clipboard()->text();
    const int nl = t.indexOf(QLatin1Char('\n'));
    if (nl >= 0)
        t.truncate(nl);
    t.remove(QLatin1Char('\r'));
    return t;
}

void VbTextBox::raiseGotFocus()
{
    fire(GotFocus);
}

void VbTextBox::raiseLostFocus()
{
    fire(LostFocus);
}

bool VbTextBox::event(QEvent* e)
{
    // Clipboard keys must reach the key filter rather than run as shortcuts.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (KeyAsciiOf(k) > 0 && KeyAsciiOf(k) < 32) {
            e->accept();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void VbTextBox::keyPressEvent(QKeyEvent* e)
{
    if (!typeKey(this, e))
        QLineEdit::keyPressEvent(e);
}

void VbTextBox::inputMethodEvent(QInputMethodEvent* e)
{
    if (auto filtered = filterCommit(this, e))
        QLineEdit::inputMethodEvent(filtered.get());
    else
        QLineEdit::inputMethodEvent(e);
}

void VbTextBox::mousePressEvent(QMouseEvent* e)
{
    m_inDoubleClick = false;
    QLineEdit::mousePressEvent(e);
}

void VbTextBox::mouseReleaseEvent(QMouseEvent* e)
{
    QLineEdit::mouseReleaseEvent(e);
    // A double click is Click, then DblClick; the release that ends it is no click.
    if (m_inDoubleClick) {
        m_inDoubleClick = false;
        return;
    }
    fire(Click);
}

void VbTextBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    QLineEdit::mouseDoubleClickEvent(e);
    m_inDoubleClick = true;
    fire(DblClick);
}

// ---------------------------------------------------------------------------
// VbMemo

VbMemo::VbMemo(QWidget* parent, const QString& name)
    : QPlainTextEdit(parent)
{
    setObjectName(name);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        fire(Change);
    });
}

void VbMemo::SetMaxLength(int n, LengthUnit unit)
{
    m_maxLength = n;
    m_unit = unit;
}

void VbMemo::SetImeMode(ImeMode mode)
{
    m_ime = mode;
    applyIme(this, mode);
}

void VbMemo::SetBackColor(const QColor& c) { applyBase(this, c); }

void VbMemo::SetText(const QString& t)
{
    // QPlainTextEdit reports a change even when the text stays the same.
    if (t != toPlainText())
        setPlainText(t);
}

QString VbMemo::textWithoutSelection() const
{
    QString rest = toPlainText();
    const QTextCursor c = textCursor();
    rest.remove(c.selectionStart(), c.selectionEnd() - c.selectionStart());
    return rest;
}

void VbMemo::InsertTyped(const QString& s)
{
    const QString add = FitLength(s, roomLeft(this), m_unit);
    if (!add.isEmpty())
        insertPlainText(add);
}

void VbMemo::typedBackspace() { textCursor().deletePreviousChar(); }

QString VbMemo::clipboardText() const
{
    QString t = QGuiApplication::clipboard()->text();
    t.remove(QLatin1Char('\r'));
    return t;
}

void VbMemo::raiseGotFocus()
{
    fire(GotFocus);
}

void VbMemo::raiseLostFocus()
{
    fire(LostFocus);
}

void VbMemo::keyPressEvent(QKeyEvent* e)
{
    if (!typeKey(this, e))
        QPlainTextEdit::keyPressEvent(e);
}

void VbMemo::inputMethodEvent(QInputMethodEvent* e)
{
    if (auto filtered = filterCommit(this, e))
        QPlainTextEdit::inputMethodEvent(filtered.get());
    else
        QPlainTextEdit::inputMethodEvent(e);
}

void VbMemo::mouseDoubleClickEvent(QMouseEvent* e)
{
    QPlainTextEdit::mouseDoubleClickEvent(e);
    fire(DblClick);
}

// ---------------------------------------------------------------------------
// Buttons, labels, frames, boxes

VbButton::VbButton(QWidget* parent, const QString& name, const QString& caption)
    : QPushButton(caption, parent)
{
    setObjectName(name);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        fire(Click);
    });
}

void VbButton::raiseGotFocus()
{
    fire(GotFocus);
}

void VbButton::raiseLostFocus()
{
    fire(LostFocus);
}

void VbButton::keyPressEvent(QKeyEvent* e)
{
    // Enter on a focused button presses it.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !(e->modifiers() & Qt::AltModifier)) {
        e->accept();
        click();
        return;
    }
    if (e->key() == Qt::Key_Escape && windowButtonsTake(this, e)) {
        e->accept();
        return;
    }
    QPushButton::keyPressEvent(e);
}

VbLabel::VbLabel(QWidget* parent, const QString& name, const QString& caption)
    : QLabel(caption, parent)
{
    setObjectName(name);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void VbLabel::mouseReleaseEvent(QMouseEvent* e)
{
    QLabel::mouseReleaseEvent(e);
    fire(Click);
}

VbFrame::VbFrame(QWidget* parent, const QString& name, const QString& caption)
    : QGroupBox(caption, parent)
{
    setObjectName(name);
}

VbCheckBox::VbCheckBox(QWidget* parent, const QString& name, const QString& caption)
    : QCheckBox(caption, parent)
{
    setObjectName(name);
    connect(this, &QCheckBox::toggled, this, [this] {
        fire(Click);
    });
}

void VbCheckBox::raiseGotFocus()
{
    fire(GotFocus);
}

void VbCheckBox::raiseLostFocus()
{
    fire(LostFocus);
}

VbOption::VbOption(QWidget* parent, const QString& name, const QString& caption)
    : QRadioButton(caption, parent)
{
    setObjectName(name);
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            fire(Click);
    });
}

void VbOption::raiseGotFocus()
{
    fire(GotFocus);
}

void VbOption::raiseLostFocus()
{
    fire(LostFocus);
}

VbListBox::VbListBox(QWidget* parent, const QString& name)
    : QListWidget(parent)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        m_changedInPress = true;
        if (row >= 0 && !m_focusing)
            fire(Click);
    });
}

void VbListBox::focusInEvent(QFocusEvent* e)
{
    // Taking the focus chooses nothing: Qt makes the first item current when there
    // is none, which would raise Click as a choice does.
    const bool hadCurrent = currentRow() >= 0;
    m_focusing = true;
    QListWidget::focusInEvent(e);
    m_focusing = false;
    if (!hadCurrent && currentRow() >= 0)
        selectionModel()->clearCurrentIndex();
}

void VbListBox::AddItem(const QString& item) { addItem(item); }

QString VbListBox::List(int i) const
{
    const QListWidgetItem* it = item(i);
    return it ? it->text() : QString();
}

void VbListBox::SetListIndex(int i) { setCurrentRow(i); }

QString VbListBox::Text() const { return List(currentRow()); }

void VbListBox::raiseGotFocus()
{
    fire(GotFocus);
}

void VbListBox::raiseLostFocus()
{
    fire(LostFocus);
}

void VbListBox::mousePressEvent(QMouseEvent* e)
{
    m_changedInPress = false;
    QListWidget::mousePressEvent(e);
}

void VbListBox::mouseReleaseEvent(QMouseEvent* e)
{
    QListWidget::mouseReleaseEvent(e);
    // A click on the item already chosen is a choice too.
    if (!m_changedInPress && currentRow() >= 0 && itemAt(e->position().toPoint()) == currentItem())
        fire(Click);
    m_changedInPress = false;
}

void VbListBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    QListWidget::mouseDoubleClickEvent(e);
    fire(DblClick);
}

void VbListBox::keyPressEvent(QKeyEvent* e)
{
    if (KeyPress) {
        int code = KeyAsciiOf(e);
        if (code) {
            fire(KeyPress, code);
            if (code == 0) {
                e->accept();
                return;
            }
        }
    }
    if (windowButtonsTake(this, e)) {
        e->accept();
        return;
    }
    QListWidget::keyPressEvent(e);
}

VbPicture::VbPicture(QWidget* parent, const QString& name)
    : QLabel(parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

bool VbPicture::LoadPicture(const QString& path)
{
    m_pixmap = QPixmap(path);
    refresh();
    return !m_pixmap.isNull();
}

void VbPicture::SetStretch(bool s)
{
    m_stretch = s;
    refresh();
}

void VbPicture::resizeEvent(QResizeEvent* e)
{
    QLabel::resizeEvent(e);
    if (m_stretch)
        refresh();
}

void VbPicture::refresh()
{
    if (m_pixmap.isNull()) {
        clear();
        return;
    }
    if (m_stretch && width() > 0 && height() > 0)
        setPixmap(m_pixmap.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    else
        setPixmap(m_pixmap);
}

VbStatusBar::VbStatusBar(QWidget* parent, const QString& name, int panels)
    : QStatusBar(parent)
{
    setObjectName(name);
    setSizeGripEnabled(false);
    for (int i = 0; i < panels; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("%1_Panel%2").arg(name).arg(i + 1));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        addPermanentWidget(l, i == 0 ? 1 : 0);
        m_panels.append(l);
    }
}

void VbStatusBar::SetPanelText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= m_panels.size())
        m_panels[panel - 1]->setText(text);
}

QString VbStatusBar::PanelText(int panel) const
{
    if (panel >= 1 && panel <= m_panels.size())
        return m_panels[panel - 1]->text();
    return {};
}

VbTab::VbTab(QWidget* parent, const QString& name)
    : QTabWidget(parent)
{
    setObjectName(name);
    connect(this, &QTabWidget::currentChanged, this, [this](int now) {
        const int prev = m_previous;
        m_previous = now;
        fire(Click, prev);
    });
}

void PlaceTw(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(TwipsRect(left, top, width, height));
}
