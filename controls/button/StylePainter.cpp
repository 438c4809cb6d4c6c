#include "controls/button/StylePainter.h"

#include "controls/button/ButtonContent.h"
#include "controls/SystemColors.h"

#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <cmath>

namespace tarvex {

using S = ButtonStyleKind;

namespace {

constexpr OleColor kBlack = RGB(0, 0, 0);
constexpr OleColor kWhite = RGB(255, 255, 255);

OleColor Sys(int index)
{
    return SystemColor(index);
}

} // namespace

StylePainter::StylePainter(Canvas& canvas, const ButtonDrawing& d)
    : m_c(canvas), m_d(d), m_p(d.props), m_w(canvas.width()), m_h(canvas.height()),
      m_base(d.props.BackColor), m_state(d.state), m_enabled(d.enabled),
      m_foreColor(d.props.ForeColor)
{}

int StylePainter::Round(double value)
{
    return int(std::nearbyint(value));
}

bool StylePainter::checkedLook() const
{
    return m_d.checked;
}

void StylePainter::Paint()
{
    const ButtonStyleKind style = m_p.ButtonStyle;
    // A checked check or option button draws pressed (styles 0 and 6 have their own look).
    if (checkedLook() && style != S::Standard && style != S::Office2003)
        m_state = ButtonState::Down;
    m_c.Clear(style == S::WindowsTheme ? Sys(SystemColors::ButtonFace) : m_base);
    switch (style) {
    case S::WindowsXP:
        drawXp();
        break;
    case S::Hover3D:
        drawHover3D();
        break;
    case S::VistaAero:
        drawVistaAero();
        break;
    case S::OfficeXP:
        drawOfficeXp();
        break;
    case S::Office2003:
        drawOffice2003();
        break;
    case S::XPToolbar:
        drawXpToolbar();
        break;
    case S::VistaToolbar:
        drawVistaToolbar();
        break;
    case S::Outlook2007:
        drawOutlook();
        break;
    case S::InstallShield:
        drawInstallShield();
        break;
    case S::WindowsTheme:
        drawTheme();
        break;
    default:
        drawClassic();
        break;
    }
    // Styles whose own look has no focus rectangle (and every checked look)
    // still show the keyboard focus: the same dotted rectangle inside the border.
    if (!m_focusDrawn && m_enabled && m_d.runtime && m_p.ShowFocusRect && m_d.parentActive &&
        m_d.hasFocus) {
        // Inside the classic edges; a checked style 0 keeps its own focus frame at 4.
        const int inset =
            (style == S::GelButton || (style == S::Standard && !checkedLook())) ? 4 : 3;
        focusRect(inset, inset, m_w - inset, m_h - inset);
    }
}

void StylePainter::content(ButtonState state)
{
    static constexpr bool kShifts[14] = {true, true,  false, false, false, true, true,
                                         true, false, false, true,  true,  true, false};
    static constexpr bool kSymbolShifts[14] = {true, true,  false, false, false, false, true,
                                               true, false, false, false, true,  true,  false};
    const int s = std::clamp(int(m_p.ButtonStyle), 0, ButtonStyleCount - 1);
    const bool down = state == ButtonState::Down;
    ButtonContent::Options o;
    o.state = state;
    o.enabled = m_enabled;
    o.foreColor = m_foreColor;
    o.shift = down && kShifts[s];
    o.symbolShift = down && kSymbolShifts[s];
    o.checked = checkedLook();
    ButtonContent::Draw(m_c, m_d, o);
}

void StylePainter::corners(OleColor colour)
{
    m_c.SetPixel(1, 1, colour);
    m_c.SetPixel(1, m_h - 2, colour);
    m_c.SetPixel(m_w - 2, 1, colour);
    m_c.SetPixel(m_w - 2, m_h - 2, colour);
}

bool StylePainter::focusShown() const
{
    return m_d.runtime && m_p.ShowFocusRect && m_d.parentActive &&
           (m_d.hasFocus || m_d.displayAsDefault);
}

void StylePainter::focusRect(int left, int top, int right, int bottom)
{
    if (right > left && bottom > top)
        m_c.DrawFocusRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
    m_focusDrawn = true;
}

void StylePainter::drawClassic()
{
    const ButtonStyleKind s = m_p.ButtonStyle;
    const QRect all(0, 0, m_w, m_h);
    const int raised = (s == S::Standard) ? Canvas::EdgeRaised : Canvas::BdrRaisedInner;
    if (!m_enabled) {
        if (s == S::Standard || s == S::Flat)
            m_c.DrawEdge(all, raised);
        content(m_state);
        return;
    }
    if (checkedLook()) {
        fill(ShiftColor(m_base, 0.02));
        content(m_state);
        if (s != S::FlatHover)
            m_c.DrawEdge(all, Canvas::EdgeSunken);
        if (s == S::Standard && m_p.ShowFocusRect && m_d.hasFocus)
            frame(4, 4, m_w - 7, m_h - 7, Sys(SystemColors::AppWorkspace));
        return;
    }
    fill(m_base);
    content(m_state);
    if (m_state == ButtonState::Normal) {
        if (s == S::Standard || s == S::Flat)
            m_c.DrawEdge(all, raised);
        else if (m_d.runtime && m_d.parentActive)
            // The gel and flat-hover faces have no edge until the pointer comes; in the window
            // the keyboard works in, a thin outline still tells the buttons from the background.
            frame(0, 0, m_w, m_h, AverageColor(m_base, ContrastingInk(m_base)));
    } else if (m_state == ButtonState::Hot) {
        m_c.DrawEdge(all, (s == S::Flat || s == S::FlatHover) ? Canvas::BdrRaisedInner
                                                              : Canvas::EdgeRaised);
    } else if (s == S::Standard) {
        frame(1, 1, m_w - 2, m_h - 2, RGB(172, 168, 153));
        frame(0, 0, m_w, m_h, kBlack);
    } else if (s == S::GelButton) {
        m_c.DrawEdge(all, Canvas::EdgeSunken);
    } else {
        frame(0, 0, m_w, m_h, kWhite);
        frame(0, 0, m_w + 1, m_h + 1, Sys(SystemColors::GrayText));
    }
    drawClassicFocus(m_state);
}

void StylePainter::drawClassicFocus(ButtonState state)
{
    const ButtonStyleKind s = m_p.ButtonStyle;
    if (!m_d.hasFocus && !m_d.displayAsDefault)
        return;
    if (focusShown()) {
        const int inset = (s == S::Standard || s == S::GelButton) ? 4 : 3;
        focusRect(inset, inset, m_w - inset, m_h - inset);
    }
    if (s == S::Standard && state != ButtonState::Down) {
        // The default-button look: a black outline round the raised edge.
        m_c.DrawEdge(QRect(0, 0, m_w - 1, m_h - 1), Canvas::EdgeRaised);
        frame(0, 0, m_w - 1, m_h - 1, Sys(SystemColors::AppWorkspace));
        frame(0, 0, m_w, m_h, kBlack);
    }
}

void StylePainter::drawTheme()
{
    const QStyle* style = m_d.themeStyle;
    if (!style) {
        // No style can draw a push button: the look of style 2, scheme 0.
        ButtonProperties fallback = m_p;
        fallback.ButtonStyle = S::WindowsXP;
        fallback.ColorScheme = 0;
        fallback.ApplyStyleColors();
        const ButtonDrawing& d = m_d;
        const ButtonDrawing copy{fallback,       d.caption,     d.font,     d.checked,
                                 d.state,        d.enabled,     d.hasFocus, d.displayAsDefault,
                                 d.parentActive, d.pointerOver, d.leftDown, d.runtime,
                                 nullptr,        d.widget};
        StylePainter(m_c, copy).Paint();
        m_focusDrawn = true; // the style 2 look has drawn it
        return;
    }
    QStyleOptionButton opt;
    if (m_d.widget)
        opt.initFrom(m_d.widget);
    // The native theme pads its button with a transparent margin, hence its
    // (-1, -1, w + 1, h + 2) rectangle; Qt styles draw their frame on the
    // rectangle's edge, so they get the control's own rectangle.
    opt.rect = QRect(0, 0, m_w, m_h);
    opt.state = QStyle::State_None;
    if (m_enabled) {
        opt.state |= QStyle::State_Enabled | QStyle::State_Raised;
        if (m_state == ButtonState::Hot)
            opt.state |= QStyle::State_MouseOver;
        if (m_state == ButtonState::Down)
            opt.state = (opt.state & ~QStyle::State_Raised) | QStyle::State_Sunken;
        if (m_state == ButtonState::Normal && (m_d.hasFocus || m_d.displayAsDefault) &&
            m_d.parentActive)
            opt.features |= QStyleOptionButton::DefaultButton;
        if (m_d.parentActive)
            opt.state |= QStyle::State_Active;
    }
    m_c.painter().save();
    m_c.painter().setClipRect(opt.rect);
    style->drawControl(QStyle::CE_PushButtonBevel, &opt, &m_c.painter(), m_d.widget);
    m_c.painter().restore();
    content(m_state);
}

} // namespace tarvex
