#include "controls/tips/HyperlinkAccessible.h"

#include <QCoreApplication>

namespace tarvex {

QString HyperlinkAccessible::jumpAction()
{
    return QStringLiteral("jump");
}

HyperlinkAccessible::HyperlinkAccessible(Hyperlink* link)
    : QAccessibleWidget(link, QAccessible::Link)
{}

Hyperlink* HyperlinkAccessible::link() const
{
    return static_cast<Hyperlink*>(widget());
}

QString HyperlinkAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return link()->accessibleName().isEmpty() ? link()->Caption() : link()->accessibleName();
    return QAccessibleWidget::text(t);
}

QAccessible::State HyperlinkAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.invisible = !link()->isVisible();
    s.linked = true;
    s.traversed = link()->isUsed();
    s.hotTracked = link()->isHovering();
    return s;
}

QStringList HyperlinkAccessible::actionNames() const
{
    QStringList names;
    if (link()->isEnabled())
        names << jumpAction() << pressAction();
    return names + QAccessibleWidget::actionNames();
}

QString HyperlinkAccessible::localizedActionName(const QString& actionName) const
{
    if (actionName == jumpAction())
        return QCoreApplication::translate("Hyperlink", "Jump");
    return QAccessibleWidget::localizedActionName(actionName);
}

QString HyperlinkAccessible::localizedActionDescription(const QString& actionName) const
{
    if (actionName == jumpAction())
        return QCoreApplication::translate("Hyperlink", "Follows the link");
    return QAccessibleWidget::localizedActionDescription(actionName);
}

void HyperlinkAccessible::doAction(const QString& actionName)
{
    if (actionName == jumpAction() || actionName == pressAction())
        link()->Follow();
    else
        QAccessibleWidget::doAction(actionName);
}

} // namespace tarvex
