#pragma once

#include <QtGlobal>

#include <array>
#include <bitset>
#include <functional>
#include <map>
#include <optional>

namespace tarvex {

// The keys of several keyboards read as one keyboard, from the records of the
// kernel's input events (type, code, value) of each. A key counts as down while
// any keyboard holds it, so a key pressed on one keyboard while another holds
// it is no new press, and it goes up when the last one lets it go. Key
// auto-repeat (value 2) is no press. After SYN_DROPPED (the kernel lost events
// of that keyboard) the records up to the next SYN_REPORT are skipped and the
// keyboard's keys are set to what it holds then. Only keys with an X keycode
// (evdev code below 248) are kept.
class KeyboardState final
{
public:
    /// The key codes (evdev numbering) a keyboard holds.
    using Keys = std::bitset<248>;

    struct Handlers
    {
        /// A key went down on the first keyboard (evdev key code).
        std::function<void(int key)> keyDown;
        /// A key went up on the last keyboard that held it.
        std::function<void(int key)> keyUp;
        /// The keys keyboard `keyboard` holds now, read from the device after a loss of
        /// events; nothing (a stream, or the device could not say) counts as no key held.
        std::function<std::optional<Keys>(int keyboard)> heldKeys;
    };

    explicit KeyboardState(Handlers handlers) : m_handlers(std::move(handlers)) {}

    /// Starts reading keyboard `keyboard` (no key held).
    void add(int keyboard);
    /// One record of keyboard `keyboard`; records of a keyboard not added are ignored.
    void feed(int keyboard, quint16 type, quint16 code, qint32 value);
    /// The keyboard is gone: every key it held goes up.
    void remove(int keyboard);
    /// True while any keyboard holds `key`.
    bool isDown(int key) const;

private:
    struct Keyboard
    {
        Keys held;
        bool skippingToReport = false;
    };

    void press(int keyboard, int key);
    void release(int keyboard, int key);
    void resynchronise(int keyboard);

    Handlers m_handlers;
    std::map<int, Keyboard> m_keyboards;
    std::array<quint8, 248> m_holders{};
};

} // namespace tarvex
