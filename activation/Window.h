#pragma once

#include "platform/DesktopWindows.h"
#include "platform/HiddenWindowIcons.h"

#include <QString>

namespace tarvex {

/// One hidden-window slot: the window that "-Hide Window-" hid, with its tray entry.
class Window final
{
public:
    /// The most characters of a title kept for the tray entry's tip.
    static constexpr int TitleLength = 50;

    /// Creates free slot number `slot`, acting through `desktop` and `icons`.
    Window(int slot, DesktopWindows& desktop, HiddenWindowIcons& icons);

    /// With false hides the slot's window and adds its tray entry; with true shows the window
    /// again and removes the entry. Nothing happens while the slot has no window.
    void Show(bool bShow);
    /// Sets the window the slot holds (0 = none).
    void setHandle(WindowId handle) { m_handle = handle; }
    /// Returns the window the slot holds (0 = none).
    WindowId handle() const { return m_handle; }
    /// Returns the title read when the window was hidden (at most 50 characters).
    const QString& title() const { return m_title; }
    /// Returns true while the slot's window is hidden by the program.
    bool hidden() const { return m_hidden; }
    /// Returns the slot number (also the tray entry's identifier).
    int slot() const { return m_slot; }

    /// Returns the first 50 characters of `title`, never splitting a surrogate pair.
    static QString ShortTitle(const QString& title);

private:
    int m_slot;
    DesktopWindows& m_desktop;
    HiddenWindowIcons& m_icons;
    WindowId m_handle = 0;
    QString m_title;
    bool m_hidden = false;
};

} // namespace tarvex
