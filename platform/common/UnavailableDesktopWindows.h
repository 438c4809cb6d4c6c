#pragma once

#include "platform/DesktopWindows.h"

#include <functional>

namespace tarvex {

// The windows of other programs where the desktop lets no program act on them (GNOME's
// compositor offers no such interface). There is never a foreground window, so the four
// window actions do nothing; the first time one asks for it, `report` is called once, so the
// user learns why instead of pressing the hotkey again and again.
class UnavailableDesktopWindows final : public DesktopWindows
{
public:
    explicit UnavailableDesktopWindows(std::function<void()> report) : m_report(std::move(report))
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
    std::function<void()> m_report;
    bool m_reported = false;
};

} // namespace tarvex
