#include "platform/evdev/devices/KeyboardState.h"

#include <linux/input-event-codes.h>

namespace tarvex {

namespace {

constexpr int KeyCount = 248;

bool isKey(int key)
{
    return key > 0 && key < KeyCount;
}

} // namespace

void KeyboardState::add(int keyboard)
{
    m_keyboards.try_emplace(keyboard);
}

void KeyboardState::feed(int keyboard, quint16 type, quint16 code, qint32 value)
{
    const auto it = m_keyboards.find(keyboard);
    if (it == m_keyboards.end())
        return;
    if (it->second.skippingToReport) {
        if (type == EV_SYN && code == SYN_REPORT) {
            it->second.skippingToReport = false;
            resynchronise(keyboard);
        }
        return;
    }
    if (type == EV_SYN && code == SYN_DROPPED)
        it->second.skippingToReport = true;
    else if (type == EV_KEY && value == 1)
        press(keyboard, code);
    else if (type == EV_KEY && value == 0)
        release(keyboard, code);
}

void KeyboardState::remove(int keyboard)
{
    const auto it = m_keyboards.find(keyboard);
    if (it == m_keyboards.end())
        return;
    const Keys held = it->second.held;
    for (int key = 1; key < KeyCount; ++key) {
        if (held[key])
            release(keyboard, key);
    }
    m_keyboards.erase(keyboard);
}

bool KeyboardState::isDown(int key) const
{
    return isKey(key) && m_holders[key] > 0;
}

// The handlers may run a nested event loop that feeds or removes keyboards, so the
// keyboard is looked up again after every call out.
void KeyboardState::press(int keyboard, int key)
{
    const auto it = m_keyboards.find(keyboard);
    if (!isKey(key) || it == m_keyboards.end() || it->second.held[key])
        return;
    it->second.held.set(key);
    if (m_holders[key]++ == 0 && m_handlers.keyDown)
        m_handlers.keyDown(key);
}

void KeyboardState::release(int keyboard, int key)
{
    const auto it = m_keyboards.find(keyboard);
    if (!isKey(key) || it == m_keyboards.end() || !it->second.held[key])
        return;
    it->second.held.reset(key);
    if (--m_holders[key] == 0 && m_handlers.keyUp)
        m_handlers.keyUp(key);
}

// Keys let go while events were lost go up; keys pressed meanwhile and still held go down
// (late, but a press is not lost).
void KeyboardState::resynchronise(int keyboard)
{
    const std::optional<Keys> now =
        m_handlers.heldKeys ? m_handlers.heldKeys(keyboard) : std::nullopt;
    const Keys target = now.value_or(Keys());
    const auto it = m_keyboards.find(keyboard);
    if (it == m_keyboards.end())
        return;
    const Keys before = it->second.held;
    for (int key = 1; key < KeyCount; ++key) {
        if (before[key] && !target[key])
            release(keyboard, key);
    }
    for (int key = 1; key < KeyCount; ++key) {
        if (!before[key] && target[key])
            press(keyboard, key);
    }
}

} // namespace tarvex
