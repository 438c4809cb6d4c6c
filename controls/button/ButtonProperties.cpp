#include "controls/button/ButtonProperties.h"

#include "controls/PropertyBag.h"

#include <QBuffer>

namespace tarvex {

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

int Byte(int v)
{
    return std::clamp(v, 0, 255);
}

// BackColor of a style in schemes 0, 1 and 2 (styles with their own colours).
OleColor StyleColor(ButtonStyleKind style, int scheme)
{
    static const OleColor xp[] = {RGB(236, 235, 231), RGB(243, 238, 219), RGB(240, 241, 252)};
    static const OleColor hover[] = {RGB(224, 236, 253), RGB(232, 237, 222),
                                     ShiftColor(RGB(212, 212, 212), 0.06)};
    static const OleColor office[] = {RGB(202, 225, 252), RGB(212, 214, 186),
                                      ShiftColor(RGB(160, 158, 186), 0.15)};
    static const OleColor vista[] = {RGB(173, 209, 255), RGB(212, 214, 186), RGB(224, 223, 227)};
    static const OleColor outlook[] = {RGB(173, 209, 255), RGB(212, 214, 186), RGB(213, 214, 225)};
    using S = ButtonStyleKind;
    switch (style) {
    case S::WindowsXP:
        return xp[scheme];
    case S::Hover3D:
        return hover[scheme];
    case S::OfficeXP:
        return office[scheme];
    case S::VistaToolbar:
    case S::InstallShield:
        return vista[scheme];
    case S::Outlook2007:
        return outlook[scheme];
    default:
        return SystemColor(SystemColors::ButtonFace);
    }
}

} // namespace

void ButtonProperties::ReadFrom(const PropertyBag& bag, const QFont& ambientFont)
{
    const int style = bag.ReadInt("ButtonStyle", 1);
    // An unknown style reads as the missing default.
    ButtonStyle =
        style >= 0 && style < ButtonStyleCount ? ButtonStyleKind(style) : ButtonStyleKind::Flat;
    ShowFocusRect = bag.ReadBool("ShowFocusRect", false);
    Font = ambientFont;
    Font.fromString(bag.ReadText("Font", ambientFont.toString()));
    BackColor = bag.ReadColor("BackColor", SystemColor(SystemColors::ButtonFace));
    Enabled = bag.ReadBool("Enabled", true);
    Caption = bag.ReadText("Caption", QStringLiteral("velbutton"));
    Value = bag.ReadBool("Value", false);
    MousePointer = bag.ReadInt("MousePointer", 0);
    HandPointer = bag.ReadBool("HandPointer", false);
    MouseIcon = QPixmap::fromImage(BytesImage(bag.ReadProperty("MouseIcon")));
    PictureNormal = BytesImage(bag.ReadProperty("PictureNormal"));
    PictureHot = BytesImage(bag.ReadProperty("PictureHot"));
    PictureDown = BytesImage(bag.ReadProperty("PictureDown"));
    PictureShadow = bag.ReadBool("PictureShadow", false);
    PictureOpacity = Byte(bag.ReadInt("PictureOpacity", 255));
    PictureOpacityOnOver = Byte(bag.ReadInt("PictureOpacityOnOver", 255));
    DisabledPictureMode = bag.ReadInt("DisabledPictureMode", 0);
    PicturePushOnHover = bag.ReadBool("PicturePushOnHover", false);
    PictureEffectOnOver = bag.ReadInt("PictureEffectOnOver", 1);
    PictureEffectOnDown = bag.ReadInt("PictureEffectOnDown", 2);
    MaskColor = bag.ReadColor("MaskColor", 0xE0E0E0);
    UseMaskColor = bag.ReadBool("UseMaskColor", true);
    CaptionEffects = bag.ReadInt("CaptionEffects", 0);
    Mode = ButtonMode(bag.ReadInt("Mode", 0));
    PictureAlign = PicturePosition(bag.ReadInt("PictureAlign", 1));
    CaptionAlign = CaptionAlignment(bag.ReadInt("CaptionAlign", 1));
    ForeColor = bag.ReadColor("ForeColor", SystemColor(SystemColors::ButtonText));
    ForeColorHover = bag.ReadColor("ForeColorHover", SystemColor(SystemColors::ButtonText));
    DropDownSeparator = bag.ReadBool("DropDownSeparator", false);
    TooltipTitle = bag.ReadText("TooltipTitle", QString());
    ToolTip = bag.ReadText("ToolTip", QString());
    ToolTipIcon = bag.ReadInt("TooltipIcon", 0);
    ToolTipType = bag.ReadInt("TooltipType", 0);
    TooltipBackColor = bag.ReadColor("TooltipBackColor", SystemColor(SystemColors::InfoBackground));
    RightToLeft = bag.ReadBool("RightToLeft", false);
    DropDownSymbol = bag.ReadInt("DropDownSymbol", 0);
    ColorScheme = bag.ReadInt("ColorScheme", 0);
}

