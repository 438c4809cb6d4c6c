#include "controls/button/velbutton.h"

#include "controls/button/StylePainter.h"
#include "controls/ControlAccessibility.h"

#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QShortcut>
#include <QUrl>

#include <cmath>
#include <utility>

namespace tarvex {

namespace {

// 220 twips at 15 twips per pixel, rounded up to whole pixels.
const int kMinimumPixels = int(std::ceil(220 / 15.0));

QFont AmbientFont(const QWidget* w)
{
    return w->parentWidget() ? w->parentWidget()->font() : QApplication::font();
}

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

velbutton::velbutton(QWidget* parent, const QString& name) : QWidget(parent)
{
    ControlAccessibility::Install();
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(kMinimumPixels, kMinimumPixels);
    m_themeAvailable = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    m_props.Caption = name;
    // Tahoma where installed, else the host's own family rather than whatever
    // the font matcher picks for an unknown name.
    m_props.Font = AmbientFont(this);
    m_props.Font.setFamilies({QStringLiteral("Tahoma"), m_props.Font.family()});
    setFont(m_props.Font);
    m_props.DefaultColorSchemeFor();
    m_props.ApplyStyleColors();
    UpdateAccessKey();
    CreateButtonRegion();
    RedrawButton();
}

velbutton::~velbutton()
{
    // The base destructor moves the focus away, which emits focusChanged while this is no
    // longer a button: the default look's watch must not run then.
    disconnect(m_focusWatch);
}

void velbutton::setBackColor(OleColor colour)
{
    m_props.BackColor = colour;
    if (m_props.ButtonStyle != ButtonStyleKind::VistaAero)
        m_props.ColorScheme = 3;
    RedrawButton();
}

void velbutton::setButtonStyle(ButtonStyleKind style)
{
    m_props.ButtonStyle = ButtonStyleKind(std::clamp(int(style), 0, ButtonStyleCount - 1));
    applyStyleDefaults();
}

void velbutton::applyStyleDefaults()
{
    m_props.DefaultColorSchemeFor();
    m_props.ApplyStyleColors();
    CreateButtonRegion();
    RedrawButton();
}

void velbutton::setCaption(const QString& caption)
{
    m_props.Caption = caption;
    UpdateAccessKey();
    updateGeometry();
    RedrawButton();
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
}

void velbutton::setColorScheme(int scheme)
{
    m_props.ColorScheme = scheme;
    m_props.ApplyStyleColors();
    RedrawButton();
}

void velbutton::setCaptionFont(const QFont& font)
{
    m_props.Font = font;
    setFont(font); // FontChange redraws
}

void velbutton::setHandPointer(bool on)
{
    m_props.HandPointer = on;
    if (on)
        m_props.MousePointer = 0;
    applyCursor();
    RedrawButton();
}

void velbutton::setMouseIcon(const QPixmap& icon)
{
    m_props.MouseIcon = icon;
    applyCursor();
}

void velbutton::setMousePointer(int pointer)
{
    m_props.MousePointer = pointer;
    applyCursor();
}

void velbutton::setShowFocusRect(bool on)
{
    m_props.ShowFocusRect = on;
}

void velbutton::setValue(bool value)
{
    if (KeepsValue(m_props.Mode)) {
        m_props.Value = value;
        if (!value)
            m_state = ButtonState::Normal;
    } else {
        m_state = ButtonState::Normal;
    }
    RedrawButton();
}

// Properties whose only side effect is a redraw.
#define VELBUTTON_REDRAWING_SETTER(Setter, Type, Member)                                           \
    void velbutton::Setter(Type value)                                                             \
    {                                                                                              \
        m_props.Member = value;                                                                    \
        RedrawButton();                                                                            \
    }
VELBUTTON_REDRAWING_SETTER(setCaptionAlign, CaptionAlignment, CaptionAlign)
VELBUTTON_REDRAWING_SETTER(setCaptionEffects, int, CaptionEffects)
VELBUTTON_REDRAWING_SETTER(setDisabledPictureMode, int, DisabledPictureMode)
VELBUTTON_REDRAWING_SETTER(setDropDownSeparator, bool, DropDownSeparator)
VELBUTTON_REDRAWING_SETTER(setDropDownSymbol, int, DropDownSymbol)
VELBUTTON_REDRAWING_SETTER(setForeColor, OleColor, ForeColor)
VELBUTTON_REDRAWING_SETTER(setForeColorHover, OleColor, ForeColorHover)
VELBUTTON_REDRAWING_SETTER(setMaskColor, OleColor, MaskColor)
VELBUTTON_REDRAWING_SETTER(setMode, ButtonMode, Mode)
VELBUTTON_REDRAWING_SETTER(setPictureAlign, PicturePosition, PictureAlign)
VELBUTTON_REDRAWING_SETTER(setPictureNormal, const QImage&, PictureNormal)
VELBUTTON_REDRAWING_SETTER(setPictureHot, const QImage&, PictureHot)
VELBUTTON_REDRAWING_SETTER(setPictureDown, const QImage&, PictureDown)
VELBUTTON_REDRAWING_SETTER(setPictureEffectOnDown, int, PictureEffectOnDown)
VELBUTTON_REDRAWING_SETTER(setPictureEffectOnOver, int, PictureEffectOnOver)
VELBUTTON_REDRAWING_SETTER(setPicturePushOnHover, bool, PicturePushOnHover)
VELBUTTON_REDRAWING_SETTER(setPictureShadow, bool, PictureShadow)
VELBUTTON_REDRAWING_SETTER(setRightToLeft, bool, RightToLeft)
VELBUTTON_REDRAWING_SETTER(setToolTipText, const QString&, ToolTip)
VELBUTTON_REDRAWING_SETTER(setTooltipTitle, const QString&, TooltipTitle)
VELBUTTON_REDRAWING_SETTER(setToolTipIcon, int, ToolTipIcon)
VELBUTTON_REDRAWING_SETTER(setToolTipType, int, ToolTipType)
VELBUTTON_REDRAWING_SETTER(setTooltipBackColor, OleColor, TooltipBackColor)
VELBUTTON_REDRAWING_SETTER(setUseMaskColor, bool, UseMaskColor)
#undef VELBUTTON_REDRAWING_SETTER

void velbutton::setPictureOpacity(int opacity)
{
    m_props.PictureOpacity = std::clamp(opacity, 0, 255);
    RedrawButton();
}

void velbutton::setPictureOpacityOnOver(int opacity)
{
    m_props.PictureOpacityOnOver = std::clamp(opacity, 0, 255);
    RedrawButton();
}

void velbutton::setDefault(bool on)
{
    m_displayAsDefault = on;
    delete m_defaultShortcut;
    delete m_defaultEnterShortcut;
    m_defaultShortcut = m_defaultEnterShortcut = nullptr;
    disconnect(m_focusWatch);
    if (on) {
        PopupEnterFilter::install();
        // Another button taking the focus takes Enter too: redraw without the default look.
        m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this] { RedrawButton(); });
        m_defaultShortcut = new QShortcut(QKeySequence(Qt::Key_Return), this);
        m_defaultEnterShortcut = new QShortcut(QKeySequence(Qt::Key_Enter), this);
        for (QShortcut* s : {m_defaultShortcut, m_defaultEnterShortcut}) {
            s->setContext(Qt::WindowShortcut);
            connect(s, &QShortcut::activated, this, [this] { AccessKeyPress(13); });
        }
    }
    RedrawButton();
}

