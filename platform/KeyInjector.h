#pragma once

#include <functional>
#include <QList>
#include <QString>

namespace tarvex {

/// Types keys into the focused application as if the user pressed them. Modifiers the user
/// still holds are released first and pressed again afterwards, so an injected key is never
/// read as part of a chord.
class KeyInjector
{
public:
    virtual ~KeyInjector() = default;

    /// True when this desktop lets Tarvex type keys.
    virtual bool available() const = 0;
    /// Why keys cannot be typed here, in one sentence for a tool tip; empty while they can.
    virtual QString unavailableReason() const = 0;
    /// Presses and releases Backspace `count` times. Returns the virtual-key codes of every
    /// press it caused (Backspace and each held modifier pressed again), in order, so the key
    /// source's announcements of them can be ignored; nothing when no key was typed.
    virtual QList<int> pressBackspace(int count) = 0;
    /// Types `text` into the focused window, each character as itself whatever the keyboard
    /// layout (a line break as Return), and stops early once `stillFocused` returns false (it is
    /// asked before each character, also after this returns when the keys go out later, so it
    /// holds what it needs by value). Returns the virtual-key codes of every press it caused, as
    /// pressBackspace does.
    virtual QList<int> typeText(const QString& text, const std::function<bool()>& stillFocused) = 0;
};

} // namespace tarvex
