#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace tarvex {

// The keys of the keyboard by their X keysyms, through the key table (platform/KeyTable.h).
// The keysyms of a key in the active layout decide which key it is, so letters follow the
// layout the user types with. Both key sources (X11 and the kernel's input devices) and the
// capture boxes name keys through these functions, so a key is the same key whichever reads it.

/// The key (virtual-key number 1..255) that X keysym `keysym` names, or 0 when it names none.
int virtualKeyForKeysym(unsigned long keysym);

/// The key at X keycode `keycode` on a US keyboard, for the keys the table places by position
/// (punctuation, F13-F24), or 0.
int virtualKeyForKeycodePosition(int keycode);

/// The keysym at `level` of layout group `group` of one key (0 when there is none there).
using KeysymAt = std::function<unsigned long(int group, int level)>;

/// The key with X keycode `keycode` in layout group `group`, or 0. The key's first-level symbol
/// in that group decides; a symbol that names no key falls back to the shifted level, then to
/// the first group, then to the key's US position.
int virtualKeyForKey(int keycode, int group, const KeysymAt& keysymAt);

/// The keysym that types each character of `text`, a line break (LF, CR or CR LF) as Return:
/// a character's legacy keysym where it has one, else its Unicode keysym (0x01000000 + its code
/// point). Characters without a keysym (lone surrogates) are left out.
std::vector<uint32_t> keysymsOfText(const QString& text);

} // namespace tarvex
