#pragma once

#include "controls/button/ButtonDrawing.h"
#include "controls/button/ButtonProperties.h"
#include "controls/Canvas.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

class QAction;
class QMenu;
class QShortcut;

namespace tarvex {

// The program's skinned push button: fourteen drawing styles, push, check
// and option modes, an optional drop-down menu, pointer tracking and the
// keyboard handling of a standard button. Events are the signals below, with their arguments
// in order.
class velbutton final : public QWidget
{
    Q_OBJECT

public:
    // A freshly placed control: "New" values, caption = name, style 13.
    explicit velbutton(QWidget* parent = nullptr,
                       const QString& name = QStringLiteral("velbutton1"));
    ~velbutton() override;

    // All properties at once (read only; use the setters to change them).
    const ButtonProperties& properties() const { return m_props; }

    // BackColor; setting it switches ColorScheme to 3 (custom) unless ButtonStyle is 4.
    OleColor BackColor() const { return m_props.BackColor; }
    void setBackColor(OleColor colour);
    // ButtonStyle; setting it re-derives the style's scheme and colours. A number outside the
    // fourteen styles is taken as the nearest one.
    ButtonStyleKind ButtonStyle() const { return m_props.ButtonStyle; }
    void setButtonStyle(ButtonStyleKind style);
    // Caption, with "&x" marking the access key x.
    QString Caption() const { return m_props.Caption; }
    void setCaption(const QString& caption);
    // CaptionAlign: left, centre or right.
    CaptionAlignment CaptionAlign() const { return m_props.CaptionAlign; }
    void setCaptionAlign(CaptionAlignment align);
    // CaptionEffects 0..5 (1 raised, 2 sunk, 3 grey shadow, 4 light halo, 5 dark halo).
    int CaptionEffects() const { return m_props.CaptionEffects; }
    void setCaptionEffects(int effects);
    // ColorScheme 0 blue, 1 olive, 2 silver, 3 custom; re-derives the style colours.
    int ColorScheme() const { return m_props.ColorScheme; }
    void setColorScheme(int scheme);
    // DisabledPictureMode: 0 greyed, 1 embossed, 2 faded.
    int DisabledPictureMode() const { return m_props.DisabledPictureMode; }
    void setDisabledPictureMode(int mode);
    // DropDownSeparator: a divider before the drop-down symbol area.
    bool DropDownSeparator() const { return m_props.DropDownSeparator; }
    void setDropDownSeparator(bool on);
    // DropDownSymbol: 0 none, 1 down, 2 up, 3 right, 4 left arrow.
    int DropDownSymbol() const { return m_props.DropDownSymbol; }
    void setDropDownSymbol(int symbol);
    // Enabled (the window's own flag; QWidget::setEnabled sets it).
    bool Enabled() const { return m_props.Enabled; }
    // Font of the caption.
    QFont Font() const { return m_props.Font; }
    void setCaptionFont(const QFont& font);
    // ForeColor of the caption.
    OleColor ForeColor() const { return m_props.ForeColor; }
    void setForeColor(OleColor colour);
    // ForeColorHover: the caption colour while Hot.
    OleColor ForeColorHover() const { return m_props.ForeColorHover; }
    void setForeColorHover(OleColor colour);
    // HandPointer: the hand cursor over the button; setting it true resets MousePointer.
    bool HandPointer() const { return m_props.HandPointer; }
    void setHandPointer(bool on);
    // MaskColor: the colour made transparent in pictures when UseMaskColor is set.
    OleColor MaskColor() const { return m_props.MaskColor; }
    void setMaskColor(OleColor colour);
    // Mode: push, check or option.
    ButtonMode Mode() const { return m_props.Mode; }
    void setMode(ButtonMode mode);
    // MouseIcon: the cursor picture for MousePointer 99.
    QPixmap MouseIcon() const { return m_props.MouseIcon; }
    void setMouseIcon(const QPixmap& icon);
    // MousePointer: the cursor kind (0 default, 1 arrow, 2 cross, 3 I-beam, ... 99 custom).
    int MousePointer() const { return m_props.MousePointer; }
    void setMousePointer(int pointer);
    // PictureAlign: where the picture stands.
    PicturePosition PictureAlign() const { return m_props.PictureAlign; }
    void setPictureAlign(PicturePosition align);
    // The three pictures: normal, Hot, Down.
    QImage PictureNormal() const { return m_props.PictureNormal; }
    void setPictureNormal(const QImage& picture);
    QImage PictureHot() const { return m_props.PictureHot; }
    void setPictureHot(const QImage& picture);
    QImage PictureDown() const { return m_props.PictureDown; }
    void setPictureDown(const QImage& picture);
    // Picture effects in Down and Hot: 0 none, 1 lighten, 2 darken, 3 grey, 4 invert.
    int PictureEffectOnDown() const { return m_props.PictureEffectOnDown; }
    void setPictureEffectOnDown(int effect);
    int PictureEffectOnOver() const { return m_props.PictureEffectOnOver; }
    void setPictureEffectOnOver(int effect);
    // Picture opacity 0..255, normally and while Hot.
    int PictureOpacity() const { return m_props.PictureOpacity; }
    void setPictureOpacity(int opacity);
    int PictureOpacityOnOver() const { return m_props.PictureOpacityOnOver; }
    void setPictureOpacityOnOver(int opacity);
    // PicturePushOnHover: the picture lifts off a grey copy while Hot.
    bool PicturePushOnHover() const { return m_props.PicturePushOnHover; }
    void setPicturePushOnHover(bool on);
    // PictureShadow: a soft shadow under the picture.
    bool PictureShadow() const { return m_props.PictureShadow; }
    void setPictureShadow(bool on);
    // RightToLeft reading of the caption.
    bool RightToLeft() const { return m_props.RightToLeft; }
    void setRightToLeft(bool on);
    // ShowFocusRect: draw the dotted focus rectangle while focused.
    bool ShowFocusRect() const { return m_props.ShowFocusRect; }
    void setShowFocusRect(bool on);
    // Tooltip text, title, icon (0 none, 1 info, 2 warning, 3 error), type
    // (0 standard, 1 balloon) and background colour (0 = the default colour).
    QString ToolTip() const { return m_props.ToolTip; }
    void setToolTipText(const QString& text);
    QString TooltipTitle() const { return m_props.TooltipTitle; }
    void setTooltipTitle(const QString& title);
    int ToolTipIcon() const { return m_props.ToolTipIcon; }
    void setToolTipIcon(int icon);
    int ToolTipType() const { return m_props.ToolTipType; }
    void setToolTipType(int type);
    OleColor TooltipBackColor() const { return m_props.TooltipBackColor; }
    void setTooltipBackColor(OleColor colour);
    // UseMaskColor: make MaskColor transparent in pictures.
    bool UseMaskColor() const { return m_props.UseMaskColor; }
    void setUseMaskColor(bool on);
    // Value: checked state in check and option mode (push mode does not keep it).
    bool Value() const { return m_props.Value; }
    void setValue(bool value);

