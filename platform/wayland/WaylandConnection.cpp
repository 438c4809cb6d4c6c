#include "platform/wayland/WaylandConnection.h"

#include <wayland-client.h>

#include <cstring>
#include <utility>

namespace tarvex {

WaylandConnection::WaylandConnection(wl_display* display, GlobalHandler onGlobal)
    : m_display(display), m_onGlobal(std::move(onGlobal))
{
    if (!m_display)
        return;
    static const wl_registry_listener listener = {&registryGlobal,
                                                  [](void*, wl_registry*, uint32_t) {}};
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &listener, this);
}

WaylandConnection::~WaylandConnection()
{
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
    if (m_display)
        wl_display_disconnect(m_display);
}

void WaylandConnection::registryGlobal(void* data, wl_registry* registry, uint32_t name,
                                       const char* interface, uint32_t version)
{
    auto* self = static_cast<WaylandConnection*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) != 0)
        self->m_onGlobal(registry, name, interface, version);
    else if (!self->m_seat)
        self->m_seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}

} // namespace tarvex
