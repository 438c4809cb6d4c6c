#pragma once

#include "platform/DesktopWindows.h"
#include "platform/wayland/WaylandConnection.h"

#include <QObject>
#include <QString>

#include <map>
#include <memory>

class QSocketNotifier;
struct wl_registry;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

namespace tarvex {

class SwayIpc;

// The windows of other programs on compositors that offer the wlroots foreign-toplevel
// protocol (sway, labwc, Hyprland, river, Wayfire), on a Wayland connection of its own. The
// compositor announces every toplevel with its title, app id and states; the foreground window
// is the one in the activated state. Minimize, maximize and close are requests the compositor
// may ignore (sway ignores the first two). Hiding minimizes, since no client can unmap
// another's window; showing unminimizes and activates on the first seat. On sway, which keeps
// minimized windows on screen, hiding moves the window to sway's scratchpad instead.
//
// Window ids are numbers this object hands out, one per toplevel and never reused, so an id
// kept for a closed window names nothing and every operation on it does nothing.
class WlrDesktopWindows final : public QObject, public DesktopWindows
{
    Q_OBJECT

public:
    /// Connects to the session's compositor (WAYLAND_DISPLAY).
    WlrDesktopWindows();
    /// Talks over `fd`, a socket already connected to a compositor; the object owns it.
    explicit WlrDesktopWindows(int fd);
    ~WlrDesktopWindows() override;
    WlrDesktopWindows(const WlrDesktopWindows&) = delete;
    WlrDesktopWindows& operator=(const WlrDesktopWindows&) = delete;

    /// True when the compositor offers the protocol and the connection still works.
    bool isAvailable() const;
    /// Hides through sway's IPC: the window moves to the scratchpad, and comes back where it
    /// was (tiled or floating) with the focus.
    void useSwayScratchpad(std::unique_ptr<SwayIpc> sway);

    /// The toplevel in the activated state (the most recently activated one when a compositor
    /// with several seats shows more), or 0.
    WindowId foregroundWindow() override;
    void closeWindow(WindowId window) override;
    void minimizeWindow(WindowId window) override;
    /// Asks for the maximized state; a window already maximized stays so.
    void maximizeWindow(WindowId window) override;
    /// Minimizes the window (on sway: moves it to the scratchpad).
    void hideWindow(WindowId window) override;
    /// Unminimizes the window and activates it (on sway: brings it back from the scratchpad).
    void showWindow(WindowId window) override;
    /// The title, at most 50 characters (one fewer where the 50th starts a surrogate pair).
    QString windowTitle(WindowId window) override;
    /// The app id the window gave itself (names its desktop file), or empty.
    QString windowAppId(WindowId window);
    /// True while the compositor announces its toplevels (isAvailable()).
    bool canTellApplications() override { return isAvailable(); }
    /// The window's app id, when it gave one.
    QStringList applicationNames(WindowId window) override;
    /// The app ids of the open toplevels, in the order they appeared.
    QStringList runningApplications() override;

    struct Toplevel;

private:
    void start();
    void bindGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
    void sync();
    void readEvents();
    void lost();
    Toplevel* find(WindowId window);
    void flush();

    static void managerToplevel(void* data, zwlr_foreign_toplevel_manager_v1* manager,
                                zwlr_foreign_toplevel_handle_v1* handle);
    static void managerFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager);

    // Declared first, so the toplevels and their manager go before the connection does.
    WaylandConnection m_connection;
    zwlr_foreign_toplevel_manager_v1* m_manager = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::map<WindowId, std::unique_ptr<Toplevel>> m_toplevels;
    std::unique_ptr<SwayIpc> m_sway;
    WindowId m_nextId = 1;
    quint64 m_activations = 0;
    bool m_broken = false;
};

} // namespace tarvex
