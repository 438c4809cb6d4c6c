#pragma once

#include "platform/KeyEventCodes.h"

namespace tarvex {

/// The key that a key event's keysym names: the native keysym the event carries, else the
/// keysym of its Qt key. Returns 0 when it names no key.
int codeFromEventKeysym(const QKeyEvent& event);

/// The key of a key event by its own key symbol (codeFromEventKeysym); a symbol that names no
/// key falls back to the key's US position (the native scan code is the X keycode on X11 and
/// on Wayland). Returns 0 when nothing gives a key.
int codeFromEventSymbol(const QKeyEvent& event);

/// Key event → virtual-key number by the event's symbol alone: for events with no layout table
/// behind them (synthesised events, or before the program installed the session's mapping).
class SymbolKeyEventCodes final : public KeyEventCodes
{
public:
    int codeFor(const QKeyEvent& event) override { return codeFromEventSymbol(event); }
};

} // namespace tarvex
