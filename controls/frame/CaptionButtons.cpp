#include "controls/frame/CaptionButtons.h"

#include "controls/frame/FrameGraphics.h"

#include <algorithm>

namespace tarvex {

int CaptionButtons::BaseHeight(int textHeight, int iconSize)
{
    return std::max(textHeight + 10, iconSize + 15);
}

int CaptionButtons::TitleBarHeight(int baseHeight, int style)
{
    return style == 1 ? baseHeight + 10 : baseHeight;
}

void CaptionButtons::setVisible(bool close, bool maximize, bool minimize)
{
    m_records[Close].Visible = close;
    m_records[Maximize].Visible = maximize;
    m_records[Minimize].Visible = minimize;
}

void CaptionButtons::layout(int width, int titleBarHeight, int style)
{
    const int rowTop = FrameGraphics::Whole((titleBarHeight - Size) / 2.0) + (style == 1 ? 3 : 0);
    int shown = 0;
    for (Record& r : m_records) {
        r.Width = r.Height = Size;
        r.Top = rowTop + 2;
        if (r.Visible)
            r.Left = width - 3 - 21 * (++shown);
    }
}

int CaptionButtons::hitTest(int x, int y) const
{
    for (int i = 0; i < 3; ++i) {
        const Record& r = m_records[size_t(i)];
        if (r.Visible && r.Left < x && x < r.Left + r.Width && r.Top < y && y < r.Top + r.Height)
            return i;
    }
    return None;
}

int CaptionButtons::lastVisible() const
{
    int last = m_records[Close].Visible ? Close : None;
    for (int i = Maximize; i <= Minimize; ++i)
        if (m_records[size_t(i)].Visible)
            last = i;
    return last;
}

int CaptionButtons::leftmostLeft(int fallback) const
{
    const int last = lastVisible();
    return last == None ? fallback : m_records[size_t(last)].Left;
}

} // namespace tarvex
