#include "platform/x11/X11Errors.h"

#include <X11/Xlib.h>

namespace tarvex {

Q_LOGGING_CATEGORY(lcX11, "tarvex.x11")

namespace {

// The innermost trap; the program's X connections are all used from the GUI thread.
X11ErrorTrap* g_trap = nullptr;

int handleError(Display* display, XErrorEvent* error)
{
    if (X11ErrorTrap::record(display, error->error_code))
        return 0;
    char text[160] = {};
    XGetErrorText(display, error->error_code, text, sizeof(text));
    qCWarning(lcX11, "X error %s (code %d) on request %d.%d, resource 0x%lx", text,
              int(error->error_code), int(error->request_code), int(error->minor_code),
              error->resourceid);
    return 0;
}

} // namespace

void installX11ErrorHandler()
{
    XSetErrorHandler(handleError);
}

bool X11ErrorTrap::record(Display* display, int errorCode)
{
    for (X11ErrorTrap* trap = g_trap; trap; trap = trap->m_outer) {
        if (trap->m_display == display) {
            ++trap->m_counts[errorCode & 0xff];
            return true;
        }
    }
    return false;
}

X11ErrorTrap::X11ErrorTrap(Display* display) : m_display(display), m_outer(g_trap)
{
    g_trap = this;
}

X11ErrorTrap::~X11ErrorTrap()
{
    g_trap = m_outer;
}

int X11ErrorTrap::count(int errorCode) const
{
    return errorCode >= 0 && errorCode < 256 ? m_counts[errorCode] : 0;
}

} // namespace tarvex
