#pragma once

#include "controls/ColorOps.h"

#include <QPalette>

namespace tarvex {

// The system colour table (indices of GetSysColor) over the application
// palette, so the skinned controls follow the desktop's colours.
class SystemColors final
{
public:
    // Indices the controls use by name.
    enum Index {
        AppWorkspace = 12,
        Highlight = 13,
        ButtonFace = 15,
        ButtonShadow = 16,
        GrayText = 17,
        ButtonText = 18,
        ButtonHighlight = 20,
        DarkShadow = 21,
        Light3D = 22,
        InfoText = 23,
        InfoBackground = 24,
        Count = 31
    };

    // RGB value (0x00BBGGRR) of system colour n, or InvalidColor when n is unknown.
    static OleColor color(int index);

    // The palette the table reads: the application palette unless overridden.
    static QPalette palette();

    // Replaces the palette the table reads (tests, previews); reset() undoes it.
    static void setPaletteOverride(const QPalette& palette);

    // Returns to the application palette.
    static void reset();
};

} // namespace tarvex
