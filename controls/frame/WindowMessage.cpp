#include "controls/frame/WindowMessage.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QTimerEvent>
#include <QWheelEvent>
#include <QWidget>

#include <array>
#include <utility>

namespace tarvex {

namespace {

// Qt keys that have a virtual-key number other than their own code.
constexpr std::array<std::pair<int, qint32>, 26> kVirtualKeys{{
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},        {Qt::Key_Return, 0x0D},
    {Qt::Key_Enter, 0x0D},     {Qt::Key_Shift, 0x10},      {Qt::Key_Control, 0x11},
    {Qt::Key_Alt, 0x12},       {Qt::Key_Pause, 0x13},      {Qt::Key_CapsLock, 0x14},
    {Qt::Key_Escape, 0x1B},    {Qt::Key_Space, 0x20},      {Qt::Key_PageUp, 0x21},
    {Qt::Key_PageDown, 0x22},  {Qt::Key_End, 0x23},        {Qt::Key_Home, 0x24},
    {Qt::Key_Left, 0x25},      {Qt::Key_Up, 0x26},         {Qt::Key_Right, 0x27},
    {Qt::Key_Down, 0x28},      {Qt::Key_Print, 0x2C},      {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E},    {Qt::Key_Meta, 0x5B},       {Qt::Key_Menu, 0x5D},
    {Qt::Key_NumLock, 0x90},   {Qt::Key_ScrollLock, 0x91},
}};

qint32 virtualKeyOf(int key)
{
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70 + (key - Qt::Key_F1);
    for (const auto& [qtKey, vk] : kVirtualKeys)
        if (qtKey == key)
            return vk;
    return 0;
}

int qtKeyOf(qint32 vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return vk;
    if (vk >= 0x70 && vk <= 0x87)
        return Qt::Key_F1 + (vk - 0x70);
    for (const auto& [qtKey, code] : kVirtualKeys)
        if (code == vk)
            return qtKey;
    return Qt::Key_unknown;
}

qint32 mouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    qint32 keys = 0;
    keys |= (buttons & Qt::LeftButton) ? WM::MkLButton : 0;
    keys |= (buttons & Qt::RightButton) ? WM::MkRButton : 0;
    keys |= (buttons & Qt::MiddleButton) ? WM::MkMButton : 0;
    keys |= (modifiers & Qt::ShiftModifier) ? WM::MkShift : 0;
    keys |= (modifiers & Qt::ControlModifier) ? WM::MkControl : 0;
    return keys;
}

// Offset of the button's message from the left button's: left 0, right 3, middle 6.
int buttonOffset(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 0;
    case Qt::RightButton:
        return 3;
    case Qt::MiddleButton:
        return 6;
    default:
        return -1;
    }
}

std::optional<WindowMessage> fromMouse(const QMouseEvent& e, qint32 leftMsg)
{
    const QPoint p = e.position().toPoint();
    const qint32 lParam = WindowMessage::makeLParam(p.x(), p.y());
    const qint32 keys = mouseKeys(e.buttons(), e.modifiers());
    if (leftMsg == WM::MouseMove)
        return WindowMessage{WM::MouseMove, keys, lParam};
    const int offset = buttonOffset(e.button());
    if (offset < 0)
        return std::nullopt;
    return WindowMessage{leftMsg + offset, keys, lParam};
}

std::optional<WindowMessage> fromKey(const QKeyEvent& e, bool down)
{
    const qint32 vk = virtualKeyOf(e.key());
    if (vk == 0)
        return std::nullopt;
    const bool alt = e.modifiers() & Qt::AltModifier;
    const qint32 msg =
        down ? (alt ? WM::SysKeyDown : WM::KeyDown) : (alt ? WM::SysKeyUp : WM::KeyUp);
    // Repeat count 1, scan code, context bit 29 for Alt, transition bits for a release.
    qint32 lParam = 1 | qint32((e.nativeScanCode() & 0xFF) << 16);
    lParam |= alt ? (1 << 29) : 0;
    lParam |= down ? (e.isAutoRepeat() ? (1 << 30) : 0) : qint32(0xC0000000u);
    return WindowMessage{msg, vk, lParam};
}

