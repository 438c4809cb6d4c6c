#pragma once

#include "controls/button/StylePainter.h"
#include "controls/Canvas.h"
#include "controls/SystemColors.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>

#include <functional>

using namespace tarvex;

// One style rendering for the pixel tests: properties, state and flags.
struct StyleSetup
{
    int style = 1;
    ButtonState state = ButtonState::Normal;
    bool enabled = true;
    bool checked = false;
    bool focus = false;
    bool isDefault = false;
    bool parentActive = true;
    bool over = false;
    bool leftDown = false;
    bool runtime = true;
    QString caption;
    std::function<void(ButtonProperties&)> tweak;
};
Q_DECLARE_METATYPE(StyleSetup)
Q_DECLARE_METATYPE(ButtonState)

// Distinct, fixed system colours so every line can be told apart.
inline void UseTestPalette()
{
    QPalette p;
    p.setColor(QPalette::All, QPalette::Button, QColor(200, 200, 200));
    p.setColor(QPalette::All, QPalette::ButtonText, QColor(0, 0, 0));
    p.setColor(QPalette::All, QPalette::Light, QColor(255, 255, 254));
    p.setColor(QPalette::All, QPalette::Midlight, QColor(220, 221, 222));
    p.setColor(QPalette::All, QPalette::Dark, QColor(128, 129, 130));
    p.setColor(QPalette::All, QPalette::Shadow, QColor(1, 2, 3));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 121, 122));
    SystemColors::setPaletteOverride(p);
}

// Renders s at 80 x 24 (with no caption, no glyph pixels).
inline QImage RenderStyle(const StyleSetup& s, QSize size = QSize(80, 24))
{
    ButtonProperties props;
    props.ButtonStyle = ButtonStyleKind(s.style);
    props.DefaultColorSchemeFor();
    props.ApplyStyleColors();
    if (s.tweak)
        s.tweak(props);
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    ButtonDrawing d{props};
    d.caption = s.caption;
    d.checked = s.checked;
    d.state = s.state;
    d.enabled = s.enabled;
    d.hasFocus = s.focus;
    d.displayAsDefault = s.isDefault;
    d.parentActive = s.parentActive;
    d.pointerOver = s.over;
    d.leftDown = s.leftDown;
    d.runtime = s.runtime;
    d.themeStyle = QApplication::style();
    Canvas canvas(img);
    StylePainter(canvas, d).Paint();
    return img;
}
