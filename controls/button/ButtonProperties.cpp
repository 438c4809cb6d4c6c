#include "controls/button/ButtonProperties.h"

namespace tarvex {

namespace {

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

} // namespace tarvex