qint32 sizeKind(const QWidget& widget)
{
    if (widget.isMinimized())
        return 1;
    return widget.isMaximized() ? 2 : 0;
}

std::optional<WindowMessage> fromWindowEvent(const QEvent& event, const QWidget& widget)
{
    switch (event.type()) {
    case QEvent::Move: {
        const QPoint p = static_cast<const QMoveEvent&>(event).pos();
        return WindowMessage{WM::Move, 0, WindowMessage::makeLParam(p.x(), p.y())};
    }
    case QEvent::Resize: {
        const QSize s = static_cast<const QResizeEvent&>(event).size();
        return WindowMessage{WM::Size, sizeKind(widget),
                             WindowMessage::makeLParam(s.width(), s.height())};
    }
    case QEvent::WindowActivate:
        return WindowMessage{WM::Activate, 1, 0};
    case QEvent::WindowDeactivate:
        return WindowMessage{WM::Activate, 0, 0};
    case QEvent::Close:
        if (event.spontaneous())
            return WindowMessage{WM::SysCommand, WM::ScClose, 0};
        return WindowMessage{WM::Close, 0, 0};
    case QEvent::Show:
        return WindowMessage{WM::ShowWindow, 1, 0};
    case QEvent::Hide:
        return WindowMessage{WM::ShowWindow, 0, 0};
    default:
        return std::nullopt;
    }
}

std::optional<WindowMessage> fromStateEvent(const QEvent& event, const QWidget& widget)
{
    switch (event.type()) {
    case QEvent::FocusIn:
        return WindowMessage{WM::SetFocus, 0, 0};
    case QEvent::FocusOut:
        return WindowMessage{WM::KillFocus, 0, 0};
    case QEvent::EnabledChange:
        return WindowMessage{WM::Enable, widget.isEnabled() ? 1 : 0, 0};
    case QEvent::WindowTitleChange:
        return WindowMessage{WM::SetText, 0, 0};
    case QEvent::WindowIconChange:
        return WindowMessage{WM::SetIcon, 0, 0};
    case QEvent::FontChange:
        return WindowMessage{WM::SetFont, 0, 0};
    case QEvent::Paint:
        return WindowMessage{WM::Paint, 0, 0};
    case QEvent::ThemeChange:
    case QEvent::ApplicationPaletteChange:
        return WindowMessage{WM::SysColorChange, 0, 0};
    case QEvent::Timer:
        return WindowMessage{WM::Timer, static_cast<const QTimerEvent&>(event).timerId(), 0};
    default:
        return std::nullopt;
    }
}

std::optional<WindowMessage> fromInputEvent(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseMove:
        return fromMouse(static_cast<const QMouseEvent&>(event), WM::MouseMove);
    case QEvent::MouseButtonPress:
        return fromMouse(static_cast<const QMouseEvent&>(event), WM::LButtonDown);
    case QEvent::MouseButtonRelease:
        return fromMouse(static_cast<const QMouseEvent&>(event), WM::LButtonUp);
    case QEvent::MouseButtonDblClick:
        return fromMouse(static_cast<const QMouseEvent&>(event), WM::LButtonDblClk);
    case QEvent::Wheel: {
        const auto& w = static_cast<const QWheelEvent&>(event);
        const qint32 keys = mouseKeys(w.buttons(), w.modifiers());
        const QPoint g = w.globalPosition().toPoint();
        return WindowMessage{WM::MouseWheel, keys | (w.angleDelta().y() << 16),
                             WindowMessage::makeLParam(g.x(), g.y())};
    }
    case QEvent::Enter:
        // The cursor is set when the pointer enters: hit-test code HTCLIENT (1).
        return WindowMessage{WM::SetCursor, 0, WindowMessage::makeLParam(1, WM::MouseMove)};
    case QEvent::Leave:
        return WindowMessage{WM::MouseLeave, 0, 0};
    case QEvent::KeyPress:
        return fromKey(static_cast<const QKeyEvent&>(event), true);
    case QEvent::KeyRelease:
        return fromKey(static_cast<const QKeyEvent&>(event), false);
    case QEvent::ContextMenu:
        return WindowMessage{WM::ContextMenu, 0, 0};
    default:
        return std::nullopt;
    }
}

