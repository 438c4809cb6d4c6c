#pragma once

#include "platform/KeyEventCodes.h"

#include <memory>

namespace tarvex {

class XkbLayoutMap;

/// The capture box's key numbers on an X11 session: the X keycode of the event through the same
/// keycode → virtual-key table of the active layout as the XInput2 key source (so Shift+1 is the
/// "1" key and letters follow the layout). The layout group and the Num Lock state come from the
/// event's modifier state; which modifier Num Lock is comes from the server's XKB keymap. Events
/// without an X keycode (synthesised ones) go by their key symbol.
class X11KeyEventCodes final : public KeyEventCodes
{
public:
    X11KeyEventCodes();
    ~X11KeyEventCodes() override;
    X11KeyEventCodes(const X11KeyEventCodes&) = delete;
    X11KeyEventCodes& operator=(const X11KeyEventCodes&) = delete;

    int codeFor(const QKeyEvent& event) override;
    /// Reads the keyboard layout again at the next key (after a layout change, at focus-in).
    void invalidateLayout() override { m_layoutLoaded = false; }

private:
    int codeFromLayout(const QKeyEvent& event);

    std::unique_ptr<XkbLayoutMap> m_layout;
    unsigned m_numLockMask = 0;
    bool m_layoutLoaded = false;
};

} // namespace tarvex
