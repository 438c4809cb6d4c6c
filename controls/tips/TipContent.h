#pragma once

#include <QColor>
#include <QString>

namespace tarvex {

// Icon shown before the title line of a tip; the numbers are the stored codes.
enum class TipIcon { None = 0, Information = 1, Warning = 2, Error = 3 };

// Outline of a tip window; the numbers are the stored codes.
enum class TipShape { Rectangle = 0, Balloon = 1 };

// Everything a tip window shows. Invalid colours mean "the desktop's tooltip colour".
struct TipContent final
{
    QString text;
    QString title;
    TipIcon icon = TipIcon::None;
    TipShape shape = TipShape::Rectangle;
    QColor background;
    QColor foreground;
    bool rightToLeft = false;
    bool shadow = true;

    /// True when a bold title line (title text and/or icon) is drawn above the text.
    bool hasTitleLine() const { return !title.isEmpty() || icon != TipIcon::None; }
    bool operator==(const TipContent&) const = default;
};

/// The icon for a stored icon code; codes outside 0 to 3 show no icon.
TipIcon tipIconFromCode(int code);
/// The shape for a stored style code: 1 is a balloon, anything else a rectangle.
TipShape tipShapeFromCode(int code);

} // namespace tarvex
