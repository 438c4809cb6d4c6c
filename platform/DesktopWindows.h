#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace tarvex {

/// Identifier of a top-level window of the desktop (an X11 window id here); 0 means "none".
using WindowId = quint64;

/// The windows of other programs: the operations the special actions and hidden-window slots use.
/// Every operation on window 0 or on a window that no longer exists does nothing.
class DesktopWindows
{
public:
    virtual ~DesktopWindows() = default;

    /// Returns the window that has the keyboard focus, or 0 when there is none.
    virtual WindowId foregroundWindow() = 0;
    /// Asks the window to close itself, as its close box would (it may ask its own questions).
    virtual void closeWindow(WindowId window) = 0;
    /// Minimizes (iconifies) the window.
    virtual void minimizeWindow(WindowId window) = 0;
    /// Maximizes the window.
    virtual void maximizeWindow(WindowId window) = 0;
    /// Hides the window completely (no taskbar entry); the caller keeps the id to show it again.
    virtual void hideWindow(WindowId window) = 0;
    /// Shows a window hidden by hideWindow again and activates it.
    virtual void showWindow(WindowId window) = 0;
    /// Returns the window's title (empty when it has none or does not exist).
    virtual QString windowTitle(WindowId window) = 0;
    /// True when `window` still exists, hidden by hideWindow in this run or an earlier one of
    /// the program (one that ended without showing it again); false where that is unknown.
    virtual bool stillHidden(WindowId window)
    {
        Q_UNUSED(window);
        return false;
    }
    /// True when this desktop tells which window is in front and which application it belongs
    /// to; false where neither is known.
    virtual bool canTellApplications() { return false; }
    /// The names of the application of `window`: its app id, or its window class (an X11
    /// window gives the instance and the class of WM_CLASS); empty when unknown.
    virtual QStringList applicationNames(WindowId window)
    {
        Q_UNUSED(window);
        return {};
    }
    /// The applications of the open windows, one name each (the app id or window class), each
    /// once, for the user to choose from.
    virtual QStringList runningApplications() { return {}; }
};

} // namespace tarvex
