#pragma once

#include "controls/ColorOps.h"

#include <QWidget>

namespace tarvex {

// One resize grip of the frame: a thin strip along the right (rightGrip) or
// bottom (bottomGrip) edge in the frame's dark colour. Over it the pointer
// shows which way a drag resizes: 7 vertical, 8 diagonal near the corner end,
// 9 horizontal, 0 default when resizing is off.
class FrameGrip final : public QWidget
{
    Q_OBJECT

public:
    enum Edge { Right, Bottom };
    enum Pointer { Default = 0, Vertical = 7, Diagonal = 8, Horizontal = 9 };

    // A grip along edge, a child of the frame.
    FrameGrip(Edge edge, QWidget* frame);

    // The pointer code for a local position (Default while resizing is off).
    int pointerAt(const QPoint& pos) const;

    // Turns resizing on or off (off while fixed-size or maximized).
    void setResizable(bool resizable);

    // Fill colour of the strip.
    void setColour(OleColor colour);

    // The Qt cursor shape of a pointer code.
    static Qt::CursorShape CursorOf(int pointer);

signals:
    // A drag started with pointer code on this grip.
    void dragStarted(int pointer);
    // The pointer moved while dragging, at pos in the frame's coordinates.
    void dragMoved(const QPoint& pos);
    // The drag ended.
    void dragEnded();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    Edge m_edge;
    bool m_resizable = true;
    int m_dragPointer = Default;
    QColor m_colour;
};

} // namespace tarvex
