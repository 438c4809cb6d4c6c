#include "controls/tips/HyperlinkProperties.h"

#include "controls/PropertyBag.h"

namespace tarvex {

namespace {

// A colour read back from a set: anything but a 32-bit number keeps the default.
OleColor readColor(const PropertyBag& bag, const char* name, OleColor missing)
{
    bool ok = false;
    const qlonglong v = bag.ReadProperty(name, qlonglong(missing)).toLongLong(&ok);
    return ok && v >= 0 && v <= 0xFFFFFFFFLL ? OleColor(v) : missing;
}

int readInt(const PropertyBag& bag, const char* name, int missing)
{
    bool ok = false;
    const int v = bag.ReadProperty(name, missing).toInt(&ok);
    return ok ? v : missing;
}

bool readBool(const PropertyBag& bag, const char* name, bool missing)
{
    return bag.ReadProperty(name, missing).toBool();
}

QFont readFont(const PropertyBag& bag, const char* name, const QFont& missing)
{
    QFont font = missing;
    if (!font.fromString(bag.ReadProperty(name, missing.toString()).toString()))
        return missing;
    return font;
}

void writeColor(PropertyBag& bag, const char* name, OleColor value, OleColor missing)
{
    bag.WriteProperty(name, qlonglong(value), qlonglong(missing));
}

} // namespace

void HyperlinkProperties::ReadFrom(const PropertyBag& bag, const QFont& ambientFont)
{
    Caption = bag.ReadProperty("Caption", QString()).toString();
    Enabled = readBool(bag, "Enabled", true);
    HoverEnabled = readBool(bag, "HoverEnabled", true);
    CursorID = readInt(bag, "CursorID", 1000);
    CursorUse = readBool(bag, "CursorUse", true);
    CursorCustom = readBool(bag, "CursorCustom", false);
    AutoSize = readBool(bag, "AutoSize", false);
    Alignment = readInt(bag, "Alignment", 0);
    BackColor = readColor(bag, "BackColor", SystemColor(SystemColors::ButtonFace));
    ColorNormal = readColor(bag, "ColorNormal", RGB(50, 100, 200));
    ColorHover = readColor(bag, "ColorHover", RGB(255, 0, 0));
    ColorUsed = readColor(bag, "ColorUsed", RGB(50, 100, 200));
    FontNormal = readFont(bag, "FontNormal", ambientFont);
    FontHover = readFont(bag, "FontHover", ambientFont);
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
    bag.WriteProperty("Alignment", Alignment, 0);
    writeColor(bag, "BackColor", BackColor, SystemColor(SystemColors::ButtonFace));
    writeColor(bag, "ColorNormal", ColorNormal, RGB(50, 100, 200));
    writeColor(bag, "ColorHover", ColorHover, RGB(255, 0, 0));
    writeColor(bag, "ColorUsed", ColorUsed, RGB(50, 100, 200));
    bag.WriteProperty("FontNormal", FontNormal.toString(), ambientFont.toString());
    bag.WriteProperty("FontHover", FontHover.toString(), ambientFont.toString());
}

} // namespace tarvex
