#include "controls/tips/HyperlinkProperties.h"

#include "controls/PropertyBag.h"

namespace tarvex {

void HyperlinkProperties::ReadFrom(const PropertyBag& bag, const QFont& ambientFont)
{
    Caption = bag.ReadText("Caption", QString());
    Enabled = bag.ReadBool("Enabled", true);
    HoverEnabled = bag.ReadBool("HoverEnabled", true);
    CursorID = bag.ReadInt("CursorID", 1000);
    CursorUse = bag.ReadBool("CursorUse", true);
    CursorCustom = bag.ReadBool("CursorCustom", false);
    AutoSize = bag.ReadBool("AutoSize", false);
    Alignment = LinkAlignment(bag.ReadInt("Alignment", 0));
    BackColor = bag.ReadColor("BackColor", SystemColor(SystemColors::ButtonFace));
    ColorNormal = bag.ReadColor("ColorNormal", RGB(50, 100, 200));
    ColorHover = bag.ReadColor("ColorHover", RGB(255, 0, 0));
    ColorUsed = bag.ReadColor("ColorUsed", RGB(50, 100, 200));
    FontNormal = bag.ReadFont("FontNormal", ambientFont);
    FontHover = bag.ReadFont("FontHover", ambientFont);
}

void HyperlinkProperties::WriteTo(PropertyBag& bag, const QFont& ambientFont) const
{
    bag.WriteProperty("Caption", Caption, QString());
    bag.WriteProperty("Enabled", Enabled, true);
    bag.WriteProperty("HoverEnabled", HoverEnabled, true);
    bag.WriteProperty("CursorID", CursorID, 1000);
    bag.WriteProperty("CursorUse", CursorUse, true);
    bag.WriteProperty("CursorCustom", CursorCustom, false);
    bag.WriteProperty("AutoSize", AutoSize, false);
    bag.WriteProperty("Alignment", int(Alignment), 0);
    bag.WriteColor("BackColor", BackColor, SystemColor(SystemColors::ButtonFace));
    bag.WriteColor("ColorNormal", ColorNormal, RGB(50, 100, 200));
    bag.WriteColor("ColorHover", ColorHover, RGB(255, 0, 0));
    bag.WriteColor("ColorUsed", ColorUsed, RGB(50, 100, 200));
    bag.WriteProperty("FontNormal", FontNormal.toString(), ambientFont.toString());
    bag.WriteProperty("FontHover", FontHover.toString(), ambientFont.toString());
}

} // namespace tarvex
