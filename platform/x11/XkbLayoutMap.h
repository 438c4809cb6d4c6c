#pragma once

#include <QtGlobal>

#include <array>

struct _XDisplay;
struct _XkbDesc;

namespace tarvex {

// The X keycode → virtual-key number table of the active keyboard layout. It
// is rebuilt when the keymap, the layout group or the Num Lock state changes,
// so a lookup for a key press is a plain array read.
class XkbLayoutMap final
{
public:
    XkbLayoutMap() = default;
    ~XkbLayoutMap();
    XkbLayoutMap(const XkbLayoutMap&) = delete;
    XkbLayoutMap& operator=(const XkbLayoutMap&) = delete;

    /// Reads the keymap from the server again (one round trip) and rebuilds the table.
    void reload(_XDisplay* display);
    /// Takes the active layout group and the Num Lock state; rebuilds on a change.
    void setState(int group, bool numLock);
    /// The virtual-key number of an X keycode in the active layout, or 0.
    int codeFor(int keycode) const;
    /// The modifiers bound to the keys that carry `keysym` (Num_Lock: the Num Lock modifier).
    unsigned int modifiersOf(unsigned long keysym) const;

private:
    void rebuild();
    int lookUp(int keycode) const;
    unsigned long keysymAt(int keycode, int group, int level) const;

    _XkbDesc* m_desc = nullptr;
    int m_group = 0;
    bool m_numLock = false;
    std::array<quint8, 256> m_codes{};
};

} // namespace tarvex
