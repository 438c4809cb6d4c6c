#include "activation/HiddenWindowSlots.h"

#include <QLoggingCategory>

namespace tarvex {

namespace {
Q_LOGGING_CATEGORY(lcHidden, "tarvex.hidden")
} // namespace

HiddenWindowSlots::HiddenWindowSlots(DesktopWindows& desktop, HiddenWindowIcons& icons,
                                     HiddenWindowRecord record)
    : m_desktop(desktop), m_icons(icons), m_record(std::move(record))
{
    m_slots.reserve(SlotCount);
    for (int n = 0; n < SlotCount; ++n)
        m_slots.emplace_back(n, desktop, icons);
    m_icons.setDoubleClickCallback([this](int slot) { Tarvex_Mouse(1, slot, 0, 0); });
}

HiddenWindowSlots::~HiddenWindowSlots()
{
    m_icons.setDoubleClickCallback({});
    RestoreAll();
}

int HiddenWindowSlots::lowestFreeSlot() const
{
    for (const Window& window : m_slots) {
        if (!window.hidden())
            return window.slot();
    }
    return -1;
}

bool HiddenWindowSlots::holds(WindowId window) const
{
    for (const Window& slot : m_slots) {
        if (slot.hidden() && slot.handle() == window)
            return true;
    }
    return false;
}

void HiddenWindowSlots::HideForegroundWindow()
{
    const WindowId foreground = m_desktop.foregroundWindow();
    // No window, or one already hidden that the desktop still names as active: nothing to do.
    if (foreground == 0 || holds(foreground))
        return;
    const bool nextIsFree = m_nextFreeSlot >= 0 && !m_slots[m_nextFreeSlot].hidden();
    const int slot = nextIsFree ? m_nextFreeSlot : lowestFreeSlot();
    if (slot < 0)
        return; // all 11 slots hold a window: leave this one alone
    m_slots[slot].setHandle(foreground);
    m_slots[slot].Show(false);
    m_nextFreeSlot = lowestFreeSlot();
    record();
}

void HiddenWindowSlots::Tarvex_Mouse(int Button, int Shift, int X, int Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    const int slot = qint16(Shift);
    if (Button == 1 && slot >= 0 && slot < SlotCount) {
        m_slots[slot].Show(true);
        record();
    }
}

void HiddenWindowSlots::RestoreAll()
{
    for (Window& window : m_slots) {
        if (window.hidden())
            window.Show(true);
    }
    record();
}

void HiddenWindowSlots::restoreRecorded()
{
    for (const WindowId window : m_record.take()) {
        if (!holds(window) && m_desktop.stillHidden(window)) {
            qCInfo(lcHidden) << "Showing window" << window << "hidden by an earlier run again.";
            m_desktop.showWindow(window);
        }
    }
    record();
}

// Written as each window is hidden, so a crash right after leaves it named.
void HiddenWindowSlots::record() const
{
    QList<WindowId> hidden;
    for (const Window& window : m_slots) {
        if (window.hidden())
            hidden.append(window.handle());
    }
    if (const QString problem = m_record.write(hidden); !problem.isEmpty())
        qCWarning(lcHidden).noquote() << "The hidden windows could not be recorded:" << problem;
    if (m_changed)
        m_changed();
}

} // namespace tarvex
