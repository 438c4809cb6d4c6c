#include "controls/button/velbutton.h"

#include "controls/tips/TipTracker.h"
#include "controls/tips/TipWindow.h"

namespace tarvex {

// Called on every change of state into Hot: replaces the button's tooltip with a fresh one
// built from the current ToolTip, TooltipTitle, ToolTipIcon, ToolTipType, TooltipBackColor
// and RightToLeft, so changed properties take effect on the next entry. The tip window is
// owned by the button and shows itself once the pointer rests on it.
void velbutton::CreateButtonToolTip()
{
    if (!Enabled() || m_menuClosedOnButton || m_state == ButtonState::Down)
        return;
    delete m_toolTip.data();
    TipContent tip;
    tip.text = m_props.ToolTip;
    // A title or an icon alone is enough for the title line.
    tip.title = m_props.TooltipTitle;
    tip.icon = tipIconFromCode(m_props.ToolTipIcon);
    tip.shape = tipShapeFromCode(m_props.ToolTipType);
    tip.rightToLeft = m_props.RightToLeft;
    // 0, a new control's value, keeps the desktop's tip colour rather than black; a colour
    // that cannot be translated keeps it too.
    if (m_props.TooltipBackColor != 0)
        tip.background = ToQColor(m_props.TooltipBackColor);
    m_toolTip = TipTracker::attach(this, tip);
}

} // namespace tarvex
