#include "controls/button/ButtonAccessible.h"

#include <QKeySequence>

namespace tarvex {

namespace {

// The caption as read aloud: "&&" gives "&", a single "&" goes, outer blanks go.
QString SpokenCaption(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\1")).remove(u'&').replace(u'\1', u'&');
    return caption.trimmed();
}

} // namespace

ButtonAccessible::ButtonAccessible(velbutton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{}

velbutton* ButtonAccessible::button() const
{
    return static_cast<velbutton*>(widget());
}

QAccessible::Role ButtonAccessible::role() const
{
    if (button()->hasPopupMenu())
        return QAccessible::ButtonMenu;
    switch (button()->Mode()) {
    case ButtonMode::Check:
        return QAccessible::CheckBox;
    case ButtonMode::Option:
        return QAccessible::RadioButton;
    default:
        return QAccessible::Button;
    }
}

QString ButtonAccessible::text(QAccessible::Text t) const
{
    const velbutton* b = button();
    const QString caption = SpokenCaption(b->text());
    switch (t) {
    case QAccessible::Name:
        if (!b->accessibleName().isEmpty())
            return b->accessibleName();
        return caption.isEmpty() ? b->toolTip() : caption;
    case QAccessible::Description:
        if (!b->accessibleDescription().isEmpty())
            return b->accessibleDescription();
        // A tooltip that already names the button is not read twice.
        return caption.isEmpty() && b->accessibleName().isEmpty() ? QString() : b->toolTip();
    case QAccessible::Accelerator:
        return b->shortcut().toString(QKeySequence::NativeText);
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State ButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    const velbutton* b = button();
    s.invisible = !b->isVisible();
    s.checkable = b->isCheckable();
    s.checked = b->isCheckable() && b->isChecked();
    s.pressed = !b->isCheckable() && b->isDown();
    s.defaultButton = b->isDefault();
    s.hasPopup = b->hasPopupMenu();
    return s;
}

QString ButtonAccessible::mainAction() const
{
    if (button()->hasPopupMenu())
        return showMenuAction();
    return button()->isCheckable() ? toggleAction() : pressAction();
}

QStringList ButtonAccessible::actionNames() const
{
    QStringList names;
    if (button()->isEnabled())
        names << mainAction();
    return names + QAccessibleWidget::actionNames();
}

void ButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() || actionName == toggleAction() ||
        actionName == showMenuAction())
        button()->press();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList ButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    const QString accelerator = text(QAccessible::Accelerator);
    if (actionName == mainAction() && !accelerator.isEmpty())
        return {accelerator};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

} // namespace tarvex
