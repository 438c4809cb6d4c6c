#include "activation/SpecialActions.h"

#include <QCoreApplication>

namespace tarvex {

using A = SpecialAction;

SpecialActions::SpecialActions(DesktopWindows& desktop, PowerControl& power, Dialogs& dialogs,
                               HiddenWindowSlots& hiddenSlots)
    : m_desktop(desktop), m_power(power), m_dialogs(dialogs), m_slots(hiddenSlots)
{}

SpecialActions::~SpecialActions()
{
    *m_alive = false;
}

void SpecialActions::RunSpecialAction(SpecialAction action)
{
    if (action >= A::HideWindow && action <= A::MaximizeWindow)
        runWindowAction(action);
    else if (action >= A::LogOff && action <= A::InstantPoweroff)
        askPowerAction(action);
}

void SpecialActions::runWindowAction(SpecialAction action)
{
    if (action == A::HideWindow) {
        m_slots.HideForegroundWindow();
        return;
    }
    const WindowId window = m_desktop.foregroundWindow();
    if (action == A::CloseWindow)
        m_desktop.closeWindow(window);
    else if (action == A::MinimizeWindow)
        m_desktop.minimizeWindow(window);
    else
        m_desktop.maximizeWindow(window);
}

void SpecialActions::askPowerAction(SpecialAction action)
{
    const SpecialActionRow& row = SpecialActionRowOf(action);
    // The question belongs to no window: the hotkey was pressed in another program.
    const auto translated = [](QLatin1StringView text) {
        return text.isEmpty() ? QString()
                              : QCoreApplication::translate("tarvex::SpecialActions", text.data());
    };
    m_dialogs.askLater(translated(row.title), translated(row.prompt),
                       [this, action, alive = m_alive](bool yes) {
                           if (yes && *alive)
                               runPowerAction(action);
                       });
}

void SpecialActions::runPowerAction(SpecialAction action)
{
    switch (action) {
    case A::LogOff:
        m_power.logOff();
        break;
    case A::ShutDown:
        m_power.shutDown();
        break;
    case A::Restart:
        m_power.restart();
        break;
    case A::InstantShutdown:
        m_power.instantShutdown();
        break;
    case A::InstantRestart:
        m_power.instantRestart();
        break;
    default:
        m_power.instantPoweroff();
        break;
    }
}

} // namespace tarvex
