#include "controls/ControlAccessibility.h"

#include "controls/button/ButtonAccessible.h"
#include "controls/frame/FrameAccessible.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "controls/tips/HyperlinkAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QWidget>

namespace tarvex {

namespace {

// A drop-down list given a name of its own ("Action") reports that name; Qt's own interface
// reports the chosen entry as the list's name on Linux, which leaves the list unnamed. The
// chosen entry is its value.
class NamedComboBoxAccessible final : public QAccessibleWidget
{
public:
    explicit NamedComboBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox)
    {}

    QString text(QAccessible::Text t) const override
    {
        const auto* box = static_cast<const QComboBox*>(widget());
        if (t == QAccessible::Name)
            return box->accessibleName();
        if (t == QAccessible::Value)
            return box->currentText();
        return QAccessibleWidget::text(t);
    }
};

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
    if (auto* box = qobject_cast<QComboBox*>(object); box && !box->accessibleName().isEmpty())
        return new NamedComboBoxAccessible(box);
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
