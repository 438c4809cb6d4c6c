#include "editor/CaptureBox.h"

#include "keys/KeyCapture.h"
#include "platform/KeyEventCodes.h"

#include <QKeyEvent>

namespace tarvex {

CaptureBox::CaptureBox(bool clickClearsPlaceholder, QWidget* parent)
    : QLineEdit(parent), m_clickClearsPlaceholder(clickClearsPlaceholder)
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
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
