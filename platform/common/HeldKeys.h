#pragma once

#include <QtGlobal>

#include <array>

namespace tarvex {

// Which keys are held, so a source announces only new presses: an auto-repeated
// key is no new press. Several physical keys may share one code (both Shift
// keys are 16): the code is down while any of them is, and only the first of
// them going down is a press.
class HeldKeys final
{
public:
    /// Records that the key with this X keycode went down as key code `code`;
    /// returns true when that is a new press of the code (false for a repeat).
    bool press(int keycode, int code);
    /// Records that the key with this X keycode went up; a release without a
    /// press, or a second release, changes nothing.
    void release(int keycode);
    /// Forgets every key (all up, nothing pending).
    void clear();

private:
    std::array<quint8, 256> m_codeOfKeycode{};
    std::array<quint8, 256> m_heldKeys{};
};

} // namespace tarvex
