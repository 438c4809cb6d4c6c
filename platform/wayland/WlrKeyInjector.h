#pragma once

#include "platform/KeyInjector.h"
#include "platform/wayland/WaylandConnection.h"

#include <cstdint>
#include <vector>

struct wl_registry;
struct zwp_virtual_keyboard_manager_v1;
struct zwp_virtual_keyboard_v1;

namespace tarvex {

/// Types keys on wlroots compositors (sway, labwc, Hyprland, river, Wayfire) through a virtual
/// keyboard of its own (zwp_virtual_keyboard_v1), on a Wayland connection of its own opened at
/// construction. The keyboard is made at the first key and kept (on a seat with no keyboard
/// before it, clients take it only after its first keys, which are lost; a desktop's seat has
/// one). Its keymap holds exactly the keysyms about to be typed, one key each, so every character
/// arrives as itself whatever the user's layout; the seat's real keyboards keep their own
/// keymap. The keyboard's modifiers stay released, so a modifier the user holds never turns a
/// typed key into a chord.
///
/// No press is reported to the caller: the Wayland key sources read the kernel's devices (or
/// the portal's chords), and a virtual keyboard exists only inside the compositor, so they
/// never announce its keys.
class WlrKeyInjector final : public KeyInjector
{
public:
    WlrKeyInjector();
    ~WlrKeyInjector() override;
    WlrKeyInjector(const WlrKeyInjector&) = delete;
    WlrKeyInjector& operator=(const WlrKeyInjector&) = delete;

    bool available() const override;
    QString unavailableReason() const override;
    QList<int> pressBackspace(int count) override;
    QList<int> typeText(const QString& text, const std::function<bool()>& stillFocused) override;

private:
    bool useKeysyms(const std::vector<uint32_t>& keysyms);
    void tap(uint32_t keysym);
    void settle();

    void bindGlobal(wl_registry* registry, uint32_t name, const char* interface);

    // Declared first, so the keyboard and its manager go before the connection does.
    WaylandConnection m_connection;
    zwp_virtual_keyboard_manager_v1* m_manager = nullptr;
    zwp_virtual_keyboard_v1* m_keyboard = nullptr;
    // The keysyms of the uploaded keymap; the one at index i is on evdev key code i + 1.
    std::vector<uint32_t> m_keymap;
    int m_unsettled = 0;
    bool m_broken = false;
};

} // namespace tarvex
