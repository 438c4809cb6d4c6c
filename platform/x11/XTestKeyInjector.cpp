#include "platform/x11/XTestKeyInjector.h"

#include "platform/x11/XkbLayoutMap.h"

#include <QCoreApplication>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <vector>

namespace tarvex {
namespace {

constexpr int BackspaceCode = 8;

// The keycodes of the modifier keys that are down now.
std::vector<int> HeldModifiers(Display* display)
{
    std::vector<int> held;
    char keys[32] = {};
    XQueryKeymap(display, keys);
    XModifierKeymap* map = XGetModifierMapping(display);
    if (!map)
        return held;
    for (int i = 0; i < 8 * map->max_keypermod; ++i) {
        const int keycode = map->modifiermap[i];
        const bool down = keycode != 0 && (keys[keycode / 8] & (1 << (keycode % 8))) != 0;
        // A key may stand under several modifiers: it is released and pressed once.
        if (down && std::find(held.begin(), held.end(), keycode) == held.end())
            held.push_back(keycode);
    }
    XFreeModifiermap(map);
    return held;
}

} // namespace

XTestKeyInjector::XTestKeyInjector()
{
    Display* display = XOpenDisplay(nullptr);
    m_noDisplay = display == nullptr;
    int event = 0, error = 0, major = 0, minor = 0;
    if (display && !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        display = nullptr;
    }
    m_display = display;
}

XTestKeyInjector::~XTestKeyInjector()
{
    if (m_display)
        XCloseDisplay(m_display);
}

QString XTestKeyInjector::unavailableReason() const
{
    if (m_display)
        return QString();
    if (m_noDisplay)
        return QCoreApplication::translate("tarvex::XTestKeyInjector",
                                           "Tarvex cannot reach the X display, so the typed keys "
                                           "cannot be erased.");
    return QCoreApplication::translate("tarvex::XTestKeyInjector",
                                       "The X server offers no XTest extension, so the typed "
                                       "keys cannot be erased.");
}

QList<int> XTestKeyInjector::pressBackspace(int count)
{
    QList<int> pressed;
    if (!m_display || count <= 0)
        return pressed;
    const unsigned backspace = XKeysymToKeycode(m_display, XK_BackSpace);
    if (backspace == 0)
        return pressed;
    XkbLayoutMap layout;
    layout.reload(m_display);
    const std::vector<int> held = HeldModifiers(m_display);
    for (int keycode : held)
        XTestFakeKeyEvent(m_display, unsigned(keycode), False, CurrentTime);
    for (int i = 0; i < count; ++i) {
        XTestFakeKeyEvent(m_display, backspace, True, CurrentTime);
        XTestFakeKeyEvent(m_display, backspace, False, CurrentTime);
        pressed.append(BackspaceCode);
    }
    for (int keycode : held) {
        XTestFakeKeyEvent(m_display, unsigned(keycode), True, CurrentTime);
        if (const int code = layout.codeFor(keycode))
            pressed.append(code);
    }
    XSync(m_display, False);
    return pressed;
}

} // namespace tarvex