void ButtonProperties::WriteTo(PropertyBag& bag, const QFont& ambientFont) const
{
    bag.WriteProperty("ButtonStyle", int(ButtonStyle), 1);
    bag.WriteProperty("ShowFocusRect", ShowFocusRect, false);
    bag.WriteProperty("Font", Font.toString(), ambientFont.toString());
    bag.WriteColor("BackColor", BackColor, SystemColor(SystemColors::ButtonFace));
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
    bag.WriteColor("MaskColor", MaskColor, 0xE0E0E0);
    bag.WriteProperty("UseMaskColor", UseMaskColor, true);
    bag.WriteProperty("CaptionEffects", CaptionEffects, 0);
    bag.WriteProperty("Mode", int(Mode), 0);
    bag.WriteProperty("PictureAlign", int(PictureAlign), 1);
    bag.WriteProperty("CaptionAlign", int(CaptionAlign), 1);
    bag.WriteColor("ForeColor", ForeColor, SystemColor(SystemColors::ButtonText));
    bag.WriteColor("ForeColorHover", ForeColorHover, SystemColor(SystemColors::ButtonText));
    bag.WriteProperty("DropDownSeparator", DropDownSeparator, false);
    bag.WriteProperty("TooltipTitle", TooltipTitle, QString());
    bag.WriteProperty("ToolTip", ToolTip, QString());
    bag.WriteProperty("TooltipIcon", ToolTipIcon, 0);
    bag.WriteProperty("TooltipType", ToolTipType, 0);
    bag.WriteColor("TooltipBackColor", TooltipBackColor, SystemColor(SystemColors::InfoBackground));
    bag.WriteProperty("RightToLeft", RightToLeft, false);
    bag.WriteProperty("DropDownSymbol", DropDownSymbol, 0);
    bag.WriteProperty("ColorScheme", ColorScheme, 0);
}

void ButtonProperties::DefaultColorSchemeFor()
{
    using S = ButtonStyleKind;
    switch (ButtonStyle) {
    case S::Hover3D:
    case S::Outlook2007:
        ColorScheme = 2;
        break;
    case S::OfficeXP:
    case S::GelButton:
    case S::FlatHover:
    case S::WindowsTheme:
        break;
    default:
        ColorScheme = 0;
    }
}

void ButtonProperties::ApplyStyleColors()
{
    if (ColorScheme >= 0 && ColorScheme <= 2 && ButtonStyle != ButtonStyleKind::WindowsTheme)
        BackColor = StyleColor(ButtonStyle, ColorScheme);
    ForeColor = SystemColor(SystemColors::ButtonText);
    // Every style shows where the keyboard focus is.
    ShowFocusRect = true;
    if (ButtonStyle == ButtonStyleKind::VistaAero)
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

} // namespace tarvex
