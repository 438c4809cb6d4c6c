#pragma once

#include "controls/ColorOps.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>

namespace tarvex {

// The drawing primitives every skinned control paints with: 1-pixel lines and
// frames, fills, stepped gradients, classic 3-D edges, the dotted focus
// rectangle and caption text. Draws onto a QImage with antialiasing off, so
// every pixel is exact. Colours are OleColor values (system colours resolved
// when drawn); InvalidColor draws nothing. Rectangles are right/bottom exclusive.
class Canvas final
{
public:
    // Edge kinds of DrawEdge (BDR_* bits combine).
    enum Edge {
        BdrRaisedOuter = 0x1,
        BdrSunkenOuter = 0x2,
        BdrRaisedInner = 0x4,
        BdrSunkenInner = 0x8,
        EdgeRaised = 0x5,
        EdgeSunken = 0xA,
        EdgeEtched = 0x6,
        EdgeBump = 0x9
    };

    // Text layout flags of DrawText, with the platform's values.
    enum TextFlag {
        DtLeft = 0x0,
        DtCenter = 0x1,
        DtRight = 0x2,
        DtVCenter = 0x4,
        DtBottom = 0x8,
        DtWordBreak = 0x10,
        DtSingleLine = 0x20,
        DtNoPrefix = 0x800,
        DtRtlReading = 0x20000
    };

    // Gradient directions of DrawGradient; any other value runs diagonally.
    enum Direction { Horizontal = 0, Vertical = 1, Diagonal = 2 };

    // Paints on image (which must outlive the canvas); antialiasing is off.
    explicit Canvas(QImage& image);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Width and height of the surface.
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    // The painter underneath, for pictures and native style drawing.
    QPainter& painter() { return m_painter; }

    // Fills the whole surface with colour (transparent when InvalidColor).
    void Clear(OleColor colour = InvalidColor);

    // Sets one pixel.
    void SetPixel(int x, int y, OleColor colour);

    // A 1-pixel solid line from (x1, y1) up to, not including, (x2, y2).
    void DrawLine(int x1, int y1, int x2, int y2, OleColor colour);

    // A 1-pixel frame round (x, y, x + width, y + height), like FrameRect.
    void DrawRectangle(int x, int y, int width, int height, OleColor colour);

    // Fills rect (right/bottom exclusive) with colour.
    void PaintRect(OleColor colour, const QRect& rect);

    // Linear blend colour1 -> colour2: direction 0 left to right over width
    // steps, 1 top to bottom over height steps, other values diagonally over
    // width + height - 1 steps. The first step is colour1, the last colour2.
    // Nothing is drawn when width or height is below 1; clipped to the surface.
    void DrawGradient(int x, int y, int width, int height, OleColor colour1, OleColor colour2,
                      int direction);

    // The classic 3-D edge of kind edge (Edge bits) round rect, all four sides.
    void DrawEdge(const QRect& rect, int edge);

    // The dotted focus rectangle round rect: every other pixel of its border
    // in black or white, whichever contrasts more with the pixel it covers.
    void DrawFocusRect(const QRect& rect);

    // Font used by the text calls.
    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }

    // Draws text in rect with TextFlag flags; "&x" underlines x unless DtNoPrefix.
    void DrawText(const QString& text, const QRect& rect, OleColor colour, int flags);

    // The rectangle text takes when laid out in rect with flags (DT_CALCRECT):
    // same top-left, width at most rect's width when word-breaking.
    QRect MeasureText(const QString& text, const QRect& rect, int flags) const;

    // Width in pixels of text drawn on one line.
    int TextWidth(const QString& text) const;

private:
    void fill(const QRect& rect, OleColor colour);
    static int qtTextFlags(int flags);

    QImage& m_image;
    QPainter m_painter;
    QFont m_font;
};

} // namespace tarvex
