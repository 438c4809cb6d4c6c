#pragma once

struct _XDisplay;

namespace tarvex {

/// Grabs Ctrl+Alt+Space on the root window of `display`, also with Caps Lock
/// and Num Lock on, so no other program gets it. A failed grab (another
/// program holds the combination) is ignored.
void grabReservedHotkey(_XDisplay* display);

} // namespace tarvex
