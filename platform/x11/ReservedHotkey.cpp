#include "platform/x11/ReservedHotkey.h"

#include <X11/keysym.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace tarvex {

namespace {

unsigned int modifierOf(Display* display, KeySym keysym, unsigned int fallback)
{
    const unsigned int mask = XkbKeysymToModifiers(display, keysym);
    return mask != 0 ? mask : fallback;
}

} // namespace

void grabReservedHotkey(Display* display)
{
    const KeyCode space = XKeysymToKeycode(display, XK_space);
    if (space == 0)
        return;
    const unsigned int alt = modifierOf(display, XK_Alt_L, Mod1Mask);
    const unsigned int numLock = modifierOf(display, XK_Num_Lock, Mod2Mask);
    const Window root = DefaultRootWindow(display);
    const unsigned int lockVariants[] = {0u, LockMask, numLock, LockMask | numLock};
    for (const unsigned int locks : lockVariants)
        XGrabKey(display, space, ControlMask | alt | locks, root, True, GrabModeAsync,
                 GrabModeAsync);
    // Errors (BadAccess) come back here and go to the quiet handler.
    XSync(display, False);
}

} // namespace tarvex
