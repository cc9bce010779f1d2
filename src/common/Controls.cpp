#include "Controls.h"

#include "Failure.h"
#include "Guard.h"
#include "Platform.h"
#include "Twips.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>

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

void applyBase(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
}

// What the one-line and the multi-line box do differently.
QString plainText(const QLineEdit* w) { return w->text(); }
QString plainText(const QPlainTextEdit* w) { return w->toPlainText(); }

// A box filled by code while the user is elsewhere shows the start of a text too
// long for it (Qt would show its end, with the first character cut); a box the user
// is typing in (a handler rewriting what was typed) keeps the caret where it was so
// that typing goes on there. The window's own focus counts, so that a message box
// in front changes nothing.
bool typedIn(const QWidget* w) { return w->window()->focusWidget() == w; }
void setTextShowingStart(QLineEdit* w, const QString& t)
{
    w->setText(t);
    if (!typedIn(w) && w->fontMetrics().horizontalAdvance(t) > w->contentsRect().width() - 8)
        w->setCursorPosition(0);
}
void setTextShowingStart(QPlainTextEdit* w, const QString& t)
{
    w->setPlainText(t);
    w->moveCursor(typedIn(w) ? QTextCursor::End : QTextCursor::Start);
}

QString withoutSelection(const QLineEdit* w)
{
    QString rest = w->text();
    if (w->hasSelectedText())
        rest.remove(w->selectionStart(), w->selectedText().size());
    return rest;
}
QString withoutSelection(const QPlainTextEdit* w)
{
    QString rest = w->toPlainText();
    const QTextCursor c = w->textCursor();
    rest.remove(c.selectionStart(), c.selectionEnd() - c.selectionStart());
    return rest;
}

void insertAtCaret(QLineEdit* w, const QString& s) { w->insert(s); }
void insertAtCaret(QPlainTextEdit* w, const QString& s) { w->insertPlainText(s); }

void backspace(QLineEdit* w) { w->backspace(); }
void backspace(QPlainTextEdit* w) { w->textCursor().deletePreviousChar(); }

// A single-line box takes the first line of what is pasted or dropped.
QString asPasted(const QLineEdit*, QString t)
{
    const qsizetype nl = t.indexOf(QLatin1Char('\n'));
    if (nl >= 0)
        t.truncate(nl);
    t.remove(QLatin1Char('\r'));
    return t;
}
QString asPasted(const QPlainTextEdit*, QString t)
{
    t.remove(QLatin1Char('\r'));
    return t;
}
QString clipboardText() { return QGuiApplication::clipboard()->text(); }

void onTextChanged(QLineEdit* w, std::function<void()> fn) { QObject::connect(w, &QLineEdit::textChanged, w, fn); }
void onTextChanged(QPlainTextEdit* w, std::function<void()> fn)
{
    QObject::connect(w, &QPlainTextEdit::textChanged, w, fn);
}

}  // namespace

// ---------------------------------------------------------------------------
// Focus and typing core

void FocusBox::raiseGotFocus()
{
    FieldGotFocus.raise();
    GotFocus.raise();
}

void FocusBox::raiseLostFocus()
{
    FieldLostFocus.raise();
    LostFocus.raise();
}

template <class Widget>
TypingBox<Widget>::TypingBox(QWidget* parent, const QString& name, LengthUnit unit)
    : Widget(parent), m_unit(unit)
{
    this->setObjectName(name);
    onTextChanged(this, [this] { Change.raise(); });
}

template <class Widget>
void TypingBox<Widget>::SetMaxLength(int n, LengthUnit unit)
{
    m_maxLength = n;
    m_unit = unit;
}

