// velForms: the window behaviour: mouse, keys, the window's events, maximize,
// minimize, close and the system menu.
#include "controls/frame/velForms.h"

#include "controls/frame/FrameGrip.h"
#include "controls/frame/FrameSystemMenu.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tarvex {

void velForms::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    m_lastButton = event->button();
    const bool inTitle = p.y() < m_titleBarHeight;
    if (event->button() == Qt::LeftButton) {
        const int hit = m_buttons.hitTest(p.x(), p.y());
        if (hit != CaptionButtons::None) {
            drawButton(FramePainter::Pressed, hit);
            m_pressed = m_drawnHover = hit;
        } else if (inTitle && p.x() > 2 && p.x() < m_p.IconSize + 8) {
            popupMenu(mapToGlobal(QPoint(3, m_titleBarHeight)));
        } else if (inTitle) {
            m_moving = Moving::Pending;
            m_pressPos = p;
            m_moveOffset = event->globalPosition().toPoint() - m_host.widget()->pos();
        }
    }
}

void velForms::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (!m_gripsInUse && m_p.BorderStyle == 1) {
        m_gripsInUse = true;
        placeGrips();
    }
    setHover(m_buttons.hitTest(p.x(), p.y()));
    if (m_p.WindowState == 2 || !(event->buttons() & Qt::LeftButton) ||
        m_lastButton != Qt::LeftButton)
        return;
    moveWindow(event);
}

void velForms::setHover(int hover)
{
    if (hover == m_drawnHover)
        return;
    if (m_drawnHover != CaptionButtons::None)
        drawButton(FramePainter::Normal, m_drawnHover);
    if (hover != CaptionButtons::None)
        drawButton(hover == m_pressed ? FramePainter::Pressed : FramePainter::Hover, hover);
    m_drawnHover = hover;
    setToolTip(hover == CaptionButtons::None ? QString() : m_buttons[hover].TooltipText);
}

void velForms::moveWindow(QMouseEvent* event)
{
    // A few pixels of travel first, so that the jitter of a double-click does
    // not start a move; the window manager then takes over from the pointer.
    constexpr int kMoveThreshold = 3;
    const QPoint p = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    const bool leftOfButtons = p.x() < m_buttons.leftmostLeft(width() + 1);
    const bool farEnough = (p - m_pressPos).manhattanLength() >= kMoveThreshold;
    if (m_moving == Moving::Pending && m_pressed == CaptionButtons::None && m_moveable &&
        p.y() < m_titleBarHeight && leftOfButtons && farEnough)
        m_moving = m_host.startSystemMove() ? Moving::System : Moving::ByHand;
    // Where the window manager cannot move it, the frame does.
    if (m_moving == Moving::ByHand)
        m_host.widget()->move(global - m_moveOffset);
}

void velForms::endMove()
{
    m_moving = Moving::No;
}

void velForms::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    m_gripDrag = 0;
    endMove();
    const int hover = m_buttons.hitTest(p.x(), p.y());
    if (event->button() == Qt::LeftButton) {
        const int pressed = m_pressed;
        m_pressed = CaptionButtons::None;
        // A button acts only when pressed and released on it.
        if (hover != CaptionButtons::None && hover == pressed)
            act(hover);
        else if (pressed != CaptionButtons::None)
            drawButton(FramePainter::Normal, pressed);
        if (hover != CaptionButtons::None && hover != pressed)
            drawButton(FramePainter::Hover, hover);
    } else if (event->button() == Qt::RightButton && p.y() < m_titleBarHeight) {
        if (m_buttons.lastVisible() == CaptionButtons::None || p.x() < m_buttons.leftmostLeft(0))
            popupMenu(event->globalPosition().toPoint());
    }
}

void velForms::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    // A second click on a caption button is a click of its own.
    if (m_buttons.hitTest(p.x(), p.y()) != CaptionButtons::None) {
        mousePressEvent(event);
        return;
    }
    m_lastButton = event->button();
    if (m_p.MaxButton && m_lastButton == Qt::LeftButton && p.y() < m_titleBarHeight)
        toggleMaximize();
    m_lastButton = Qt::NoButton;
}

void velForms::changeEvent(QEvent* event)
{
    // A new font changes the title bar's height.
    if (event->type() == QEvent::FontChange) {
        computeTitleHeights();
        refresh();
    }
    QWidget::changeEvent(event);
}

