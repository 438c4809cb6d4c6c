#pragma once

#include "controls/ColorOps.h"

namespace tarvex {

// The frame's settings, with the values a frame just placed on a form starts with.
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
};

} // namespace tarvex
