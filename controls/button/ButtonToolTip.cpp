#include "controls/button/velbutton.h"

#include "controls/tips/TipTracker.h"
#include "controls/tips/TipWindow.h"

namespace tarvex {

// Replaces the button's tip window with a fresh one built from its tooltip text and the look's
// TooltipTitle, ToolTipIcon, ToolTipType, TooltipBackColor and RightToLeft, so changes take
// effect on the next entry. The tip window is owned by the button and shows itself once the
// pointer rests on it.
void velbutton::renewToolTip()
{
    if (!isEnabled() || m_menuClosedOnButton || isDown())
        return;
    delete m_toolTip.data();
    TipContent tip;
    tip.text = toolTip();
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
