#pragma once

#include "controls/tips/TipContent.h"
#include "controls/tips/TipPainter.h"

#include <QImage>
#include <QWidget>

namespace tarvex {

// The program's own tip window: a borderless top-level window that never takes the focus or
// the pointer, drawn by TipPainter. Balloons point their stem at the pointer; rectangles sit
// below it. Either flips above the pointer and stays on the screen when space runs out.
class TipWindow final : public QWidget
{
    Q_OBJECT

public:
    /// A hidden tip for `content`; with an `owner` the window goes away with it.
    explicit TipWindow(const TipContent& content, QWidget* owner = nullptr);

    /// What the tip shows.
    const TipContent& content() const { return m_content; }
    /// Places the tip beside the pointer at `cursor` (global pixels) and shows it.
    void popUp(const QPoint& cursor);
    /// The pixels the window shows, including the shadow over what lay beneath it.
    const QImage& image() const { return m_image; }
    /// Side the balloon's stem points from, after the last placement.
    StemSide stemSide() const { return m_side; }
    /// True when the shadow is drawn with alpha on a translucent window; false when it is
    /// blended onto a capture of the screen beneath (X11, where a server without a compositing
    /// manager shows no translucency).
    bool translucent() const { return m_translucent; }
    /// Whether tips on this desktop get translucent windows rather than screen captures.
    static bool TranslucentOnThisDesktop();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect placeBalloon(const TipPainter& painter, const QPoint& cursor, const QRect& area,
                       int& stemX);
    QRect placeRectangle(const TipPainter& painter, const QPoint& cursor, const QRect& area);
    QImage backdrop(const QRect& globalRect) const;
    void applyImage(const QImage& tip, const QImage& under);

    TipContent m_content;
    StemSide m_side = StemSide::None;
    QImage m_image;
    bool m_translucent = false;
};

} // namespace tarvex
