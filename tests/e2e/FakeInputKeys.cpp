// Presses keys on KWin through its fake-input protocol (org_kde_kwin_fake_input), as a keyboard
// would: the Linux key codes given are pressed in order, then released in reverse order, so
// "29 56 37" is Ctrl+Alt+K. Prints the time of the last press (CLOCK_REALTIME, nanoseconds).
// KWin accepts the protocol from any client when started with
// KWIN_WAYLAND_NO_PERMISSION_CHECKS=1.

#include "fake-input-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

org_kde_kwin_fake_input* g_fakeInput = nullptr;

void global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t version)
{
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
        g_fakeInput = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
}

void globalRemoved(void*, wl_registry*, uint32_t) {}

const wl_registry_listener RegistryListener{global, globalRemoved};

long long nowNs()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<uint32_t> keys;
    for (int i = 1; i < argc; ++i)
        keys.push_back(uint32_t(std::strtoul(argv[i], nullptr, 10)));
    wl_display* display = wl_display_connect(nullptr);
    if (!display || keys.empty()) {
        std::fprintf(stderr, "usage: WAYLAND_DISPLAY=... %s KEYCODE...\n", argv[0]);
        return 2;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &RegistryListener, nullptr);
    wl_display_roundtrip(display);
    if (!g_fakeInput) {
        std::fprintf(stderr, "the compositor offers no org_kde_kwin_fake_input version 4\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(g_fakeInput, "Tarvex tests", "end-to-end key presses");
    long long pressed = 0;
    for (uint32_t key : keys) {
        pressed = nowNs();
        org_kde_kwin_fake_input_keyboard_key(g_fakeInput, key, WL_KEYBOARD_KEY_STATE_PRESSED);
        wl_display_flush(display);
    }
    std::reverse(keys.begin(), keys.end());
    for (uint32_t key : keys)
        org_kde_kwin_fake_input_keyboard_key(g_fakeInput, key, WL_KEYBOARD_KEY_STATE_RELEASED);
    wl_display_roundtrip(display);
    std::printf("%lld\n", pressed);
    org_kde_kwin_fake_input_destroy(g_fakeInput);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
