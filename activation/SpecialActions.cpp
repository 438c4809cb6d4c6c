#include "activation/SpecialActions.h"

#include "activation/SpecialActionTable.h"

namespace tarvex {

SpecialActions::SpecialActions(DesktopWindows& desktop, PowerControl& power, Dialogs& dialogs,
                               HiddenWindowSlots& hiddenSlots)
    : m_desktop(desktop), m_power(power), m_dialogs(dialogs), m_slots(hiddenSlots)
{}

void SpecialActions::RunSpecialAction(int row)
{
    if (row >= 1 && row <= 4)
        runWindowRow(row);
    else if (row >= 5 && row <= 10)
        runPowerRow(row);
}

void SpecialActions::runWindowRow(int row)
{
    if (row == 1) {
        m_slots.HideForegroundWindow();
        return;
    }
    const WindowId window = m_desktop.foregroundWindow();
    if (row == 2)
        m_desktop.closeWindow(window);
    else if (row == 3)
        m_desktop.minimizeWindow(window);
    else
        m_desktop.maximizeWindow(window);
}

void SpecialActions::runPowerRow(int row)
{
    const SpecialActionRow& action = SpecialActionTable()[size_t(row - 1)];
    // The question belongs to no window: the hotkey was pressed in another program.
    if (!m_dialogs.askYesNo(nullptr, QString(action.title), QString(action.prompt)))
        return;
    switch (row) {
    case 5:
        m_power.logOff();
        break;
    case 6:
        m_power.shutDown();
        break;
    case 7:
        m_power.restart();
        break;
    case 8:
        m_power.instantShutdown();
        break;
    case 9:
        m_power.instantRestart();
        break;
    default:
        m_power.instantPoweroff();
        break;
    }
}

} // namespace tarvex