    // Shows this button as the window's default button; Enter anywhere in the window clicks it.
    void setDefault(bool on);
    bool isDefault() const { return m_displayAsDefault; }
    // Makes Escape anywhere in the window click this button.
    void setCancel(bool on);
    bool isCancel() const { return m_cancelShortcut != nullptr; }

    // Attaches menu (ignored when null); align 0..7 picks the anchor, flags add
    // alignment bits (4 centre, 8 right, 0x10 vcentre, 0x20 bottom), defaultMenu shows bold.
    void SetPopupMenu(QMenu* menu, int align = 0, int flags = 0, QAction* defaultMenu = nullptr);
    // Detaches the menu and clears the menu flags.
    void UnsetPopupMenu();
    // Opens sAddress with the desktop's opener (never through a shell); false when refused.
    bool OpenWebsite(const QString& sAddress);
    // Shows the control's about box ("VelButton v 1.02").
    void About();
    // Clears Value on every other option-mode velbutton in the same container.
    void ClearOptionGroup();
    // The host's delivery of the access key (its character), the default key (13) or cancel (27).
    void AccessKeyPress(int keyAscii);
    // Presses the button for assistive tools: as a click does (check mode toggles
    // Value, option mode sets it), or opens the attached menu. Nothing while disabled.
    void Press();
    // Whether a drop-down menu is attached.
    bool hasPopupMenu() const { return !m_menu.isNull(); }

