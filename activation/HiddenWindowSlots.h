#pragma once

#include "activation/HiddenWindowRecord.h"
#include "activation/Window.h"

#include <functional>
#include <vector>

namespace tarvex {

/// The 11 hidden-window slots (0-10) and the choice of the slot the next hide uses.
///
/// Create one for the whole run and destroy it before the DesktopWindows and
/// HiddenWindowIcons it uses: the destructor shows every hidden window again, so no window is
/// lost when the program ends. The app also calls RestoreAll on SIGTERM/SIGINT. The hidden
/// windows are written down in a record as they are hidden and shown, so that a start after a
/// crash can bring back the windows the last run left hidden (restoreRecorded).
class HiddenWindowSlots final
{
public:
    static constexpr int SlotCount = 11;

    /// Creates 11 free slots; double-clicks on their tray entries reach Tarvex_Mouse. The
    /// hidden windows are recorded in `record`.
    HiddenWindowSlots(DesktopWindows& desktop, HiddenWindowIcons& icons,
                      HiddenWindowRecord record = HiddenWindowRecord(QString()));
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
    /// Shows again the windows that the record of an earlier run names and that are still
    /// hidden (that run crashed or was killed), then records what the slots hide now.
    void restoreRecorded();
    /// Returns the slot the next hide uses, or -1 when none was free after the last hide.
    int NextFreeSlot() const { return m_nextFreeSlot; }
    /// Returns slot `n` (0-10).
    const Window& slot(int n) const { return m_slots.at(size_t(n)); }
    /// Sets the function called after a window was hidden or shown again.
    void setChangedCallback(std::function<void()> callback) { m_changed = std::move(callback); }

private:
    int lowestFreeSlot() const;
    bool holds(WindowId window) const;
    void record() const;

    DesktopWindows& m_desktop;
    HiddenWindowIcons& m_icons;
    std::vector<Window> m_slots;
    HiddenWindowRecord m_record;
    std::function<void()> m_changed;
    int m_nextFreeSlot = 0;
};

} // namespace tarvex
