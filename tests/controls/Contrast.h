#pragma once

#include <QRgb>

#include <algorithm>
#include <cmath>

// The contrast ratio of two rendered pixels by the published formula for text
// and graphics (relative luminance of the sRGB channels), 1 to 21. Written out
// here on its own so that the tests do not check the controls with their own code.
inline double PixelContrast(QRgb a, QRgb b)
{
    auto luminance = [](QRgb p) {
        auto lin = [](int v) {
            const double c = v / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * lin(qRed(p)) + 0.7152 * lin(qGreen(p)) + 0.0722 * lin(qBlue(p));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
