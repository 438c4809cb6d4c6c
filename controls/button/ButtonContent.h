#pragma once

#include "controls/button/ButtonDrawing.h"
#include "controls/Canvas.h"

namespace tarvex {

// The layer every velbutton style paints over its background: the picture,
// the caption with its effects and the drop-down symbol.
class ButtonContent final
{
public:
    // How the calling style wants the layer drawn.
    struct Options
    {
        ButtonState state = ButtonState::Normal;
        bool enabled = true;
        OleColor foreColor = 0;   // the caption colour in effect (style 6 picks its own)
        bool shift = false;       // move everything 1 pixel right and down (pressed look)
        bool symbolShift = false; // move the drop-down symbol 1 more pixel
        bool checked = false;     // check or option mode with Value true
    };

    // Where the pieces go on a w x h button (before any pressed shift).
    struct Layout
    {
        QRect caption; // the measured caption, placed
        QRect picture; // empty size when there is no picture
        QRect symbol;  // the drop-down symbol area; null when there is none
    };

    // The picture shown in state (PictureDown, then PictureHot, then PictureNormal).
    static QImage PictureFor(const ButtonProperties& p, ButtonState state, bool checked);

    // Places caption, picture and drop-down symbol; canvas measures the caption
    // in d.font. picture is the size of the picture shown (empty for none).
    static Layout Arrange(Canvas& canvas, const ButtonDrawing& d, QSize picture);

    // Draws the layer onto canvas, which is the button's size.
    static void Draw(Canvas& canvas, const ButtonDrawing& d, const Options& o);

private:
    static int captionLeft(const ButtonProperties& p, int w, int tw, int pw, bool dropDown);
    static QPoint picturePlace(const ButtonDrawing& d, int w, int h, QSize picture,
                               const QRect& caption, bool dropDown);
    static void drawPicture(Canvas& canvas, const ButtonProperties& p, const Options& o,
                            const QImage& image, QPoint at);
    static void drawCaption(Canvas& canvas, const ButtonDrawing& d, const Options& o,
                            const QRect& caption);
    static void drawSymbol(Canvas& canvas, const ButtonProperties& p, const Options& o,
                           const QRect& area);
};

} // namespace tarvex
