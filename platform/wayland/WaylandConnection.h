#pragma once

#include <cstdint>
#include <functional>

struct wl_display;
struct wl_registry;
struct wl_seat;

namespace tarvex {

/// A Wayland connection of a client's own with its registry. It binds the first seat (the one a
/// single-user desktop has; version 1, none of its events asked for) and offers every other
/// global to `onGlobal` while the owner's first round trip runs. It takes over `display`
/// (nullptr: no connection) and releases the seat, the registry and the connection when
/// destroyed, so its owner declares it before the protocol objects it makes on it and destroys
/// those first.
class WaylandConnection final
{
public:
    using GlobalHandler = std::function<void(wl_registry* registry, uint32_t name,
                                             const char* interface, uint32_t version)>;

    WaylandConnection(wl_display* display, GlobalHandler onGlobal);
    ~WaylandConnection();
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    wl_display* display() const { return m_display; }
    wl_seat* seat() const { return m_seat; }

private:
    static void registryGlobal(void* data, wl_registry* registry, uint32_t name,
                               const char* interface, uint32_t version);

    wl_display* m_display;
    wl_registry* m_registry = nullptr;
    wl_seat* m_seat = nullptr;
    GlobalHandler m_onGlobal;
};

} // namespace tarvex
