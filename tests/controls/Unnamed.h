#pragma once

// A window's controls as a screen reader meets them.
#include <QAccessible>
#include <QWidget>

// The object names and classes of the controls in `window` (not in its popups) that the keyboard
// reaches but that have no name to be read out (neither an accessible name nor a caption).
inline QString UnnamedControls(const QWidget& window)
{
    QStringList unnamed;
    for (QWidget* control : window.findChildren<QWidget*>())
        if (control->window() == window.window() && (control->focusPolicy() & Qt::TabFocus) &&
            QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name).isEmpty())
            unnamed << control->objectName() + u':' + control->metaObject()->className();
    return unnamed.join(u' ');
}
