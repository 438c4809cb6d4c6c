// velbutton: the state machine (pointer, keyboard, focus, activation, menu).
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

namespace {

// Mouse buttons as 1 left, 2 right, 4 middle.
short ButtonBits(Qt::MouseButtons b)
{
    return short(((b & Qt::LeftButton) ? 1 : 0) | ((b & Qt::RightButton) ? 2 : 0) |
                 ((b & Qt::MiddleButton) ? 4 : 0));
}

// Modifier keys as 1 Shift, 2 Ctrl, 4 Alt.
short ShiftBits(Qt::KeyboardModifiers m)
{
    return short(((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
                 ((m & Qt::AltModifier) ? 4 : 0));
}

// The virtual-key number of a key event (letters and digits keep their codes).
short KeyCodeOf(const QKeyEvent* e)
{
    static const std::array<std::pair<int, int>, 33> kKeys{{
        {Qt::Key_Return, 13},   {Qt::Key_Enter, 13},        {Qt::Key_Space, 32},
        {Qt::Key_Escape, 27},   {Qt::Key_Tab, 9},           {Qt::Key_Backtab, 9},
        {Qt::Key_Backspace, 8}, {Qt::Key_Left, 37},         {Qt::Key_Up, 38},
        {Qt::Key_Right, 39},    {Qt::Key_Down, 40},         {Qt::Key_Shift, 16},
        {Qt::Key_Control, 17},  {Qt::Key_Alt, 18},          {Qt::Key_Meta, 91},
        {Qt::Key_Delete, 46},   {Qt::Key_Insert, 45},       {Qt::Key_Home, 36},
        {Qt::Key_End, 35},      {Qt::Key_PageUp, 33},       {Qt::Key_PageDown, 34},
        {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20},     {Qt::Key_NumLock, 144},
        {Qt::Key_Menu, 93},     {Qt::Key_Semicolon, 186},   {Qt::Key_Equal, 187},
        {Qt::Key_Comma, 188},   {Qt::Key_Minus, 189},       {Qt::Key_Period, 190},
        {Qt::Key_Slash, 191},   {Qt::Key_BracketLeft, 219}, {Qt::Key_Apostrophe, 222},
    }};
    const int k = e->key();
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))
        return short(k);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return short(112 + (k - Qt::Key_F1));
    for (const auto& [qt, vk] : kKeys)
        if (qt == k)
            return short(vk);
    return 0;
}

} // namespace

velbutton::MouseArgs velbutton::argsOf(const QMouseEvent* e)
{
    const Qt::MouseButtons b = e->type() == QEvent::MouseMove ? e->buttons() : e->button();
    return {ButtonBits(b), ShiftBits(e->modifiers()), float(e->position().x()),
            float(e->position().y())};
}

bool velbutton::containsPoint(const QPoint& p) const
{
    return rect().contains(p) && (mask().isEmpty() || mask().contains(p));
}

bool velbutton::pointerOverNow() const
{
    return isVisible() && containsPoint(mapFromGlobal(QCursor::pos()));
}

void velbutton::setState(ButtonState state)
{
    redrawIf(std::exchange(m_state, state) != state);
}

void velbutton::redrawIf(bool changed)
{
    if (changed)
        RedrawButton();
}

void velbutton::mouseMoveEvent(QMouseEvent* event)
{
    applyCursor();
    const MouseArgs a = argsOf(event);
    const QPointer<velbutton> alive(this);
    m_pointerOver = containsPoint(event->position().toPoint());
    if (m_pointerOver)
        emit MouseEnter();
    if (!alive)
        return;
    if (!m_spaceDown) {
        const ButtonState next = !m_pointerOver ? ButtonState::Normal
                                 : m_leftDown   ? ButtonState::Down
                                                : ButtonState::Hot;
        if (next != m_state) {
            setState(next);
            if (next == ButtonState::Hot)
                CreateButtonToolTip();
        }
    }
    emit MouseMove(a.button, a.shift, a.x, a.y);
}

void velbutton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_pointerOver = false;
    if (m_menu && m_menuShowing) {
        m_menuShowing = false;
        m_menuClosedOnButton = true;
        return;
    }
    if (m_spaceDown)
        return;
    setState(ButtonState::Normal);
    emit MouseLeave();
}

void velbutton::mousePressEvent(QMouseEvent* event)
{
    applyCursor();
    // Other buttons act only while the last menu was closed on this button.
    if (event->button() == Qt::LeftButton || m_menuClosedOnButton)
        pressLeft(argsOf(event));
}

