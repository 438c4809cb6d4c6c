#pragma once

#include "activation/HiddenWindowSlots.h"
#include "activation/SpecialActionTable.h"
#include "platform/DesktopWindows.h"
#include "platform/Dialogs.h"
#include "platform/PowerControl.h"

namespace tarvex {

/// Runs the rows of the special action table: four act on the foreground window, six end the
/// session or the computer after a Yes/No question (declined = nothing happens).
class SpecialActions final
{
public:
    /// Acts through the given services; all must outlive this object.
    SpecialActions(DesktopWindows& desktop, PowerControl& power, Dialogs& dialogs,
                   HiddenWindowSlots& hiddenSlots);

    /// Runs `action`; None (or a number outside the table) does nothing.
    void RunSpecialAction(SpecialAction action);

private:
    void runWindowAction(SpecialAction action);
    void runPowerAction(SpecialAction action);

    DesktopWindows& m_desktop;
    PowerControl& m_power;
    Dialogs& m_dialogs;
    HiddenWindowSlots& m_slots;
};

} // namespace tarvex
