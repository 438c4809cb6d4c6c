#include "platform/wayland/WaylandGlobals.h"

#include <wayland-client.h>

namespace tarvex {

std::optional<QStringList> waylandGlobals()
{
    // Without the variable libwayland would try "wayland-0", which an X11 session may not own.
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::nullopt;
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return std::nullopt;
    QStringList names;
    static const wl_registry_listener listener = {
        [](void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
            *static_cast<QStringList*>(data) << QString::fromUtf8(interface);
        },
        [](void*, wl_registry*, uint32_t) {},
    };
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &names);
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    if (!answered)
        return std::nullopt;
    return names;
}

} // namespace tarvex
