#pragma once

#include "platform/common/KeyLatch.h"

namespace tarvex {

class SessionKeymap;

// Keys of the kernel's keyboards (evdev key codes) numbered by the session's keymap and latched
// for the poll: what the source that reads the devices and the source that reads the key
// reader share, so a key has one number whichever way it came.
class EvdevKeyLatch final
{
public:
    /// Numbers keys by `keymap`, which must outlive the latch.
    explicit EvdevKeyLatch(SessionKeymap& keymap) : m_keymap(keymap) {}

    /// Key `key` went down; true when that is a new press of its number.
    bool keyDown(int key);
    /// Key `key` went up.
    void keyUp(int key);
    /// The state of key code `code`, as KeyStateSource::keyState() gives it.
    quint16 query(int code) { return m_latch.query(code); }

private:
    SessionKeymap& m_keymap;
    KeyLatch m_latch;
};

} // namespace tarvex
