#include "platform/common/HeldKeys.h"

namespace tarvex {

namespace {

bool inRange(int value)
{
    return value > 0 && value < 256;
}

} // namespace

bool HeldKeys::press(int keycode, int code)
{
    if (!inRange(keycode) || !inRange(code) || m_codeOfKeycode[keycode] != 0)
        return false;
    m_codeOfKeycode[keycode] = quint8(code);
    return m_heldKeys[code]++ == 0;
}

void HeldKeys::release(int keycode)
{
    if (!inRange(keycode) || m_codeOfKeycode[keycode] == 0)
        return;
    const int code = m_codeOfKeycode[keycode];
    m_codeOfKeycode[keycode] = 0;
    --m_heldKeys[code];
}

void HeldKeys::clear()
{
    m_codeOfKeycode.fill(0);
    m_heldKeys.fill(0);
}

} // namespace tarvex
