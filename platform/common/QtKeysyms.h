#pragma once

#include <Qt>

namespace tarvex {

/// Returns the X keysym of Qt key `key` (with Qt::KeypadModifier telling keypad keys apart),
/// or 0. Used for key events that carry no native keysym (synthesised or non-X platforms), so
/// they reach the same keysym → virtual-key table as the keys of the global key source.
unsigned long KeysymForQtKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace tarvex
