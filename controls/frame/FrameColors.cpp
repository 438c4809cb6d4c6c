#include "controls/frame/FrameColors.h"

#include <array>
#include <cmath>

namespace tarvex {

namespace FrameColors {

namespace {

constexpr std::array<Pair, 5> kFixed{{
    {RGB(19, 97, 156), RGB(221, 236, 254)}, // Blue
    {RGB(95, 95, 111), RGB(244, 244, 251)}, // Silver
    {RGB(63, 93, 56), RGB(247, 249, 225)},  // Olive
    {RGB(98, 107, 72), RGB(248, 248, 242)}, // Khaki
    {RGB(117, 91, 30), RGB(255, 239, 165)}, // Amber
}};

constexpr OleColor kWhite = RGB(255, 255, 255);

int BlendChannel(int a, int b, int weight)
{
    return int(std::nearbyint(a * weight / 255.0 + b * (255 - weight) / 255.0));
}

} // namespace

OleColor Blend(OleColor a, OleColor b, int weight)
{
    const OleColor x = TranslateColor(a), y = TranslateColor(b);
    if (x == InvalidColor || y == InvalidColor)
        return InvalidColor;
    return RGB(BlendChannel(RedOf(x), RedOf(y), weight),
               BlendChannel(GreenOf(x), GreenOf(y), weight),
               BlendChannel(BlueOf(x), BlueOf(y), weight));
}

Pair FixedPair(int theme)
{
    return (theme >= 0 && theme < int(kFixed.size())) ? kFixed[size_t(theme)] : kFixed[0];
}

Pair DesktopPair(const QPalette& palette)
{
    // The desktop has no named colour scheme here; its accent (the highlight
    // colour) tells which of the classic schemes it is closest to.
    const QColor accent = palette.color(QPalette::Active, QPalette::Highlight).toHsv();
    if (!accent.isValid())
        return kFixed[Blue];
    if (accent.hsvSaturation() < 48)
        return kFixed[Silver];
    const int hue = accent.hsvHue();
    if (hue >= 20 && hue < 60)
        return kFixed[Norton2004];
    if (hue >= 60 && hue < 170)
        return kFixed[Olive];
    return kFixed[Blue];
}

Pair ThemePair(int theme, OleColor colorFrom, OleColor colorTo, const QPalette& palette)
{
    if (theme == Custom)
        return {TranslateColor(colorFrom), TranslateColor(colorTo)};
    if (theme == System)
        return DesktopPair(palette);
    return FixedPair(theme);
}

Pair CurrentPair(const Pair& theme, bool active)
{
    if (active)
        return theme;
    return {Blend(theme.dark, kWhite, 190), Blend(theme.light, kWhite, 190)};
}

} // namespace FrameColors

} // namespace tarvex
