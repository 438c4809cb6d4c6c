#include "editor/CaptureBox.h"

#include "keys/KeyCapture.h"
#include "platform/KeyEventCodes.h"

#include <QKeyEvent>

#include <limits>

namespace tarvex {

CaptureBox::CaptureBox(bool clickClearsPlaceholder, QWidget* parent)
    : QLineEdit(parent), m_clickClearsPlaceholder(clickClearsPlaceholder)
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // A hand-written combination of any length is shown whole, never cut to 32767 characters.
    setMaxLength(std::numeric_limits<int>::max());
    connect(this, &QLineEdit::textChanged, this, &CaptureBox::onTextChanged);
}

void CaptureBox::applyKeyDown(int code)
{
    const CaptureState state{text(), selectionStart(), int(selectedText().size())};
    const QString next = KeyCapture::KeyDown(state, code);
    // A key that leaves no trace (Enter, Tab, F12, ...) changes nothing, caret included.
    if (KeyCapture::Normalised(next) != state.text)
        setText(next);
}

void CaptureBox::keyPressEvent(QKeyEvent* event)
{
    applyKeyDown(KeyEventCodes::session().codeFor(*event));
    // The box keeps its own caret handling (arrows, Home, End, with Shift a selection);
    // every other key is only recorded, never typed, and goes no further (so Enter and
    // Escape do not end the window).
    if (IsCaretKey(event->key()))
        QLineEdit::keyPressEvent(event);
    else
        event->accept();
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
    Q_EMIT combinationChanged(text);
}

bool CaptureBox::IsCaretKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

} // namespace tarvex
