#include "platform/common/KeyLatch.h"

namespace tarvex {

namespace {

bool inRange(int value)
{
    return value > 0 && value < 256;
}

} // namespace

bool KeyLatch::press(int keycode, int code)
{
    if (!inRange(keycode) || !inRange(code) || m_codeOfKeycode[keycode] != 0)
        return false;
    m_codeOfKeycode[keycode] = quint8(code);
    if (m_heldKeys[code]++ > 0)
        return false;
    m_pressedSinceQuery[code] = true;
    return true;
}

void KeyLatch::release(int keycode)
{
    if (!inRange(keycode) || m_codeOfKeycode[keycode] == 0)
        return;
    const int code = m_codeOfKeycode[keycode];
    m_codeOfKeycode[keycode] = 0;
    --m_heldKeys[code];
}

quint16 KeyLatch::query(int code)
{
    if (!inRange(code))
        return 0;
    const quint16 state = (m_heldKeys[code] > 0 ? 0x8000 : 0) | (m_pressedSinceQuery[code] ? 1 : 0);
    m_pressedSinceQuery[code] = false;
    return state;
}

void KeyLatch::clear()
{
    m_codeOfKeycode.fill(0);
    m_heldKeys.fill(0);
    m_pressedSinceQuery.fill(false);
}

} // namespace tarvex
