#include "controls/button/velbutton.h"

#include "controls/button/StylePainter.h"
#include "controls/Canvas.h"
#include "controls/ControlAccessibility.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QShortcut>
#include <QUrl>

#include <cmath>

namespace tarvex {

namespace {

// 220 twips at 15 twips per pixel, rounded up to whole pixels.
const int kMinimumPixels = int(std::ceil(220 / 15.0));

// Enter in an open pop-up (a drop-down list's entries, a menu) belongs to the pop-up: it
// chooses the entry. A drop-down list closes itself while Qt asks whether anyone claims the key,
// and then the window's default button would take the same key press too. Claiming Enter for
// every widget of a pop-up window keeps the default button out of it.
class PopupEnterFilter final : public QObject
{
public:
    static void install()
    {
        static PopupEnterFilter* filter = [] {
            auto* f = new PopupEnterFilter(qApp);
            qApp->installEventFilter(f);
            return f;
        }();
        Q_UNUSED(filter);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const auto* widget = static_cast<QWidget*>(watched);
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
                widget->window()->windowType() == Qt::Popup)
                event->accept();
        }
        return false;
    }

private:
    using QObject::QObject;
};

} // namespace

velbutton::velbutton(QWidget* parent, const QString& name) : QAbstractButton(parent)
{
    ControlAccessibility::Install();
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(kMinimumPixels, kMinimumPixels);
    // Tahoma where installed, else the host's own family rather than whatever the font matcher
    // picks for an unknown name.
    QFont captionFont = font();
    captionFont.setFamilies({QStringLiteral("Tahoma"), captionFont.family()});
    setFont(captionFont);
    setText(name);
    restyle();
}

velbutton::~velbutton()
{
    // The base destructor moves the focus away, which emits focusChanged while this is no
    // longer a button: the default look's watch must not run then.
    disconnect(m_focusWatch);
}

ButtonMode velbutton::Mode() const
{
    if (!isCheckable())
        return ButtonMode::Push;
    return autoExclusive() ? ButtonMode::Option : ButtonMode::Check;
}

void velbutton::setMode(ButtonMode mode)
{
    setCheckable(mode == ButtonMode::Check || mode == ButtonMode::Option);
    setAutoExclusive(mode == ButtonMode::Option);
    update();
}

void velbutton::setButtonStyle(ButtonStyleKind style)
{
    m_props.ButtonStyle = ButtonStyleKind(std::clamp(int(style), 0, ButtonStyleCount - 1));
    restyle();
}

void velbutton::restyle()
{
    m_props.DefaultColorSchemeFor();
    m_props.ApplyStyleColors();
    applyMask();
    update();
}

void velbutton::setBackColor(OleColor colour)
{
    m_props.BackColor = colour;
    if (m_props.ButtonStyle != ButtonStyleKind::VistaAero)
        m_props.ColorScheme = 3;
    update();
}

void velbutton::setColorScheme(int scheme)
{
    m_props.ColorScheme = scheme;
    m_props.ApplyStyleColors();
    update();
}

void velbutton::setHandPointer(bool on)
{
    m_props.HandPointer = on;
    if (on)
        m_props.MousePointer = 0;
    applyCursor();
}

void velbutton::setMousePointer(int pointer)
{
    m_props.MousePointer = pointer;
    applyCursor();
}

void velbutton::setMouseIcon(const QPixmap& icon)
{
    m_props.MouseIcon = icon;
    applyCursor();
}

void velbutton::setPictureOpacity(int opacity)
{
    m_props.PictureOpacity = std::clamp(opacity, 0, 255);
    update();
}

void velbutton::setPictureOpacityOnOver(int opacity)
{
    m_props.PictureOpacityOnOver = std::clamp(opacity, 0, 255);
    update();
}

// Parts of the look whose only side effect is a redraw.
#define VELBUTTON_LOOK_SETTER(Setter, Type, Member)                                                \
    void velbutton::Setter(Type value)                                                             \
    {                                                                                              \
        m_props.Member = value;                                                                    \
        update();                                                                                  \
    }
