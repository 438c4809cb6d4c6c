#include "platform/x11/XkbLayoutMap.h"

#include "platform/common/KeysymTable.h"

#include <X11/XKBlib.h>

namespace tarvex {

XkbLayoutMap::~XkbLayoutMap()
{
    if (m_desc)
        XkbFreeKeyboard(m_desc, 0, True);
}

void XkbLayoutMap::reload(_XDisplay* display)
{
    if (m_desc)
        XkbFreeKeyboard(m_desc, 0, True);
    m_desc = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    rebuild();
}

void XkbLayoutMap::setGroup(int group)
{
    if (group == m_group)
        return;
    m_group = group;
    rebuild();
}

int XkbLayoutMap::codeFor(int keycode) const
{
    return keycode > 0 && keycode < 256 ? m_codes[keycode] : 0;
}

void XkbLayoutMap::rebuild()
{
    m_codes.fill(0);
    if (!m_desc)
        return;
    for (int keycode = m_desc->min_key_code; keycode <= m_desc->max_key_code && keycode < 256;
         ++keycode)
        m_codes[keycode] = quint8(lookUp(keycode));
}

int XkbLayoutMap::lookUp(int keycode) const
{
    return virtualKeyForKey(keycode, m_group, [this, keycode](int group, int level) {
        return keysymAt(keycode, group, level);
    });
}

unsigned long XkbLayoutMap::keysymAt(int keycode, int group, int level) const
{
    const int groups = XkbKeyNumGroups(m_desc, keycode);
    if (groups <= 0)
        return NoSymbol;
    group %= groups;
    if (level >= XkbKeyGroupWidth(m_desc, keycode, group))
        return NoSymbol;
    return XkbKeySymEntry(m_desc, keycode, level, group);
}

} // namespace tarvex
