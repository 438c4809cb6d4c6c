#include "platform/x11/ReservedHotkey.h"

#include "platform/x11/X11Errors.h"

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

bool grabReservedHotkey(Display* display)
{
    const KeyCode space = XKeysymToKeycode(display, XK_space);
    if (space == 0)
        return false;
    const unsigned int alt = modifierOf(display, XK_Alt_L, Mod1Mask);
    const unsigned int numLock = modifierOf(display, XK_Num_Lock, Mod2Mask);
    const Window root = DefaultRootWindow(display);
    const unsigned int lockVariants[] = {0u, LockMask, numLock, LockMask | numLock};
    // Each variant another program holds fails with BadAccess: one report for them all.
    X11ErrorTrap trap(display);
    for (const unsigned int locks : lockVariants)
        XGrabKey(display, space, ControlMask | alt | locks, root, True, GrabModeAsync,
                 GrabModeAsync);
    XSync(display, False);
    if (trap.count(BadAccess) == 0)
        return true;
    qCWarning(lcX11) << "Ctrl+Alt+Space is held by another program, so it is not reserved";
    return false;
}

} // namespace tarvex
