#pragma once

#include "platform/DesktopWindows.h"

#include <QImage>
#include <QList>

struct _XDisplay;

namespace tarvex {

// The windows of other programs, through the window manager's EWMH protocol on
// an X connection of its own: the foreground window is _NET_ACTIVE_WINDOW,
// closing asks the window manager (_NET_CLOSE_WINDOW, so the window may ask
// its own question), maximizing sets _NET_WM_STATE. Hiding unmaps (withdraws)
// the window, which leaves the window manager's lists; showing maps it again
// and activates it. The window keeps its states (maximized, ...) in a property
// of its own while hidden, so it comes back in them even after a crash of the
// program. A window that vanished makes every operation do nothing.
class EwmhDesktopWindows final : public DesktopWindows
{
public:
    EwmhDesktopWindows() = default;
    ~EwmhDesktopWindows() override;
    EwmhDesktopWindows(const EwmhDesktopWindows&) = delete;
    EwmhDesktopWindows& operator=(const EwmhDesktopWindows&) = delete;

    /// The window that has the focus (_NET_ACTIVE_WINDOW), or 0 (also when it is gone).
    WindowId foregroundWindow() override;
    /// Asks the window manager to close the window.
    void closeWindow(WindowId window) override;
    /// Iconifies the window.
    void minimizeWindow(WindowId window) override;
    /// Maximizes the window both ways and activates it.
    void maximizeWindow(WindowId window) override;
    /// Keeps the window's states in _TARVEX_HIDDEN_STATE, then withdraws (unmaps) it.
    void hideWindow(WindowId window) override;
    /// Maps the window again in the states it had, and activates it.
    void showWindow(WindowId window) override;
    /// True when the window exists, is unmapped and carries _TARVEX_HIDDEN_STATE.
    bool stillHidden(WindowId window) override;
    /// _NET_WM_NAME, else WM_NAME, at most 50 characters.
    QString windowTitle(WindowId window) override;
    /// True when the window manager names the active window (_NET_ACTIVE_WINDOW on the root).
    bool canTellApplications() override;
    /// The instance and the class of the window's WM_CLASS (either may be empty, then left out).
    QStringList applicationNames(WindowId window) override;
    /// The classes of the managed windows (_NET_CLIENT_LIST), in the order first met.
    QStringList runningApplications() override;
    /// The window's icons from _NET_WM_ICON, largest first, else its WM_HINTS icon;
    /// empty when it has neither.
    QList<QImage> windowIcons(WindowId window);

private:
    _XDisplay* display();
    unsigned long atom(const char* name);
    void sendToRoot(WindowId window, const char* messageType, const long (&data)[5]);
    void activate(WindowId window);
    bool hasProperty(WindowId window, unsigned long property);
    void setAtoms(WindowId window, unsigned long property, const QList<unsigned long>& atoms);
    QString fullTitle(WindowId window);

    _XDisplay* m_display = nullptr;
};

} // namespace tarvex
