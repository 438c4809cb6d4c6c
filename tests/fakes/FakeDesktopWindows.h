#pragma once

#include "platform/DesktopWindows.h"
#include "tests/fakes/CallLog.h"

#include <QHash>

namespace tarvex {

/// Desktop windows for tests: titles are set by the test, the foreground window is chosen by
/// the test, and every operation is recorded as "<op> <id>" (close, minimize, maximize, hide,
/// show). Hidden windows are remembered so a test can ask which are hidden.
class FakeDesktopWindows final : public DesktopWindows, public CallLog
{
public:
    WindowId foregroundWindow() override;
    void closeWindow(WindowId window) override;
    void minimizeWindow(WindowId window) override;
    void maximizeWindow(WindowId window) override;
    void hideWindow(WindowId window) override;
    void showWindow(WindowId window) override;
    QString windowTitle(WindowId window) override;
    bool stillHidden(WindowId window) override { return isHidden(window); }

    /// Makes `window` the foreground window (0 = none).
    void setForeground(WindowId window) { m_foreground = window; }
    /// Gives `window` the title `title`.
    void setTitle(WindowId window, const QString& title) { m_titles.insert(window, title); }
    /// Returns true while `window` is hidden by hideWindow.
    bool isHidden(WindowId window) const { return m_hidden.value(window, false); }

private:
    WindowId m_foreground = 0;
    QHash<WindowId, QString> m_titles;
    QHash<WindowId, bool> m_hidden;
};

} // namespace tarvex
