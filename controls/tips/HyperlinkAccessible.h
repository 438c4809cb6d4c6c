#pragma once

#include "controls/tips/Hyperlink.h"

#include <QAccessibleWidget>

namespace tarvex {

// What a screen reader learns of a Hyperlink: a link named by its caption,
// marked visited after its first jump, with a jump action (also offered as
// press) that follows it as Enter does.
class HyperlinkAccessible final : public QAccessibleWidget
{
public:
    // The name of the action that follows the link.
    static QString jumpAction();

    explicit HyperlinkAccessible(Hyperlink* link);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    QString localizedActionName(const QString& actionName) const override;
    QString localizedActionDescription(const QString& actionName) const override;
    void doAction(const QString& actionName) override;

private:
    Hyperlink* link() const;
};

} // namespace tarvex
