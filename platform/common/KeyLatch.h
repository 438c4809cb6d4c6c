#pragma once

#include <QtGlobal>

#include <array>

namespace tarvex {

// Key states with the meaning the poll expects of each key code: bit 15 set
// while the key is down, bit 0 set when it was pressed since the last query,
// so 0x8001 means "down now and newly pressed". Several physical keys may
// share one code (both Shift keys are 16): the code is down while any of them
// is, and only the first of them going down is a press.
class KeyLatch final
{
public:
    /// Records that the key with this X keycode went down as key code `code`;
    /// returns true when that is a new press of the code (false for a repeat).
    bool press(int keycode, int code);
    /// Records that the key with this X keycode went up; a release without a
    /// press, or a second release, changes nothing.
    void release(int keycode);
    /// The state of key code `code` (0x8000 down, 0x0001 pressed since the last
    /// query); clears the pressed bit.
    quint16 query(int code);
    /// Forgets every key (all up, nothing pending).
    void clear();

private:
    std::array<quint8, 256> m_codeOfKeycode{};
    std::array<quint8, 256> m_heldKeys{};
    std::array<bool, 256> m_pressedSinceQuery{};
};

} // namespace tarvex