template <class Widget>
void TypingBox<Widget>::SetImeMode(ImeMode mode)
{
    m_ime = mode;
    this->setAttribute(Qt::WA_InputMethodEnabled, mode != ImeMode::Off);
    if (this->hasFocus() && QGuiApplication::inputMethod())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

template <class Widget>
void TypingBox<Widget>::SetBackColor(const QColor& c)
{
    applyBase(this, c);
}

template <class Widget>
QColor TypingBox<Widget>::BackColor() const
{
    return this->palette().color(QPalette::Base);
}

template <class Widget>
QString TypingBox<Widget>::Text() const
{
    return plainText(this);
}

template <class Widget>
void TypingBox<Widget>::SetText(const QString& t)
{
    // Qt reports a change of the multi-line box even when the text stays the same.
    if (t != plainText(this))
        setTextShowingStart(this, t);
}

template <class Widget>
QString TypingBox<Widget>::fitting(const QString& s, const QString& kept) const
{
    if (m_maxLength <= 0)
        return s;
    return FitLength(s, m_maxLength - TextLength(kept, m_unit), m_unit);
}

template <class Widget>
void TypingBox<Widget>::InsertTyped(const QString& s)
{
    const QString add = fitting(s, withoutSelection(this));
    if (!add.isEmpty())
        insertAtCaret(this, add);
}

template <class Widget>
QString TypingBox<Widget>::admitPaste(const QString& text, bool replacesSelection)
{
    const QString pasted = asPasted(this, text);
    if (this->isReadOnly() || pasted.isEmpty())
        return {};
    int code = vbkey::CtrlV;
    KeyPress.raise(code);
    if (code != vbkey::CtrlV)
        return {};
    return fitting(pasted, replacesSelection ? withoutSelection(this) : plainText(this));
}

template <class Widget>
void TypingBox<Widget>::pasteText(const QString& text)
{
    const QString add = admitPaste(text, true);
    if (!add.isEmpty())
        insertAtCaret(this, add);
}

// A drop goes in where it is dropped, beside the whole text; only a move inside the
// box takes its selection out first. Text that does not fit whole is copied, so that
// what was cut off stays where it came from.
template <class Widget>
void TypingBox<Widget>::dropEvent(QDropEvent* e)
{
    if (this->isReadOnly() || !e->mimeData()->hasText()) {
        Widget::dropEvent(e);
        return;
    }
    const bool ownMove = e->source() == this && e->dropAction() == Qt::MoveAction;
    const QString dropped = asPasted(this, e->mimeData()->text());
    const QString add = admitPaste(dropped, ownMove);
    if (add.isEmpty()) {
        QDragLeaveEvent leave;   // takes the drop mark away
        Widget::dragLeaveEvent(&leave);
        e->ignore();
        return;
    }
    QMimeData data;
    data.setText(add);
    QDropEvent admitted(e->position(), e->possibleActions(), &data, e->buttons(), e->modifiers(), e->type());
    admitted.setDropAction(e->dropAction());
    m_dropAdmitted = true;
    Widget::dropEvent(&admitted);
    m_dropAdmitted = false;
    if (admitted.isAccepted() && add.size() < dropped.size() && (e->possibleActions() & Qt::CopyAction))
        admitted.setDropAction(Qt::CopyAction);
    e->setDropAction(admitted.dropAction());
    e->setAccepted(admitted.isAccepted());
}

template <class Widget>
bool TypingBox<Widget>::event(QEvent* e)
{
    // Clipboard keys must reach the key filter rather than run as shortcuts.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (KeyAsciiOf(k) > 0 && KeyAsciiOf(k) < 32) {
            e->accept();
            return true;
        }
    }
    return Widget::event(e);
}

template <class Widget>
void TypingBox<Widget>::keyPressEvent(QKeyEvent* e)
{
    if (!typeKey(e))
        Widget::keyPressEvent(e);
}

// True when the key was dealt with; false when the widget's own handling should run.
template <class Widget>
bool TypingBox<Widget>::typeKey(QKeyEvent* e)
{
    if (KeyDown) {
        int code = KeyCodeOf(e);
        if (code) {
            KeyDown.raise(code, ShiftMaskOf(e));
            if (code == 0 && KeyAsciiOf(e) == 0) {
                e->accept();
                return true;
            }
        }
    }
    if (windowButtonsTake(this, e)) {
        e->accept();
        return true;
    }
    const int original = KeyAsciiOf(e);
    if (original == 0) {
        // The other paste key (Shift+Insert) pastes as Ctrl+V does.
        if (e->matches(QKeySequence::Paste)) {
            e->accept();
            pasteText(clipboardText());
            return true;
        }
        return false;
    }
    int code = original;
    KeyPress.raise(code);
    e->accept();
    if (code == 0)
        return true;
    const bool readOnly = this->isReadOnly();
    switch (code) {
    case vbkey::Back:
        if (!readOnly)
            backspace(this);
        return true;
    case vbkey::Return:  // Enter never makes a line break, not even in a multi-line box
    case vbkey::Escape:
        return true;
    case vbkey::CtrlC: this->copy(); return true;
    case vbkey::CtrlX:
        if (!readOnly)
            this->cut();
        return true;
    case vbkey::CtrlV:
        if (!readOnly)
            InsertTyped(asPasted(this, clipboardText()));
        return true;
    case vbkey::CtrlZ:
        if (!readOnly)
            this->undo();
        return true;
    default: break;
    }
    if (code < 32)
        return code != original;   // other control keys as the box knows them
    if (!readOnly) {
        const char32_t c = static_cast<char32_t>(code);
        InsertTyped(QString::fromUcs4(&c, 1));
    }
    return true;
}

// An input-method commit: its characters go through KeyPress one by one and what is
// left must fit under MaxLength. A locked box takes none (Qt's line edit would).
template <class Widget>
void TypingBox<Widget>::inputMethodEvent(QInputMethodEvent* e)
{
    if (this->isReadOnly()) {
        e->ignore();
        return;
    }
    if (e->commitString().isEmpty()) {
        Widget::inputMethodEvent(e);
        return;
    }
    QString accepted;
    for (char32_t c : e->commitString().toUcs4()) {
        int code = static_cast<int>(c);
        KeyPress.raise(code);
        if (code >= 32) {
            const char32_t ch = static_cast<char32_t>(code);
            accepted += QString::fromUcs4(&ch, 1);
        }
    }
    QInputMethodEvent filtered(e->preeditString(), e->attributes());
    filtered.setCommitString(fitting(accepted, withoutSelection(this)), e->replacementStart(),
                             e->replacementLength());
    Widget::inputMethodEvent(&filtered);
}