VELBUTTON_LOOK_SETTER(setCaptionAlign, CaptionAlignment, CaptionAlign)
VELBUTTON_LOOK_SETTER(setCaptionEffects, int, CaptionEffects)
VELBUTTON_LOOK_SETTER(setDisabledPictureMode, int, DisabledPictureMode)
VELBUTTON_LOOK_SETTER(setDropDownSeparator, bool, DropDownSeparator)
VELBUTTON_LOOK_SETTER(setDropDownSymbol, int, DropDownSymbol)
VELBUTTON_LOOK_SETTER(setForeColor, OleColor, ForeColor)
VELBUTTON_LOOK_SETTER(setForeColorHover, OleColor, ForeColorHover)
VELBUTTON_LOOK_SETTER(setMaskColor, OleColor, MaskColor)
VELBUTTON_LOOK_SETTER(setPictureAlign, PicturePosition, PictureAlign)
VELBUTTON_LOOK_SETTER(setPictureNormal, const QImage&, PictureNormal)
VELBUTTON_LOOK_SETTER(setPictureHot, const QImage&, PictureHot)
VELBUTTON_LOOK_SETTER(setPictureDown, const QImage&, PictureDown)
VELBUTTON_LOOK_SETTER(setPictureEffectOnDown, int, PictureEffectOnDown)
VELBUTTON_LOOK_SETTER(setPictureEffectOnOver, int, PictureEffectOnOver)
VELBUTTON_LOOK_SETTER(setPicturePushOnHover, bool, PicturePushOnHover)
VELBUTTON_LOOK_SETTER(setPictureShadow, bool, PictureShadow)
VELBUTTON_LOOK_SETTER(setRightToLeft, bool, RightToLeft)
VELBUTTON_LOOK_SETTER(setShowFocusRect, bool, ShowFocusRect)
VELBUTTON_LOOK_SETTER(setTooltipTitle, const QString&, TooltipTitle)
VELBUTTON_LOOK_SETTER(setToolTipIcon, int, ToolTipIcon)
VELBUTTON_LOOK_SETTER(setToolTipType, int, ToolTipType)
VELBUTTON_LOOK_SETTER(setTooltipBackColor, OleColor, TooltipBackColor)
VELBUTTON_LOOK_SETTER(setUseMaskColor, bool, UseMaskColor)
#undef VELBUTTON_LOOK_SETTER

void velbutton::setDefault(bool on)
{
    m_default = on;
    delete m_defaultShortcut;
    delete m_defaultEnterShortcut;
    m_defaultShortcut = m_defaultEnterShortcut = nullptr;
    disconnect(m_focusWatch);
    if (on) {
        PopupEnterFilter::install();
        // Another button taking the focus takes Enter too: redraw without the default look.
        m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this] { update(); });
        m_defaultShortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
        m_defaultEnterShortcut = new QShortcut(QKeySequence(Qt::Key_Enter), this);
        for (QShortcut* s : {m_defaultShortcut, m_defaultEnterShortcut}) {
            s->setContext(Qt::WindowShortcut);
            connect(s, &QShortcut::activated, this, [this] { pressByKey(true); });
        }
    }
    update();
}

void velbutton::setCancel(bool on)
{
    delete m_cancelShortcut;
    m_cancelShortcut = nullptr;
    if (!on)
        return;
    m_cancelShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_cancelShortcut->setContext(Qt::WindowShortcut);
    connect(m_cancelShortcut, &QShortcut::activated, this, [this] { pressByKey(true); });
}

// The window's access, default and cancel keys: pending events run first, then the click. A
// check or option button takes no default or cancel key.
void velbutton::pressByKey(bool defaultOrCancel)
{
    if (!isEnabled() || (defaultOrCancel && isCheckable()))
        return;
    const QPointer<velbutton> alive(this);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (alive)
        click();
}

