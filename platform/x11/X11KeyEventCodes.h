#pragma once

#include "platform/KeyEventCodes.h"

#include <memory>

namespace tarvex {

class XkbLayoutMap;

/// The capture box's keys on an X11 session. The event's keysym names the key first (so a
/// virtual keyboard with a keymap of its own records the keys it types); a keysym that names
/// no key (Shift+1 gives "!") falls back to the X keycode through the same keycode → key table
/// of the active layout as the XInput2 key source, so Shift+1 is the "1" key and letters follow
/// the layout. The layout group comes from the event's modifier state.
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
    bool m_layoutLoaded = false;
};

} // namespace tarvex
