#pragma once

struct _XDisplay;

namespace tarvex {

/// Grabs Ctrl+Alt+Space on the root window of `display`, also with Caps Lock
/// and Num Lock on, so no other program gets it. When another program holds
/// the combination, that is logged once under "tarvex.x11" and false returned.
bool grabReservedHotkey(_XDisplay* display);

} // namespace tarvex