void velForms::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier) && m_p.CloseButton) {
        closeHost();
        return;
    }
    event->ignore();
}

void velForms::pressCaptionButton(int index)
{
    if (index >= CaptionButtons::Close && index <= CaptionButtons::Minimize &&
        m_buttons[index].Visible)
        act(index);
}

void velForms::act(int index)
{
    if (index == CaptionButtons::Close) {
        emit closeClicked();
        closeHost();
    } else if (index == CaptionButtons::Maximize) {
        toggleMaximize();
    } else if (index == CaptionButtons::Minimize) {
        minimize();
    }
}

void velForms::closeHost()
{
    // A form that refuses to close goes on following its activation.
    m_closing = true;
    if (m_host.widget() && !m_host.widget()->close())
        m_closing = false;
}

void velForms::minimize()
{
    drawButton(FramePainter::Normal, CaptionButtons::Minimize);
    m_drawnHover = CaptionButtons::None;
    m_host.minimize();
}

void velForms::rememberRestore()
{
    QWidget* host = m_host.widget();
    if (m_p.WindowState == 0 && host && !host->isMinimized())
        m_restore = host->geometry();
}

void velForms::toggleMaximize()
{
    if (m_p.WindowState == 2) {
        m_p.WindowState = 0;
        m_host.restore(m_restore, m_startUpPosition == 2);
    } else {
        rememberRestore();
        m_p.WindowState = 2;
        m_host.maximize();
    }
    fitToHost();
    applySettings();
}

void velForms::fitToHost()
{
    if (QWidget* host = m_host.widget(); host && geometry() != host->rect())
        setGeometry(host->rect());
}

void velForms::popupMenu(const QPoint& globalPos)
{
    m_menu->popup(globalPos);
}

void velForms::onMenuItem(int index)
{
    if (index == FrameSystemMenu::Restore || index == FrameSystemMenu::Maximize)
        toggleMaximize();
    else if (index == FrameSystemMenu::Minimize)
        minimize();
    else if (index == FrameSystemMenu::Close)
        closeHost();
    else if (index == FrameSystemMenu::AlwaysOnTop)
        setAlwaysOnTop(!m_menu->item(FrameSystemMenu::AlwaysOnTop)->isChecked());
    if (const QAction* item = m_menu->item(index))
        emit menuItemChosen(index, item->text());
}

void velForms::leaveEvent(QEvent* event)
{
    // The pointer left the frame, or went onto one of its controls: no caption button is hot.
    m_drawnHover = CaptionButtons::None;
    setToolTip(QString());
    redraw();
    QWidget::leaveEvent(event);
}

bool velForms::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_host.widget())
        onHostEvent(*event);
    return QWidget::eventFilter(watched, event);
}

void velForms::onHostEvent(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::Enter:
    case QEvent::Resize:
        fitToHost();
        rememberRestore();
        break;
    case QEvent::Move:
        onHostMoved();
        break;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        onHostActivation(event.type() == QEvent::WindowActivate);
        break;
    case QEvent::ThemeChange:
    case QEvent::ApplicationPaletteChange:
        computeColours();
        refresh();
        break;
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
        redraw();
        break;
    case QEvent::Show:
        onHostShown();
        break;
    default:
        break;
    }
}

void velForms::placeBeforeShowing()
{
    const QWidget* host = m_host.widget();
    if (m_startUpPosition == 2 && !m_shownOnce && host && !host->isVisible())
        m_host.centre();
}

void velForms::onHostActivation(bool active)
{
    if (m_closing)
        return;
    m_active = active;
    computeColours();
    refresh();
}

void velForms::onHostShown()
{
    // Placing happens before showing (placeBeforeShowing); a form shown again after the frame
    // closed it follows its activation again.
    m_closing = false;
    m_shownOnce = true;
}

void velForms::onHostMoved()
{
    rememberRestore();
    const bool refit = m_p.WindowState == 2 && m_p.MaxButton && !m_gripsInUse;
    if (!refit || !m_host.widget() || m_host.widget()->geometry() == m_host.workArea())
        return;
    syncMenu();
    m_host.maximize();
    fitToHost();
}

} // namespace tarvex
