#pragma once

#include "controls/button/ButtonDrawing.h"
#include "controls/button/ButtonProperties.h"

#include <QAbstractButton>
#include <QPointer>

class QAction;
class QMenu;
class QShortcut;

namespace tarvex {

// The program's skinned push button: a QAbstractButton drawn in one of fourteen styles, with
// an optional drop-down menu and a tooltip window of its own. Qt gives it what a button does:
// clicked(), checkable and auto-exclusive modes, the access key of its "&" caption, focus and
// keyboard handling; it adds Enter on the focused button and the window-wide default (Enter)
// and cancel (Escape) keys, and reports pointer movement over it.
class velbutton final : public QAbstractButton
{
    Q_OBJECT

public:
    // A freshly placed control: the look's initial values, caption = name, style 13.
    explicit velbutton(QWidget* parent = nullptr,
                       const QString& name = QStringLiteral("velbutton1"));
    ~velbutton() override;

    // The whole look (read only; use the setters to change it).
    const ButtonProperties& properties() const { return m_props; }

    // The drawing style; setting it re-derives the style's scheme and colours. A number outside
    // the fourteen styles is taken as the nearest one.
    ButtonStyleKind ButtonStyle() const { return m_props.ButtonStyle; }
    void setButtonStyle(ButtonStyleKind style);
    // The caption, with "&x" marking the access key x (the button's text).
    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    // Push, check (checkable) or option (checkable, one checked per container).
    ButtonMode Mode() const;
    void setMode(ButtonMode mode);
    // The background; setting it switches ColorScheme to 3 (custom) unless ButtonStyle is 4.
    void setBackColor(OleColor colour);
    // 0 blue, 1 olive, 2 silver, 3 custom; re-derives the style colours.
    void setColorScheme(int scheme);
    // The hand cursor over the button; setting it true resets MousePointer.
    void setHandPointer(bool on);
    // The cursor kind (0 default, 1 arrow, 2 cross, 3 I-beam, ... 99 MouseIcon).
    void setMousePointer(int pointer);
    void setMouseIcon(const QPixmap& icon);
    // Picture opacity 0..255, normally and under the pointer.
    void setPictureOpacity(int opacity);
    void setPictureOpacityOnOver(int opacity);
    // The other parts of the look; each redraws (see ButtonProperties).
    void setCaptionAlign(CaptionAlignment align);
    void setCaptionEffects(int effects);
    void setDisabledPictureMode(int mode);
    void setDropDownSeparator(bool on);
    void setDropDownSymbol(int symbol);
    void setForeColor(OleColor colour);
    void setForeColorHover(OleColor colour);
    void setMaskColor(OleColor colour);
    void setPictureAlign(PicturePosition align);
    void setPictureNormal(const QImage& picture);
    void setPictureHot(const QImage& picture);
    void setPictureDown(const QImage& picture);
    void setPictureEffectOnDown(int effect);
    void setPictureEffectOnOver(int effect);
    void setPicturePushOnHover(bool on);
    void setPictureShadow(bool on);
    void setRightToLeft(bool on);
    void setShowFocusRect(bool on);
    void setTooltipTitle(const QString& title);
    void setToolTipIcon(int icon);
    void setToolTipType(int type);
    void setTooltipBackColor(OleColor colour);
    void setUseMaskColor(bool on);

    // Shows this button as the window's default button; Enter anywhere in the window clicks it.
    void setDefault(bool on);
    bool isDefault() const { return m_default; }
    // Makes Escape anywhere in the window click this button.
    void setCancel(bool on);
    bool isCancel() const { return m_cancelShortcut != nullptr; }

    // Attaches menu (ignored when null): a press opens it instead of clicking. align 0..7 picks
    // the anchor, flags add alignment bits (4 centre, 8 right, 0x10 vcentre, 0x20 bottom),
    // defaultItem shows bold.
    void SetPopupMenu(QMenu* menu, int align = 0, int flags = 0, QAction* defaultItem = nullptr);
    // Detaches the menu.
    void UnsetPopupMenu();
    // Whether a drop-down menu is attached.
    bool hasPopupMenu() const { return !m_menu.isNull(); }
    // Clicks the button, or opens its menu, for assistive tools; nothing while disabled.
    void press();

    // Opens address with the desktop's opener (never through a shell); false when refused.
    bool OpenWebsite(const QString& address);
    // Shows the control's about box ("VelButton v 1.02").
    void About();

    // The state drawn now.
    ButtonState state() const;
    // The tooltip window made on the last entry under the pointer (null when none).
    QWidget* toolTipWindow() const { return m_toolTip; }

    // The window region of a style at a size (empty = the plain rectangle).
    static QRegion ButtonRegion(ButtonStyleKind style, QSize size);

    // Size from the caption, and at least 220 twips each way.
    QSize sizeHint() const override;

signals:
    // The pointer moved over the button (or while the button holds it).
    void pointerMoved();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void restyle();
    void applyCursor();
    void applyMask();
    void pressByKey(bool defaultOrCancel);
    void setHot(bool hot);
    void activationChanged(bool active);
    void renewToolTip();
    void openMenu();
    void forgetClosingClickLater();
    bool containsPoint(const QPoint& p) const;
    bool pointerOverNow() const;
    bool showsAsDefault() const;
    ButtonDrawing drawing() const;

    ButtonProperties m_props;
    bool m_hot = false;          // drawn under the pointer
    bool m_pointerOver = false;  // the pointer is over the button's shape
    bool m_hasFocus = false;     // a pop-up taking the keyboard does not take it away
    bool m_parentActive = false; // follows the activation of the window the button is
    bool m_default = false;
    bool m_menuShowing = false;
    bool m_menuClosedOnButton = false; // the click that closed the menu was on the button
    bool m_themeAvailable = true;
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_defaultItem;
    int m_menuAlign = 0;
    int m_menuFlags = 0;
    QShortcut* m_defaultShortcut = nullptr;
    QShortcut* m_defaultEnterShortcut = nullptr;
    QShortcut* m_cancelShortcut = nullptr;
    QMetaObject::Connection m_focusWatch;
    QPointer<QWidget> m_toolTip;
};

} // namespace tarvex