Qt::KeyboardModifiers modifiersOf(qint32 keys)
{
    Qt::KeyboardModifiers m;
    m |= (keys & WM::MkShift) ? Qt::ShiftModifier : Qt::NoModifier;
    m |= (keys & WM::MkControl) ? Qt::ControlModifier : Qt::NoModifier;
    return m;
}

Qt::MouseButtons buttonsOf(qint32 keys)
{
    Qt::MouseButtons b;
    b |= (keys & WM::MkLButton) ? Qt::LeftButton : Qt::NoButton;
    b |= (keys & WM::MkRButton) ? Qt::RightButton : Qt::NoButton;
    b |= (keys & WM::MkMButton) ? Qt::MiddleButton : Qt::NoButton;
    return b;
}

std::unique_ptr<QEvent> toMouseEvent(const WindowMessage& m, const QWidget& widget)
{
    static constexpr std::array<Qt::MouseButton, 3> kButtons{Qt::LeftButton, Qt::RightButton,
                                                             Qt::MiddleButton};
    static constexpr std::array<QEvent::Type, 3> kTypes{
        QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick};
    const QPointF local(WindowMessage::lowWord(m.lParam), WindowMessage::highWord(m.lParam));
    const QPointF global = widget.mapToGlobal(local);
    if (m.uMsg == WM::MouseMove)
        return std::make_unique<QMouseEvent>(QEvent::MouseMove, local, global, Qt::NoButton,
                                             buttonsOf(m.wParam), modifiersOf(m.wParam));
    const int index = m.uMsg - WM::LButtonDown;
    return std::make_unique<QMouseEvent>(kTypes[index % 3], local, global, kButtons[index / 3],
                                         buttonsOf(m.wParam), modifiersOf(m.wParam));
}

std::unique_ptr<QEvent> toKeyEvent(const WindowMessage& m)
{
    const int key = qtKeyOf(m.wParam);
    if (key == Qt::Key_unknown)
        return nullptr;
    const bool down = m.uMsg == WM::KeyDown || m.uMsg == WM::SysKeyDown;
    const bool alt = m.uMsg == WM::SysKeyDown || m.uMsg == WM::SysKeyUp;
    return std::make_unique<QKeyEvent>(down ? QEvent::KeyPress : QEvent::KeyRelease, key,
                                       alt ? Qt::AltModifier : Qt::NoModifier);
}

} // namespace

std::optional<WindowMessage> WindowMessage::fromEvent(const QEvent& event, const QWidget& widget)
{
    if (auto m = fromInputEvent(event))
        return m;
    if (auto m = fromWindowEvent(event, widget))
        return m;
    return fromStateEvent(event, widget);
}

std::unique_ptr<QEvent> WindowMessage::toEvent(const QWidget& widget) const
{
    if (uMsg >= WM::MouseMove && uMsg <= WM::MButtonDblClk)
        return toMouseEvent(*this, widget);
    switch (uMsg) {
    case WM::KeyDown:
    case WM::KeyUp:
    case WM::SysKeyDown:
    case WM::SysKeyUp:
        return toKeyEvent(*this);
    case WM::Close:
        return std::make_unique<QCloseEvent>();
    case WM::MouseLeave:
        return std::make_unique<QEvent>(QEvent::Leave);
    case WM::Activate:
        return std::make_unique<QEvent>(wParam ? QEvent::WindowActivate : QEvent::WindowDeactivate);
    case WM::SetFocus:
        return std::make_unique<QFocusEvent>(QEvent::FocusIn);
    case WM::KillFocus:
        return std::make_unique<QFocusEvent>(QEvent::FocusOut);
    default:
        return nullptr;
    }
}

qint32 WindowMessage::makeLParam(int low, int high)
{
    return qint32((quint32(quint16(high)) << 16) | quint32(quint16(low)));
}

int WindowMessage::lowWord(qint32 lParam)
{
    return qint16(quint32(lParam) & 0xFFFF);
}

int WindowMessage::highWord(qint32 lParam)
{
    return qint16(quint32(lParam) >> 16);
}

} // namespace tarvex
