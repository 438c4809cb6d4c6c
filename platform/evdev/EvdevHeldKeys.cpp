#include "platform/evdev/EvdevHeldKeys.h"

#include "platform/evdev/SessionKeymap.h"

namespace tarvex {

namespace {

// X keycodes are evdev key codes + 8, as in every XKB keymap.
constexpr int KeycodeOffset = 8;

} // namespace

int EvdevHeldKeys::keyDown(int key)
{
    const int keycode = key + KeycodeOffset;
    const int code = m_keymap.codeFor(keycode);
    m_keymap.keyDown(keycode);
    return m_held.press(keycode, code) ? code : 0;
}

void EvdevHeldKeys::keyUp(int key)
{
    const int keycode = key + KeycodeOffset;
    m_keymap.keyUp(keycode);
    m_held.release(keycode);
}

} // namespace tarvex
