#pragma once

#include "platform/KeyEventCodes.h"

namespace tarvex {

class SessionKeymap;

/// The capture box's keys on a session whose keys are read from the kernel's input devices.
/// The event's keysym names the key first, so a virtual keyboard with a keymap of its own
/// (wtype, an on-screen keyboard, a remote desktop) records the keys it types; a keysym that
/// names no key falls back to the event's X keycode (evdev code + 8, as Qt reports it on
/// Wayland and on X11) through the same table as that key source.
class EvdevKeyEventCodes final : public KeyEventCodes
{
public:
    /// Uses `keymap`, which must outlive this object.
    explicit EvdevKeyEventCodes(const SessionKeymap& keymap) : m_keymap(keymap) {}

    int codeFor(const QKeyEvent& event) override;

private:
    const SessionKeymap& m_keymap;
};

} // namespace tarvex
