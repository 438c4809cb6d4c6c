#include "controls/ColorOps.h"

#include "controls/SystemColors.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

// Nearest integer with halves going to the even neighbour.
int RoundHalfEven(double value)
{
    return int(std::nearbyint(value)); // default rounding mode: to nearest, ties to even
}

bool Translate(OleColor colour, OleColor& rgb)
{
    rgb = TranslateColor(colour);
    return rgb != InvalidColor;
}

} // namespace

OleColor TranslateColor(OleColor colour)
{
    switch (colour >> 24) {
    case 0x00:
        return colour;
    case 0x02: // palette-relative RGB: without a palette the RGB part is used
        return colour & 0x00FFFFFFu;
    case 0x80:
        return SystemColors::color(int(colour & 0x00FFFFFFu));
    default:
        return InvalidColor;
    }
}

OleColor ShiftColor(OleColor colour, double amount)
{
    OleColor rgb;
    if (!Translate(colour, rgb))
        return InvalidColor;
    auto shift = [amount](int channel) {
        const int v = RoundHalfEven(channel + amount * 255.0);
        return amount > 0 ? std::min(v, 255) : std::max(v, 0);
    };
    return RGB(shift(RedOf(rgb)), shift(GreenOf(rgb)), shift(BlueOf(rgb)));
}

OleColor AverageColor(OleColor a, OleColor b)
{
    OleColor x, y;
    if (!Translate(a, x) || !Translate(b, y))
        return InvalidColor;
    auto mean = [](int p, int q) { return RoundHalfEven((p + q) / 2.0); };
    return RGB(mean(RedOf(x), RedOf(y)), mean(GreenOf(x), GreenOf(y)), mean(BlueOf(x), BlueOf(y)));
}

QColor ToQColor(OleColor colour)
{
    const OleColor rgb = TranslateColor(colour);
    if (rgb == InvalidColor)
        return QColor();
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

OleColor FromQColor(const QColor& colour)
{
    return RGB(colour.red(), colour.green(), colour.blue());
}

OleColor FromQRgb(QRgb pixel)
{
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

double RelativeLuminance(OleColor colour)
{
    const OleColor rgb = TranslateColor(colour);
    if (rgb == InvalidColor)
        return 0.0;
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(RedOf(rgb)) + 0.7152 * linear(GreenOf(rgb)) +
           0.0722 * linear(BlueOf(rgb));
}

double ContrastRatio(OleColor a, OleColor b)
{
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

OleColor ContrastingInk(OleColor colour)
{
    const OleColor black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    return ContrastRatio(colour, black) >= ContrastRatio(colour, white) ? black : white;
}

} // namespace tarvex
