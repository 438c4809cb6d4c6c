#include "controls/tips/TipPainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

constexpr int IconSize = 16;
constexpr int IconGap = 6;
constexpr int BalloonRadius = 7;
constexpr int StemWidth = 14;
constexpr int StemMargin = 8;

// Lays `text` out in lines of at most `width` pixels, breaking between words where it can and
// inside a word only when the word alone is too long; returns the size the lines take.
QSize layOutLines(QTextLayout& layout, int width, bool rightToLeft)
{
    QTextOption option(rightToLeft ? Qt::AlignRight : Qt::AlignLeft);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    qreal height = 0;
    qreal used = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
        used = std::max(used, line.naturalTextWidth());
    }
    layout.endLayout();
    return QSize(int(std::ceil(used)), int(std::ceil(height)));
}

QString layoutText(QString text)
{
    return text.replace(QLatin1Char('\n'), QChar::LineSeparator);
}

} // namespace

TipPainter::TipPainter(const TipContent& content, const QFont& font, const QPalette& palette,
                       const QStyle* style)
    : m_content(content), m_font(font), m_titleFont(font), m_style(style)
{
    m_titleFont.setBold(true);
    m_background =
        content.background.isValid() ? content.background : palette.color(QPalette::ToolTipBase);
    m_foreground =
        content.foreground.isValid() ? content.foreground : palette.color(QPalette::ToolTipText);
    layOut();
}

int TipPainter::padding() const
{
    return m_content.shape == TipShape::Balloon ? 8 : 4;
}

int TipPainter::titleHeight() const
{
    return m_content.hasTitleLine() ? m_titleSize.height() : 0;
}

void TipPainter::layOut()
{
    QTextLayout layout(layoutText(m_content.text), m_font);
    m_textSize = m_content.text.isEmpty() ? QSize() : layOutLines(layout, MaxTextWidth, false);
    m_textSize.setWidth(std::min(m_textSize.width(), MaxTextWidth));
    m_titleSize = m_content.hasTitleLine() ? titleLineSize() : QSize();
    const int gap = (m_content.hasTitleLine() && !m_textSize.isEmpty()) ? padding() : 0;
    m_bodySize = QSize(std::max(m_textSize.width(), m_titleSize.width()) + 2 * padding(),
                       titleHeight() + gap + m_textSize.height() + 2 * padding());
}

QSize TipPainter::titleLineSize() const
{
    const QFontMetrics metrics(m_titleFont);
    const bool hasIcon = m_content.icon != TipIcon::None;
    const int titleWidth = metrics.horizontalAdvance(m_content.title);
    const int iconWidth = hasIcon ? IconSize + (titleWidth > 0 ? IconGap : 0) : 0;
    return QSize(iconWidth + titleWidth, std::max(hasIcon ? IconSize : 0, metrics.height()));
}

QSize TipPainter::imageSize(StemSide side) const
{
    const int shadow = m_content.shadow ? ShadowDepth : 0;
    const int stem = side == StemSide::None ? 0 : StemHeight;
    return m_bodySize + QSize(shadow, shadow + stem);
}

QRect TipPainter::bodyRect(StemSide side) const
{
    return QRect(QPoint(0, side == StemSide::Top ? StemHeight : 0), m_bodySize);
}

std::pair<int, int> TipPainter::stemRange() const
{
    return {StemMargin, m_bodySize.width() - StemMargin - 1};
}

QRect TipPainter::titleRect(StemSide side) const
{
    if (!m_content.hasTitleLine())
        return {};
    const QRect body = bodyRect(side);
    return QRect(body.left() + padding(), body.top() + padding(), body.width() - 2 * padding(),
                 titleHeight());
}

QRect TipPainter::textRect(StemSide side) const
{
    const QRect body = bodyRect(side);
    const int top = m_content.hasTitleLine() ? titleRect(side).bottom() + 1 + padding()
                                             : body.top() + padding();
    return QRect(body.left() + padding(), top, body.width() - 2 * padding(), m_textSize.height());
}

