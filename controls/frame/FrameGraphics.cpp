#include "controls/frame/FrameGraphics.h"

#include <cmath>

namespace tarvex {

namespace {

OleColor Step(OleColor start, OleColor end, int i, int steps)
{
    auto channel = [&](int s, int e) {
        return FrameGraphics::Whole(s + double(e - s) / steps * i);
    };
    return RGB(channel(RedOf(start), RedOf(end)), channel(GreenOf(start), GreenOf(end)),
               channel(BlueOf(start), BlueOf(end)));
}

} // namespace

int FrameGraphics::Whole(double value)
{
    return int(std::nearbyint(value));
}

void FrameGraphics::Line(int x1, int y1, int x2, int y2, OleColor colour)
{
    m_canvas.DrawLine(x1, y1, x2, y2, colour);
}

void FrameGraphics::Frame(int x, int y, int w, int h, OleColor colour)
{
    Line(x, y, x + w, y, colour);
    Line(x + w, y, x + w, y + h, colour);
    Line(x + w, y + h, x, y + h, colour);
    Line(x, y + h, x, y, colour);
}

void FrameGraphics::LinearGradient(OleColor start, OleColor end, int x, int y, int a, int b,
                                   bool vertical)
{
    const OleColor from = TranslateColor(start), to = TranslateColor(end);
    if (from == InvalidColor || to == InvalidColor)
        return;
    const int steps = vertical ? b : a;
    for (int i = 1; i <= steps - 1; ++i) {
        if (vertical)
            Line(x, y + i, a, y + i, Step(from, to, i, steps));
        else
            Line(x + i, y, x + i, b, Step(from, to, i, steps));
    }
}

void FrameGraphics::DoubleGradient(OleColor colour1, OleColor colour2, const GradientRect& r,
                                   bool vertical, double ratio)
{
    if (ratio < 1)
        ratio = 1.01;
    const auto [left, top, right, bottom] = r;
    if (vertical) {
        LinearGradient(colour1, colour2, left, top, right + left, Whole(bottom / ratio), true);
        LinearGradient(colour2, colour1, left, Whole(top + bottom / ratio - 1), right + left,
                       Whole((ratio - 1) * bottom / ratio + 1), true);
        return;
    }
    LinearGradient(colour1, colour2, left, top, Whole(right / ratio), bottom + top, false);
    LinearGradient(colour2, colour1, Whole(left + right / ratio - 1), top,
                   Whole((ratio - 1) * right / ratio + 1), bottom + top, false);
}

void FrameGraphics::Gradient(OleColor colour1, OleColor colour2, const GradientRect& r, int mode,
                             bool frame, OleColor frameColour, double ratio)
{
    const auto [left, top, right, bottom] = r;
    if (mode == TopToBottom)
        LinearGradient(colour2, colour1, left, top, right + left, bottom, true);
    else if (mode == LeftToRight)
        LinearGradient(colour2, colour1, left, top, right, bottom + top, false);
    else
        DoubleGradient(colour1, colour2, r, mode == VerticalDouble, ratio);
    if (frame)
        Frame(left, top, right, bottom, frameColour);
}

} // namespace tarvex
