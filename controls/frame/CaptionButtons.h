#pragma once

#include <QString>

#include <array>

namespace tarvex {

// The three caption buttons of the frame (0 close, 1 maximize, 2 minimize):
// their places in the title bar, tooltips and visibility, and the title
// heights they are laid out in.
class CaptionButtons final
{
public:
    static constexpr int Close = 0, Maximize = 1, Minimize = 2, None = -1;
    static constexpr int Size = 18;

    // One button: pixels in the frame control.
    struct Record
    {
        int Left = 0;
        int Top = 0;
        int Width = Size;
        int Height = Size;
        QString TooltipText;
        bool Visible = true;
    };

    // Base height: text height + 10, at least iconSize + 15.
    static int BaseHeight(int textHeight, int iconSize);

    // Title bar height: the base height, 10 more for style 1.
    static int TitleBarHeight(int baseHeight, int style);

    // Sets the visibility of the three buttons.
    void setVisible(bool close, bool maximize, bool minimize);

    // Places the shown buttons right to left in a control width wide.
    void layout(int width, int titleBarHeight, int style);

    // The first visible button strictly containing (x, y), or None.
    int hitTest(int x, int y) const;

    // The leftmost shown button (scanning 1 and 2 after 0), None when all are hidden.
    int lastVisible() const;

    // Left edge of the leftmost shown button, or fallback when none is shown.
    int leftmostLeft(int fallback) const;

    // Record index (0-2).
    Record& operator[](int index) { return m_records[size_t(index)]; }
    const Record& operator[](int index) const { return m_records[size_t(index)]; }

private:
    std::array<Record, 3> m_records;
};

} // namespace tarvex
