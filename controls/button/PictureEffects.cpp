#include "controls/button/PictureEffects.h"

#include "controls/SystemColors.h"

#include <algorithm>

namespace tarvex {

namespace {

std::array<quint8, 256> BuildTable(int numerator, bool cap)
{
    std::array<quint8, 256> table{};
    for (int x = 0; x < 256; ++x) {
        const int v = x * numerator / 255;
        table[std::size_t(x)] = quint8(cap ? std::min(255, v) : v);
    }
    return table;
}

} // namespace

const std::array<quint8, 256>& PictureEffects::LightTable()
{
    static const auto table = BuildTable(293, true);
    return table;
}

const std::array<quint8, 256>& PictureEffects::DarkTable()
{
    static const auto table = BuildTable(217, false);
    return table;
}

QImage PictureEffects::Masked(const QImage& picture, OleColor mask)
{
    const OleColor key = TranslateColor(mask);
    return MapPixels(picture, [key](QRgb p) { return FromQRgb(p) == key ? qRgba(0, 0, 0, 0) : p; });
}

QImage PictureEffects::Apply(const QImage& picture, int effect)
{
    auto table = [](const std::array<quint8, 256>& t) {
        return [&t](QRgb p) { return qRgba(t[qRed(p)], t[qGreen(p)], t[qBlue(p)], qAlpha(p)); };
    };
    switch (effect) {
    case Lighten:
        return MapPixels(picture, table(LightTable()));
    case Darken:
        return MapPixels(picture, table(DarkTable()));
    case Greyscale:
        return MapPixels(picture, [](QRgb p) {
            const int g = qGray(p);
            return qRgba(g, g, g, qAlpha(p));
        });
    case Invert:
        return MapPixels(picture, [](QRgb p) {
            return qRgba(255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p), qAlpha(p));
        });
    default:
        return picture;
    }
}

QImage PictureEffects::Disabled(const QImage& picture, int mode)
{
    if (mode == Embossed)
        return Silhouette(picture, SystemColor(SystemColors::ButtonShadow));
    const bool faded = mode == Faded;
    return MapPixels(picture, [faded](QRgb p) {
        // Grey, lifted towards white so it reads as inactive.
        const int g = 128 + qGray(p) / 2;
        return qRgba(g, g, g, faded ? qAlpha(p) / 3 : qAlpha(p));
    });
}

QImage PictureEffects::Silhouette(const QImage& picture, OleColor colour, int opacity)
{
    const OleColor c = TranslateColor(colour);
    const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
    return MapPixels(picture, [=](QRgb p) { return qRgba(r, g, b, qAlpha(p) * opacity / 255); });
}

} // namespace tarvex
