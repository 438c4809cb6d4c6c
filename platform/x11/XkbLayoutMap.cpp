#include "platform/x11/XkbLayoutMap.h"

#include "platform/x11/KeysymTable.h"

#include <X11/keysym.h>
#include <X11/XKBlib.h>

#include <initializer_list>

namespace tarvex {

namespace {

bool isKeypadNavigation(unsigned long keysym)
{
    return keysym >= XK_KP_Home && keysym <= XK_KP_Delete;
}

} // namespace

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

void XkbLayoutMap::setState(int group, bool numLock)
{
    if (group == m_group && numLock == m_numLock)
        return;
    m_group = group;
    m_numLock = numLock;
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

// The key's first-level symbol in the active group decides (so letters follow
// the layout). Symbols without a number fall back to the shifted level (the
// digits of a French layout), then to the first group (Latin letters under a
// Cyrillic layout), then to the key's US position (punctuation keys).
int XkbLayoutMap::lookUp(int keycode) const
{
    unsigned long keysym = keysymAt(keycode, m_group, 0);
    if (m_numLock && isKeypadNavigation(keysym))
        keysym = keysymAt(keycode, m_group, 1);
    for (const unsigned long candidate : {keysym, keysymAt(keycode, m_group, 1),
                                          keysymAt(keycode, 0, 0), keysymAt(keycode, 0, 1)}) {
        if (const int code = virtualKeyForKeysym(candidate))
            return code;
    }
    return virtualKeyForKeycodePosition(keycode);
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
