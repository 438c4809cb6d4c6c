#include "platform/evdev/KeyboardAccessTexts.h"

#include <QCoreApplication>

namespace tarvex {

QString KeyboardAccessTexts::choices()
{
    return QCoreApplication::translate(
        "tarvex::KeyboardAccessTexts",
        "Tarvex can see your keys in one of these ways:\n"
        "\u2022 Its key reader, a small system service, passes every key you type to Tarvex "
        "while the hotkeys run and your session is the active, unlocked one. You allow it once, "
        "with your password.\n"
        "\u2022 The \u201cinput\u201d group (an administrator adds you; log in again) lets "
        "Tarvex read the keyboards itself, but also lets every program you run read and type on "
        "every input device.\n"
        "\u2022 A desktop with a shortcut portal (KDE Plasma 5.27 or later, GNOME 48 or later) "
        "runs chords such as (Ctrl)(Alt)k with no access at all, but not sequences of plain keys "
        "such as gofb.");
}

QString KeyboardAccessTexts::withChoices(const QString& problem)
{
    return problem + QStringLiteral("\n\n") + choices();
}

} // namespace tarvex
