#include "controls/button/ButtonContent.h"

#include "controls/button/PictureEffects.h"
#include "controls/SystemColors.h"

#include <QPolygon>

#include <array>
#include <utility>

namespace tarvex {

using P = PicturePosition;

namespace {

// The picture stands above or below the caption, which moves to make room.
bool AboveOrBelow(PicturePosition position)
{
    return position == P::TopEdge || position == P::AboveCaption || position == P::BottomEdge ||
           position == P::BelowCaption;
}

bool HasDropDown(const ButtonProperties& p)
{
    return p.DropDownSymbol != 0 || p.DropDownSeparator;
}

int TextFlags(const ButtonProperties& p)
{
    return Canvas::DtCenter | Canvas::DtWordBreak | (p.RightToLeft ? Canvas::DtRtlReading : 0);
}

OleColor Grey()
{
    return SystemColor(SystemColors::GrayText);
}

} // namespace

QImage ButtonContent::PictureFor(const ButtonProperties& p, ButtonState state, bool checked)
{
    if (state == ButtonState::Down || checked) {
        for (const QImage* img : {&p.PictureDown, &p.PictureHot, &p.PictureNormal})
            if (!img->isNull())
                return *img;
        return {};
    }
    if (state == ButtonState::Hot && !p.PictureHot.isNull())
        return p.PictureHot;
    return p.PictureNormal;
}

int ButtonContent::captionLeft(const ButtonProperties& p, int w, int tw, int pw, bool dropDown)
{
    switch (p.CaptionAlign) {
    case CaptionAlignment::Left:
        return 2;
    case CaptionAlignment::Right:
        return w - tw - 4 - (dropDown ? 16 : 0);
    default: {
        int x = (w - tw + pw) / 2 - (dropDown ? 8 : 0);
        if (AboveOrBelow(p.PictureAlign))
            x -= pw / 2;
        return x;
    }
    }
}

ButtonContent::Layout ButtonContent::Arrange(Canvas& canvas, const ButtonDrawing& d, QSize picture)
{
    const ButtonProperties& p = d.props;
    const int w = canvas.width(), h = canvas.height();
    const bool dropDown = HasDropDown(p);
    const PicturePosition pa = p.PictureAlign;
    const int pw = picture.width(), ph = picture.height();
    const bool centred =
        p.CaptionAlign != CaptionAlignment::Left && p.CaptionAlign != CaptionAlignment::Right;
    int areaW = w - 8;
    if (dropDown)
        areaW = (pa == P::RightEdge || pa == P::RightOfCaption) ? w - 24 : w - 16;
    canvas.setFont(d.font);
    const QRect m = canvas.MeasureText(d.caption, QRect(0, 0, areaW, h), TextFlags(p));
    const int tw = m.width(), th = m.height();
    int x = captionLeft(p, w, tw, pw, dropDown), y = (h - th) / 2;
    if (!picture.isEmpty()) {
        if ((pa == P::LeftEdge || pa == P::LeftOfCaption) && !centred)
            x = std::max(x, pw + 4);
        if ((pa == P::RightEdge || pa == P::RightOfCaption) && x + tw > w - pw - 4)
            x = w - pw - 4 - tw;
        if ((pa == P::RightEdge || pa == P::RightOfCaption) && centred)
            x -= 12;
        if (pa == P::Center && centred)
            x -= 16;
        if (pa == P::TopEdge || pa == P::AboveCaption)
            y += ph / 2;
        if (pa == P::BottomEdge || pa == P::BelowCaption)
            y -= ph / 2;
    }
    Layout out;
    out.caption = QRect(x, y, tw, th);
    out.picture = QRect(picturePlace(d, w, h, picture, out.caption, dropDown), picture);
    if (dropDown)
        out.symbol = QRect(w - 15, 0, 10, h);
    return out;
}

QPoint ButtonContent::picturePlace(const ButtonDrawing& d, int w, int h, QSize picture,
                                   const QRect& caption, bool dropDown)
{
    const ButtonProperties& p = d.props;
    const int pw = picture.width(), ph = picture.height();
    const int dd8 = dropDown ? 8 : 0, dd16 = dropDown ? 16 : 0;
    const int capRight = caption.left() + caption.width();
    if (d.caption.trimmed().isEmpty() || p.PictureAlign == P::Center)
        return {(w - pw) / 2 - dd8, (h - ph) / 2};
    auto notLeftOfCaption = [&](int x) { return dropDown ? std::max(x, capRight + 2) : x; };
    switch (p.PictureAlign) {
    case P::LeftEdge:
        return {3, (h - ph) / 2};
    case P::RightEdge:
        return {notLeftOfCaption(w - pw - 3 - dd16), (h - ph) / 2};
    case P::RightOfCaption:
        return {notLeftOfCaption(capRight + 4 - dd16), (h - ph) / 2};
    case P::TopEdge:
        return {(w - pw) / 2 - dd8, 4};
    case P::AboveCaption:
        return {(w - pw) / 2 - dd8, caption.top() - ph - 2};
    case P::BottomEdge:
        return {(w - pw) / 2 - dd8, h - ph - 4};
    case P::BelowCaption:
        return {(w - pw) / 2 - dd8, caption.top() + caption.height() + 2};
    default:
        return {caption.left() - pw - 4, (h - ph) / 2};
    }
}

void ButtonContent::Draw(Canvas& canvas, const ButtonDrawing& d, const Options& o)
{
    const ButtonProperties& p = d.props;
    const QImage picture = PictureFor(p, o.state, o.checked);
    const QSize size = picture.isNull() ? QSize() : picture.deviceIndependentSize().toSize();
    const Layout l = Arrange(canvas, d, size);
    const QPoint shift = o.shift ? QPoint(1, 1) : QPoint(0, 0);
    if (!picture.isNull())
        drawPicture(canvas, p, o, picture, l.picture.topLeft() + shift);
    drawCaption(canvas, d, o, l.caption.translated(shift));
    if (!l.symbol.isNull())
        drawSymbol(canvas, p, o, l.symbol.translated(shift * (o.symbolShift ? 2 : 1)));
}

void ButtonContent::drawPicture(Canvas& canvas, const ButtonProperties& p, const Options& o,
                                const QImage& image, QPoint at)
{
    QPainter& painter = canvas.painter();
    const QImage img = p.UseMaskColor ? PictureEffects::Masked(image, p.MaskColor) : image;
    const QSize size = img.deviceIndependentSize().toSize();
    auto put = [&](QPoint pos, const QImage& what) { painter.drawImage(QRect(pos, size), what); };
    if (!o.enabled) {
        if (p.DisabledPictureMode == PictureEffects::Embossed)
            put(at + QPoint(1, 1), PictureEffects::Silhouette(img, RGB(255, 255, 255)));
        put(at, PictureEffects::Disabled(img, p.DisabledPictureMode));
        return;
    }
    if (p.PicturePushOnHover && o.state == ButtonState::Hot) {
        put(at, PictureEffects::Silhouette(img, RGB(192, 192, 192)));
        put(at - QPoint(2, 2), img);
        return;
    }
    const bool hot = o.state == ButtonState::Hot, down = o.state == ButtonState::Down;
    if (p.PictureShadow)
        put(at + QPoint(2, 2), PictureEffects::Silhouette(img, RGB(0, 0, 0), 96));
    const int effect = hot ? p.PictureEffectOnOver : down ? p.PictureEffectOnDown : 0;
    painter.save();
    painter.setOpacity((hot ? p.PictureOpacityOnOver : p.PictureOpacity) / 255.0);
    put(at, PictureEffects::Apply(img, effect));
    painter.restore();
}

void ButtonContent::drawCaption(Canvas& canvas, const ButtonDrawing& d, const Options& o,
                                const QRect& caption)
{
    const ButtonProperties& p = d.props;
    // One pixel of slack each side so the measured lines wrap the same way.
    const QRect r = caption.adjusted(-1, 0, 1, 0);
    const int flags = TextFlags(p);
    const OleColor base = p.BackColor;
    using Pass = std::pair<OleColor, QPoint>;
    std::vector<Pass> passes;
    const std::array<QPoint, 4> around{QPoint(1, 1), QPoint(1, -1), QPoint(-1, 1), QPoint(-1, -1)};
    switch (p.CaptionEffects) {
    case 1:
        passes.push_back({ShiftColor(base, 0.14), QPoint(-1, -1)});
        break;
    case 2:
        passes.push_back({ShiftColor(base, 0.14), QPoint(1, 1)});
        break;
    case 3:
        passes.push_back({RGB(192, 192, 192), QPoint(1, 1)});
        break;
    case 4:
    case 5:
        for (const QPoint& offset : around)
            passes.push_back({ShiftColor(base, p.CaptionEffects == 4 ? 0.1 : -0.1), offset});
        break;
    default:
        break;
    }
    if (!passes.empty())
        passes.push_back({o.enabled ? o.foreColor : Grey(), QPoint(0, 0)});
    for (const Pass& pass : passes)
        canvas.DrawText(d.caption, r.translated(pass.second), pass.first, flags);
    OleColor colour = o.foreColor;
    if (!o.enabled)
        colour = Grey();
    else if (o.state == ButtonState::Hot)
        colour = p.ForeColorHover;
    canvas.DrawText(d.caption, r, colour, flags);
}

// Separator: a dark and a light line left of the symbol area. Symbols: 1 (and
// any unknown code) a down-pointing triangle, 2 up, 3 right, 4 left.
void ButtonContent::drawSymbol(Canvas& canvas, const ButtonProperties& p, const Options& o,
                               const QRect& area)
{
    const int h = canvas.height();
    if (p.DropDownSeparator) {
        canvas.DrawLine(area.left() - 2, 3, area.left() - 2, h - 3, ShiftColor(p.BackColor, -0.2));
        canvas.DrawLine(area.left() - 1, 3, area.left() - 1, h - 3, ShiftColor(p.BackColor, 0.2));
    }
    if (p.DropDownSymbol == 0)
        return;
    const OleColor colour = o.enabled ? o.foreColor : Grey();
    const QPoint c(area.left() + area.width() / 2, area.top() + area.height() / 2);
    for (int i = 0; i < 4; ++i) {
        switch (p.DropDownSymbol) {
        case 2:
            canvas.DrawLine(c.x() - i, c.y() - 2 + i, c.x() + i + 1, c.y() - 2 + i, colour);
            break;
        case 3:
            canvas.DrawLine(c.x() - 1 + i, c.y() - 3 + i, c.x() - 1 + i, c.y() + 4 - i, colour);
            break;
        case 4:
            canvas.DrawLine(c.x() + 2 - i, c.y() - 3 + i, c.x() + 2 - i, c.y() + 4 - i, colour);
            break;
        default:
            canvas.DrawLine(c.x() - 3 + i, c.y() - 1 + i, c.x() + 4 - i, c.y() - 1 + i, colour);
            break;
        }
    }
}

} // namespace tarvex
