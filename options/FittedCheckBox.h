#pragma once

#include <QCheckBox>

namespace tarvex {

/// A check box laid out in a designed rectangle: its caption wraps onto as many lines as the
/// height holds and, when it still would not fit (a desktop without the designed font draws
/// wider), its font shrinks step by step down to MinimumPointSize, so the text stays whole.
class FittedCheckBox final : public QCheckBox
{
    Q_OBJECT

public:
    static constexpr qreal MinimumPointSize = 6.5;

    /// A check box captioned `text` on `parent`.
    FittedCheckBox(const QString& text, QWidget* parent);

    /// Sets the font the caption starts from before fitting.
    void setDesignFont(const QFont& font);
    /// True when the caption fits the box in the current font.
    bool captionFits() const { return fits(font()); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    QRect textRect() const;
    bool fits(const QFont& font) const;
    void fit();

    QFont m_designFont;
};

} // namespace tarvex
