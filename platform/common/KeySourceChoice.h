#pragma once

#include <QString>

#include <functional>

namespace tarvex {

/// The ways of watching the keyboard.
enum class KeySourceKind {
    X11,     ///< XInput2 on an X11 display
    Evdev,   ///< the kernel's input devices, read by Tarvex itself (works on any desktop)
    Reader,  ///< the kernel's input devices, read by tarvex-keyreader for Tarvex
    Portal,  ///< no keyboard: the desktop portal's global shortcuts run the chords
    Wayland, ///< "auto" on Wayland: the portal for a table of chords, else the key reader, else
             ///< the devices the user can read (chooseHotkeyWay, as the table changes)
};

/// Chooses the key source. `setting` is the "Keyboard"/"Source" setting: "x11", "evdev",
/// "reader" or "portal" (in any letter case) decides; anything else ("auto") follows the
/// session: a Wayland session (`sessionType` "wayland", or a `waylandDisplay` while no usable
/// X11 display can be opened) gets the Wayland ways, every other session XInput2.
/// `x11DisplayUsable` is only asked when the rest leaves the choice open.
KeySourceKind chooseKeySource(const QString& setting, const QString& sessionType,
                              const QString& waylandDisplay,
                              const std::function<bool()>& x11DisplayUsable);

/// The two ways the running hotkeys reach Tarvex.
enum class HotkeyWay {
    Keys,      ///< a key source reads every key (XInput2, the key reader or the devices)
    Shortcuts, ///< the desktop binds the chords and says when one is pressed
};

/// What decides the way of the running hotkeys.
struct HotkeyWayFacts
{
    bool keys = false;       ///< a key source is at hand
    bool shortcuts = false;  ///< the desktop's shortcuts are at hand
    bool chordsOnly = false; ///< every hotkey that can run is a chord
    /// The desktop refused its shortcuts in this run (it has none, the user declined, or it
    /// failed).
    bool shortcutsRefused = false;
};

/// The desktop's shortcuts where they are all there is, or where both are at hand and they can
/// run the whole table (only chords) and were not refused; the keys otherwise.
HotkeyWay chooseHotkeyWay(const HotkeyWayFacts& facts);

} // namespace tarvex
