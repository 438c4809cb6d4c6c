// velbutton: what the pointer, the keys, the focus and the drop-down menu do to it, beside
// what QAbstractButton does.
#include "controls/button/velbutton.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <array>
#include <utility>

namespace tarvex {

bool velbutton::containsPoint(const QPoint& p) const
{
    return rect().contains(p) && (mask().isEmpty() || mask().contains(p));
}

bool velbutton::pointerOverNow() const
{
    return isVisible() && containsPoint(mapFromGlobal(QCursor::pos()));
}

// Each time the button comes under the pointer it gets a fresh tooltip.
void velbutton::setHot(bool hot)
{
    if (std::exchange(m_hot, hot) == hot)
        return;
    if (hot)
        renewToolTip();
    update();
}

bool velbutton::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
        return true; // the button shows its own tip window (renewToolTip)
    case QEvent::ShortcutOverride: {
        // Enter and Space belong to the focused button, not to the window's shortcuts.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        // Qt tells every shown widget of a window that the window became active or inactive
        // with these; ActivationChange reaches the window itself only, never a button inside it.
        activationChanged(event->type() == QEvent::WindowActivate);
        break;
    case QEvent::Show:
        // Shown inside a window that is already active: nothing else tells it so.
        if (m_parentActive != isActiveWindow())
            activationChanged(isActiveWindow());
        break;
    case QEvent::Shortcut:
        // The access key clicks at once, as the default and cancel keys do; an ambiguous one
        // only moves the focus (Qt's way).
        if (!static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            pressByKey(false);
            return true;
        }
        break;
    default:
        break;
    }
    return QAbstractButton::event(event);
}

// Mouse events stay with the button: none goes on to the frame or window behind it. A handler
// of pointerMoved or clicked may delete the button, so nothing of it is touched after them.
void velbutton::mouseMoveEvent(QMouseEvent* event)
{
    m_pointerOver = containsPoint(event->position().toPoint());
    QAbstractButton::mouseMoveEvent(event); // with the left button held: down while over it
    setHot(m_pointerOver && !(event->buttons() & Qt::LeftButton));
    event->accept();
    emit pointerMoved();
}

void velbutton::mousePressEvent(QMouseEvent* event)
{
    // With a menu, other buttons act only while the last menu was closed on this button.
    if (m_menu && (event->button() == Qt::LeftButton || m_menuClosedOnButton)) {
        setDown(true);
        if (m_menuShowing)
            m_menuClosedOnButton = true; // the press that closed our menu, handed on to us
        else if (!m_menuClosedOnButton)
            openMenu();
    } else {
        if (event->button() == Qt::LeftButton)
            setHot(false);
        QAbstractButton::mousePressEvent(event);
    }
    event->accept();
}

void velbutton::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_menu) {
        setDown(false);
        m_menuClosedOnButton = false;
        setHot(false);
    } else {
        QAbstractButton::mouseReleaseEvent(event);
    }
    event->accept();
}

void velbutton::leaveEvent(QEvent* event)
{
    m_pointerOver = false;
    if (m_menu && m_menuShowing) {
        m_menuShowing = false;
        m_menuClosedOnButton = true;
    } else {
        setHot(false);
    }
    QAbstractButton::leaveEvent(event);
}

// Enter presses the focused button whatever the window's default button; Alt+Space belongs to
// the window menu. Space, the arrow keys and the rest are QAbstractButton's: keys the button
// has no use for go on to its window (Escape to a dialog, Alt+F4 to the frame).
void velbutton::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        click();
    else if (key == Qt::Key_Space && (event->modifiers() & Qt::AltModifier))
        event->ignore();
    else
        QAbstractButton::keyPressEvent(event);
}

void velbutton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && (event->modifiers() & Qt::AltModifier))
        event->ignore();
    else
        QAbstractButton::keyReleaseEvent(event);
}

// A pop-up (our own menu) taking the keyboard is not a loss of focus.
void velbutton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    if (event->reason() != Qt::PopupFocusReason)
        m_hasFocus = true;
}

void velbutton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event); // lets go of a press
    if (event->reason() == Qt::PopupFocusReason)
        return;
    m_hasFocus = false;
    m_hot = m_parentActive && m_pointerOver;
    update();
}

void velbutton::activationChanged(bool active)
{
    m_parentActive = active;
    if (!active)
        m_hasFocus = false;
    m_hot = false;
    update();
}

void velbutton::SetPopupMenu(QMenu* menu, int align, int flags, QAction* defaultItem)
{
    if (!menu)
        return;
    m_menu = menu;
    m_menuAlign = align;
    m_menuFlags = flags;
    m_defaultItem = defaultItem;
}

void velbutton::UnsetPopupMenu()
{
    m_menu = nullptr;
    m_defaultItem = nullptr;
    m_menuShowing = false;
    m_menuClosedOnButton = false;
}

void velbutton::press()
{
    if (!isEnabled())
        return;
    if (!m_menu) {
        click();
        return;
    }
    // The menu runs its own loop: it opens once the caller has had its answer.
    QTimer::singleShot(0, this, [this] {
        if (m_menu && !m_menuShowing)
            openMenu();
    });
}

void velbutton::openMenu()
{
    const int w = width(), h = height();
    const std::array<std::pair<QPoint, int>, 8> anchors{{
        {{0, h}, m_menuFlags},
        {{0, 0}, 0x20},
        {{0, 0}, m_menuFlags | 8},
        {{w, 0}, m_menuFlags},
        {{0, 0}, 0x28},
        {{0, h}, m_menuFlags | 8},
        {{w, 0}, 0x20},
        {{w, h}, m_menuFlags},
    }};
    if (!m_menu || m_menuAlign < 0 || m_menuAlign > 7)
        return;
    const auto [anchor, flags] = anchors[std::size_t(m_menuAlign)];
    const QSize ms = m_menu->sizeHint();
    const int dx = (flags & 8) ? ms.width() : (flags & 4) ? ms.width() / 2 : 0;
    const int dy = (flags & 0x20) ? ms.height() : (flags & 0x10) ? ms.height() / 2 : 0;
    m_menu->setDefaultAction(m_defaultItem);
    m_menuShowing = true;
    const QPointer<velbutton> alive(this);
    m_menu->exec(mapToGlobal(anchor) - QPoint(dx, dy));
    if (!alive)
        return;
    m_menuShowing = false;
    setDown(false);
    m_pointerOver = pointerOverNow();
    // Closed by a click on this button (the press that opened it ended inside the menu): that
    // click opens nothing.
    m_menuClosedOnButton = m_pointerOver;
    m_hot = m_pointerOver;
    update();
    if (m_menuClosedOnButton)
        forgetClosingClickLater();
}

// Some platforms (X11) do not hand the click that closed the menu on to the
// button, so no release would clear the note: drop it once that click is over.
void velbutton::forgetClosingClickLater()
{
    QTimer::singleShot(50, this, [this] {
        if (!m_menuClosedOnButton)
            return; // a release on us has cleared it already
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            forgetClosingClickLater();
        else
            m_menuClosedOnButton = false;
    });
}

} // namespace tarvex
