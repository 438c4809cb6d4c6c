#pragma once

#include "controls/ColorOps.h"
#include "controls/PropertyBag.h"

namespace tarvex {

// The frame's persisted properties with their initial values (a frame just
// placed on a form) and the read order and defaults of a stored set. Note
// that a stored set without "ThemeColor" reads theme 6 (follow the desktop)
// while a new frame starts with 0.
struct FrameProperties
{
    int ThemeColor = 0;
    int Style = 0;
    int BackColorStyle = 0;
    int BorderStyle = 1;
    bool CloseButton = true;
    bool MaxButton = true;
    bool MinButton = true;
    OleColor CustomBackColor = 0x8000000Fu;
    OleColor ColorFrom = 0x404080u;
    OleColor ColorTo = 0xC0E0FFu;
    int IconSize = 16;
    bool ChangeAllBackgrounds = false;
    bool TitleBarShadow = true;
    int WindowState = 0;

    // Reads every property from bag, in the stored read order; absent ones get their defaults.
    static FrameProperties read(const PropertyBag& bag);

    // Writes every property to bag in the write order; defaults are left out.
    void write(PropertyBag& bag) const;

    bool operator==(const FrameProperties&) const = default;
};

} // namespace tarvex
