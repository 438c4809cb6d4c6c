#pragma once

#include <QString>

namespace tarvex {

/// A chord is a combination of modifier keys, each at most once, then exactly one other key:
/// `(Ctrl)(Alt)k`, `(Win)e`, `(F12)`. A desktop that binds a chord takes that key press away
/// from every other program, so a key that types or moves in text (letters, digits, Space,
/// Tab, Enter, Esc, arrows, the keypad, ...) is a chord only with Ctrl, Alt or Win; F-keys,
/// Print, Pause and media keys may stand alone or with Shift. Plain-key sequences (`gofb`,
/// `(Ctrl)ab`) are not chords.
///
/// Returns the chord's trigger in the freedesktop shortcut syntax (modifiers CTRL, ALT, SHIFT,
/// LOGO in that order, then the key's keysym name from the key table: `CTRL+ALT+k`, `LOGO+e`,
/// `F12`), or an empty text when `combination` is not a chord. Combinations that differ only in
/// the order of their modifiers or the letter case of their key give the same trigger.
QString ChordTrigger(const QString& combination);

} // namespace tarvex
