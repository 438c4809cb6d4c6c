#pragma once

#include "controls/Canvas.h"

namespace tarvex {

// The rectangle of a gradient call: left, top, right, bottom as passed (the
// title-bar tables pass a width as "right" and a height as "bottom").
struct GradientRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The frame's drawing primitives on a canvas, with the frame's own pixel
// rules: lines leave out their end point, frames are four such lines (a frame
// of size w x h covers w + 1 x h + 1 pixels), and gradients are drawn one
// 1-pixel line per step. Rectangles of the gradients are (left, top, right,
// bottom) as the title-bar tables give them.
class FrameGraphics final
{
public:
    // Draws on canvas (which must outlive this object).
    explicit FrameGraphics(Canvas& canvas) : m_canvas(canvas) {}

    // Gradient modes: vertical and horizontal single runs, then double runs.
    enum Mode { TopToBottom = 0, LeftToRight = 1, VerticalDouble = 2, HorizontalDouble = 3 };

    // A solid 1-pixel line from (x1, y1) to (x2, y2), end point left out.
    void Line(int x1, int y1, int x2, int y2, OleColor colour);

    // Lines (x, y) -> (x + w, y) -> (x + w, y + h) -> (x, y + h) -> (x, y).
    void Frame(int x, int y, int w, int h, OleColor colour);

    // Lines 1 .. b - 1 (vertical: rows y + i from x to a) or 1 .. a - 1 (columns
    // x + i from y to b), line i coloured start + (end - start) x i / steps.
    void LinearGradient(OleColor start, OleColor end, int x, int y, int a, int b, bool vertical);

    // colour1 -> colour2 over the first 1 / ratio of the rectangle, then back;
    // a ratio below 1 counts as 1.01.
    void DoubleGradient(OleColor colour1, OleColor colour2, const GradientRect& r, bool vertical,
                        double ratio);

    // One of the four modes over r (left, top, right, bottom as given); with
    // frame, a Frame of the rectangle in frameColour follows.
    void Gradient(OleColor colour1, OleColor colour2, const GradientRect& r, int mode,
                  bool frame = false, OleColor frameColour = 0, double ratio = 2.0);

    // The canvas underneath.
    Canvas& canvas() { return m_canvas; }

    // Rounds half to even, as assignments to whole numbers do in the drawing code.
    static int Whole(double value);

private:
    Canvas& m_canvas;
};

} // namespace tarvex
