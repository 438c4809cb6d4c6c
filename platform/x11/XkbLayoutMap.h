#pragma once

#include <QtGlobal>

#include <array>

struct _XDisplay;
struct _XkbDesc;

namespace tarvex {

// The X keycode → key (virtual-key number) table of the active keyboard layout.
// It is rebuilt when the keymap or the layout group changes, so a lookup for a
// key press is a plain array read. Num Lock changes nothing: a keypad key is
// the same key with or without it.
class XkbLayoutMap final
{
public:
    XkbLayoutMap() = default;
    ~XkbLayoutMap();
    XkbLayoutMap(const XkbLayoutMap&) = delete;
    XkbLayoutMap& operator=(const XkbLayoutMap&) = delete;

    /// Reads the keymap from the server again (one round trip) and rebuilds the table.
    void reload(_XDisplay* display);
    /// Takes the active layout group; rebuilds on a change.
    void setGroup(int group);
    /// The virtual-key number of an X keycode in the active layout, or 0.
    int codeFor(int keycode) const;

private:
    void rebuild();
    int lookUp(int keycode) const;
    unsigned long keysymAt(int keycode, int group, int level) const;

    _XkbDesc* m_desc = nullptr;
    int m_group = 0;
    std::array<quint8, 256> m_codes{};
};

} // namespace tarvex
