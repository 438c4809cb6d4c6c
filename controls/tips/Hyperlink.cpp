#include "controls/tips/Hyperlink.h"

#include "controls/Canvas.h"
#include "controls/ControlAccessibility.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QTimer>

namespace tarvex {

namespace {

Qt::Alignment labelAlignment(LinkAlignment alignment)
{
    switch (alignment) {
    case LinkAlignment::Right:
        return Qt::AlignRight | Qt::AlignTop;
    case LinkAlignment::Center:
        return Qt::AlignHCenter | Qt::AlignTop;
    default:
        return Qt::AlignLeft | Qt::AlignTop;
    }
}

bool isArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

bool isActivationKey(int key)
{
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

Hyperlink::Hyperlink(QWidget* parent, const QString& name)
    : QWidget(parent), m_label(new QLabel(this))
{
    ControlAccessibility::Install();
    setObjectName(name);
    m_label->setObjectName(QStringLiteral("LabelHyperlink"));
    m_label->setTextFormat(Qt::PlainText);
    // The label's pointer events tell when the pointer comes onto the text and leaves it.
    m_label->setMouseTracking(true);
    m_label->installEventFilter(this);
    // Focus comes from the keyboard only, so clicking the link leaves it where it was.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    m_props.Caption = name;
    m_props.FontNormal = font();
    m_props.FontHover = font();
    applyAll();
}

void Hyperlink::applyAll()
{
    m_label->setText(m_props.Caption);
    setAccessibleName(m_props.Caption);
    QWidget::setEnabled(m_props.Enabled);
    m_hovering = false;
    applyRestLook();
    applyPointer();
    layOut();
    update();
}

void Hyperlink::SetCaption(const QString& caption)
{
    m_props.Caption = caption;
    m_label->setText(caption);
    setAccessibleName(caption);
    layOut();
}

void Hyperlink::SetEnabled(bool enabled)
{
    m_props.Enabled = enabled;
    QWidget::setEnabled(enabled);
}

void Hyperlink::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    // The property follows the control's own flag, however it was set.
    m_props.Enabled = !testAttribute(Qt::WA_ForceDisabled);
    m_hovering = false;
    applyRestLook();
    if (isEnabled())
        updateHoverFromCursor();
}

void Hyperlink::SetHoverEnabled(bool enabled)
{
    m_props.HoverEnabled = enabled;
    m_needsRefresh = true;
    updateHoverFromCursor();
}

void Hyperlink::SetCursorID(int id)
{
    m_props.CursorID = id;
    applyPointer();
}

void Hyperlink::SetCursorUse(bool use)
{
    m_props.CursorUse = use;
    applyPointer();
}

void Hyperlink::SetCursorCustom(bool custom)
{
    m_props.CursorCustom = custom;
    applyPointer();
}

void Hyperlink::SetAutoSize(bool autoSize)
{
    m_props.AutoSize = autoSize;
    layOut();
}

void Hyperlink::SetAlignment(LinkAlignment alignment)
{
    m_props.Alignment = alignment;
    layOut();
}

void Hyperlink::SetBackColor(OleColor colour)
{
    m_props.BackColor = colour;
    update();
}

void Hyperlink::SetColorNormal(OleColor colour)
{
    m_props.ColorNormal = colour;
    if (!m_hovering)
        applyRestLook();
}

void Hyperlink::SetColorHover(OleColor colour)
{
    m_props.ColorHover = colour;
    if (m_hovering)
        applyHoverLook();
}

void Hyperlink::SetColorUsed(OleColor colour)
{
    m_props.ColorUsed = colour;
    if (!m_hovering)
        applyRestLook();
}

void Hyperlink::SetFontNormal(const QFont& font)
{
    m_props.FontNormal = font;
    if (!m_hovering)
        applyRestLook();
}

void Hyperlink::SetFontHover(const QFont& font)
{
    m_props.FontHover = font;
    if (m_hovering)
        applyHoverLook();
}

bool Hyperlink::isFocusRectShown() const
{
    return hasFocus() && m_keyboardFocus;
}

QSize Hyperlink::sizeHint() const
{
    return m_label->sizeHint() + QSize(2, 2);
}

void Hyperlink::applyRestLook()
{
    applyLook(m_used ? m_props.ColorUsed : m_props.ColorNormal, m_props.FontNormal);
}

void Hyperlink::applyHoverLook()
{
    applyLook(m_props.ColorHover, m_props.FontHover);
}

void Hyperlink::applyLook(OleColor colour, const QFont& font)
{
    const QColor text = ToQColor(colour);
    if (text.isValid()) {
        QPalette palette = m_label->palette();
        palette.setColor(QPalette::Active, QPalette::WindowText, text);
        palette.setColor(QPalette::Inactive, QPalette::WindowText, text);
        m_label->setPalette(palette);
    }
    m_label->setFont(font);
    layOut();
}

void Hyperlink::applyPointer()
{
    if (!m_props.CursorUse) {
        m_label->unsetCursor();
        return;
    }
    if (!m_props.CursorCustom) {
        m_label->setCursor(Qt::PointingHandCursor);
        return;
    }
    // A missing cursor image leaves the pointer as it was.
    const QPixmap image(QStringLiteral(":/cursors/%1.png").arg(m_props.CursorID));
    if (!image.isNull())
        m_label->setCursor(QCursor(image));
}

void Hyperlink::layOut()
{
    if (m_resizing)
        return;
    m_resizing = true;
    m_label->setAlignment(labelAlignment(m_props.Alignment));
    if (m_props.AutoSize) {
        m_label->adjustSize();
        m_label->move(1, 1);
        resize(m_label->size() + QSize(2, 2));
    } else {
        m_label->setGeometry(1, 1, std::max(0, width() - 2), std::max(0, height() - 2));
    }
    updateGeometry();
    m_resizing = false;
}

void Hyperlink::updateHoverFromCursor()
{
    if (isVisible())
        updateHoverAt(QCursor::pos());
    else
        updateHover(false);
}

void Hyperlink::updateHoverAt(const QPoint& global)
{
    bool over = pointerOverLabel(global);
    if (over && (!m_hovering || m_needsRefresh)) {
        // Another of the program's windows lying over the link hides it from the
        // pointer (asked only as the hover look is about to start).
        const QWidget* under = QApplication::widgetAt(global);
        over = under == m_label || under == this;
    }
    updateHover(over);
}

void Hyperlink::updateHover(bool over)
{
    if (!isEnabled())
        return;
    if (!over || !m_props.HoverEnabled) {
        if (m_hovering || m_needsRefresh) {
            applyRestLook();
            m_hovering = false;
            m_needsRefresh = false;
        }
    } else if ((!m_hovering || m_needsRefresh) && QApplication::activeWindow()) {
        // The hover look starts only while the program is in the foreground.
        applyHoverLook();
        m_hovering = true;
        m_needsRefresh = false;
    }
}

void Hyperlink::finishJump()
{
    if (!m_jumpPending)
        return;
    update();
    m_activating = false;
    m_jumpPending = false;
    m_used = true;
    m_needsRefresh = true;
    updateHoverFromCursor();
}

bool Hyperlink::pointerOverLabel(const QPoint& globalPos) const
{
    // The label's rectangle with its right and bottom borders included.
    const QRect area(m_label->mapToGlobal(QPoint(0, 0)), m_label->size() + QSize(1, 1));
    return area.contains(globalPos);
}

void Hyperlink::activate()
{
    const QPointer<Hyperlink> alive(this);
    m_activating = true;
    bool ensureFiringLostFocus = false;
    emit PrepareJump(ensureFiringLostFocus);
    if (!alive)
        return;
    if (ensureFiringLostFocus)
        onLostFocus();
    if (m_props.CursorUse)
        m_label->setCursor(Qt::ArrowCursor);
    emit Jump();
    if (!alive)
        return;
    m_needsRefresh = true;
    applyPointer();
    // The jump ends once the events it left behind have run (a dialog it opened may
    // have taken the pointer away).
    m_jumpPending = true;
    QTimer::singleShot(0, this, &Hyperlink::finishJump);
}

void Hyperlink::Follow()
{
    if (isEnabled() && !m_activating)
        activate();
}

void Hyperlink::onLostFocus()
{
    m_needsRefresh = true;
    m_keyboardFocus = false;
    update();
    updateHoverFromCursor();
}

// The hover look follows the pointer's own events (and the window's activation):
// nothing runs while the pointer and the window are still.
bool Hyperlink::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Enter:
        updateHoverAt(static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::MouseMove:
        updateHoverAt(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::Leave:
        updateHover(false);
        break;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        updateHoverFromCursor();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool Hyperlink::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_label) {
        switch (event->type()) {
        case QEvent::Enter:
            updateHoverAt(static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
            break;
        case QEvent::MouseMove:
            updateHoverAt(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            break;
        case QEvent::Leave:
            // Off the text onto the link's own margin, or off the link altogether.
            updateHoverFromCursor();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Hyperlink::paintEvent(QPaintEvent*)
{
    QImage image(size(), QImage::Format_ARGB32_Premultiplied);
    {
        Canvas canvas(image);
        canvas.Clear(m_props.BackColor);
        if (isFocusRectShown())
            canvas.DrawFocusRect(m_label->geometry().adjusted(-1, -1, 1, 1));
    }
    QPainter(this).drawImage(0, 0, image);
}

void Hyperlink::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

void Hyperlink::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_needsRefresh = true;
    updateHoverFromCursor();
}

void Hyperlink::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    updateHover(false);
}

void Hyperlink::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void Hyperlink::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    if (pointerOverLabel(event->globalPosition().toPoint()))
        activate();
    else
        applyPointer();
}

void Hyperlink::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (isActivationKey(key)) {
        if (!event->isAutoRepeat()) {
            m_keyboardFocus = true;
            update();
            activate();
        }
    } else if (isArrowKey(key)) {
        // Arrow navigation belongs to the host window.
        if (parentWidget())
            QCoreApplication::postEvent(parentWidget(),
                                        new QKeyEvent(QEvent::KeyPress, key, event->modifiers()));
    } else {
        event->ignore();
    }
}

void Hyperlink::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    if (!m_activating)
        m_keyboardFocus = event->reason() != Qt::MouseFocusReason;
    update();
}

void Hyperlink::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    onLostFocus();
}

} // namespace tarvex
