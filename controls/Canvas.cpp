#include "controls/Canvas.h"

#include "controls/SystemColors.h"

#include <QFontMetrics>

#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace tarvex {

namespace {

// Colours of the four 3-D edge lines per BDR_* combination (index = edge & 0xF),
// as the classic DrawEdge picks them: outer top-left, outer bottom-right, inner
// top-left, inner bottom-right; -1 = no line.
constexpr std::array<int, 16> kLtOuter{-1, 22, 16, -1, 20, 22, 16, -1,
                                       21, 22, 16, -1, -1, 22, 16, -1};
constexpr std::array<int, 16> kRbOuter{-1, 21, 20, -1, 16, 21, 20, -1,
                                       22, 21, 20, -1, -1, 21, 20, -1};
constexpr std::array<int, 16> kLtInner{-1, -1, -1, -1, -1, 20, 20, -1,
                                       -1, 21, 21, -1, -1, -1, -1, -1};
constexpr std::array<int, 16> kRbInner{-1, -1, -1, -1, -1, 16, 16, -1,
                                       -1, 22, 22, -1, -1, -1, -1, -1};

OleColor EdgeColour(int index)
{
    return index < 0 ? InvalidColor : SystemColors::color(index);
}

int Blend(int a, int b, int step, int steps)
{
    if (steps <= 1)
        return a;
    return int(std::nearbyint(a + double(b - a) * step / (steps - 1)));
}

OleColor StepColour(OleColor c1, OleColor c2, int step, int steps)
{
    return RGB(Blend(RedOf(c1), RedOf(c2), step, steps),
               Blend(GreenOf(c1), GreenOf(c2), step, steps),
               Blend(BlueOf(c1), BlueOf(c2), step, steps));
}

} // namespace

Canvas::Canvas(QImage& image) : m_image(image), m_painter(&image)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_font = m_painter.font();
}

Canvas::~Canvas() = default;

void Canvas::fill(const QRect& rect, OleColor colour)
{
    const QColor c = ToQColor(colour);
    if (c.isValid() && rect.isValid())
        m_painter.fillRect(rect, c);
}

void Canvas::Clear(OleColor colour)
{
    const QColor c = ToQColor(colour);
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.fillRect(m_image.rect(), c.isValid() ? c : QColor(Qt::transparent));
    m_painter.restore();
}

void Canvas::SetPixel(int x, int y, OleColor colour)
{
    fill(QRect(x, y, 1, 1), colour);
}

