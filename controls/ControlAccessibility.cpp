#include "controls/ControlAccessibility.h"

#include "controls/button/ButtonAccessible.h"
#include "controls/frame/FrameAccessible.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "controls/tips/HyperlinkAccessible.h"

#include <QAccessible>
#include <QWidget>

namespace tarvex {

namespace {

bool HostsFrame(const QWidget* w)
{
    return w->isWindow() && w->findChild<velForms*>(QString(), Qt::FindDirectChildrenOnly);
}

// Qt asks once per class of the object, most derived first: the controls and
// framed windows answer at the first question, anything else is left to Qt.
QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType() ||
        className != QLatin1String(object->metaObject()->className()))
        return nullptr;
    if (auto* button = qobject_cast<velbutton*>(object))
        return new ButtonAccessible(button);
    if (auto* link = qobject_cast<Hyperlink*>(object))
        return new HyperlinkAccessible(link);
    if (auto* frame = qobject_cast<velForms*>(object))
        return new FrameAccessible(frame);
    auto* widget = static_cast<QWidget*>(object);
    if (HostsFrame(widget))
        return new FramedWindowAccessible(widget);
    return nullptr;
}

} // namespace

namespace ControlAccessibility {

void Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void RefreshWindow(QWidget* window)
{
    if (!window || !window->isWindow())
        return;
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
    if (iface && !dynamic_cast<FramedWindowAccessible*>(iface))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

} // namespace ControlAccessibility

} // namespace tarvex
