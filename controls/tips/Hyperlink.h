#pragma once

#include "controls/tips/HyperlinkProperties.h"

#include <QWidget>

class QLabel;

namespace tarvex {

// A one-line text that behaves like a web link: it changes colour and font while the pointer
// is over it (only while the program is in the foreground), shows a hand pointer, takes the
// focus from the keyboard only (clicking it leaves the focus where it was), draws a dotted
// focus rectangle for keyboard focus, and raises Jump when clicked or activated with Enter or
// Space; after the first jump it shows in the used colour. Arrow keys go to the parent.
// The hover look follows the pointer's enter, move and leave events and the window's
// activation; nothing runs while the pointer rests.
class Hyperlink final : public QWidget
{
    Q_OBJECT

public:
    /// A link with the initial values of a newly placed control, its caption set to its name.
    explicit Hyperlink(QWidget* parent = nullptr,
                       const QString& name = QStringLiteral("Hyperlink1"));

    /// Text of the link.
    QString Caption() const { return m_props.Caption; }
    void SetCaption(const QString& caption);
    /// False shows the link disabled; it then neither hovers nor jumps.
    bool Enabled() const { return m_props.Enabled; }
    void SetEnabled(bool enabled);
    /// Hover colour and font on or off.
    bool HoverEnabled() const { return m_props.HoverEnabled; }
    void SetHoverEnabled(bool enabled);
    /// Number of the program's cursor image used with CursorCustom (":/cursors/<id>.png").
    int CursorID() const { return m_props.CursorID; }
    void SetCursorID(int id);
    /// Shows a special pointer (hand or custom) over the link.
    bool CursorUse() const { return m_props.CursorUse; }
    void SetCursorUse(bool use);
    /// Uses the program's cursor CursorID instead of the desktop's hand.
    bool CursorCustom() const { return m_props.CursorCustom; }
    void SetCursorCustom(bool custom);
    /// The control takes the size of its text plus the 1-pixel margin.
    bool AutoSize() const { return m_props.AutoSize; }
    void SetAutoSize(bool autoSize);
    /// Text alignment: left, right or centre.
    LinkAlignment Alignment() const { return m_props.Alignment; }
    void SetAlignment(LinkAlignment alignment);
    /// Background colour (OLE colour).
    OleColor BackColor() const { return m_props.BackColor; }
    void SetBackColor(OleColor colour);
    /// Text colour at rest.
    OleColor ColorNormal() const { return m_props.ColorNormal; }
    void SetColorNormal(OleColor colour);
    /// Text colour under the pointer.
    OleColor ColorHover() const { return m_props.ColorHover; }
    void SetColorHover(OleColor colour);
    /// Text colour at rest after the first jump.
    OleColor ColorUsed() const { return m_props.ColorUsed; }
    void SetColorUsed(OleColor colour);
    /// Font at rest.
    QFont FontNormal() const { return m_props.FontNormal; }
    void SetFontNormal(const QFont& font);
    /// Font under the pointer.
    QFont FontHover() const { return m_props.FontHover; }
    void SetFontHover(const QFont& font);

    /// Follows the link as Enter does (for assistive tools); nothing while disabled.
    void Follow();
    /// True once the link has jumped; it then rests in ColorUsed.
    bool isUsed() const { return m_used; }
    /// True while the hover look is shown.
    bool isHovering() const { return m_hovering; }
    /// True while the dotted focus rectangle is drawn (focus that came from the keyboard).
    bool isFocusRectShown() const;
    QSize sizeHint() const override;

signals:
    /// Occurs when the hyperlink is accessed.
    void Jump();
    /// Occurs when the hyperlink is going to be accessed. Decide here if the 'LostFocus' event
    /// will always be fired or not (set EnsureFiringLostFocus; direct connections only).
    void PrepareJump(bool& EnsureFiringLostFocus);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateHover(bool over);
    void updateHoverFromCursor();
    void updateHoverAt(const QPoint& global);
    void finishJump();
    bool pointerOverLabel(const QPoint& globalPos) const;
    void activate();
    void onLostFocus();
    void applyRestLook();
    void applyHoverLook();
    void applyLook(OleColor colour, const QFont& font);
    void applyPointer();
    void applyAll();
    void layOut();

    HyperlinkProperties m_props;
    QLabel* m_label;
    bool m_hovering = false;
    bool m_needsRefresh = false;
    bool m_used = false;
    bool m_jumpPending = false;
    bool m_activating = false;
    bool m_keyboardFocus = false;
    bool m_resizing = false;
};

} // namespace tarvex
