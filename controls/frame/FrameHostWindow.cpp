#include "controls/frame/FrameHostWindow.h"

#include "controls/frame/FrameGrip.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace tarvex {

namespace {

// Text boxes, lists and drop-downs keep the window colour, as they would elsewhere.
bool usesWindowColour(const QWidget* w)
{
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractScrollArea*>(w) || w->backgroundRole() == QPalette::Base;
}

void paintControl(QWidget* w, OleColor colour)
{
    if (usesWindowColour(w))
        return;
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    palette.setColor(QPalette::Button, ToQColor(colour));
    w->setPalette(palette);
}

bool qtSystemResize(QWindow* window, Qt::Edges edges)
{
    return window->startSystemResize(edges);
}

} // namespace

FrameHostWindow::SystemResize FrameHostWindow::systemResize = &qtSystemResize;

bool FrameHostWindow::compositorPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

Qt::Edges FrameHostWindow::EdgesOf(int pointer)
{
    switch (pointer) {
    case 7:
        return Qt::BottomEdge;
    case 8:
        return Qt::BottomEdge | Qt::RightEdge;
    case 9:
        return Qt::RightEdge;
    default:
        return {};
    }
}

void FrameHostWindow::makeFrameless()
{
    if (!m_host || !m_host->isWindow() || (m_host->windowFlags() & Qt::FramelessWindowHint))
        return;
    const bool shown = m_host->isVisible();
    m_host->setWindowFlag(Qt::FramelessWindowHint, true);
    if (shown)
        m_host->show();
}

QRect FrameHostWindow::workArea() const
{
    QScreen* screen = m_host ? m_host->screen() : nullptr;
    return screen ? screen->availableGeometry() : QRect();
}

void FrameHostWindow::maximize()
{
    if (m_host)
        m_host->setGeometry(workArea());
}

void FrameHostWindow::restore(const QRect& restore, bool centred)
{
    if (!m_host)
        return;
    // A window that was never shown normal gets half the work area, centred.
    if (!restore.isValid()) {
        m_host->resize(workArea().size() / 2);
        centre();
        return;
    }
    m_host->setGeometry(restore);
    if (centred)
        centre();
}

void FrameHostWindow::centre()
{
    QScreen* screen = m_host ? m_host->screen() : nullptr;
    // A Wayland compositor ignores absolute positions; it places a new window itself (over its
    // transient parent for an owned window).
    if (!screen || compositorPlacesWindows())
        return;
    const QRect s = screen->geometry();
    m_host->move(s.x() + (s.width() - m_host->width()) / 2,
                 s.y() + (s.height() - m_host->height()) / 2);
}

void FrameHostWindow::growHeight(int dy)
{
    if (!m_host || dy == 0)
        return;
    const QSize size(m_host->width(), std::max(1, m_host->height() + dy));
    if (m_host->minimumSize() == m_host->maximumSize())
        m_host->setFixedSize(size);
    else
        m_host->resize(size);
}

void FrameHostWindow::minimize()
{
    if (m_host)
        m_host->showMinimized();
}

void FrameHostWindow::setAlwaysOnTop(bool onTop)
{
    if (!m_host || bool(m_host->windowFlags() & Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool shown = m_host->isVisible();
    const QRect geometry = m_host->geometry();
    m_host->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    m_host->setGeometry(geometry);
    if (shown)
        m_host->show();
}

bool FrameHostWindow::startSystemMove()
{
    QWindow* window = m_host ? m_host->windowHandle() : nullptr;
    return window && window->startSystemMove();
}

bool FrameHostWindow::startSystemResize(int pointer, int minHeight)
{
    const Qt::Edges edges = EdgesOf(pointer);
    QWindow* window = m_host ? m_host->windowHandle() : nullptr;
    if (!window || !edges)
        return false;
    // The window manager keeps the window within its minimum size, as resizeTo does by hand.
    const QSize least = m_host->minimumSize().expandedTo(QSize(MinimumWidth, minHeight));
    if (least != m_host->minimumSize())
        m_host->setMinimumSize(least);
    return systemResize(window, edges);
}

void FrameHostWindow::resizeTo(const QPoint& pos, int pointer, int minHeight)
{
    if (!m_host)
        return;
    const int width = std::max(pos.x(), MinimumWidth);
    const int height = std::max(pos.y(), minHeight);
    if (pointer == 7)
        m_host->resize(m_host->width(), height);
    else if (pointer == 9)
        m_host->resize(width, m_host->height());
    else if (pointer == 8)
        m_host->resize(width, height);
}

void FrameHostWindow::paintControls(OleColor colour, const QWidget* frame) const
{
    if (!m_host)
        return;
    for (QWidget* w : m_host->findChildren<QWidget*>()) {
        if (w != frame && !w->isWindow() && !qobject_cast<FrameGrip*>(w))
            paintControl(w, colour);
    }
}

} // namespace tarvex
