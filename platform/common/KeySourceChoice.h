#pragma once

#include <QString>

#include <functional>

namespace tarvex {

/// The ways of watching the keyboard: XInput2 on an X11 display, the kernel's input devices
/// (which works under any Wayland compositor, and on X11 too), or none at all: the desktop
/// portal's global shortcuts, which bind the chords and report them pressed.
enum class KeySourceKind { X11, Evdev, Portal };

/// Chooses the key source. `setting` is the "Keyboard"/"Source" setting: "x11", "evdev" or
/// "portal" (in any letter case) decides; anything else ("auto") follows the session: a Wayland
/// session (`sessionType` "wayland", or a `waylandDisplay` while no usable X11 display can be
/// opened) reads the input devices, every other session uses XInput2. `x11DisplayUsable` is
/// only asked when the rest leaves the choice open.
KeySourceKind chooseKeySource(const QString& setting, const QString& sessionType,
                              const QString& waylandDisplay,
                              const std::function<bool()>& x11DisplayUsable);

} // namespace tarvex
