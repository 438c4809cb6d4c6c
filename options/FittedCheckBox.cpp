#include "options/FittedCheckBox.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tarvex {
namespace {

constexpr int TextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

} // namespace

FittedCheckBox::FittedCheckBox(const QString& text, QWidget* parent)
    : QCheckBox(text, parent), m_designFont(font())
{}

void FittedCheckBox::setDesignFont(const QFont& font)
{
    m_designFont = font;
    fit();
}

// The caption's room: right of the indicator, the full height of the box.
QRect FittedCheckBox::textRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const int left = indicator.right() + 1 + spacing;
    return QRect(left, 0, width() - left, height());
}

bool FittedCheckBox::fits(const QFont& font) const
{
    const QRect room = textRect();
    const QRect needed = QFontMetrics(font).boundingRect(room, TextFlags, text());
    return needed.width() <= room.width() && needed.height() <= room.height();
}

void FittedCheckBox::fit()
{
    QFont candidate = m_designFont;
    while (!fits(candidate) && candidate.pointSizeF() - 0.5 >= MinimumPointSize)
        candidate.setPointSizeF(candidate.pointSizeF() - 0.5);
    if (candidate != font())
        setFont(candidate);
}

void FittedCheckBox::resizeEvent(QResizeEvent* event)
{
    QCheckBox::resizeEvent(event);
    fit();
}

void FittedCheckBox::paintEvent(QPaintEvent* /*event*/)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.state &= ~QStyle::State_HasFocus; // the focus goes round the caption, below
    painter.drawControl(QStyle::CE_CheckBox, option);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(textRect(), TextFlags, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = QFontMetrics(font()).boundingRect(textRect(), TextFlags, text());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

// The whole designed rectangle answers the mouse, caption included.
bool FittedCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

} // namespace tarvex
