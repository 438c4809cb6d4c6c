// StylePainter: styles 6 "Gradient", 7 "Toolbar", 8 "Glossy Toolbar", 9 "Banded" and
// 10 "Tile".
#include "controls/button/StylePainter.h"

#include "controls/SystemColors.h"

namespace tarvex {

namespace {

constexpr OleColor kWhite = RGB(255, 255, 255);

// Style 9 colours of one state, as A(x, y) = AverageColor, S(x, k) = ShiftColor of base.
struct OutlookColours
{
    OleColor fill, top, lowerStart, lowerEnd, frame, corners;
};

OutlookColours Outlook(OleColor b, bool enabled, ButtonState state)
{
    const OleColor a = AverageColor(b, kWhite);
    if (!enabled)
        return {b,
                ShiftColor(a, 0.05),
                ShiftColor(b, -0.02),
                AverageColor(kWhite, ShiftColor(b, 0.08)),
                ShiftColor(b, -0.2),
                ShiftColor(b, -0.23)};
    const OleColor fill = ShiftColor(b, -0.03), corners = ShiftColor(b, -0.36);
    switch (state) {
    case ButtonState::Hot:
        return {fill,
                ShiftColor(a, 0.15),
                ShiftColor(b, -0.05),
                AverageColor(kWhite, ShiftColor(b, 0.2)),
                ShiftColor(b, -0.28),
                corners};
    case ButtonState::Down:
        return {fill,
                ShiftColor(a, 0.1),
                ShiftColor(b, -0.08),
                AverageColor(kWhite, ShiftColor(b, 0.05)),
                ShiftColor(b, -0.36),
                corners};
    default:
        return {fill,
                ShiftColor(a, 0.1),
                ShiftColor(b, -0.05),
                AverageColor(kWhite, ShiftColor(b, 0.1)),
                ShiftColor(b, -0.33),
                corners};
    }
}

} // namespace

void StylePainter::drawOffice2003()
{
    const OleColor text = TranslateColor(SystemColor(SystemColors::ButtonText));
    if (checkedLook() && m_d.leftDown)
        m_state = ButtonState::Down;
    // The caption keeps the button-text colour when pressed too: white would all
    // but vanish on the pale pressed face.
    m_foreColor = text;
    if (checkedLook() && m_state != ButtonState::Down) {
        drawOffice2003Checked();
        return;
    }
    if (m_state == ButtonState::Normal) {
        fill(m_base);
        content(m_state);
    } else if (m_state == ButtonState::Hot) {
        const int half = Round(m_h / 2.0);
        vgrad(0, 0, m_w, half, RGB(254, 254, 253), RGB(244, 244, 238));
        vgrad(0, half, m_w, half, RGB(244, 244, 238), RGB(241, 241, 234));
        content(m_state);
        line(m_w - 2, 2, m_w - 2, m_h - 2, RGB(234, 231, 224));
        line(m_w - 3, 2, m_w - 3, m_h - 2, RGB(240, 240, 234));
        line(0, m_h - 4, m_w, m_h - 4, RGB(238, 237, 229));
        line(0, m_h - 3, m_w, m_h - 3, RGB(228, 225, 214));
        line(0, m_h - 2, m_w, m_h - 2, RGB(215, 210, 198));
        frame(0, 0, m_w, m_h, RGB(206, 206, 195));
        corners(ShiftColor(RGB(212, 212, 201), -0.05));
    } else {
        fill(RGB(229, 228, 221));
        content(m_state);
        line(1, 1, m_w - 2, 1, ShiftColor(RGB(220, 218, 209), -0.02));
        line(1, 2, m_w - 2, 2, ShiftColor(RGB(227, 225, 218), -0.02));
        line(1, m_h - 3, m_w - 2, m_h - 3, ShiftColor(RGB(230, 229, 222), 0.02));
        line(1, m_h - 2, m_w - 2, m_h - 2, ShiftColor(RGB(235, 234, 229), 0.02));
        frame(0, 0, m_w, m_h, RGB(157, 157, 146));
        corners(ShiftColor(RGB(181, 180, 171), -0.2));
    }
}

void StylePainter::drawOffice2003Checked()
{
    fill(RGB(254, 254, 254));
    m_foreColor = TranslateColor(SystemColor(SystemColors::ButtonText));
    content(m_state);
    frame(0, 0, m_w, m_h, RGB(122, 152, 175));
    corners(ShiftColor(RGB(160, 179, 193), -0.2));
    if (m_state != ButtonState::Hot)
        return;
    line(m_w - 2, 2, m_w - 2, m_h - 2, RGB(242, 240, 237));
    line(2, m_h - 2, m_w - 2, m_h - 2, RGB(228, 222, 216));
    line(2, m_h - 3, m_w - 2, m_h - 3, RGB(239, 236, 232));
    line(2, m_h - 4, m_w - 2, m_h - 4, RGB(250, 249, 248));
}

void StylePainter::drawXpToolbar()
{
    const OleColor edge = RGB(97, 158, 202);
    if (!m_enabled || m_state == ButtonState::Normal) {
        fill(m_base);
        content(m_state);
        if (!m_enabled)
            corners(m_base);
        return;
    }
    if (m_state == ButtonState::Hot) {
        vgrad(1, 1, m_w - 2, m_h - 2, RGB(241, 249, 253), RGB(208, 236, 248));
        m_c.PaintRect(RGB(208, 236, 248), QRect(1, Round(m_h / 1.7), m_w - 2, m_h - 2));
    } else {
        vgrad(1, 1, m_w - 2, m_h - 2, RGB(176, 222, 241), RGB(219, 241, 249));
    }
    content(m_state);
    frame(0, 0, m_w, m_h, edge);
    frame(1, 1, m_w - 2, m_h - 2, kWhite);
    corners(ShiftColor(edge, 0.3));
}

void StylePainter::drawVistaBands(OleColor u1, OleColor u2, OleColor l1, OleColor l2)
{
    const double r = m_h / 2.7;
    vgrad(0, 0, m_w, Round(r), u1, u2);
    vgrad(0, Round(r), m_w, Round(m_h - r), l1, l2);
}

void StylePainter::drawVistaToolbar()
{
    const OleColor b = m_base, edge = ShiftColor(b, -0.34);
    if (checkedLook()) {
        drawVistaBands(RGB(255, 217, 169), RGB(255, 192, 111), RGB(255, 171, 63),
                       RGB(255, 225, 117));
        frame(0, 0, m_w, m_h, edge);
        if (m_d.pointerOver) {
            drawVistaBands(RGB(255, 193, 88), RGB(255, 175, 81), RGB(255, 143, 70),
                           RGB(255, 211, 95));
            frame(0, 0, m_w, m_h, edge);
        }
        content(m_state);
        return;
    }
    if (m_state == ButtonState::Normal) {
        fill(b);
        drawVistaBands(AverageColor(ShiftColor(b, 0.09), kWhite),
                       AverageColor(ShiftColor(b, 0.07), b), b, ShiftColor(b, 0.03));
    } else if (m_state == ButtonState::Hot) {
        drawVistaBands(RGB(255, 255, 225), RGB(255, 234, 172), RGB(255, 215, 103),
                       RGB(255, 228, 153));
    } else {
        drawVistaBands(RGB(255, 193, 88), RGB(255, 175, 81), RGB(255, 143, 70), RGB(255, 211, 95));
    }
    content(m_state);
    frame(0, 0, m_w, m_h, edge);
}

void StylePainter::drawOutlook()
{
    const OutlookColours c = Outlook(m_base, m_enabled, m_state);
    fill(c.fill);
    vgrad(0, 0, m_w, 5, c.top, m_base);
    vgrad(0, 6, m_w, m_h - 1, c.lowerStart, c.lowerEnd);
    content(m_state);
    frame(0, 0, m_w, m_h, c.frame);
    corners(c.corners);
}

void StylePainter::drawInstallShield()
{
    OleColor f = RGB(193, 210, 238), b = RGB(49, 106, 197);
    if (m_p.ColorScheme == 1) {
        f = RGB(212, 214, 186);
        b = RGB(147, 160, 112);
    } else if (m_p.ColorScheme == 2) {
        f = RGB(224, 223, 227);
        b = RGB(178, 180, 191);
    } else if (m_p.ColorScheme == 3) {
        f = m_base;
        b = ShiftColor(m_base, -0.12);
    }
    if (checkedLook()) {
        fill(ShiftColor(f, -0.05));
        frame(0, 0, m_w, m_h, b);
        if (m_d.pointerOver) {
            fill(ShiftColor(f, -0.01));
            frame(0, 0, m_w, m_h, b);
        }
        content(m_state);
        return;
    }
    const double shift[3] = {0.0, 0.03, -0.08};
    fill(ShiftColor(f, shift[int(m_state)]));
    content(m_state);
    if (m_state != ButtonState::Normal)
        frame(0, 0, m_w, m_h, b);
}

} // namespace tarvex