    // The current ButtonState.
    ButtonState state() const { return m_state; }
    // The access key derived from Caption (null when none).
    QChar accessKey() const { return m_accessKey; }
    // The tooltip window created on the last entry into Hot (null when none).
    QWidget* toolTipWindow() const { return m_toolTip; }
    // The button as last drawn, at its current size.
    QImage surface();
    // Repaints the whole control from its properties and state.
    void RedrawButton();

    // The window region of a style at a size (empty = the plain rectangle).
    static QRegion ButtonRegion(ButtonStyleKind style, QSize size);

    // Size from the caption, and at least 220 twips each way.
    QSize sizeHint() const override;

    // Events. Button: 1 left, 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt;
    // X, Y in pixels from the top-left corner; KeyCode: the virtual-key number.
signals:
    // A completed click, Enter, a Space press-and-release, the access, default or cancel key.
    void Click();
    // A left double click, when no menu is attached.
    void DblClick();
    // Every mouse move while the pointer is over the button.
    void MouseEnter();
    // The pointer left the button.
    void MouseLeave();
    // Every mouse move over the button (and while it holds the mouse).
    void MouseMove(short Button, short Shift, float X, float Y);
    // Any mouse button released, when no menu is attached.
    void MouseUp(short Button, short Shift, float X, float Y);
    // The left button pressed, when no menu is attached.
    void MouseDown(short Button, short Shift, float X, float Y);
    // Any key pressed while focused, except Alt+Space.
    void KeyDown(short KeyCode, short Shift);
    // Space released while focused (no other key raises it).
    void KeyUp(short KeyCode, short Shift);
    // Every character key.
    void KeyPress(short KeyAscii);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct MouseArgs
    {
        short button = 0;
        short shift = 0;
        float x = 0;
        float y = 0;
    };

    // (Re)creates the tooltip window on each change into Hot.
    void CreateButtonToolTip();
    void CreateButtonRegion();
    void ShowDropDownMenu();
    void forgetClosingClickLater();
    void UpdateAccessKey();
    void applyStyleDefaults();
    void applyCursor();
    void setState(ButtonState state);
    void redrawIf(bool changed);
    void pressLeft(const MouseArgs& args);
    void onSpacePressed(bool autoRepeat);
    bool onSpaceReleased();
    void activationChanged(bool active);
    bool containsPoint(const QPoint& p) const;
    bool pointerOverNow() const;
    void renderSurface();
    void notifyAccessibleState();
    bool showsAsDefault() const;
    static MouseArgs argsOf(const QMouseEvent* event);

    ButtonProperties m_props;
    ButtonState m_state = ButtonState::Normal;
    bool m_pointerOver = false;
    bool m_leftDown = false;
    bool m_spaceDown = false;
    bool m_hasFocus = false;
    bool m_parentActive = false;
    bool m_displayAsDefault = false;
    bool m_menuShowing = false;
    bool m_menuClosedOnButton = false;
    bool m_themeAvailable = true;
    bool m_dirty = true;
    bool m_reportedPressed = false; // as last told to assistive tools
    bool m_reportedChecked = false;
    QChar m_accessKey;
    QImage m_surface;
    QPointer<QMenu> m_menu;
    QPointer<QAction> m_defaultMenu;
    int m_menuAlign = 0;
    int m_menuFlags = 0;
    QShortcut* m_accessShortcut = nullptr;
    QShortcut* m_defaultShortcut = nullptr;
    QShortcut* m_defaultEnterShortcut = nullptr;
    QShortcut* m_cancelShortcut = nullptr;
    QMetaObject::Connection m_focusWatch;
    QPointer<QWidget> m_toolTip; // kept by CreateButtonToolTip
};

} // namespace tarvex
