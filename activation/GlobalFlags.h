#pragma once

namespace tarvex {

/// True while the hotkeys are switched on; key presses are ignored while it is false.
bool HotkeysEnabled();
/// Switches the hotkeys on or off (the only writer of HotkeysEnabled).
void SetHK(bool s);
/// True once the user chose Exit; windows that close then do not bring the main window back.
bool ExitRequested();
/// Records that the user chose Exit (tests may also clear it).
void SetExitRequested(bool s);

} // namespace tarvex
