#pragma once

#include <QLoggingCategory>

struct _XDisplay;

namespace tarvex {

Q_DECLARE_LOGGING_CATEGORY(lcX11)

/// Replaces Xlib's default error handler (which ends the process) by one that logs the error
/// under "tarvex.x11" and goes on: a window that vanished or a key another program holds is
/// no reason to stop.
void installX11ErrorHandler();

/// Collects the errors of the requests sent to `display` while it lives, instead of logging
/// them, for a caller that reports a failure in its own words. Errors arrive at the latest
/// by the next XSync on the display.
class X11ErrorTrap final
{
public:
    explicit X11ErrorTrap(_XDisplay* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    /// The number of errors with the error code `errorCode` (BadAccess, ...) trapped so far.
    int count(int errorCode) const;
    /// Counts an error of `display` in the innermost trap of that display; false when none.
    static bool record(_XDisplay* display, int errorCode);

private:
    _XDisplay* m_display;
    X11ErrorTrap* m_outer;
    int m_counts[256] = {};
};

} // namespace tarvex
