#include "controls/button/ButtonAccessible.h"

#include <QKeySequence>

namespace tarvex {

ButtonAccessible::ButtonAccessible(velbutton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{}

velbutton* ButtonAccessible::button() const
{
    return static_cast<velbutton*>(widget());
}

QString ButtonAccessible::SpokenCaption(const QString& caption)
{
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                spoken += caption[++i];
            continue;
        }
        spoken += caption[i];
    }
    return spoken.trimmed();
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
    const QString caption = SpokenCaption(b->Caption());
    switch (t) {
    case QAccessible::Name:
        if (!b->accessibleName().isEmpty())
            return b->accessibleName();
        return caption.isEmpty() ? b->ToolTip() : caption;
    case QAccessible::Description:
        if (!b->accessibleDescription().isEmpty())
            return b->accessibleDescription();
        // A tooltip that already names the button is not read twice.
        return caption.isEmpty() && b->accessibleName().isEmpty() ? QString() : b->ToolTip();
    case QAccessible::Accelerator:
        if (b->accessKey().isNull())
            return {};
        return QKeySequence(
                   QKeyCombination(Qt::AltModifier, Qt::Key(b->accessKey().toUpper().unicode())))
            .toString(QKeySequence::NativeText);
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State ButtonAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    const velbutton* b = button();
    const bool toggles = KeepsValue(b->Mode());
    s.invisible = !b->isVisible();
    s.checkable = toggles;
    s.checked = toggles && b->Value();
    s.pressed = !toggles && b->state() == ButtonState::Down;
    s.defaultButton = b->isDefault();
    s.hasPopup = b->hasPopupMenu();
    return s;
}

QString ButtonAccessible::mainAction() const
{
    if (button()->hasPopupMenu())
        return showMenuAction();
    return button()->Mode() == ButtonMode::Push ? pressAction() : toggleAction();
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
    if (!button()->isEnabled())
        return;
    if (actionName == pressAction() || actionName == toggleAction() ||
        actionName == showMenuAction())
        button()->Press();
    else
        QAccessibleWidget::doAction(actionName);
}

QStringList ButtonAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == mainAction()) {
        const QString accelerator = text(QAccessible::Accelerator);
        if (!accelerator.isEmpty())
            return {accelerator};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

} // namespace tarvex
