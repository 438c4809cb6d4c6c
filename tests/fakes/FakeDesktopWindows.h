#pragma once

#include "platform/DesktopWindows.h"
#include "tests/fakes/CallLog.h"

#include <QHash>

namespace tarvex {

/// Desktop windows for tests: the test sets the titles and the foreground window; every
/// operation is recorded as "<op> <id>" (close, minimize, maximize, hide, show).
class FakeDesktopWindows final : public DesktopWindows, public CallLog
{
public:
    WindowId foregroundWindow() override { return m_foreground; }
    void closeWindow(WindowId window) override { op("close", window); }
    void minimizeWindow(WindowId window) override { op("minimize", window); }
    void maximizeWindow(WindowId window) override { op("maximize", window); }
    void hideWindow(WindowId window) override { m_hidden.insert(op("hide", window), true); }
    void showWindow(WindowId window) override { m_hidden.insert(op("show", window), false); }
    QString windowTitle(WindowId window) override { return m_titles.value(window); }
    bool stillHidden(WindowId window) override { return isHidden(window); }
    bool canTellApplications() override { return m_tellsApplications; }
    QStringList applicationNames(WindowId window) override { return m_apps.value(window); }

    void setForeground(WindowId window) { m_foreground = window; }
    void setTitle(WindowId window, const QString& title) { m_titles.insert(window, title); }
    void setApplication(WindowId window, const QStringList& names) { m_apps.insert(window, names); }
    /// False: the desktop cannot tell the application in front.
    void setTellsApplications(bool tells) { m_tellsApplications = tells; }
    /// True while `window` is hidden by hideWindow.
    bool isHidden(WindowId window) const { return m_hidden.value(window, false); }

private:
    WindowId op(const char* name, WindowId window)
    {
        record(QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(window));
        return window;
    }

    WindowId m_foreground = 0;
    QHash<WindowId, QString> m_titles;
    QHash<WindowId, bool> m_hidden;
    QHash<WindowId, QStringList> m_apps;
    bool m_tellsApplications = true;
};

} // namespace tarvex
