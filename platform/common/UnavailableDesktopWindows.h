#pragma once

#include "platform/DesktopWindows.h"

namespace tarvex {

class Dialogs;
class Notifier;

// The windows of other programs where the desktop lets no program act on them (GNOME's
// compositor offers no such interface). There is never a foreground window, so the four
// window actions do nothing; the first time one asks for it the user is told why, once per
// run, so they do not press the hotkey again and again: by a desktop notification, or where no
// notification service runs, by a box that waits for nobody (the hotkeys keep running).
class UnavailableDesktopWindows final : public DesktopWindows
{
public:
    /// Tells the user through `notifier`, else `dialogs`; both must outlive this object.
    UnavailableDesktopWindows(Notifier& notifier, Dialogs& dialogs)
        : m_notifier(notifier), m_dialogs(dialogs)
    {}

    /// Always 0; reports the first time.
    WindowId foregroundWindow() override;
    void closeWindow(WindowId) override {}
    void minimizeWindow(WindowId) override {}
    void maximizeWindow(WindowId) override {}
    void hideWindow(WindowId) override {}
    void showWindow(WindowId) override {}
    QString windowTitle(WindowId) override { return QString(); }

private:
    void report();

    Notifier& m_notifier;
    Dialogs& m_dialogs;
    bool m_reported = false;
};

} // namespace tarvex
