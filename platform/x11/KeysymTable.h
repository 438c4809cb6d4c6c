#pragma once

namespace tarvex {

// Virtual-key numbers of the keyboard's keys, as the hotkey texts store them.
// The X keysym of a key in the active layout decides its number, so letters
// follow the layout the user types with.

/// The virtual-key number (1..255) of an X keysym, or 0 when it has none.
int virtualKeyForKeysym(unsigned long keysym);

/// The virtual-key number of a punctuation key by its position (evdev X keycode)
/// on a US keyboard, or 0; used when the layout puts a symbol there that has no number.
int virtualKeyForKeycodePosition(int keycode);

} // namespace tarvex
