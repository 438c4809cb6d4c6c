#include "platform/x11/X11Errors.h"

#include <X11/Xlib.h>

namespace tarvex {

namespace {

int ignoreError(Display*, XErrorEvent*)
{
    return 0;
}

} // namespace

void installQuietX11ErrorHandler()
{
    XSetErrorHandler(ignoreError);
}

} // namespace tarvex