template <class Widget>
void TypingBox<Widget>::mouseDoubleClickEvent(QMouseEvent* e)
{
    Widget::mouseDoubleClickEvent(e);
    DblClick.raise();
}

template class TypingBox<QLineEdit>;
template class TypingBox<QPlainTextEdit>;

// ---------------------------------------------------------------------------
// VbTextBox, VbMemo

VbTextBox::VbTextBox(QWidget* parent, const QString& name)
    : TypingBox(parent, name, LengthUnit::GbkBytes)
{
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void VbTextBox::SetPasswordChar(QChar c)
{
    if (c.isNull()) {
        setEchoMode(QLineEdit::Normal);
        return;
    }
    setEchoMode(QLineEdit::Password);
    setStyleSheet(QStringLiteral("QLineEdit[echoMode=\"2\"] { lineedit-password-character: %1; }").arg(c.unicode()));
}

void VbTextBox::mousePressEvent(QMouseEvent* e)
{
    m_inDoubleClick = false;
    QLineEdit::mousePressEvent(e);
}

void VbTextBox::mouseReleaseEvent(QMouseEvent* e)
{
    // Where the middle button pastes the selection, it pastes through the box's rule.
    if (e->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection() && !isReadOnly()) {
        deselect();
        pasteText(QGuiApplication::clipboard()->text(QClipboard::Selection));
    } else {
        QLineEdit::mouseReleaseEvent(e);
    }
    // A double click is Click, then DblClick; the release that ends it is no click.
    if (m_inDoubleClick) {
        m_inDoubleClick = false;
        return;
    }
    Click.raise();
}

void VbTextBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    m_inDoubleClick = true;
    TypingBox::mouseDoubleClickEvent(e);
}

// The standard menu, with its Paste going through the box's rule rather than
// straight into the text.
void VbTextBox::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = createStandardContextMenu();
    for (QAction* a : menu->actions()) {
        if (a->objectName() == QLatin1String("edit-paste")
            || a->text().section(QLatin1Char('\t'), 0, 0) == QLineEdit::tr("&Paste")) {
            a->disconnect(this);
            connect(a, &QAction::triggered, this, [this] { pasteText(clipboardText()); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

VbMemo::VbMemo(QWidget* parent, const QString& name)
    : TypingBox(parent, name, LengthUnit::Characters)
{
    setTabChangesFocus(true);
}

void VbMemo::insertFromMimeData(const QMimeData* source)
{
    if (m_dropAdmitted) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    if (!source->hasText())
        return;
    QMimeData data;
    data.setText(admitPaste(source->text(), true));
    if (!data.text().isEmpty())
        QPlainTextEdit::insertFromMimeData(&data);
}

// ---------------------------------------------------------------------------
// Buttons, labels, frames, boxes

VbButton::VbButton(QWidget* parent, const QString& name, const QString& caption)
    : QPushButton(caption, parent)
{
    setObjectName(name);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        Click.raise();
    });
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
    Click.raise();
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
        Click.raise();
    });
}

VbOption::VbOption(QWidget* parent, const QString& name, const QString& caption)
    : QRadioButton(caption, parent)
{
    setObjectName(name);
    connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Click.raise();
    });
}

VbListBox::VbListBox(QWidget* parent, const QString& name)
    : QListWidget(parent)
{
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        m_changedInPress = true;
        if (row >= 0 && !m_focusing)
            Click.raise();
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

void VbListBox::SetText(const QString& t)
{
    const QList<QListWidgetItem*> found = findItems(t, Qt::MatchExactly);
    setCurrentRow(found.isEmpty() ? -1 : row(found.first()));
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
        Click.raise();
    m_changedInPress = false;
}

void VbListBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    QListWidget::mouseDoubleClickEvent(e);
    DblClick.raise();
}

void VbListBox::keyPressEvent(QKeyEvent* e)
{
    if (KeyPress) {
        int code = KeyAsciiOf(e);
        if (code) {
            KeyPress.raise(code);
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
        Click.raise(prev);
    });
}

void PlaceTw(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(TwipsRect(left, top, width, height));
}

VbButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                     int height)
{
    auto* b = new VbButton(parent, name, caption);
    PlaceTw(b, left, top, width, height);
    return b;
}

VbListBox* PickListUnder(QWidget* box, const QString& name, int widthTw, int heightTw)
{
    auto* list = new VbListBox(box->parentWidget(), name);
    list->setGeometry(box->x(), box->geometry().bottom() + 1, TwipsToPixels(widthTw), TwipsToPixels(heightTw));
    list->setFocusPolicy(Qt::NoFocus);
    list->hide();
    list->raise();
    return list;
}