void velbutton::applyCursor()
{
    static const Qt::CursorShape kShapes[] = {
        Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor};
    const int p = m_props.MousePointer;
    if (m_props.HandPointer)
        setCursor(Qt::PointingHandCursor);
    else if (p == 99 && !m_props.MouseIcon.isNull())
        setCursor(QCursor(m_props.MouseIcon));
    else if (p > 0 && p < int(std::size(kShapes)))
        setCursor(kShapes[p]);
    else
        unsetCursor();
}

// Styles 2, 3, 7 and 9 lose one pixel at each corner, 6 and 10 three (a
// 4 x 4 rounding); the others keep the full rectangle.
QRegion velbutton::ButtonRegion(ButtonStyleKind style, QSize size)
{
    using S = ButtonStyleKind;
    const int w = size.width(), h = size.height();
    const bool small = style == S::WindowsXP || style == S::Hover3D || style == S::XPToolbar ||
                       style == S::Outlook2007;
    const bool large = style == S::Office2003 || style == S::InstallShield;
    if (!small && !large)
        return {};
    QRegion r(0, 0, w, h);
    for (const QPoint& c :
         {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)}) {
        r -= QRegion(c.x(), c.y(), 1, 1);
        if (large) {
            const int dx = c.x() == 0 ? 1 : -1, dy = c.y() == 0 ? 1 : -1;
            r -= QRegion(c.x() + dx, c.y(), 1, 1);
            r -= QRegion(c.x(), c.y() + dy, 1, 1);
        }
    }
    return r;
}

void velbutton::applyMask()
{
    const QRegion r = ButtonRegion(m_props.ButtonStyle, size());
    if (r.isEmpty())
        clearMask();
    else
        setMask(r);
}

ButtonState velbutton::state() const
{
    if (isDown())
        return ButtonState::Down;
    return m_hot ? ButtonState::Hot : ButtonState::Normal;
}

// The default button shows as such unless another button of its window has the focus.
bool velbutton::showsAsDefault() const
{
    const auto* focused = qobject_cast<const velbutton*>(QApplication::focusWidget());
    return m_default && !(focused && focused != this && focused->window() == window());
}

ButtonDrawing velbutton::drawing() const
{
    ButtonDrawing d{m_props};
    d.caption = text();
    d.font = font();
    d.checked = isCheckable() && isChecked();
    d.state = state();
    d.enabled = isEnabled();
    d.hasFocus = m_hasFocus;
    d.displayAsDefault = showsAsDefault();
    d.parentActive = m_parentActive;
    d.pointerOver = m_pointerOver;
    d.leftDown = isDown();
    d.themeStyle = style();
    d.widget = this;
    return d;
}

void velbutton::paintEvent(QPaintEvent*)
{
    QImage picture(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    {
        Canvas canvas(picture);
        StylePainter(canvas, drawing()).Paint();
    }
    QPainter(this).drawImage(0, 0, picture);
}

void velbutton::resizeEvent(QResizeEvent* event)
{
    QAbstractButton::resizeEvent(event);
    applyMask();
}

QSize velbutton::sizeHint() const
{
    const QFontMetrics fm(font());
    QString caption = text();
    caption.replace(QStringLiteral("&&"), QStringLiteral("\1")).remove(u'&').replace(u'\1', u'&');
    const int w = fm.horizontalAdvance(caption) + 24 + (m_props.DropDownSymbol ? 16 : 0);
    return QSize(std::max(w, 75), std::max(fm.height() + 10, 23));
}

bool velbutton::OpenWebsite(const QString& address)
{
    const QUrl url = QUrl::fromUserInput(address);
    return url.isValid() && QDesktopServices::openUrl(url);
}

void velbutton::About()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("About velbutton"),
                    QStringLiteral("VelButton v 1.02\nThe skinned push button of Tarvex: "
                                   "fourteen styles, check and option modes, drop-down menus."),
                    QMessageBox::Ok, this);
    box.exec();
}

} // namespace tarvex
