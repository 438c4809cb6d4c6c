// StylePainter: styles 2 "Rounded", 3 "3D Hover", 4 "Glass" and 5 "Soft Highlight".
#include "controls/button/StylePainter.h"

#include "controls/SystemColors.h"

namespace tarvex {

namespace {

constexpr OleColor kWhite = RGB(255, 255, 255);

// The eight border lines of style 2 (hot border and focus look), colours in
// the order: y = 2, y = 1, outer sides, inner sides, y = h - 3, y = h - 2.
constexpr OleColor kXpHot[6] = {RGB(253, 216, 137), RGB(255, 240, 207), RGB(249, 189, 73),
                                RGB(252, 210, 122), RGB(248, 179, 48),  RGB(229, 151, 0)};
constexpr OleColor kXpFocusBlue[6] = {RGB(188, 212, 246), RGB(206, 231, 255), RGB(142, 175, 230),
                                      RGB(184, 209, 244), RGB(137, 173, 228), RGB(105, 130, 238)};
constexpr OleColor kXpFocusOlive[6] = {RGB(194, 209, 143), RGB(177, 203, 128), RGB(160, 200, 104),
                                       RGB(160, 200, 104), RGB(160, 200, 104), RGB(168, 167, 102)};
constexpr OleColor kXpFocusSilver[6] = {RGB(188, 212, 246), RGB(206, 231, 255), RGB(142, 175, 230),
                                        RGB(255, 255, 255), RGB(137, 173, 228), RGB(105, 130, 238)};

} // namespace

void StylePainter::drawXp()
{
    const OleColor b = m_base;
    if (!m_enabled) {
        fill(AverageColor(SystemColor(SystemColors::ButtonFace), ShiftColor(b, 0.1)));
        content(m_state);
        frame(0, 0, m_w, m_h, ShiftColor(b, -0.1));
        corners(ShiftColor(b, -0.1));
        return;
    }
    if (m_state == ButtonState::Down)
        drawXpDown();
    else
        drawXpNormalOrHot(m_state == ButtonState::Hot);
    if (m_state == ButtonState::Normal && m_d.parentActive &&
        (m_d.hasFocus || m_d.displayAsDefault))
        drawXpFocusLook();
    if (focusShown())
        focusRect(2, 2, m_w - 2, m_h - 2);
    const OleColor outer = m_p.ColorScheme == 1 ? RGB(55, 98, 6) : RGB(0, 60, 116);
    frame(0, 0, m_w, m_h, outer);
    corners(ShiftColor(outer, 0.3));
}

void StylePainter::drawXpNormalOrHot(bool hot)
{
    const OleColor b = m_base;
    const bool silver = m_p.ColorScheme == 2;
    const int half = Round(m_h / 2.0);
    if (silver) {
        vgrad(0, 0, m_w, half, ShiftColor(b, 0.22), b);
        vgrad(0, half, m_w, half, ShiftColor(b, -0.01), ShiftColor(b, -0.15));
    } else {
        vgrad(0, 0, m_w, m_h, ShiftColor(b, 0.07), b);
        vgrad(0, 0, m_w, 4, ShiftColor(b, 0.1), ShiftColor(b, 0.08));
    }
    content(m_state);
    if (hot) {
        drawXpHotBorder(kXpHot);
    } else if (silver) {
        line(m_w - 2, 2, m_w - 2, m_h - 2, kWhite);
        line(1, 1, 1, m_h - 2, kWhite);
    } else {
        line(1, m_h - 2, m_w - 2, m_h - 2, ShiftColor(b, -0.09));
        line(1, m_h - 3, m_w - 2, m_h - 3, ShiftColor(b, -0.05));
        line(1, m_h - 4, m_w - 2, m_h - 4, ShiftColor(b, -0.01));
        line(m_w - 2, 2, m_w - 2, m_h - 2, ShiftColor(b, -0.08));
        line(1, 1, 1, m_h - 2, AverageColor(kWhite, b));
    }
}

void StylePainter::drawXpDown()
{
    const OleColor b = m_base;
    if (m_p.ColorScheme == 2) {
        vgrad(0, 0, m_w, m_h - 6, ShiftColor(b, -0.2), ShiftColor(b, 0.05));
        vgrad(0, m_h - 6, m_w, m_h - 1, ShiftColor(b, 0.08), kWhite);
        content(m_state);
        frame(1, 1, m_w - 2, m_h - 2, kWhite);
        return;
    }
    fill(ShiftColor(b, -0.05));
    content(m_state);
    line(1, 1, m_w - 2, 1, ShiftColor(b, -0.16));
    line(1, 2, m_w - 2, 2, ShiftColor(b, -0.1));
    line(1, m_h - 2, m_w - 2, m_h - 2, ShiftColor(b, 0.01));
    line(1, 1, 1, m_h - 2, ShiftColor(b, -0.16));
    line(2, 2, 2, m_h - 2, ShiftColor(b, -0.1));
    line(m_w - 2, 2, m_w - 2, m_h - 2, ShiftColor(b, 0.04));
}

void StylePainter::drawXpFocusLook()
{
    switch (m_p.ColorScheme) {
    case 1:
        drawXpHotBorder(kXpFocusOlive);
        break;
    case 2:
        drawXpHotBorder(kXpFocusSilver);
        break;
    default:
        drawXpHotBorder(kXpFocusBlue);
        break;
    }
}

void StylePainter::drawXpHotBorder(const OleColor (&c)[6])
{
    const int w = m_w, h = m_h;
    line(1, 2, w - 2, 2, c[0]);
    line(1, 1, w - 2, 1, c[1]);
    line(1, 1, 1, h - 2, c[2]);
    line(w - 2, 2, w - 2, h - 2, c[2]);
    line(2, 2, 2, h - 3, c[3]);
    line(w - 3, 3, w - 3, h - 3, c[3]);
    line(2, h - 3, w - 2, h - 3, c[4]);
    line(2, h - 2, w - 2, h - 2, c[5]);
}

void StylePainter::drawHover3D()
{
    const OleColor b = m_base;
    const int half = Round(m_h / 2.0);
    if (!m_enabled) {
        fill(ShiftColor(b, 0.03));
        content(m_state);
        frame(0, 0, m_w, m_h, ShiftColor(b, -0.25));
        frame(1, 1, m_w - 2, m_h - 2, ShiftColor(b, 0.25));
        corners(ShiftColor(b, -0.03));
        return;
    }
    if (m_state == ButtonState::Hot) {
        drawHover3DHot();
    } else if (m_state == ButtonState::Down) {
        drawHover3DDown();
    } else {
        vgrad(1, 1, m_w - 1, m_h, ShiftColor(b, 0.05), b);
        vgrad(1, half, m_w - 2, m_h - 2, ShiftColor(b, -0.02), ShiftColor(b, -0.15));
        content(m_state);
        frame(0, 0, m_w, m_h, RGB(112, 112, 112));
        frame(1, 1, m_w - 2, m_h - 2, kWhite);
    }
    if (m_d.parentActive) {
        if (m_state == ButtonState::Normal && (m_d.hasFocus || m_d.displayAsDefault)) {
            frame(0, 0, m_w, m_h, RGB(50, 117, 167));
            frame(1, 1, m_w - 2, m_h - 2, RGB(72, 216, 251));
        }
        if (m_d.runtime && m_p.ShowFocusRect && m_d.hasFocus)
            focusRect(2, 2, m_w - 2, m_h - 2);
    }
    corners(RGB(95, 150, 190));
}

void StylePainter::drawHover3DHot()
{
    const int half = Round(m_h / 2.0);
    vgrad(1, 1, m_w - 2, half, RGB(228, 247, 255), RGB(218, 243, 255));
    vgrad(1, half, m_w - 2, m_h - 2, RGB(193, 233, 255), RGB(174, 225, 253));
    drawSideGlows(RGB(205, 238, 255), RGB(228, 247, 255), RGB(143, 214, 250),
                  ShiftColor(RGB(172, 225, 253), 0.01));
    content(m_state);
    frame(0, 0, m_w, m_h, RGB(50, 117, 167));
    frame(1, 1, m_w - 2, m_h - 2, kWhite);
}

void StylePainter::drawHover3DDown()
{
    const int half = Round(m_h / 2.0);
    m_c.PaintRect(RGB(194, 228, 246), QRect(0, 0, m_w, half));
    m_c.PaintRect(RGB(154, 210, 240), QRect(0, half, m_w, m_h - half));
    frame(0, 0, m_w, m_h, RGB(29, 65, 92));
    line(1, 1, m_w - 1, 1, RGB(113, 156, 179));
    line(1, 2, m_w - 1, 2, RGB(169, 198, 214));
    line(1, 3, m_w - 1, 3, RGB(185, 217, 236));
    line(1, 1, 1, Round(m_h / 2.0 - 1), RGB(115, 176, 207));
    line(1, half, 1, Round(m_h - m_h / 2.0 - 1), RGB(43, 145, 197));
    drawSideGlows(RGB(145, 200, 230), ShiftColor(RGB(194, 228, 246), 0.02), RGB(78, 171, 220),
                  ShiftColor(RGB(154, 210, 240), -0.01));
    content(m_state);
}

// Five-pixel glows down the left and right inner edges: each runs from its
// edge colour at the border to its inner colour towards the middle.
void StylePainter::drawSideGlows(OleColor upperEdge, OleColor upperInner, OleColor lowerEdge,
                                 OleColor lowerInner)
{
    const int half = Round(m_h / 2.0);
    const int upperH = Round(m_h / 2.0 - 2), lowerH = Round(m_h - m_h / 2.0 - 1);
    m_c.DrawGradient(1, 3, 5, upperH, upperEdge, upperInner, Canvas::Horizontal);
    m_c.DrawGradient(m_w - 6, 3, 5, upperH, upperInner, upperEdge, Canvas::Horizontal);
    m_c.DrawGradient(1, half, 5, lowerH, lowerEdge, lowerInner, Canvas::Horizontal);
    m_c.DrawGradient(m_w - 6, half, 5, lowerH, lowerInner, lowerEdge, Canvas::Horizontal);
}

void StylePainter::drawVistaAero()
{
    const OleColor b = m_base;
    const int half = Round(m_h / 2.0);
    // A disabled button is drawn as Normal, and Normal as Hot.
    const bool down = m_enabled && m_state == ButtonState::Down;
    if (down) {
        vgrad(0, 0, m_w, half, kWhite, ShiftColor(b, -0.1));
        vgrad(0, half, m_w, m_h, ShiftColor(b, -0.1), ShiftColor(b, -0.05));
    } else {
        vgrad(0, 0, m_w, half, kWhite, b);
        vgrad(0, half, m_w, m_h, b, b);
    }
    content(down ? ButtonState::Down : (m_enabled ? m_state : ButtonState::Normal));
    frame(1, 1, m_w - 2, m_h, kWhite);
    frame(0, 0, m_w, m_h, ShiftColor(b, down ? -0.23 : -0.2));
    line(2, m_h - 1, m_w - 2, m_h - 1, ShiftColor(b, down ? -0.4 : -0.25));
    corners(ShiftColor(b, 0.05));
    if (focusShown())
        focusRect(3, 3, m_w - 3, m_h - 3);
}

void StylePainter::drawOfficeXp()
{
    const OleColor b = m_base, navy = RGB(0, 0, 128);
    const int half = Round(m_h / 2.0);
    if (checkedLook()) {
        if (m_d.pointerOver)
            vgrad(0, 0, m_w, m_h, RGB(254, 145, 78), RGB(255, 211, 142));
        else
            vgrad(0, 0, m_w, m_h, RGB(255, 213, 140), RGB(255, 173, 85));
        content(m_state);
        frame(0, 0, m_w, m_h, navy);
        return;
    }
    if (m_state == ButtonState::Normal) {
        const OleColor m = AverageColor(kWhite, ShiftColor(b, 0.08));
        vgrad(0, 0, m_w, half, m, b);
        vgrad(0, half, m_w, Round(m_h / 2.0 + 1), b, ShiftColor(b, -0.15));
        content(m_state);
        return;
    }
    if (m_state == ButtonState::Hot)
        vgrad(0, 0, m_w, m_h, RGB(255, 244, 204), RGB(255, 208, 145));
    else
        vgrad(0, 0, m_w, m_h, RGB(254, 145, 78), RGB(255, 211, 142));
    content(m_state);
    frame(0, 0, m_w, m_h, navy);
}

} // namespace tarvex
