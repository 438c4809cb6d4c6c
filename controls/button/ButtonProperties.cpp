#include "controls/button/ButtonProperties.h"

#include "controls/PropertyBag.h"

#include <QBuffer>

namespace {

QByteArray ImageBytes(const QImage& image)
{
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage BytesImage(const QVariant& value)
{
    return QImage::fromData(value.toByteArray());
}

// A colour read back from a set: an out-of-range number keeps the default.
OleColor ReadColor(const PropertyBag& bag, const char* name, OleColor missing)
{
    bool ok = false;
    const qlonglong v = bag.ReadProperty(name, qlonglong(missing)).toLongLong(&ok);
    return ok && v >= 0 && v <= 0xFFFFFFFFLL ? OleColor(v) : missing;
}

int ReadInt(const PropertyBag& bag, const char* name, int missing)
{
    bool ok = false;
    const int v = bag.ReadProperty(name, missing).toInt(&ok);
    return ok ? v : missing;
}

bool ReadBool(const PropertyBag& bag, const char* name, bool missing)
{
    return bag.ReadProperty(name, missing).toBool();
}

QString ReadText(const PropertyBag& bag, const char* name, const QString& missing)
{
    return bag.ReadProperty(name, missing).toString();
}

int Byte(int v)
{
    return std::clamp(v, 0, 255);
}

// BackColor of a style in schemes 0, 1 and 2 (styles with their own colours).
OleColor StyleColor(int style, int scheme)
{
    static const OleColor xp[] = {RGB(236, 235, 231), RGB(243, 238, 219), RGB(240, 241, 252)};
    static const OleColor hover[] = {RGB(224, 236, 253), RGB(232, 237, 222),
                                     ShiftColor(RGB(212, 212, 212), 0.06)};
    static const OleColor office[] = {RGB(202, 225, 252), RGB(212, 214, 186),
                                      ShiftColor(RGB(160, 158, 186), 0.15)};
    static const OleColor vista[] = {RGB(173, 209, 255), RGB(212, 214, 186), RGB(224, 223, 227)};
    static const OleColor outlook[] = {RGB(173, 209, 255), RGB(212, 214, 186), RGB(213, 214, 225)};
    switch (style) {
    case 2:
        return xp[scheme];
    case 3:
        return hover[scheme];
    case 5:
        return office[scheme];
    case 8:
    case 10:
        return vista[scheme];
    case 9:
        return outlook[scheme];
    default:
        return SystemColor(SystemColors::ButtonFace);
    }
}

} // namespace

void ButtonProperties::ReadFrom(const PropertyBag& bag, const QFont& ambientFont)
{
    ButtonStyle = ReadInt(bag, "ButtonStyle", 1);
    if (ButtonStyle < 0 || ButtonStyle > 13)
        ButtonStyle = 1; // an unknown style reads as the missing default
    ShowFocusRect = ReadBool(bag, "ShowFocusRect", false);
    Font = ambientFont;
    Font.fromString(ReadText(bag, "Font", ambientFont.toString()));
    BackColor = ReadColor(bag, "BackColor", SystemColor(SystemColors::ButtonFace));
    Enabled = ReadBool(bag, "Enabled", true);
    Caption = ReadText(bag, "Caption", QStringLiteral("velbutton"));
    Value = ReadBool(bag, "Value", false);
    MousePointer = ReadInt(bag, "MousePointer", 0);
    HandPointer = ReadBool(bag, "HandPointer", false);
    MouseIcon = QPixmap::fromImage(BytesImage(bag.ReadProperty("MouseIcon")));
    PictureNormal = BytesImage(bag.ReadProperty("PictureNormal"));
    PictureHot = BytesImage(bag.ReadProperty("PictureHot"));
    PictureDown = BytesImage(bag.ReadProperty("PictureDown"));
    PictureShadow = ReadBool(bag, "PictureShadow", false);
    PictureOpacity = Byte(ReadInt(bag, "PictureOpacity", 255));
    PictureOpacityOnOver = Byte(ReadInt(bag, "PictureOpacityOnOver", 255));
    DisabledPictureMode = ReadInt(bag, "DisabledPictureMode", 0);
    PicturePushOnHover = ReadBool(bag, "PicturePushOnHover", false);
    PictureEffectOnOver = ReadInt(bag, "PictureEffectOnOver", 1);
    PictureEffectOnDown = ReadInt(bag, "PictureEffectOnDown", 2);
    MaskColor = ReadColor(bag, "MaskColor", 0xE0E0E0);
    UseMaskColor = ReadBool(bag, "UseMaskColor", true);
    CaptionEffects = ReadInt(bag, "CaptionEffects", 0);
    Mode = ReadInt(bag, "Mode", 0);
    PictureAlign = ReadInt(bag, "PictureAlign", 1);
    CaptionAlign = ReadInt(bag, "CaptionAlign", 1);
    ForeColor = ReadColor(bag, "ForeColor", SystemColor(SystemColors::ButtonText));
    ForeColorHover = ReadColor(bag, "ForeColorHover", SystemColor(SystemColors::ButtonText));
    DropDownSeparator = ReadBool(bag, "DropDownSeparator", false);
    TooltipTitle = ReadText(bag, "TooltipTitle", QString());
    ToolTip = ReadText(bag, "ToolTip", QString());
    ToolTipIcon = ReadInt(bag, "TooltipIcon", 0);
    ToolTipType = ReadInt(bag, "TooltipType", 0);
    TooltipBackColor =
        ReadColor(bag, "TooltipBackColor", SystemColor(SystemColors::InfoBackground));
    RightToLeft = ReadBool(bag, "RightToLeft", false);
    DropDownSymbol = ReadInt(bag, "DropDownSymbol", 0);
    ColorScheme = ReadInt(bag, "ColorScheme", 0);
}

void ButtonProperties::WriteTo(PropertyBag& bag, const QFont& ambientFont) const
{
    auto colour = [&bag](const char* name, OleColor v, OleColor missing) {
        bag.WriteProperty(name, qlonglong(v), qlonglong(missing));
    };
    bag.WriteProperty("ButtonStyle", ButtonStyle, 1);
    bag.WriteProperty("ShowFocusRect", ShowFocusRect, false);
    bag.WriteProperty("Font", Font.toString(), ambientFont.toString());
    colour("BackColor", BackColor, SystemColor(SystemColors::ButtonFace));
    bag.WriteProperty("Enabled", Enabled, true);
    bag.WriteProperty("Caption", Caption, QStringLiteral("velbutton"));
    bag.WriteProperty("Value", Value, false);
    bag.WriteProperty("MousePointer", MousePointer, 0);
    bag.WriteProperty("HandPointer", HandPointer, false);
    bag.WriteProperty("MouseIcon", ImageBytes(MouseIcon.toImage()), QByteArray());
    bag.WriteProperty("PictureNormal", ImageBytes(PictureNormal), QByteArray());
    bag.WriteProperty("PictureHot", ImageBytes(PictureHot), QByteArray());
    bag.WriteProperty("PictureDown", ImageBytes(PictureDown), QByteArray());
    bag.WriteProperty("PictureShadow", PictureShadow, false);
    bag.WriteProperty("PictureOpacity", PictureOpacity, 255);
    bag.WriteProperty("PictureOpacityOnOver", PictureOpacityOnOver, 255);
    bag.WriteProperty("DisabledPictureMode", DisabledPictureMode, 0);
    bag.WriteProperty("PicturePushOnHover", PicturePushOnHover, false);
    bag.WriteProperty("PictureEffectOnOver", PictureEffectOnOver, 1);
    bag.WriteProperty("PictureEffectOnDown", PictureEffectOnDown, 2);
    colour("MaskColor", MaskColor, 0xE0E0E0);
    bag.WriteProperty("UseMaskColor", UseMaskColor, true);
    bag.WriteProperty("CaptionEffects", CaptionEffects, 0);
    bag.WriteProperty("Mode", Mode, 0);
    bag.WriteProperty("PictureAlign", PictureAlign, 1);
    bag.WriteProperty("CaptionAlign", CaptionAlign, 1);
    colour("ForeColor", ForeColor, SystemColor(SystemColors::ButtonText));
    colour("ForeColorHover", ForeColorHover, SystemColor(SystemColors::ButtonText));
    bag.WriteProperty("DropDownSeparator", DropDownSeparator, false);
    bag.WriteProperty("TooltipTitle", TooltipTitle, QString());
    bag.WriteProperty("ToolTip", ToolTip, QString());
    bag.WriteProperty("TooltipIcon", ToolTipIcon, 0);
    bag.WriteProperty("TooltipType", ToolTipType, 0);
    colour("TooltipBackColor", TooltipBackColor, SystemColor(SystemColors::InfoBackground));
    bag.WriteProperty("RightToLeft", RightToLeft, false);
    bag.WriteProperty("DropDownSymbol", DropDownSymbol, 0);
    bag.WriteProperty("ColorScheme", ColorScheme, 0);
}

void ButtonProperties::DefaultColorSchemeFor()
{
    switch (ButtonStyle) {
    case 3:
    case 9:
        ColorScheme = 2;
        break;
    case 5:
    case 11:
    case 12:
    case 13:
        break;
    default:
        ColorScheme = 0;
    }
}

void ButtonProperties::ApplyStyleColors()
{
    if (ColorScheme >= 0 && ColorScheme <= 2 && ButtonStyle != 13)
        BackColor = StyleColor(ButtonStyle, ColorScheme);
    ForeColor = SystemColor(SystemColors::ButtonText);
    // Every style shows where the keyboard focus is.
    ShowFocusRect = true;
    if (ButtonStyle == 4)
        PicturePushOnHover = true;
}

QChar ButtonProperties::AccessKeyOf(const QString& caption)
{
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1];
        ++i; // "&&" is a literal ampersand
    }
    return QChar();
}
