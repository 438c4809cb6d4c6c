#pragma once

namespace tarvex {

/// Replaces Xlib's default error handler (which ends the process) by one that
/// ignores the error: every X request of the program may fail silently, as a
/// window that vanished or a key another program holds is no reason to stop.
void installQuietX11ErrorHandler();

} // namespace tarvex
