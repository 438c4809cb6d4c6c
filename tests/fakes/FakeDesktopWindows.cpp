#include "tests/fakes/FakeDesktopWindows.h"

namespace tarvex {

WindowId FakeDesktopWindows::foregroundWindow()
{
    return m_foreground;
}

void FakeDesktopWindows::closeWindow(WindowId window)
{
    record(QStringLiteral("close %1").arg(window));
}

void FakeDesktopWindows::minimizeWindow(WindowId window)
{
    record(QStringLiteral("minimize %1").arg(window));
}

void FakeDesktopWindows::maximizeWindow(WindowId window)
{
    record(QStringLiteral("maximize %1").arg(window));
}

void FakeDesktopWindows::hideWindow(WindowId window)
{
    record(QStringLiteral("hide %1").arg(window));
    m_hidden.insert(window, true);
}

void FakeDesktopWindows::showWindow(WindowId window)
{
    record(QStringLiteral("show %1").arg(window));
    m_hidden.insert(window, false);
}

QString FakeDesktopWindows::windowTitle(WindowId window)
{
    return m_titles.value(window);
}

} // namespace tarvex
