#pragma once

#include <QRect>
#include <QtMath>

namespace tarvex {

/// Designed lengths are in twips: 1/1440 inch, 15 per (logical) pixel at 96 dots per inch.
/// Qt scales logical pixels by the screen's device pixel ratio itself.
class Twips final
{
public:
    static constexpr int PerPixel = 15;

    /// Returns `twips` in logical pixels, rounded.
    static constexpr int toPixels(int twips) { return (twips + (twips >= 0 ? 7 : -7)) / PerPixel; }
    /// Returns the rectangle left, top, width, height (twips) in logical pixels.
    static QRect rect(int left, int top, int width, int height)
    {
        return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
    }
};

} // namespace tarvex
