#include "platform/common/KeySourceChoice.h"

namespace tarvex {

KeySourceKind chooseKeySource(const QString& setting, const QString& sessionType,
                              const QString& waylandDisplay,
                              const std::function<bool()>& x11DisplayUsable)
{
    const QString chosen = setting.trimmed().toLower();
    if (chosen == u"x11")
        return KeySourceKind::X11;
    if (chosen == u"evdev")
        return KeySourceKind::Evdev;
    if (chosen == u"portal")
        return KeySourceKind::Portal;
    if (chosen == u"reader")
        return KeySourceKind::Reader;
    const QString session = sessionType.trimmed().toLower();
    if (session == u"wayland")
        return KeySourceKind::Wayland;
    if (session == u"x11")
        return KeySourceKind::X11;
    // Without a session type, a Wayland display decides only where X11 cannot be used.
    if (!waylandDisplay.isEmpty() && !(x11DisplayUsable && x11DisplayUsable()))
        return KeySourceKind::Wayland;
    return KeySourceKind::X11;
}

HotkeyWay chooseHotkeyWay(const HotkeyWayFacts& facts)
{
    if (!facts.shortcuts)
        return HotkeyWay::Keys;
    if (!facts.keys)
        return HotkeyWay::Shortcuts;
    return facts.chordsOnly && !facts.shortcutsRefused ? HotkeyWay::Shortcuts : HotkeyWay::Keys;
}

} // namespace tarvex
