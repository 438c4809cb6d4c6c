#include "editor/CaptureBox.h"

#include "keys/KeyCapture.h"
#include "keys/KeyNames.h"
#include "platform/KeyEventCodes.h"

#include <QKeyEvent>

#include <limits>

namespace tarvex {
namespace {

// Shift, Ctrl, Alt and the two Windows keys: held while another key is pressed.
bool IsModifierKey(int code)
{
    return (code >= 16 && code <= 18) || code == 91 || code == 92;
}

} // namespace

CaptureBox::CaptureBox(bool clickClearsPlaceholder, QWidget* parent)
    : QLineEdit(parent), m_clickClearsPlaceholder(clickClearsPlaceholder)
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // A hand-written combination of any length is shown whole, never cut to 32767 characters.
    setMaxLength(std::numeric_limits<int>::max());
    const QString help = tr("Press the keys of the hotkey one after another. Backspace erases "
                            "the last key; Ctrl+Tab moves on.");
    setToolTip(help);
    setAccessibleDescription(help);
    connect(this, &QLineEdit::textChanged, this, &CaptureBox::onTextChanged);
}

QString CaptureBox::combination() const
{
    return KeyNames().stored(text());
}

void CaptureBox::setCombination(const QString& combination)
{
    setText(KeyNames::Displayed(combination));
}

void CaptureBox::applyKeyDown(int code)
{
    const CaptureState state{text(), selectionStart(), int(selectedText().size())};
    const QString next = KeyCapture::KeyDown(state, code);
    // A key without a name (Caps Lock, a punctuation key) changes nothing, caret included.
    if (KeyCapture::Normalised(next) != state.text)
        setText(next);
}

// Every key is recorded: Tab too (so it must not move the focus), and no shortcut of the
// window may take a key away (F1 would open the help, Alt+D delete a row of the editor).
bool CaptureBox::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        if (!isFocusMove(static_cast<QKeyEvent&>(*event)))
            event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QLineEdit::event(event);
}

void CaptureBox::keyPressEvent(QKeyEvent* event)
{
    // Recorded, never typed, and going no further (so Enter and Escape do not end the window).
    event->accept();
    if (isFocusMove(*event)) {
        const bool back = event->key() == Qt::Key_Backtab ||
                          (event->modifiers() & Qt::ShiftModifier) || m_held.testFlag(Held::Shift);
        moveFocus(!back);
        return;
    }
    const int code = KeyEventCodes::session().codeFor(*event);
    if (!IsModifierKey(code))
        m_beforeModifiers.reset();
    else if (!m_beforeModifiers)
        m_beforeModifiers = text();
    m_held.setFlag(HeldFlag(code));
    applyKeyDown(code);
}

void CaptureBox::keyReleaseEvent(QKeyEvent* event)
{
    // Modifiers let go are recorded for good: a later Ctrl+Tab takes out only its own Ctrl.
    if (!event->isAutoRepeat()) {
        m_beforeModifiers.reset();
        m_held.setFlag(HeldFlag(KeyEventCodes::session().codeFor(*event)), false);
    }
    QLineEdit::keyReleaseEvent(event);
}

void CaptureBox::focusOutEvent(QFocusEvent* event)
{
    m_held = {};
    m_beforeModifiers.reset();
    QLineEdit::focusOutEvent(event);
}

void CaptureBox::moveFocus(bool forward)
{
    if (m_beforeModifiers)
        setText(*m_beforeModifiers);
    m_beforeModifiers.reset();
    focusNextPrevChild(forward);
}

// The modifier state of the event, or the Ctrl the box saw go down: a virtual keyboard may press
// Ctrl without telling the modifier state.
bool CaptureBox::isFocusMove(const QKeyEvent& event) const
{
    const bool tab = event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab;
    return tab && ((event.modifiers() & Qt::ControlModifier) || m_held.testFlag(Held::Ctrl));
}

CaptureBox::Held CaptureBox::HeldFlag(int code)
{
    return code == 17 ? Held::Ctrl : code == 16 ? Held::Shift : Held::None;
}

void CaptureBox::mousePressEvent(QMouseEvent* event)
{
    if (m_clickClearsPlaceholder)
        setText(KeyCapture::Clicked(text()));
    QLineEdit::mousePressEvent(event);
}

void CaptureBox::mouseReleaseEvent(QMouseEvent* event)
{
    // On X11 a middle click pastes the primary selection; the box takes no text but keys.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CaptureBox::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept(); // its Paste would put text in
}

void CaptureBox::dragEnterEvent(QDragEnterEvent* event)
{
    event->ignore();
}

void CaptureBox::dragMoveEvent(QDragMoveEvent* event)
{
    event->ignore();
}

void CaptureBox::dropEvent(QDropEvent* event)
{
    event->ignore();
}

void CaptureBox::inputMethodEvent(QInputMethodEvent* event)
{
    event->ignore();
}

void CaptureBox::focusInEvent(QFocusEvent* event)
{
    KeyEventCodes::session().invalidateLayout();
    QLineEdit::focusInEvent(event);
}

void CaptureBox::onTextChanged(const QString& text)
{
    setCursorPosition(int(text.size()));
    const QString normalised = KeyCapture::Normalised(text);
    if (normalised != text) {
        setText(normalised); // raises textChanged again, which then finds nothing to change
        return;
    }
    Q_EMIT combinationChanged(KeyNames().stored(text));
}

} // namespace tarvex
