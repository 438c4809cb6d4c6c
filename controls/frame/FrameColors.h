#pragma once

#include "controls/ColorOps.h"

#include <QPalette>

namespace tarvex {

// The frame's colour themes and the blend they are drawn with.
namespace FrameColors {

// Theme codes of ThemeColor.
enum Theme { Blue = 0, Silver = 1, Olive = 2, VB2005 = 3, Norton2004 = 4, Custom = 5, System = 6 };

// A dark and a light colour.
struct Pair
{
    OleColor dark = 0;
    OleColor light = 0;
    bool operator==(const Pair&) const = default;
};

// Per channel a x w / 255 + b x (255 - w) / 255, rounded half to even.
OleColor Blend(OleColor a, OleColor b, int weight);

// The fixed pair of theme 0 to 4 (Blue for any other code).
Pair FixedPair(int theme);

// The pair that follows the desktop: the hue of the palette's highlight colour
// picks blue, silver (grey), olive (green) or amber; blue otherwise.
Pair DesktopPair(const QPalette& palette);

// The pair of theme: 0-4 fixed, 5 (colorFrom, colorTo), 6 from the desktop.
Pair ThemePair(int theme, OleColor colorFrom, OleColor colorTo, const QPalette& palette);

// What is drawn: the theme pair while active, blended towards white (190) while inactive.
Pair CurrentPair(const Pair& theme, bool active);

} // namespace FrameColors

} // namespace tarvex
