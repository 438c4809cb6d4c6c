#include "platform/evdev/KeyboardAccessTexts.h"

#include <QCoreApplication>

namespace tarvex {

QString KeyboardAccessTexts::choices()
{
    return QCoreApplication::translate(
        "tarvex::KeyboardAccessTexts",
        "Tarvex can see your keys in one of these ways:\n"
        "\u2022 Its key reader, a small system service, passes every key you type to Tarvex while "
        "the hotkeys run, and only while your session is the active, unlocked one. You allow it "
        "once, with your password.\n"
        "\u2022 Membership of the \u201cinput\u201d group, given by an administrator (log in again "
        "after it), lets Tarvex read the keyboards itself, but also lets every program you run "
        "read and type on every keyboard, mouse and touchpad.\n"
        "\u2022 On desktops with a shortcut portal (KDE Plasma 5.27 or later, GNOME 48 or later), "
        "hotkeys that are chords, such as (Ctrl)(Alt)k, need no access at all; sequences of plain "
        "keys, such as gofb, need one of the ways above.");
}

QString KeyboardAccessTexts::withChoices(const QString& problem)
{
    return problem + QStringLiteral("\n\n") + choices();
}

} // namespace tarvex
