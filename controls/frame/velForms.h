#pragma once

#include "controls/frame/CaptionButtons.h"
#include "controls/frame/FrameColors.h"
#include "controls/frame/FrameHostWindow.h"
#include "controls/frame/FramePainter.h"
#include "controls/frame/FrameProperties.h"

#include <QImage>
#include <QWidget>

class QAction;

namespace tarvex {

class FrameGrip;
class FrameSystemMenu;

// velForms: the themed window frame. It turns its parent, a top-level form,
// into a frameless window with the program's own title bar (icon, caption,
// close / maximize / minimize buttons), border, resize grips and system menu.
//
// Hosting it in a window:
//     auto* frame = new velForms(this);   // this = the top-level QWidget form
//     frame->setThemeColor(0);            // and Style, CloseButton, ... as needed
//     auto* ok = new QPushButton("OK", frame);   // the window's controls go on the frame
//     ok->move(20, frame->TitleBarHeight() + 20);
// The frame fills the form and follows its size; the caption is the form's
// windowTitle() and the icon its windowIcon(). Controls on the frame live in
// its coordinates below TitleBarHeight(); when Style becomes 1 (a title bar
// 10 px taller) they move down by 10 px, and back when it changes again.
class velForms final : public QWidget
{
    Q_OBJECT

public:
    // A frame on host (a top-level widget, not null), with the values of a newly placed frame.
    explicit velForms(QWidget* host);
    ~velForms() override;

    // Colour theme 0-6: Blue, Silver, Olive, Khaki, Amber, custom, desktop.
    int ThemeColor() const { return m_p.ThemeColor; }
    void setThemeColor(int value);
    // Frame style 0-5.
    int Style() const { return m_p.Style; }
    void setStyle(int value);
    // Background: 0 button face, 1 the theme's light colour, 2 CustomBackColor.
    int BackColorStyle() const { return m_p.BackColorStyle; }
    void setBackColorStyle(int value);
    // 1 = sizable with the resize grips; anything else = fixed size.
    int BorderStyle() const { return m_p.BorderStyle; }
    void setBorderStyle(int value);
    // Whether the close, maximize and minimize buttons are shown.
    bool CloseButton() const { return m_p.CloseButton; }
    void setCloseButton(bool value);
    bool MaxButton() const { return m_p.MaxButton; }
    void setMaxButton(bool value);
    bool MinButton() const { return m_p.MinButton; }
    void setMinButton(bool value);
    // Background colour for BackColorStyle 2 (an OLE colour).
    OleColor CustomBackColor() const { return m_p.CustomBackColor; }
    void setCustomBackColor(OleColor value);
    // Dark and light colour of the custom theme (ThemeColor 5).
    OleColor ColorFrom() const { return m_p.ColorFrom; }
    void setColorFrom(OleColor value);
    OleColor ColorTo() const { return m_p.ColorTo; }
    void setColorTo(OleColor value);
    // Edge of the title-bar icon in pixels.
    int IconSize() const { return m_p.IconSize; }
    void setIconSize(int value);
    // Also paint the background colour onto the form's controls.
    bool ChangeAllBackgrounds() const { return m_p.ChangeAllBackgrounds; }
    void setChangeAllBackgrounds(bool value);
    // Shadow band under the title bar.
    bool TitleBarShadow() const { return m_p.TitleBarShadow; }
    void setTitleBarShadow(bool value);
    // 0 normal, 2 maximized onto the work area.
    int WindowState() const { return m_p.WindowState; }
    void setWindowState(int value);

    // Whether dragging the title bar moves the window.
    void setMoveable(bool moveable) { m_moveable = moveable; }
    // 2 = the window is centred on the screen before it is first shown, and when restored.
    void setStartUpPosition(int position) { m_startUpPosition = position; }
    // Centres a form whose StartUpPosition is 2 and that was never shown; its owner calls this
    // just before showing it. Moved while it is being shown (Qt has created the native window
    // by then, the window manager has not placed it yet), the window ends up in the right place,
    // but Qt may keep the screen's corner as its position under an X11 window manager such as
    // openbox, and opens its drop-down lists, menus and tips that far off.
    void placeBeforeShowing();

    // Re-lays out and redraws (the background always follows BackColorStyle;
    // the form's controls get it too with ChangeAllBackgrounds).
    void refresh();
    // Does what a click on caption button 0 close, 1 maximize or 2 minimize does
    // (for assistive tools); nothing for a hidden button.
    void pressCaptionButton(int index);
    // Keeps the window above others and checks "Always on Top".
    void setAlwaysOnTop(bool onTop);

    // Height of the title bar in pixels (10 more for style 1).
    int TitleBarHeight() const { return m_titleBarHeight; }
    // The picture the frame shows.
    const QImage& picture() const { return m_picture; }
    // Caption button record 0 close, 1 maximize, 2 minimize.
    const CaptionButtons::Record& captionButton(int index) const { return m_buttons[index]; }
    // The system menu's item index, null when there is none.
    QAction* menuItem(int index) const;
    // The system menu.
    FrameSystemMenu* systemMenu() const { return m_menu; }
    // The colours drawn now (dark, light).
    FrameColors::Pair currentColours() const { return m_current; }

signals:
    // The close button was clicked (not Alt+F4, the menu or the window manager).
    void closeClicked();
    // System menu item index was chosen; caption is its text.
    void menuItemChosen(int index, const QString& caption);
    // The frame moved its controls by dy pixels, down for a taller title bar, up for a shorter.
    void controlsShifted(int dy);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void onHostEvent(const QEvent& event);
    void onHostActivation(bool active);
    void onHostMoved();
    void onHostShown();
    void applySettings();
    void syncMenu();
    void updateTooltips();
    void computeColours();
    void computeTitleHeights();
    void setShiftMark() { m_shifted = m_p.Style == 1; }
    void shiftContainedControls(int dy);
    OleColor background() const;
    FrameLook look() const;
    void redraw();
    void drawButton(int state, int index);
    void resizeHandling();
    void placeGrips();
    void fitToHost();
    void rememberRestore();
    void toggleMaximize();
    void minimize();
    void closeHost();
    void act(int index);
    void onMenuItem(int index);
    void popupMenu(const QPoint& globalPos);
    void setHover(int hover);
    void moveWindow(QMouseEvent* event);
    void endMove();

    FrameProperties m_p;
    FrameHostWindow m_host;
    CaptionButtons m_buttons;
    FrameSystemMenu* m_menu;
    FrameGrip* m_rightGrip;
    FrameGrip* m_bottomGrip;
    QImage m_picture;
    QString m_caption;
    FrameColors::Pair m_theme;
    FrameColors::Pair m_current;
    int m_drawnHover = -1;
    int m_pressed = -1;
    Qt::MouseButton m_lastButton = Qt::NoButton;
    int m_baseHeight = 31;
    int m_titleBarHeight = 31;
    QRect m_restore;
    bool m_active = false;
    bool m_closing = false; // the frame closes the window: its look stays as it is
    bool m_gripsInUse = false;
    bool m_shifted = false;
    bool m_moveable = true;
    int m_startUpPosition = 0;
    bool m_shownOnce = false;
    int m_gripDrag = 0;
    QPoint m_pressPos;
    QPoint m_moveOffset;
    enum class Moving { No, Pending, System, ByHand } m_moving = Moving::No;
};

} // namespace tarvex