void Canvas::DrawLine(int x1, int y1, int x2, int y2, OleColor colour)
{
    if (x1 == x2 && y1 == y2)
        return;
    if (y1 == y2) {
        fill(QRect(QPoint(std::min(x1, x2 + 1), y1), QPoint(std::max(x1, x2 - 1), y1)), colour);
        return;
    }
    if (x1 == x2) {
        fill(QRect(QPoint(x1, std::min(y1, y2 + 1)), QPoint(x1, std::max(y1, y2 - 1))), colour);
        return;
    }
    // Bresenham, end point left out.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    for (int err = dx + dy; x1 != x2 || y1 != y2;) {
        SetPixel(x1, y1, colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void Canvas::DrawRectangle(int x, int y, int width, int height, OleColor colour)
{
    if (width < 1 || height < 1)
        return;
    fill(QRect(x, y, width, 1), colour);
    fill(QRect(x, y + height - 1, width, 1), colour);
    fill(QRect(x, y, 1, height), colour);
    fill(QRect(x + width - 1, y, 1, height), colour);
}

void Canvas::PaintRect(OleColor colour, const QRect& rect)
{
    fill(rect, colour);
}

void Canvas::DrawGradient(int x, int y, int width, int height, OleColor colour1, OleColor colour2,
                          int direction)
{
    const OleColor a = TranslateColor(colour1), b = TranslateColor(colour2);
    if (width < 1 || height < 1 || a == InvalidColor || b == InvalidColor)
        return;
    if (direction == Horizontal) {
        for (int i = 0; i < width; ++i)
            fill(QRect(x + i, y, 1, height), StepColour(a, b, i, width));
    } else if (direction == Vertical) {
        for (int i = 0; i < height; ++i)
            fill(QRect(x, y + i, width, 1), StepColour(a, b, i, height));
    } else {
        const int steps = width + height - 1;
        for (int row = 0; row < height; ++row)
            for (int col = 0; col < width; ++col)
                SetPixel(x + col, y + row, StepColour(a, b, row + col, steps));
    }
}

void Canvas::DrawEdge(const QRect& rect, int edge)
{
    const int i = edge & 0xF;
    const int l = rect.left(), t = rect.top(), r = l + rect.width(), b = t + rect.height();
    const OleColor ltOuter = EdgeColour(kLtOuter[i]), rbOuter = EdgeColour(kRbOuter[i]);
    const OleColor ltInner = EdgeColour(kLtInner[i]), rbInner = EdgeColour(kRbInner[i]);
    // Top and left first, then bottom and right over their shared corners.
    DrawLine(l, t, r, t, ltOuter);
    DrawLine(l, t, l, b, ltOuter);
    DrawLine(l, b - 1, r, b - 1, rbOuter);
    DrawLine(r - 1, t, r - 1, b, rbOuter);
    DrawLine(l + 1, t + 1, r - 1, t + 1, ltInner);
    DrawLine(l + 1, t + 1, l + 1, b - 1, ltInner);
    DrawLine(l + 1, b - 2, r - 1, b - 2, rbInner);
    DrawLine(r - 2, t + 1, r - 2, b - 1, rbInner);
}

void Canvas::DrawFocusRect(const QRect& rect)
{
    const QRect r = rect.intersected(m_image.rect());
    if (r.width() < 1 || r.height() < 1)
        return;
    // Each dot takes black or white, whichever stands out more from the pixel
    // it covers, so the rectangle shows on light, dark and mid-tone faces alike.
    // The raster painter draws straight into the image, so the pixel read is current.
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0) {
            const OleColor under = FromQRgb(std::as_const(m_image).pixel(x, y));
            m_painter.fillRect(QRect(x, y, 1, 1), ToQColor(ContrastingInk(under)));
        }
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        if (r.bottom() != r.top())
            dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        if (r.right() != r.left())
            dot(r.right(), y);
    }
    m_painter.restore();
}

void Canvas::setFont(const QFont& font)
{
    m_font = font;
    m_painter.setFont(font);
}

int Canvas::qtTextFlags(int flags)
{
    int q = (flags & DtCenter)  ? Qt::AlignHCenter
            : (flags & DtRight) ? Qt::AlignRight
                                : Qt::AlignLeft;
    q |= (flags & DtVCenter)  ? Qt::AlignVCenter
         : (flags & DtBottom) ? Qt::AlignBottom
                              : Qt::AlignTop;
    if ((flags & DtWordBreak) && !(flags & DtSingleLine))
        q |= Qt::TextWordWrap;
    if (flags & DtSingleLine)
        q |= Qt::TextSingleLine;
    q |= (flags & DtNoPrefix) ? 0 : Qt::TextShowMnemonic;
    // Right-to-left reading orders the text; it does not mirror the alignment.
    q |= Qt::AlignAbsolute;
    return q;
}

void Canvas::DrawText(const QString& text, const QRect& rect, OleColor colour, int flags)
{
    const QColor c = ToQColor(colour);
    if (!c.isValid() || text.isEmpty())
        return;
    m_painter.save();
    m_painter.setFont(m_font);
    m_painter.setPen(c);
    m_painter.setLayoutDirection((flags & DtRtlReading) ? Qt::RightToLeft : Qt::LeftToRight);
    m_painter.drawText(rect, qtTextFlags(flags), text);
    m_painter.restore();
}

QRect Canvas::MeasureText(const QString& text, const QRect& rect, int flags) const
{
    const QFontMetrics fm(m_font);
    const int q = qtTextFlags(flags & ~(DtCenter | DtRight | DtVCenter | DtBottom));
    const int wrapWidth = (flags & DtWordBreak) ? rect.width() : 1 << 20;
    const QRect r = fm.boundingRect(QRect(0, 0, wrapWidth, 1 << 20), q, text);
    return QRect(rect.left(), rect.top(), text.isEmpty() ? 0 : r.width(),
                 text.isEmpty() ? fm.height() : r.height());
}

int Canvas::TextWidth(const QString& text) const
{
    return QFontMetrics(m_font).horizontalAdvance(text);
}

} // namespace tarvex