void velbutton::pressLeft(const MouseArgs& a)
{
    m_hasFocus = true;
    m_leftDown = true;
    if (!m_spaceDown)
        setState(ButtonState::Down);
    if (!m_menu)
        emit MouseDown(a.button, a.shift, a.x, a.y);
    else if (m_menuShowing)
        m_menuClosedOnButton = true; // the press that closed our menu, handed on to us
    else if (!m_menuClosedOnButton)
        ShowDropDownMenu();
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

void velbutton::mouseReleaseEvent(QMouseEvent* event)
{
    applyCursor();
    const MouseArgs a = argsOf(event);
    if (m_menu) {
        m_leftDown = false;
        m_menuClosedOnButton = false;
        setState(ButtonState::Normal);
        return;
    }
    const QPointF p = event->position();
    const bool inside = p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() < height();
    if (event->button() == Qt::LeftButton && std::exchange(m_leftDown, false) && inside) {
        if (m_props.Mode == ButtonMode::Check)
            m_props.Value = !m_props.Value;
        else if (m_props.Mode == ButtonMode::Option) {
            ClearOptionGroup();
            m_props.Value = true;
        }
        m_state = ButtonState::Normal;
        RedrawButton();
        // A Click handler may delete the button (a dialog's OK closing its dialog).
        const QPointer<velbutton> alive(this);
        emit Click();
        if (!alive)
            return;
    }
    emit MouseUp(a.button, a.shift, a.x, a.y);
}

// The second press of a double click arrives as this event only (Qt drops the
// press it stands for), so it runs the press handling itself before DblClick.
void velbutton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    applyCursor();
    const bool menu = m_menu;
    m_state = ButtonState::Normal; // pressLeft redraws as Down
    const QPointer<velbutton> alive(this);
    pressLeft(argsOf(event));
    if (alive && !menu)
        emit DblClick();
}

bool velbutton::event(QEvent* event)
{
    // The button shows its own tip window (CreateButtonToolTip); text given
    // through QWidget::setToolTip becomes the ToolTip property.
    if (event->type() == QEvent::ToolTip)
        return true;
    if (event->type() == QEvent::ToolTipChange)
        m_props.ToolTip = QWidget::toolTip();
    // Qt tells every shown widget of a window that the window became active or inactive with
    // these; ActivationChange reaches the window itself only, never a button inside it.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        activationChanged(event->type() == QEvent::WindowActivate);
    // Shown inside a window that is already active: nothing else tells it so.
    if (event->type() == QEvent::Show && m_parentActive != isActiveWindow()) {
        m_parentActive = isActiveWindow();
        RedrawButton();
    }
    // Enter and Space belong to the focused button, not to window shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        const int k = static_cast<QKeyEvent*>(event)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Space) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

// Enter, Space and the arrow keys are the button's; every other key raises
// KeyDown and KeyPress and then goes on to the window (Escape to a dialog,
// Alt+F4 to the frame). Handlers may delete the button: nothing of it is
// touched after a deletion, and the event then stays accepted, so it is not
// handed on to a parent through the deleted button.
void velbutton::keyPressEvent(QKeyEvent* event)
{
    const short shift = ShiftBits(event->modifiers());
    const int k = event->key();
    if (k == Qt::Key_Space && (event->modifiers() & Qt::AltModifier)) {
        event->ignore(); // Alt+Space belongs to the window menu
        return;
    }
    const QPointer<velbutton> alive(this);
    bool handled = true;
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        emit Click();
    } else if (k == Qt::Key_Left || k == Qt::Key_Up) {
        focusPreviousChild();
    } else if (k == Qt::Key_Right || k == Qt::Key_Down) {
        focusNextChild();
    } else if (k == Qt::Key_Space) {
        onSpacePressed(event->isAutoRepeat());
    } else {
        handled = false;
        if (m_spaceDown) {
            m_spaceDown = false;
            setState(ButtonState::Normal);
        }
    }
    if (!alive)
        return;
    emit KeyDown(KeyCodeOf(event), shift);
    if (!alive)
        return;
    if (!event->text().isEmpty())
        emit KeyPress(short(event->text().at(0).unicode()));
    if (alive && !handled)
        event->ignore();
}

