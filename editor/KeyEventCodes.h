#pragma once

#include <memory>

class QKeyEvent;

namespace tarvex {

class XkbLayoutMap;

/// Turns the key events of a capture box into virtual-key numbers by the same rules as the
/// global key source: on X11 through the same keycode → virtual-key table of the active layout
/// (so Shift+1 is the "1" key, and letters follow the layout); elsewhere, and for synthesised
/// events, through the keysym of the event and the same keysym → virtual-key table.
class KeyEventCodes final
{
public:
    KeyEventCodes();
    ~KeyEventCodes();
    KeyEventCodes(const KeyEventCodes&) = delete;
    KeyEventCodes& operator=(const KeyEventCodes&) = delete;

    /// Returns the virtual-key number (1-255) of the key of `event`, or 0 when it has none.
    int codeFor(const QKeyEvent& event);
    /// Reads the keyboard layout again at the next key (after a layout change, at focus-in).
    void invalidateLayout() { m_layoutLoaded = false; }

private:
    int codeFromLayout(const QKeyEvent& event);

    std::unique_ptr<XkbLayoutMap> m_layout;
    bool m_layoutLoaded = false;
};

} // namespace tarvex
