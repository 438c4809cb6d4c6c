#include "controls/frame/FramePainter.h"

#include <algorithm>
#include <vector>

namespace tarvex {

namespace {

constexpr OleColor kWhite = RGB(255, 255, 255);
constexpr OleColor kBlack = RGB(0, 0, 0);
constexpr int kCaptionFlags = Canvas::DtSingleLine | Canvas::DtVCenter | Canvas::DtNoPrefix;

} // namespace

FramePainter::FramePainter(QImage& picture, const FrameLook& look)
    : m_picture(picture), m_canvas(picture), m_g(m_canvas), m_look(look)
{
    m_canvas.setFont(look.font);
}

OleColor FramePainter::darker(OleColor c) const
{
    return FrameColors::Blend(c, kBlack, 128);
}

void FramePainter::DrawFrame()
{
    m_canvas.Clear(m_look.background);
    drawBands();
    drawBorder();
    drawShadow();
    drawCorners();
    drawIcon();
    drawCaption();
    DrawCaptionButton(Normal, dark(), CaptionButtons::None);
}

void FramePainter::drawBands()
{
    const int w = m_look.width + 1, h = m_look.titleBarHeight;
    using M = FrameGraphics::Mode;
    switch (m_look.style) {
    case 1:
        m_g.Gradient(dark(), light(), {0, -2, w, 10}, M::VerticalDouble, false, 0, 5.01);
        m_g.Gradient(dark(), light(), {0, 7, w, h - 7}, M::VerticalDouble, false, 0, 5.01);
        drawGripper();
        break;
    case 2:
        m_g.Gradient(dark(), light(), {0, -2, w, 10}, M::TopToBottom);
        m_g.Gradient(dark(), dark(), {0, 7, w, h - 7}, M::VerticalDouble, false, 0, 5.01);
        break;
    case 3:
        m_g.Gradient(dark(), light(), {0, -1, w, h + 1}, M::TopToBottom);
        break;
    case 4:
        m_g.Gradient(dark(), light(), {0, -2, w, 7}, M::VerticalDouble, false, 0, 5.01);
        m_g.Gradient(light(), dark(), {0, 4, w, h - 4}, M::VerticalDouble, false, 0, 1.01);
        break;
    case 5: {
        // The top band runs from the light colour to halfway between it and white.
        const OleColor paler = FrameColors::Blend(kWhite, light(), 128);
        m_g.Gradient(light(), paler, {0, -2, w, 12}, M::VerticalDouble, false, 0, 1.01);
        m_g.Gradient(dark(), dark(), {0, 8, w, h - 8}, M::VerticalDouble, false, 0, 7.01);
        m_g.Line(0, 8, m_look.width, 8, FrameColors::Blend(dark(), light(), 128));
        m_g.Line(0, 0, m_look.width, 0, paler);
        break;
    }
    default:
        m_g.Gradient(dark(), light(), {0, -1, w, h + 1}, M::VerticalDouble, false, 0, 5.01);
        break;
    }
}

void FramePainter::drawGripper()
{
    const int start = (m_look.width - 18 - 16) / 2;
    for (int k = 0; k <= 8; ++k) {
        m_g.Frame(start + 4 * k + 1, 3, 1, 1, light());
        m_g.Frame(start + 4 * k, 2, 1, 1, darker(dark()));
    }
}

void FramePainter::drawBorder()
{
    const int w = m_look.width, h = m_look.height, t = m_look.titleBarHeight;
    m_g.Frame(0, t + 1, w - 1, h - t - 2, dark());
    m_g.Frame(1, t + 1, w - 3, h - t - 3, dark());
    m_g.Frame(2, t + 1, w - 5, h - t - 4, darker(dark()));
}

void FramePainter::drawShadow()
{
    const int w = m_look.width, t = m_look.titleBarHeight;
    if (m_look.titleBarShadow) {
        const OleColor bg = m_look.background;
        m_g.Gradient(bg, darker(bg), {3, t, w - 6, 8}, FrameGraphics::TopToBottom);
        m_g.Line(0, t, w, t, dark());
        m_g.Line(5, t, w - 5, t, darker(dark()));
    } else if (m_look.style != 0) {
        m_g.Line(0, t, w, t, dark());
    }
}

void FramePainter::drawCorners()
{
    const int w = m_look.width, h = m_look.titleBarHeight;
    const OleColor shade = darker(dark());
    for (int x : {2, w - 3}) {
        m_canvas.SetPixel(x, h + 1, dark());
        m_canvas.SetPixel(x, h + 2, dark());
    }
    m_canvas.SetPixel(3, h + 1, dark());
    m_canvas.SetPixel(w - 4, h + 1, dark());
    m_canvas.SetPixel(4, h + 1, shade);
    m_canvas.SetPixel(3, h + 2, shade);
    m_canvas.SetPixel(w - 5, h + 1, shade);
    m_canvas.SetPixel(w - 4, h + 2, shade);
}

void FramePainter::drawIcon()
{
    if (m_look.icon.isNull())
        return;
    const int size = m_look.iconSize, h = m_look.titleBarHeight;
    const int y = m_look.style == 1 ? (h - 8 - size) / 2 + 10 : (h - size) / 2 + 2;
    const QPixmap pixmap = m_look.icon.pixmap(QSize(size, size));
    m_canvas.painter().drawPixmap(QRect(9, y, size, size), pixmap);
}

QRect FramePainter::captionRect() const
{
    const bool tall = m_look.style == 1;
    int left = 9;
    int right = m_look.buttons.leftmostLeft(m_look.width) - 12;
    if (!m_look.icon.isNull()) {
        left += m_look.iconSize + 6;
        right += 6; // moved right by iconSize + 6, iconSize narrower
    }
    const int top = tall ? 11 : 4;
    const int bottom = m_look.titleBarHeight + (tall ? 3 : 0);
    return QRect(left, top, right - left, bottom - top);
}

QString FramePainter::FitCaption(const QString& text, int available, const QFontMetrics& metrics)
{
    if (metrics.horizontalAdvance(text) <= available)
        return text;
    for (qsizetype n = text.size(); n > 0; --n) {
        const QString candidate = text.left(n) + QStringLiteral("...");
        if (metrics.horizontalAdvance(candidate) <= available)
            return candidate;
    }
    return {};
}

void FramePainter::drawCaption()
{
    QRect r = captionRect();
    const QString text = FitCaption(m_look.caption, r.width(), QFontMetrics(m_look.font));
    if (text.isEmpty())
        return;
    m_canvas.DrawText(text, r, light(), kCaptionFlags);
    if (m_look.style == 2 || m_look.style == 5)
        return;
    // The dark copy one pixel up and left leaves the light one as its edge.
    r.translate(-1, -1);
    m_canvas.DrawText(text, r, darker(dark()), kCaptionFlags);
}

QRect FramePainter::buttonArea(int index) const
{
    const CaptionButtons::Record& b = m_look.buttons[index];
    return QRect(b.Left - 1, 0, b.Width + 6, m_look.titleBarHeight + 1);
}

void FramePainter::DrawCaptionButton(int state, OleColor colour, int index)
{
    if (index != CaptionButtons::None) {
        drawButton(state, colour, index);
        return;
    }
    for (int i = CaptionButtons::Close; i <= CaptionButtons::Minimize; ++i)
        drawButton(state, colour, i);
}

void FramePainter::drawButton(int state, OleColor colour, int index)
{
    const CaptionButtons::Record& b = m_look.buttons[index];
    if (!b.Visible)
        return;
    if (state == Normal) {
        // The title bar is painted again under the button, then a light glyph.
        m_canvas.painter().setClipRect(buttonArea(index).adjusted(0, 0, 0, -1));
        drawBands();
        m_canvas.painter().setClipping(false);
        drawGlyph(index, glyphColour(index, {light(), darker(dark())}));
        return;
    }
    const bool flat = m_look.style == 2 || m_look.style == 5;
    const OleColor border = flat ? colour : darker(colour);
    const int inset = state == Hover ? 1 : 0;
    m_g.Gradient(FrameColors::Blend(colour, kWhite, 128), kWhite,
                 {b.Left + inset, b.Top, b.Width - inset, b.Height}, FrameGraphics::VerticalDouble,
                 false, 0, 2.01);
    m_g.Frame(b.Left, b.Top, b.Width, b.Height, border);
    drawGlyph(index, glyphColour(index, {colour, darker(colour)}));
}

// Title bands run from the light to the dark colour, so a fixed glyph colour
// would fade into some of them (a light glyph on the pale bands of styles 0, 3
// and 4). The glyph takes the first of the preferred colours that stands out
// at least 3:1 from every row of the face it is drawn on, else black or
// white, else whichever colour stands out best from the face's worst row.
OleColor FramePainter::glyphColour(int index, std::initializer_list<OleColor> preferred) const
{
    constexpr double kMinimumContrast = 3.0;
    const CaptionButtons::Record& b = m_look.buttons[index];
    const int x = b.Left + 2;
    std::vector<OleColor> face;
    for (int y = b.Top + 3; y <= b.Top + 15; ++y)
        if (m_picture.rect().contains(x, y))
            face.push_back(FromQRgb(m_picture.pixel(x, y)));
    auto worst = [&face](OleColor glyph) {
        double least = 21.0;
        for (OleColor c : face)
            least = std::min(least, ContrastRatio(glyph, c));
        return least;
    };
    std::vector<OleColor> candidates(preferred);
    candidates.push_back(kBlack);
    candidates.push_back(kWhite);
    OleColor best = candidates.front();
    for (OleColor c : candidates) {
        if (worst(c) >= kMinimumContrast)
            return c;
        if (worst(c) > worst(best))
            best = c;
    }
    return best;
}

void FramePainter::drawGlyph(int index, OleColor colour)
{
    const CaptionButtons::Record& b = m_look.buttons[index];
    const int l = b.Left, t = b.Top;
    if (index == CaptionButtons::Close) {
        // Three diagonals each way: a three-pixel-thick X.
        m_g.Line(l + 6, t + 5, l + 14, t + 13, colour);
        m_g.Line(l + 5, t + 5, l + 14, t + 14, colour);
        m_g.Line(l + 5, t + 6, l + 13, t + 14, colour);
        m_g.Line(l + 12, t + 5, l + 4, t + 13, colour);
        m_g.Line(l + 13, t + 5, l + 4, t + 14, colour);
        m_g.Line(l + 13, t + 6, l + 5, t + 14, colour);
    } else if (index == CaptionButtons::Maximize) {
        drawMaximizeGlyph(l, t, colour);
    } else {
        for (int y = t + 11; y <= t + 13; ++y)
            m_g.Line(l + 5, y, l + 14, y, colour);
    }
}

void FramePainter::drawMaximizeGlyph(int l, int t, OleColor colour)
{
    if (!m_look.maximized) {
        m_g.Line(l + 4, t + 5, l + 15, t + 5, colour);
        m_g.Frame(l + 4, t + 6, 10, 8, colour);
        return;
    }
    // Restore: a back window outline behind a framed front window.
    m_g.Line(l + 7, t + 5, l + 7, t + 8, colour);
    m_g.Line(l + 7, t + 5, l + 16, t + 5, colour);
    m_g.Line(l + 7, t + 4, l + 16, t + 4, colour);
    m_g.Line(l + 15, t + 4, l + 15, t + 11, colour);
    m_g.Line(l + 15, t + 11, l + 11, t + 11, colour);
    m_g.Line(l + 3, t + 9, l + 11, t + 9, colour);
    m_g.Frame(l + 3, t + 8, 8, 7, colour);
}

} // namespace tarvex
