#pragma once

#include "controls/button/ButtonDrawing.h"
#include "controls/Canvas.h"

namespace tarvex {

// Paints one velbutton from a ButtonDrawing: the background and frame of its
// ButtonStyle, then the content layer (picture, caption, drop-down symbol)
// and the focus rectangle. Coordinates are pixels on the canvas, whose size
// is the button's size.
class StylePainter final
{
public:
    // Prepares to paint d onto canvas.
    StylePainter(Canvas& canvas, const ButtonDrawing& d);

    // Clears the canvas and paints the whole button.
    void Paint();

    // Round to the nearest integer, halves to even (as the drawing rules round).
    static int Round(double value);

private:
    // Styles 0, 1, 11 and 12: platform edges.
    void drawClassic();
    void drawClassicFocus(ButtonState state);
    // Style 13: the current Qt style's push button.
    void drawTheme();
    void drawXp();
    void drawXpNormalOrHot(bool hot);
    void drawXpDown();
    void drawXpFocusLook();
    void drawXpHotBorder(const OleColor (&c)[6]);
    void drawHover3D();
    void drawHover3DHot();
    void drawHover3DDown();
    void drawSideGlows(OleColor upperEdge, OleColor upperInner, OleColor lowerEdge,
                       OleColor lowerInner);
    void drawVistaAero();
    void drawOfficeXp();
    void drawOffice2003();
    void drawOffice2003Checked();
    void drawXpToolbar();
    void drawVistaToolbar();
    void drawVistaBands(OleColor u1, OleColor u2, OleColor l1, OleColor l2);
    void drawOutlook();
    void drawInstallShield();

    // Content layer in the given state (shifted by one pixel where the style does).
    void content(ButtonState state);
    bool checkedLook() const;
    void corners(OleColor colour);
    void focusRect(int left, int top, int right, int bottom);
    bool focusShown() const;
    void line(int x1, int y1, int x2, int y2, OleColor c) { m_c.DrawLine(x1, y1, x2, y2, c); }
    void frame(int x, int y, int w, int h, OleColor c) { m_c.DrawRectangle(x, y, w, h, c); }
    void fill(OleColor c) { m_c.PaintRect(c, QRect(0, 0, m_w, m_h)); }
    void vgrad(int x, int y, int w, int h, OleColor a, OleColor b)
    {
        m_c.DrawGradient(x, y, w, h, a, b, Canvas::Vertical);
    }

    Canvas& m_c;
    const ButtonDrawing& m_d;
    const ButtonProperties& m_p;
    int m_w;
    int m_h;
    OleColor m_base;
    ButtonState m_state;
    bool m_enabled;
    OleColor m_foreColor;      // style 6 picks its own caption colour
    bool m_focusDrawn = false; // the style's own look drew the focus rectangle
};

} // namespace tarvex