void velbutton::setCancel(bool on)
{
    delete m_cancelShortcut;
    m_cancelShortcut = nullptr;
    if (!on)
        return;
    m_cancelShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_cancelShortcut->setContext(Qt::WindowShortcut);
    connect(m_cancelShortcut, &QShortcut::activated, this, [this] { AccessKeyPress(27); });
}

void velbutton::UpdateAccessKey()
{
    m_accessKey = ButtonProperties::AccessKeyOf(m_props.Caption);
    delete m_accessShortcut;
    m_accessShortcut = nullptr;
    const QKeySequence keys = QKeySequence::mnemonic(m_props.Caption);
    if (m_accessKey.isNull() || keys.isEmpty())
        return;
    m_accessShortcut = new QShortcut(keys, this);
    m_accessShortcut->setContext(Qt::WindowShortcut);
    connect(m_accessShortcut, &QShortcut::activated, this,
            [this] { AccessKeyPress(m_accessKey.unicode()); });
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

void velbutton::CreateButtonRegion()
{
    const QRegion r = ButtonRegion(m_props.ButtonStyle, size());
    if (r.isEmpty())
        clearMask();
    else
        setMask(r);
}

void velbutton::RedrawButton()
{
    if (m_props.ButtonStyle == ButtonStyleKind::WindowsTheme && !m_themeAvailable) {
        // No style can draw a themed push button: become style 2, scheme 0.
        m_props.ButtonStyle = ButtonStyleKind::WindowsXP;
        m_props.ColorScheme = 0;
        m_props.ApplyStyleColors();
        CreateButtonRegion();
    }
    m_dirty = true;
    update();
    notifyAccessibleState();
}

// Every change of look passes here, so assistive tools hear of pressed and checked changes.
void velbutton::notifyAccessibleState()
{
    if (!QAccessible::isActive())
        return;
    const bool toggles = KeepsValue(m_props.Mode);
    const bool pressed = !toggles && m_state == ButtonState::Down;
    const bool checked = toggles && m_props.Value;
    QAccessible::State changed;
    changed.pressed = std::exchange(m_reportedPressed, pressed) != pressed;
    changed.checked = std::exchange(m_reportedChecked, checked) != checked;
    if (!changed.pressed && !changed.checked)
        return;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void velbutton::renderSurface()
{
    const QSize s = size().expandedTo(QSize(1, 1));
    if (m_surface.size() != s)
        m_surface = QImage(s, QImage::Format_ARGB32_Premultiplied);
    ButtonDrawing d{m_props};
    d.state = m_state;
    d.enabled = isEnabled();
    d.hasFocus = m_hasFocus;
    d.displayAsDefault = showsAsDefault();
    d.parentActive = m_parentActive;
    d.pointerOver = m_pointerOver;
    d.leftDown = m_leftDown;
    d.themeStyle = m_themeAvailable ? style() : nullptr;
    d.widget = this;
    Canvas canvas(m_surface);
    StylePainter(canvas, d).Paint();
    m_dirty = false;
}

// The default button shows as such unless another button of its window has the focus.
bool velbutton::showsAsDefault() const
{
    const auto* focused = qobject_cast<const velbutton*>(QApplication::focusWidget());
    return m_displayAsDefault && !(focused && focused != this && focused->window() == window());
}

QImage velbutton::surface()
{
    if (m_dirty || m_surface.size() != size())
        renderSurface();
    return m_surface;
}

void velbutton::paintEvent(QPaintEvent*)
{
    const QImage img = surface();
    QPainter p(this);
    p.drawImage(0, 0, img);
}

void velbutton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    CreateButtonRegion();
    RedrawButton();
}

QSize velbutton::sizeHint() const
{
    const QFontMetrics fm(m_props.Font);
    QString text = m_props.Caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("\1")).remove(u'&').replace(u'\1', u'&');
    const int w = fm.horizontalAdvance(text) + 24 + (m_props.DropDownSymbol ? 16 : 0);
    return QSize(std::max(w, 75), std::max(fm.height() + 10, 23));
}

void velbutton::SetPopupMenu(QMenu* menu, int align, int flags, QAction* defaultMenu)
{
    if (!menu)
        return;
    m_menu = menu;
    m_menuAlign = align;
    m_menuFlags = flags;
    m_defaultMenu = defaultMenu;
}

void velbutton::UnsetPopupMenu()
{
    m_menu = nullptr;
    m_defaultMenu = nullptr;
    m_menuShowing = false;
    m_menuClosedOnButton = false;
}

bool velbutton::OpenWebsite(const QString& sAddress)
{
    const QUrl url = QUrl::fromUserInput(sAddress);
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

void velbutton::ClearOptionGroup()
{
    QWidget* container = parentWidget();
    if (!container)
        return;
    for (velbutton* b : container->findChildren<velbutton*>(Qt::FindDirectChildrenOnly)) {
        if (b != this && b->Mode() == ButtonMode::Option)
            b->setValue(false);
    }
}

} // namespace tarvex
