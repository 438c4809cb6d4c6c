#include "controls/frame/FrameProperties.h"

namespace tarvex {

namespace {

// Frame colours are kept as the signed 32-bit numbers the stored sets hold (the button and
// the hyperlink store theirs unsigned), so they keep a reader of their own.
qint64 colourValue(OleColor colour)
{
    return qint32(colour);
}

OleColor readColour(const PropertyBag& bag, const QString& name, OleColor fallback)
{
    bool ok = false;
    const qint64 v = bag.ReadProperty(name, colourValue(fallback)).toLongLong(&ok);
    return ok ? OleColor(quint32(v)) : fallback;
}

} // namespace

FrameProperties FrameProperties::read(const PropertyBag& bag)
{
    FrameProperties p;
    p.WindowState = bag.ReadInt(QStringLiteral("WindowState"), 0);
    p.ColorFrom = readColour(bag, QStringLiteral("ColorFrom"), 0x404080u);
    p.ColorTo = readColour(bag, QStringLiteral("ColorTo"), 0xC0E0FFu);
    p.ThemeColor = bag.ReadInt(QStringLiteral("ThemeColor"), 6);
    p.BackColorStyle = bag.ReadInt(QStringLiteral("BackColorStyle"), 0);
    p.BorderStyle = bag.ReadInt(QStringLiteral("BorderStyle"), 1);
    p.CloseButton = bag.ReadBool(QStringLiteral("CloseButton"), true);
    p.MaxButton = bag.ReadBool(QStringLiteral("MaxButton"), true);
    p.MinButton = bag.ReadBool(QStringLiteral("MinButton"), true);
    p.CustomBackColor = readColour(bag, QStringLiteral("CustomBackColor"), 0x8000000Fu);
    p.Style = bag.ReadInt(QStringLiteral("Style"), 0);
    p.IconSize = bag.ReadInt(QStringLiteral("IconSize"), 16);
    p.ChangeAllBackgrounds = bag.ReadBool(QStringLiteral("ChangeAllBackgrounds"), false);
    p.TitleBarShadow = bag.ReadBool(QStringLiteral("TitleBarShadow"), true);
    return p;
}

void FrameProperties::write(PropertyBag& bag) const
{
    bag.WriteProperty(QStringLiteral("ColorFrom"), colourValue(ColorFrom), colourValue(0x404080u));
    bag.WriteProperty(QStringLiteral("ColorTo"), colourValue(ColorTo), colourValue(0xC0E0FFu));
    bag.WriteProperty(QStringLiteral("ThemeColor"), ThemeColor, 6);
    bag.WriteProperty(QStringLiteral("BackColorStyle"), BackColorStyle, 0);
    bag.WriteProperty(QStringLiteral("BorderStyle"), BorderStyle, 1);
    bag.WriteProperty(QStringLiteral("CloseButton"), CloseButton, true);
    bag.WriteProperty(QStringLiteral("MaxButton"), MaxButton, true);
    bag.WriteProperty(QStringLiteral("MinButton"), MinButton, true);
    bag.WriteProperty(QStringLiteral("WindowState"), WindowState, 0);
    bag.WriteProperty(QStringLiteral("CustomBackColor"), colourValue(CustomBackColor),
                      colourValue(0x8000000Fu));
    bag.WriteProperty(QStringLiteral("Style"), Style, 0);
    bag.WriteProperty(QStringLiteral("IconSize"), IconSize, 16);
    bag.WriteProperty(QStringLiteral("ChangeAllBackgrounds"), ChangeAllBackgrounds, false);
    bag.WriteProperty(QStringLiteral("TitleBarShadow"), TitleBarShadow, true);
}

} // namespace tarvex
