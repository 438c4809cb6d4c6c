#pragma once

#include "controls/tips/TipContent.h"

#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

class QPainter;
class QStyle;

namespace tarvex {

// Where the stem of a balloon points: out of the top edge (the tip sits below its anchor) or
// out of the bottom edge (the tip sits above it). Rectangular tips have no stem.
enum class StemSide { None, Top, Bottom };

// Lays out and draws one tip: an optional title line (icon and bold title), the text wrapped
// at 240 pixels, a rectangle or a balloon with a stem, and a soft drop shadow.
class TipPainter final
{
public:
    static constexpr int MaxTextWidth = 240;
    static constexpr int ShadowDepth = 4;
    static constexpr int StemHeight = 14;
    static constexpr int StemInset = 18;

    /// Prepares the layout of `content` with the given font, palette (for default colours) and
    /// style (for the icons).
    TipPainter(const TipContent& content, const QFont& font, const QPalette& palette,
               const QStyle* style);

    /// Size of the whole image for a stem on `side`, shadow included.
    QSize imageSize(StemSide side) const;
    /// The tip's body (without stem and shadow) inside the image.
    QRect bodyRect(StemSide side) const;
    /// Horizontal range in which a stem's point may lie, in image coordinates.
    std::pair<int, int> stemRange() const;
    /// Draws the tip with its stem point at `stemX`, at `pixelRatio` device pixels per pixel;
    /// transparent outside the shape and shadow.
    QImage render(StemSide side, int stemX, qreal pixelRatio = 1.0) const;
    /// The outline of body and stem, in image coordinates.
    QPainterPath outline(StemSide side, int stemX) const;
    /// Background colour in use (the chosen one or the desktop's tooltip colour).
    QColor background() const { return m_background; }
    /// Text colour in use (the chosen one or the desktop's tooltip text colour).
    QColor foreground() const { return m_foreground; }
    /// Where the text is drawn inside the image (for a stem on `side`).
    QRect textRect(StemSide side) const;
    /// Where the title line is drawn inside the image; empty without a title line.
    QRect titleRect(StemSide side) const;

private:
    int padding() const;
    int titleHeight() const;
    void layOut();
    QSize titleLineSize() const;
    QPainterPath stemPath(StemSide side, const QRectF& body, int stemX) const;
    void drawShadow(QPainter& painter, const QPainterPath& shape) const;
    void drawBody(QPainter& painter, const QPainterPath& shape) const;
    void drawTitle(QPainter& painter, const QRect& rect) const;
    void drawText(QPainter& painter, const QRect& rect) const;
    QPixmap iconPixmap() const;

    TipContent m_content;
    QFont m_font;
    QFont m_titleFont;
    QColor m_background;
    QColor m_foreground;
    const QStyle* m_style;
    QSize m_textSize;
    QSize m_titleSize;
    QSize m_bodySize;
};

} // namespace tarvex
