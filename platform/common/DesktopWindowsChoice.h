#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tarvex {

/// The ways of acting on other programs' windows: EWMH through an X11 window manager, the
/// wlroots foreign-toplevel protocol, KWin's scripting over D-Bus, or none at all.
enum class DesktopWindowsKind { Ewmh, WlrForeignToplevel, KWinScripting, Unavailable };

/// Chooses from what the compositor offers, never from the desktop's name. `sessionType` is
/// XDG_SESSION_TYPE; `waylandGlobals` are the interface names the Wayland compositor
/// advertises, or nothing when no compositor could be reached. An X11 session, or no
/// compositor, keeps EWMH; a compositor with the foreign-toplevel manager gets it; KWin (known by
/// its own globals) gets its scripting; any other compositor lets no program act on windows.
DesktopWindowsKind chooseDesktopWindows(const QString& sessionType,
                                        const std::optional<QStringList>& waylandGlobals);

} // namespace tarvex
