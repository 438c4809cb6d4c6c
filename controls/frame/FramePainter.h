#pragma once

#include "controls/frame/CaptionButtons.h"
#include "controls/frame/FrameColors.h"
#include "controls/frame/FrameGraphics.h"

#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>

#include <initializer_list>

namespace tarvex {

// Everything the frame's picture is drawn from.
struct FrameLook
{
    int width = 0;
    int height = 0;
    int style = 0;
    int titleBarHeight = 31;
    FrameColors::Pair current;
    OleColor background = 0;
    bool titleBarShadow = true;
    bool maximized = false;
    int iconSize = 16;
    QIcon icon;
    QString caption;
    QFont font;
    CaptionButtons buttons;
};

// Paints the frame: the title bands of the six styles, the style-1 gripper,
// the body border, the title-bar shadow, the corner pixels, the icon, the
// caption with its offset copy, and the caption buttons in their states.
class FramePainter final
{
public:
    // Caption button states.
    enum State { Normal = 0, Hover = 1, Pressed = 2 };

    // Paints on picture (sized by the caller) from look.
    FramePainter(QImage& picture, const FrameLook& look);

    // The whole picture; every caption button in state Normal.
    void DrawFrame();

    // Button index (-1 all shown) in state, hover and pressed faces tinted from colour.
    void DrawCaptionButton(int state, OleColor colour, int index);

    // The area a caption button's repaint touches, for updating the screen.
    QRect buttonArea(int index) const;

    // Where the caption goes (right/bottom exclusive), after the icon's shift.
    QRect captionRect() const;

    // text, or its longest head + "..." that fits available pixels, or "" when none does.
    static QString FitCaption(const QString& text, int available, const QFontMetrics& metrics);

private:
    OleColor dark() const { return m_look.current.dark; }
    OleColor light() const { return m_look.current.light; }
    OleColor darker(OleColor c) const;
    void drawBands();
    void drawGripper();
    void drawBorder();
    void drawShadow();
    void drawCorners();
    void drawIcon();
    void drawCaption();
    void drawButton(int state, OleColor colour, int index);
    void drawGlyph(int index, OleColor colour);
    OleColor glyphColour(int index, std::initializer_list<OleColor> preferred) const;
    void drawMaximizeGlyph(int l, int t, OleColor colour);

    QImage& m_picture;
    Canvas m_canvas;
    FrameGraphics m_g;
    const FrameLook& m_look;
};

} // namespace tarvex
