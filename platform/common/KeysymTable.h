#pragma once

#include <functional>

namespace tarvex {

// Virtual-key numbers of the keyboard's keys, as the hotkey texts store them.
// The keysym of a key in the active layout decides its number, so letters
// follow the layout the user types with. Both key sources (X11 and the
// kernel's input devices) number keys through these functions, so a key has
// the same number whichever source reads it.

/// The virtual-key number (1..255) of an X keysym, or 0 when it has none.
int virtualKeyForKeysym(unsigned long keysym);

/// The virtual-key number of a punctuation key by its position (evdev X keycode)
/// on a US keyboard, or 0; used when the layout puts a symbol there that has no number.
int virtualKeyForKeycodePosition(int keycode);

/// The keysym at `level` of layout group `group` of one key (0 when there is none there).
using KeysymAt = std::function<unsigned long(int group, int level)>;

/// The virtual-key number of the key with X keycode `keycode` in layout group `group`, or 0.
/// The key's first-level symbol in that group decides (with Num Lock on, a keypad key's
/// digit level); a symbol without a number falls back to the shifted level, then to the
/// first group, then to the key's US position.
int virtualKeyForKey(int keycode, int group, bool numLock, const KeysymAt& keysymAt);

} // namespace tarvex
