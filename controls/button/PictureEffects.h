#pragma once

#include "controls/ColorOps.h"

#include <QImage>

#include <array>

namespace tarvex {

// The picture treatments of velbutton: mask-colour transparency, the
// hover/press effects built on the light and dark lookup tables, the
// disabled looks and the flat silhouettes used for shadows.
class PictureEffects final
{
public:
    // Effect codes of PictureEffectOnOver / PictureEffectOnDown.
    enum Effect { None = 0, Lighten = 1, Darken = 2, Greyscale = 3, Invert = 4 };

    // Looks of DisabledPictureMode.
    enum DisabledMode { GreyedOut = 0, Embossed = 1, Faded = 2 };

    // 256 entries: min(255, x * 293 / 255) (integer division).
    static const std::array<quint8, 256>& LightTable();

    // 256 entries: x * 217 / 255 (integer division).
    static const std::array<quint8, 256>& DarkTable();

    // A copy of picture in ARGB with every pixel equal to mask made transparent.
    static QImage Masked(const QImage& picture, OleColor mask);

    // picture with effect applied to every colour channel (alpha kept).
    static QImage Apply(const QImage& picture, int effect);

    // The disabled look of picture in the given DisabledMode.
    static QImage Disabled(const QImage& picture, int mode);

    // picture's shape filled with one colour (alpha scaled by opacity 0..255).
    static QImage Silhouette(const QImage& picture, OleColor colour, int opacity = 255);

    // Runs f (QRgb -> QRgb) over every pixel of an ARGB32 copy of picture.
    template <typename F> static QImage MapPixels(const QImage& picture, F f)
    {
        QImage out = picture.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < out.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x)
                line[x] = f(line[x]);
        }
        return out;
    }
};

} // namespace tarvex
