#include "controls/frame/velForms.h"

#include "controls/ControlAccessibility.h"
#include "controls/frame/FrameGrip.h"
#include "controls/frame/FrameSystemMenu.h"
#include "controls/SystemColors.h"

#include <QAction>
#include <QGuiApplication>
#include <QPainter>
#include <QPaintEvent>

namespace tarvex {

velForms::velForms(QWidget* host)
    : QWidget(host), m_host(host), m_menu(new FrameSystemMenu(this)),
      m_rightGrip(new FrameGrip(FrameGrip::Right, this)),
      m_bottomGrip(new FrameGrip(FrameGrip::Bottom, this))
{
    Q_ASSERT_X(host, "velForms", "a frame needs the form it covers");
    ControlAccessibility::Install();
    setObjectName(QStringLiteral("velForms"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_rightGrip->hide();
    m_bottomGrip->hide();
    for (FrameGrip* grip : {m_rightGrip, m_bottomGrip}) {
        // The window manager resizes from the pointer where it can; the frame follows the
        // drag by hand only where it cannot.
        connect(grip, &FrameGrip::dragStarted, this, [this](int p) {
            m_gripDrag = m_host.startSystemResize(p, m_titleBarHeight + 15) ? 0 : p;
        });
        connect(grip, &FrameGrip::dragMoved, this, [this](const QPoint& pos) {
            m_host.resizeTo(pos, m_gripDrag, m_titleBarHeight + 15);
        });
        connect(grip, &FrameGrip::dragEnded, this, [this] { m_gripDrag = 0; });
    }
    connect(m_menu, &FrameSystemMenu::itemClicked, this, &velForms::onMenuItem);
    m_host.makeFrameless();
    m_caption = host->windowTitle();
    m_active = host->isActiveWindow();
    computeColours();
    computeTitleHeights();
    fitToHost();
    // The window's events are watched, never consumed: every other filter and the window's own
    // handling still see them.
    host->installEventFilter(this);
    applySettings();
    ControlAccessibility::RefreshWindow(host);
}

velForms::~velForms() = default;

void velForms::applySettings()
{
    m_buttons.setVisible(m_p.CloseButton, m_p.MaxButton, m_p.MinButton);
    m_buttons.layout(width(), m_titleBarHeight, m_p.Style);
    updateTooltips();
    syncMenu();
    placeGrips();
    redraw();
}

void velForms::updateTooltips()
{
    m_buttons[CaptionButtons::Close].TooltipText = m_menu->caption(FrameSystemMenu::Close);
    m_buttons[CaptionButtons::Minimize].TooltipText = m_menu->caption(FrameSystemMenu::Minimize);
    m_buttons[CaptionButtons::Maximize].TooltipText = m_menu->caption(
        m_p.WindowState == 2 ? FrameSystemMenu::Restore : FrameSystemMenu::Maximize);
}

void velForms::syncMenu()
{
    const bool maximized = m_p.WindowState == 2;
    m_menu->item(FrameSystemMenu::Restore)->setEnabled(maximized && m_p.MaxButton);
    m_menu->item(FrameSystemMenu::Maximize)->setEnabled(!maximized);
    m_menu->item(FrameSystemMenu::Minimize)->setVisible(m_p.MinButton);
    m_menu->item(FrameSystemMenu::Maximize)->setVisible(m_p.MaxButton);
}

void velForms::computeColours()
{
    m_theme = FrameColors::ThemePair(m_p.ThemeColor, m_p.ColorFrom, m_p.ColorTo,
                                     QGuiApplication::palette());
    m_current = FrameColors::CurrentPair(m_theme, m_active);
    for (FrameGrip* grip : {m_rightGrip, m_bottomGrip})
        grip->setColour(m_current.dark);
}

void velForms::computeTitleHeights()
{
    m_baseHeight = CaptionButtons::BaseHeight(fontMetrics().height(), m_p.IconSize);
    m_titleBarHeight = CaptionButtons::TitleBarHeight(m_baseHeight, m_p.Style);
}

OleColor velForms::background() const
{
    if (m_p.BackColorStyle == 1)
        return m_current.light;
    if (m_p.BackColorStyle == 2)
        return TranslateColor(m_p.CustomBackColor);
    return SystemColors::color(SystemColors::ButtonFace);
}

void velForms::setThemeColor(int value)
{
    if (value == m_p.ThemeColor)
        return;
    m_p.ThemeColor = value;
    computeColours();
    refresh();
}

void velForms::setStyle(int value)
{
    if (value == m_p.Style)
        return;
    m_p.Style = value;
    computeTitleHeights(); // style 1 has the taller title bar
    refresh();
    if (m_p.Style == 1 && !m_shifted)
        shiftContainedControls(10);
    else if (m_p.Style != 1 && m_shifted)
        shiftContainedControls(-10);
    setShiftMark();
}

void velForms::setIconSize(int value)
{
    if (value == m_p.IconSize)
        return;
    m_p.IconSize = value;
    const int oldHeight = m_titleBarHeight;
    computeTitleHeights();
    // Controls keep their distance below a taller or shorter title bar.
    shiftContainedControls(m_titleBarHeight - oldHeight);
    refresh();
}

void velForms::setColorFrom(OleColor value)
{
    m_p.ColorFrom = TranslateColor(value);
    computeColours();
    refresh();
}

void velForms::setColorTo(OleColor value)
{
    m_p.ColorTo = TranslateColor(value);
    computeColours();
    refresh();
}

void velForms::setCustomBackColor(OleColor value)
{
    m_p.CustomBackColor = value;
    if (m_p.BackColorStyle == 2)
        refresh();
}

void velForms::setBorderStyle(int value)
{
    m_p.BorderStyle = value;
    applySettings();
    refresh();
}

void velForms::setWindowState(int value)
{
    // Only a real change toggles; asking for the state the window is in does nothing.
    if ((value == 2) != (m_p.WindowState == 2) && (value == 0 || value == 2))
        toggleMaximize();
    applySettings();
}

void velForms::setBackColorStyle(int value)
{
    m_p.BackColorStyle = value;
    refresh();
}

void velForms::setChangeAllBackgrounds(bool value)
{
    m_p.ChangeAllBackgrounds = value;
    refresh();
}

void velForms::setCloseButton(bool value)
{
    m_p.CloseButton = value;
    applySettings();
    refresh();
}

void velForms::setMaxButton(bool value)
{
    m_p.MaxButton = value;
    applySettings();
    refresh();
}

void velForms::setMinButton(bool value)
{
    m_p.MinButton = value;
    applySettings();
    refresh();
}

void velForms::setTitleBarShadow(bool value)
{
    m_p.TitleBarShadow = value;
    refresh();
}

void velForms::shiftContainedControls(int dy)
{
    if (dy == 0)
        return;
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && !qobject_cast<FrameGrip*>(child))
            child->move(child->x(), child->y() + dy);
    }
    // The window grows (or shrinks) with its contents, so the lowest controls stay clear
    // of the bottom border. A maximized window keeps the work area; its normal size follows.
    if (m_p.WindowState != 2) {
        m_host.growHeight(dy);
        fitToHost();
    } else if (m_restore.isValid()) {
        m_restore.setHeight(m_restore.height() + dy);
    }
    emit controlsShifted(dy);
}

void velForms::refresh()
{
    // The frame's own background always follows BackColorStyle; the form's
    // controls are painted in it only with ChangeAllBackgrounds.
    resizeHandling();
}

void velForms::resizeHandling()
{
    if (m_p.ChangeAllBackgrounds)
        m_host.paintControls(background(), this);
    m_buttons.layout(width(), m_titleBarHeight, m_p.Style);
    redraw();
    placeGrips();
}

void velForms::placeGrips()
{
    const bool shown = m_p.BorderStyle == 1 && m_gripsInUse && m_p.WindowState != 2;
    m_rightGrip->setVisible(shown);
    m_bottomGrip->setVisible(shown);
    if (!shown)
        return;
    const int w = width(), h = height(), top = m_titleBarHeight + 9;
    m_rightGrip->setGeometry(w - 4, top, 3, std::max(h - top - 1, 1));
    m_bottomGrip->setGeometry(9, h - 4, std::max(w - 10, 1), 3);
    for (FrameGrip* grip : {m_rightGrip, m_bottomGrip}) {
        grip->setResizable(true);
        grip->raise();
    }
}

FrameLook velForms::look() const
{
    FrameLook l;
    l.width = width();
    l.height = height();
    l.style = m_p.Style;
    l.titleBarHeight = m_titleBarHeight;
    l.current = m_current;
    l.background = background();
    l.titleBarShadow = m_p.TitleBarShadow;
    l.maximized = m_p.WindowState == 2;
    l.iconSize = m_p.IconSize;
    l.icon = m_host.widget() ? m_host.widget()->windowIcon() : QIcon();
    l.caption = m_caption;
    l.font = font();
    l.buttons = m_buttons;
    return l;
}

void velForms::redraw()
{
    if (width() < 1 || height() < 1)
        return;
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    if (m_host.widget() && m_host.widget()->windowTitle() != m_caption)
        m_caption = m_host.widget()->windowTitle();
    const FrameLook l = look();
    FramePainter painter(m_picture, l);
    painter.DrawFrame();
    if (m_drawnHover != CaptionButtons::None)
        painter.DrawCaptionButton(m_drawnHover == m_pressed ? FramePainter::Pressed
                                                            : FramePainter::Hover,
                                  m_current.dark, m_drawnHover);
    update();
}

void velForms::drawButton(int state, int index)
{
    if (m_picture.isNull() || index < 0)
        return;
    if (state == FramePainter::Hover && index == CaptionButtons::Maximize)
        updateTooltips();
    const FrameLook l = look();
    FramePainter painter(m_picture, l);
    painter.DrawCaptionButton(state, m_current.dark, index);
    update(painter.buttonArea(index));
}

void velForms::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (const QRect& r : event->region())
        painter.drawImage(r, m_picture, r);
}

void velForms::resizeEvent(QResizeEvent*)
{
    resizeHandling();
}

void velForms::setAlwaysOnTop(bool onTop)
{
    m_host.setAlwaysOnTop(onTop);
    FrameSystemMenu::setChecked(m_menu->item(FrameSystemMenu::AlwaysOnTop), onTop);
}

QAction* velForms::menuItem(int index) const
{
    return m_menu->item(index);
}

} // namespace tarvex
