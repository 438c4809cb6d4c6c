#pragma once

#include "activation/Window.h"

#include <vector>

namespace tarvex {

/// The 11 hidden-window slots (0-10) and the choice of the slot the next hide uses.
///
/// Create one for the whole run and destroy it before the DesktopWindows and
/// HiddenWindowIcons it uses: the destructor shows every hidden window again, so no window is
/// lost when the program ends. The app also calls RestoreAll on SIGTERM/SIGINT.
class HiddenWindowSlots final
{
public:
    static constexpr int SlotCount = 11;

    /// Creates 11 free slots; double-clicks on their tray entries reach Tarvex_Mouse.
    HiddenWindowSlots(DesktopWindows& desktop, HiddenWindowIcons& icons);
    /// Shows every hidden window again and stops listening to the tray entries.
    ~HiddenWindowSlots();
    HiddenWindowSlots(const HiddenWindowSlots&) = delete;
    HiddenWindowSlots& operator=(const HiddenWindowSlots&) = delete;

    /// "-Hide Window-": hides the foreground window into slot NextFreeSlot (or, when that is
    /// not free, the lowest free slot); leaves the window alone when every slot is in use.
    void HideForegroundWindow();
    /// Receives a tray entry's double-click: Button 1 shows the window of slot Shift again.
    void Tarvex_Mouse(int Button, int Shift, int X, int Y);
    /// Shows every window the slots hide (at program end).
    void RestoreAll();
    /// Returns the slot the next hide uses, or -1 when none was free after the last hide.
    int NextFreeSlot() const { return m_nextFreeSlot; }
    /// Returns slot `n` (0-10).
    const Window& slot(int n) const { return m_slots.at(size_t(n)); }

private:
    int lowestFreeSlot() const;
    bool holds(WindowId window) const;

    DesktopWindows& m_desktop;
    HiddenWindowIcons& m_icons;
    std::vector<Window> m_slots;
    int m_nextFreeSlot = 0;
};

} // namespace tarvex
