#include "controls/frame/FrameAccessible.h"

#include "controls/frame/velForms.h"

#include <QWindow>

namespace tarvex {

FramedWindowAccessible::FramedWindowAccessible(QWidget* window)
    : QAccessibleWidget(window, QAccessible::Window)
{}

FrameAccessible::FrameAccessible(velForms* frame) : QAccessibleWidget(frame, QAccessible::Client) {}

FrameAccessible::~FrameAccessible()
{
    for (QAccessible::Id id : std::as_const(m_buttons))
        QAccessible::deleteAccessibleInterface(id);
}

QList<int> FrameAccessible::shownButtons() const
{
    const auto* frame = static_cast<const velForms*>(widget());
    QList<int> shown;
    for (int i : {CaptionButtons::Minimize, CaptionButtons::Maximize, CaptionButtons::Close})
        if (frame->captionButton(i).Visible)
            shown << i;
    return shown;
}

QAccessibleInterface* FrameAccessible::buttonInterface(int button) const
{
    if (const auto found = m_buttons.constFind(button); found != m_buttons.cend())
        return QAccessible::accessibleInterface(*found);
    auto* iface = new CaptionButtonAccessible(static_cast<velForms*>(widget()), button);
    m_buttons.insert(button, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

int FrameAccessible::childCount() const
{
    return QAccessibleWidget::childCount() + int(shownButtons().size());
}

QAccessibleInterface* FrameAccessible::child(int index) const
{
    const int widgets = QAccessibleWidget::childCount();
    if (index < widgets)
        return QAccessibleWidget::child(index);
    const QList<int> shown = shownButtons();
    if (index - widgets >= shown.size())
        return nullptr;
    return buttonInterface(shown[index - widgets]);
}

int FrameAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (const auto* button = dynamic_cast<const CaptionButtonAccessible*>(child)) {
        const int at = int(shownButtons().indexOf(button->button()));
        return at < 0 ? -1 : QAccessibleWidget::childCount() + at;
    }
    return QAccessibleWidget::indexOfChild(child);
}

QAccessibleInterface* FrameAccessible::childAt(int x, int y) const
{
    for (int button : shownButtons()) {
        QAccessibleInterface* iface = buttonInterface(button);
        if (iface->rect().contains(x, y))
            return iface;
    }
    return QAccessibleWidget::childAt(x, y);
}

CaptionButtonAccessible::CaptionButtonAccessible(velForms* frame, int button)
    : m_frame(frame), m_button(button)
{}

bool CaptionButtonAccessible::isValid() const
{
    return m_frame;
}

QObject* CaptionButtonAccessible::object() const
{
    return nullptr;
}

QWindow* CaptionButtonAccessible::window() const
{
    return m_frame ? m_frame->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CaptionButtonAccessible::parent() const
{
    return m_frame ? QAccessible::queryAccessibleInterface(m_frame.data()) : nullptr;
}

QString CaptionButtonAccessible::text(QAccessible::Text t) const
{
    if (!m_frame || t != QAccessible::Name)
        return {};
    return m_frame->captionButton(m_button).TooltipText;
}

QRect CaptionButtonAccessible::rect() const
{
    if (!m_frame)
        return {};
    const CaptionButtons::Record& b = m_frame->captionButton(m_button);
    return QRect(m_frame->mapToGlobal(QPoint(b.Left, b.Top)), QSize(b.Width, b.Height));
}

QAccessible::State CaptionButtonAccessible::state() const
{
    QAccessible::State s;
    if (!m_frame || !m_frame->isVisible() || !m_frame->captionButton(m_button).Visible)
        s.invisible = true;
    return s;
}

void* CaptionButtonAccessible::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList CaptionButtonAccessible::actionNames() const
{
    return {pressAction()};
}

void CaptionButtonAccessible::doAction(const QString& actionName)
{
    if (m_frame && actionName == pressAction())
        m_frame->pressCaptionButton(m_button);
}

} // namespace tarvex
