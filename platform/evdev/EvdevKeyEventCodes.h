#pragma once

#include "platform/KeyEventCodes.h"

namespace tarvex {

class SessionKeymap;

/// The capture box's key numbers on a session whose keys are read from the kernel's input
/// devices: the event's X keycode (evdev code + 8, as Qt reports it on Wayland and on X11)
/// through the same table as that key source, so a captured key is stored under the number
/// that fires it. Events without a keycode (synthesised ones) go by their key symbol.
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
