#pragma once

namespace tarvex {

// The choices of a velbutton that name one of a few kinds. Their numbers are the ones the
// settings hold, so a stored number reads back as the same kind. A number outside the list may
// still arrive from a settings file; each reader and painter says what it does with one.

// The fourteen drawing styles (ButtonStyle), in the order of the appearance options list.
enum class ButtonStyleKind : int {
    Standard = 0,
    Flat = 1,
    WindowsXP = 2,
    Hover3D = 3,
    VistaAero = 4,
    OfficeXP = 5,
    Office2003 = 6,
    XPToolbar = 7,
    VistaToolbar = 8,
    Outlook2007 = 9,
    InstallShield = 10,
    GelButton = 11,
    FlatHover = 12,
    WindowsTheme = 13,
};

// The number of drawing styles; the highest style number is one less.
inline constexpr int ButtonStyleCount = 14;

// How a click acts (Mode): a plain push, a check that toggles, or an option that is checked
// and unchecks the other option buttons of its container.
enum class ButtonMode : int { Push = 0, Check = 1, Option = 2 };

// Where the caption stands (CaptionAlign).
enum class CaptionAlignment : int { Left = 0, Center = 1, Right = 2 };

// Where the picture stands (PictureAlign): at an edge of the button, or beside the caption.
enum class PicturePosition : int {
    LeftEdge = 0,
    LeftOfCaption = 1,
    RightEdge = 2,
    RightOfCaption = 3,
    Center = 4,
    TopEdge = 5,
    AboveCaption = 6,
    BottomEdge = 7,
    BelowCaption = 8,
};

} // namespace tarvex
