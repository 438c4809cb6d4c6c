#include "controls/frame/FrameGrip.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarvex {

FrameGrip::FrameGrip(Edge edge, QWidget* frame) : QWidget(frame), m_edge(edge)
{
    setObjectName(edge == Right ? QStringLiteral("rightGrip") : QStringLiteral("bottomGrip"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

int FrameGrip::pointerAt(const QPoint& pos) const
{
    if (!m_resizable)
        return Default;
    // Within 15 pixels of the corner end the grip resizes both ways.
    if (m_edge == Bottom)
        return pos.x() >= width() - 15 ? Diagonal : Vertical;
    return pos.y() >= height() - 15 ? Diagonal : Horizontal;
}

void FrameGrip::setResizable(bool resizable)
{
    m_resizable = resizable;
    setCursor(CursorOf(Default));
}

void FrameGrip::setColour(OleColor colour)
{
    m_colour = ToQColor(colour);
    update();
}

Qt::CursorShape FrameGrip::CursorOf(int pointer)
{
    switch (pointer) {
    case Vertical:
        return Qt::SizeVerCursor;
    case Diagonal:
        return Qt::SizeFDiagCursor;
    case Horizontal:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}

void FrameGrip::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), m_colour);
}

void FrameGrip::mousePressEvent(QMouseEvent* event)
{
    const int pointer = pointerAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || pointer == Default)
        return;
    m_dragPointer = pointer;
    emit dragStarted(pointer);
}

void FrameGrip::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    // A window manager that took the drag over keeps the release: a move without the button
    // ends the drag here.
    if (m_dragPointer != Default && !(event->buttons() & Qt::LeftButton)) {
        m_dragPointer = Default;
        emit dragEnded();
    }
    if (m_dragPointer == Default) {
        setCursor(CursorOf(pointerAt(pos)));
        return;
    }
    emit dragMoved(mapToParent(pos));
}

void FrameGrip::mouseReleaseEvent(QMouseEvent*)
{
    if (m_dragPointer == Default)
        return;
    m_dragPointer = Default;
    setCursor(CursorOf(Default));
    emit dragEnded();
}

} // namespace tarvex
