#pragma once

#include "platform/DesktopWindows.h"

#include <QDBusConnection>
#include <QHash>
#include <QString>

#include <memory>

class QThread;

namespace tarvex {

class KWinScriptReplies;

// The windows of other programs on KDE Plasma, through KWin's scripting over D-Bus: each
// operation loads a small script into KWin (org.kde.KWin, /Scripting), runs it and unloads it.
// The scripts act on workspace.activeWindow (Plasma 6) or workspace.activeClient (Plasma 5)
// and find a window again by its internal id; they answer by calling back over D-Bus, and each
// operation waits for that answer, so the next one sees its effect. The answers arrive on a
// thread of their own, since the program's thread is waiting.
//
// Window ids are numbers this object hands out, one per KWin window it has seen.
class KWinDesktopWindows final : public DesktopWindows
{
public:
    /// Talks to KWin on `bus`; an operation whose script does not answer within `timeoutMs`
    /// gives up (no window, nothing done).
    explicit KWinDesktopWindows(const QDBusConnection& bus = QDBusConnection::sessionBus(),
                                int timeoutMs = 1000);
    ~KWinDesktopWindows() override;
    KWinDesktopWindows(const KWinDesktopWindows&) = delete;
    KWinDesktopWindows& operator=(const KWinDesktopWindows&) = delete;

    /// The active window, or 0.
    WindowId foregroundWindow() override;
    void closeWindow(WindowId window) override;
    void minimizeWindow(WindowId window) override;
    /// Maximizes both ways; a window already maximized stays so.
    void maximizeWindow(WindowId window) override;
    /// Minimizes the window.
    void hideWindow(WindowId window) override;
    /// Unminimizes the window and activates it.
    void showWindow(WindowId window) override;
    /// The title KWin gave when the window was last seen active, at most 50 characters.
    QString windowTitle(WindowId window) override;
    /// The window's desktop file name (else its window class), as last seen.
    QString windowAppId(WindowId window);
    /// True while the session bus is connected (KWin is asked at each use).
    bool canTellApplications() override { return m_bus.isConnected(); }
    /// The window's desktop file name and its window class (resourceClass), as last seen.
    QStringList applicationNames(WindowId window) override;
    /// The desktop file names (else window classes) of KWin's normal windows.
    QStringList runningApplications() override;

private:
    struct Seen
    {
        QString kwinId, title, appId, windowClass;
    };

    void actOn(WindowId window, const QString& action);
    QStringList run(const QString& body);

    QDBusConnection m_bus;
    int m_timeoutMs;
    std::unique_ptr<QThread> m_thread;
    KWinScriptReplies* m_replies = nullptr;
    QHash<WindowId, Seen> m_seen;
    WindowId m_nextId = 1;
    int m_nextToken = 1;
    // The object path of a loaded script: Plasma 6 "/Scripting/Script<n>", Plasma 5 "/<n>";
    // found on the first run.
    QString m_scriptPath;
};

} // namespace tarvex