// A held Space repeats its key press; only the first one toggles and presses.
void velbutton::onSpacePressed(bool autoRepeat)
{
    if (autoRepeat && m_spaceDown)
        return;
    if (!m_leftDown) {
        m_spaceDown = true;
        if (m_props.Mode == ButtonMode::Check)
            m_props.Value = !m_props.Value;
        else if (m_props.Mode == ButtonMode::Option) {
            ClearOptionGroup();
            m_props.Value = true;
        }
        m_state = ButtonState::Normal; // force the redraw below
        setState(ButtonState::Down);
    } else {
        setState(m_pointerOver ? ButtonState::Down : ButtonState::Normal);
    }
    if (isVisible())
        grabMouse();
}

void velbutton::keyReleaseEvent(QKeyEvent* event)
{
    // Alt+Space went to the window menu: its release is not the button's either.
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() ||
        (event->modifiers() & Qt::AltModifier)) {
        event->ignore();
        return;
    }
    const QPointer<velbutton> alive(this);
    const bool click = onSpaceReleased();
    const short shift = ShiftBits(event->modifiers());
    m_spaceDown = false;
    m_leftDown = false;
    if (click)
        emit Click();
    if (alive)
        emit KeyUp(32, shift);
}

// True when the release completes a Space click.
bool velbutton::onSpaceReleased()
{
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
    m_pointerOver = pointerOverNow();
    if (m_pointerOver)
        setState(m_leftDown ? ButtonState::Down : ButtonState::Hot);
    else
        setState(ButtonState::Normal);
    return !m_leftDown && m_spaceDown;
}

void velbutton::AccessKeyPress(int keyAscii)
{
    if (!isEnabled())
        return;
    m_spaceDown = false;
    m_leftDown = false;
    if (KeepsValue(m_props.Mode)) {
        if (keyAscii == 13 || keyAscii == 27)
            return;
        if (m_props.Mode == ButtonMode::Check) {
            m_props.Value = !m_props.Value;
            if (!m_props.Value)
                m_state = ButtonState::Normal;
        } else {
            ClearOptionGroup();
            m_props.Value = true;
        }
        RedrawButton();
    }
    // Pending events may delete the button (a deferred deletion).
    const QPointer<velbutton> alive(this);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (alive)
        emit Click();
}

void velbutton::Press()
{
    if (!isEnabled())
        return;
    if (m_menu) {
        // The menu runs its own loop: it opens once the caller has had its answer.
        QTimer::singleShot(0, this, [this] {
            if (m_menu && !m_menuShowing)
                ShowDropDownMenu();
        });
        return;
    }
    if (m_props.Mode == ButtonMode::Check) {
        m_props.Value = !m_props.Value;
    } else if (m_props.Mode == ButtonMode::Option) {
        ClearOptionGroup();
        m_props.Value = true;
    }
    m_state = ButtonState::Normal;
    RedrawButton();
    emit Click();
}

void velbutton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    m_hasFocus = true;
    RedrawButton();
}

// A pop-up (our own menu) taking the keyboard is not a loss of focus.
void velbutton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    m_hasFocus = false;
    m_leftDown = false;
    m_spaceDown = false;
    m_state = (m_parentActive && m_pointerOver) ? ButtonState::Hot : ButtonState::Normal;
    RedrawButton();
}

void velbutton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        m_props.Enabled = !testAttribute(Qt::WA_ForceDisabled);
        RedrawButton();
        break;
    case QEvent::FontChange:
        m_props.Font = font(); // QWidget::setFont and the host's font reach the caption
        updateGeometry();
        RedrawButton();
        break;
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        RedrawButton();
        break;
    default:
        break;
    }
}

void velbutton::activationChanged(bool active)
{
    if (!active) {
        m_leftDown = false;
        m_spaceDown = false;
        m_hasFocus = false;
    }
    m_parentActive = active;
    m_state = ButtonState::Normal;
    RedrawButton();
}

void velbutton::ShowDropDownMenu()
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
    m_menu->setDefaultAction(m_defaultMenu);
    m_menuShowing = true;
    QPointer<velbutton> self(this);
    m_menu->exec(mapToGlobal(anchor) - QPoint(dx, dy));
    if (!self)
        return;
    m_menuShowing = false;
    if (pointerOverNow()) {
        // The press that opened the menu ended inside it; the click on us that
        // closed it opens nothing.
        m_leftDown = false;
        m_menuClosedOnButton = true;
        forgetClosingClickLater();
        setState(ButtonState::Hot);
        return;
    }
    m_pointerOver = m_leftDown = m_spaceDown = false;
    m_menuClosedOnButton = false;
    m_state = ButtonState::Normal;
    RedrawButton();
}

} // namespace tarvex
