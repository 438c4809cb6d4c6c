#pragma once

#include "platform/common/HeldKeys.h"

namespace tarvex {

class SessionKeymap;

// Keys of the kernel's keyboards (evdev key codes) numbered by the session's keymap, with the
// keys held: what the source that reads the devices and the source that reads the key reader
// share, so a key has one number whichever way it came.
class EvdevHeldKeys final
{
public:
    /// Numbers keys by `keymap`, which must outlive this object.
    explicit EvdevHeldKeys(SessionKeymap& keymap) : m_keymap(keymap) {}

    /// Key `key` went down; returns its number when that is a new press of it, else 0.
    int keyDown(int key);
    /// Key `key` went up.
    void keyUp(int key);

private:
    SessionKeymap& m_keymap;
    HeldKeys m_held;
};

} // namespace tarvex
