#pragma once

#include "activation/HiddenWindowSlots.h"
#include "activation/SpecialActionTable.h"
#include "platform/DesktopWindows.h"
#include "platform/Dialogs.h"
#include "platform/PowerControl.h"

#include <memory>

namespace tarvex {

/// Runs the rows of the special action table: four act on the foreground window, six end the
/// session or the computer after a Yes/No question (declined = nothing happens). The question
/// does not wait: the hotkeys keep running while it is open, and the action runs on Yes.
class SpecialActions final
{
public:
    /// Acts through the given services; all must outlive this object.
    SpecialActions(DesktopWindows& desktop, PowerControl& power, Dialogs& dialogs,
                   HiddenWindowSlots& hiddenSlots);
    /// An answer given after this is gone does nothing.
    ~SpecialActions();
    SpecialActions(const SpecialActions&) = delete;
    SpecialActions& operator=(const SpecialActions&) = delete;

    /// Runs `action`; None (or a number outside the table) does nothing.
    void RunSpecialAction(SpecialAction action);

private:
    void runWindowAction(SpecialAction action);
    void askPowerAction(SpecialAction action);
    void runPowerAction(SpecialAction action);

    DesktopWindows& m_desktop;
    PowerControl& m_power;
    Dialogs& m_dialogs;
    HiddenWindowSlots& m_slots;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace tarvex
