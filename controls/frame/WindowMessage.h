#pragma once

#include <QtGlobal>

#include <memory>
#include <optional>

class QEvent;
class QWidget;

namespace tarvex {

// Window message numbers, with the values the subclassing contract uses.
namespace WM {
inline constexpr qint32 Move = 0x3;
inline constexpr qint32 Size = 0x5;
inline constexpr qint32 Activate = 0x6;
inline constexpr qint32 SetFocus = 0x7;
inline constexpr qint32 KillFocus = 0x8;
inline constexpr qint32 Enable = 0xA;
inline constexpr qint32 SetText = 0xC;
inline constexpr qint32 Paint = 0xF;
inline constexpr qint32 Close = 0x10;
inline constexpr qint32 SysColorChange = 0x15;
inline constexpr qint32 ShowWindow = 0x18;
inline constexpr qint32 SetCursor = 0x20;
inline constexpr qint32 SetFont = 0x30;
inline constexpr qint32 ContextMenu = 0x7B;
inline constexpr qint32 SetIcon = 0x80;
inline constexpr qint32 NcLButtonDown = 0xA1;
inline constexpr qint32 KeyDown = 0x100;
inline constexpr qint32 KeyUp = 0x101;
inline constexpr qint32 SysKeyDown = 0x104;
inline constexpr qint32 SysKeyUp = 0x105;
inline constexpr qint32 SysCommand = 0x112;
inline constexpr qint32 Timer = 0x113;
inline constexpr qint32 MouseMove = 0x200;
inline constexpr qint32 LButtonDown = 0x201;
inline constexpr qint32 LButtonUp = 0x202;
inline constexpr qint32 LButtonDblClk = 0x203;
inline constexpr qint32 RButtonDown = 0x204;
inline constexpr qint32 RButtonUp = 0x205;
inline constexpr qint32 RButtonDblClk = 0x206;
inline constexpr qint32 MButtonDown = 0x207;
inline constexpr qint32 MButtonUp = 0x208;
inline constexpr qint32 MButtonDblClk = 0x209;
inline constexpr qint32 MouseWheel = 0x20A;
inline constexpr qint32 MouseHover = 0x2A1;
inline constexpr qint32 MouseLeave = 0x2A3;

// WM_SYSCOMMAND codes (wParam & 0xFFF0).
inline constexpr qint32 ScClose = 0xF060;
// Mouse-key bits of wParam in mouse messages.
inline constexpr qint32 MkLButton = 0x1, MkRButton = 0x2, MkShift = 0x4, MkControl = 0x8,
                        MkMButton = 0x10;
} // namespace WM

// One window message: number and its two parameters.
struct WindowMessage final
{
    qint32 uMsg = 0;
    qint32 wParam = 0;
    qint32 lParam = 0;

    bool operator==(const WindowMessage&) const = default;

    // The message a Qt event delivered to widget stands for, if any. A close
    // that comes from the window manager arrives as WM_SYSCOMMAND / SC_CLOSE.
    static std::optional<WindowMessage> fromEvent(const QEvent& event, const QWidget& widget);

    // A Qt event for this message addressed to widget, when one can be built
    // (mouse, keys, close, leave, activation, focus); null otherwise.
    std::unique_ptr<QEvent> toEvent(const QWidget& widget) const;

    // Packs two signed 16-bit values as MAKELPARAM does.
    static qint32 makeLParam(int low, int high);

    // Signed low and high words of lParam (GET_X_LPARAM / GET_Y_LPARAM).
    static int lowWord(qint32 lParam);
    static int highWord(qint32 lParam);
};

} // namespace tarvex
