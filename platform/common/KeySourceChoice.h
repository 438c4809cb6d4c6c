#pragma once

#include <QString>

#include <functional>

namespace tarvex {

/// The ways of watching the keyboard.
enum class KeySourceKind {
    X11,           ///< XInput2 on an X11 display
    Evdev,         ///< the kernel's input devices, read by Tarvex itself (works on any desktop)
    Reader,        ///< the kernel's input devices, read by tarvex-keyreader for Tarvex
    Portal,        ///< no keyboard: the desktop portal's global shortcuts run the chords
    EvdevOrReader, ///< the devices while Tarvex can read them, else the key reader
};

/// Chooses the key source. `setting` is the "Keyboard"/"Source" setting: "x11", "evdev",
/// "reader" or "portal" (in any letter case) decides; anything else ("auto") follows the
/// session: a Wayland
/// session (`sessionType` "wayland", or a `waylandDisplay` while no usable X11 display can be
/// opened) reads the input devices, or the key reader where Tarvex cannot read them; every
/// other session uses XInput2. `x11DisplayUsable` is only asked when the rest leaves the choice
/// open.
KeySourceKind chooseKeySource(const QString& setting, const QString& sessionType,
                              const QString& waylandDisplay,
                              const std::function<bool()>& x11DisplayUsable);

} // namespace tarvex
