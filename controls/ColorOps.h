#pragma once

#include <QColor>
#include <QtGlobal>

namespace tarvex {

// Colours as the skinned controls keep them: below 0x80000000 an RGB value
// with red in the low byte (0x00BBGGRR); 0x80000000 + n names system colour n.
using OleColor = quint32;

// The "no colour" result of a failed translation (-1 as a 32-bit value).
inline constexpr OleColor InvalidColor = 0xFFFFFFFFu;

// Builds a 0x00BBGGRR value from its three channels.
constexpr OleColor RGB(int r, int g, int b)
{
    return OleColor(r & 0xFF) | (OleColor(g & 0xFF) << 8) | (OleColor(b & 0xFF) << 16);
}

// Red, green and blue channels of a 0x00BBGGRR value.
constexpr int RedOf(OleColor c)
{
    return int(c & 0xFF);
}
constexpr int GreenOf(OleColor c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int BlueOf(OleColor c)
{
    return int((c >> 16) & 0xFF);
}

// Names system colour n (0x80000000 + n).
constexpr OleColor SystemColor(int n)
{
    return 0x80000000u + OleColor(n);
}

// Turns a system colour into its current RGB value; plain RGB passes through.
// Returns InvalidColor for an unknown system colour or a malformed value.
OleColor TranslateColor(OleColor colour);

// Shifts every channel by amount x 255 (rounded half to even), capped at 255
// for a positive amount and floored at 0 otherwise. Translates first.
OleColor ShiftColor(OleColor colour, double amount);

// Per-channel mean of two colours, rounded half to even. Translates first.
OleColor AverageColor(OleColor a, OleColor b);

// The QColor for a colour (translated first); invalid QColor for InvalidColor.
QColor ToQColor(OleColor colour);

// The 0x00BBGGRR value of a QColor (alpha dropped).
OleColor FromQColor(const QColor& colour);

// The 0x00BBGGRR value of a QRgb pixel (alpha dropped).
OleColor FromQRgb(QRgb pixel);

// Relative luminance of a colour (0 black .. 1 white), as the contrast
// guidelines for text and graphics define it. Translates first; 0 for InvalidColor.
double RelativeLuminance(OleColor colour);

// Contrast ratio of two colours, 1 (none) to 21 (black on white), either order.
double ContrastRatio(OleColor a, OleColor b);

// Black or white, whichever stands out more against colour.
OleColor ContrastingInk(OleColor colour);

} // namespace tarvex