QPainterPath TipPainter::outline(StemSide side, int stemX) const
{
    const QRectF body = QRectF(bodyRect(side)).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    if (m_content.shape == TipShape::Rectangle) {
        path.addRect(body);
        return path;
    }
    path.addRoundedRect(body, BalloonRadius, BalloonRadius);
    if (side == StemSide::None)
        return path;
    return path.united(stemPath(side, body, stemX)).simplified();
}

QPainterPath TipPainter::stemPath(StemSide side, const QRectF& body, int stemX) const
{
    const auto [low, high] = stemRange();
    const qreal apexX = std::clamp(stemX, low, high) + 0.5;
    // The stem's base leans toward the middle of the tip so it never leaves the body.
    const qreal lean = apexX < body.center().x() ? 1 : -1;
    const qreal edge = side == StemSide::Top ? body.top() + 1 : body.bottom() - 1;
    QPainterPath stem;
    stem.moveTo(apexX + lean, edge);
    stem.lineTo(apexX, side == StemSide::Top ? 0.5 : body.bottom() + StemHeight);
    stem.lineTo(apexX + lean * StemWidth, edge);
    stem.closeSubpath();
    return stem;
}

QImage TipPainter::render(StemSide side, int stemX, qreal pixelRatio) const
{
    QImage image(imageSize(side) * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, m_content.shape == TipShape::Balloon);
    const QPainterPath shape = outline(side, stemX);
    if (m_content.shadow)
        drawShadow(painter, shape);
    drawBody(painter, shape);
    drawTitle(painter, titleRect(side));
    drawText(painter, textRect(side));
    return image;
}

void TipPainter::drawShadow(QPainter& painter, const QPainterPath& shape) const
{
    // Stacked, slightly offset fills: darkest close to the tip, fading outward.
    for (int offset = ShadowDepth; offset >= 1; --offset)
        painter.fillPath(shape.translated(offset, offset), QColor(0, 0, 0, 22));
}

void TipPainter::drawBody(QPainter& painter, const QPainterPath& shape) const
{
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillPath(shape, m_background);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen(m_foreground, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
}

void TipPainter::drawText(QPainter& painter, const QRect& rect) const
{
    QTextLayout layout(layoutText(m_content.text), m_font);
    layOutLines(layout, rect.width(), m_content.rightToLeft);
    painter.setPen(m_foreground);
    layout.draw(&painter, rect.topLeft());
}

void TipPainter::drawTitle(QPainter& painter, const QRect& rect) const
{
    if (rect.isEmpty())
        return;
    QRect textArea = rect;
    if (m_content.icon != TipIcon::None) {
        const int top = rect.top() + (rect.height() - IconSize) / 2;
        const int left = m_content.rightToLeft ? rect.right() - IconSize + 1 : rect.left();
        painter.drawPixmap(QRect(left, top, IconSize, IconSize), iconPixmap());
        const int used = IconSize + IconGap;
        textArea.adjust(m_content.rightToLeft ? 0 : used, 0, m_content.rightToLeft ? -used : 0, 0);
    }
    painter.setFont(m_titleFont);
    painter.setPen(m_foreground);
    const int align = (m_content.rightToLeft ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    painter.drawText(textArea, align | Qt::TextSingleLine, m_content.title);
}

QPixmap TipPainter::iconPixmap() const
{
    if (!m_style)
        return {};
    QStyle::StandardPixmap kind = QStyle::SP_MessageBoxInformation;
    if (m_content.icon == TipIcon::Warning)
        kind = QStyle::SP_MessageBoxWarning;
    else if (m_content.icon == TipIcon::Error)
        kind = QStyle::SP_MessageBoxCritical;
    return m_style->standardIcon(kind).pixmap(IconSize, IconSize);
}

} // namespace tarvex
