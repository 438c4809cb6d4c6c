#pragma once

#include "controls/button/velbutton.h"

#include <QAccessibleWidget>

namespace tarvex {

// What a screen reader learns of a velbutton: a push button (a check box or radio button in
// check and option mode, a menu button with a menu), named by its caption without the
// access-key "&" and outer blanks (its tooltip when the caption is empty), described by its
// tooltip, with its pressed, checked, default, focus and enabled states, and a press action
// that clicks it.
class ButtonAccessible final : public QAccessibleWidget
{
public:
    explicit ButtonAccessible(velbutton* button);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    velbutton* button() const;
    QString mainAction() const;
};

} // namespace tarvex
