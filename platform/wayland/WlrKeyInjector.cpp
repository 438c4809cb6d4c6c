#include "platform/wayland/WlrKeyInjector.h"

#include "platform/common/KeysymTable.h"
#include "platform/wayland/WaylandLogging.h"

#include "virtual-keyboard-unstable-v1-client-protocol.h"

#include <QCoreApplication>

#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>
#include <sys/mman.h>
#include <unistd.h>

namespace tarvex {
namespace {

// Keys on XKB key codes 9..255 (evdev 1..247): the classic limit every compositor accepts.
constexpr size_t kKeysPerKeymap = 247;
// The compositor is asked to catch up after this many keys, so the connection's buffer never
// fills while a long text is typed.
constexpr int kKeysPerRoundtrip = 64;

// A keymap with one single-level key per keysym, compiled here (so a keymap the compositor
// could not read is never sent) and written out whole, without includes; empty when it does
// not compile.
std::string KeymapText(const std::vector<uint32_t>& keysyms)
{
    std::string keycodes, symbols;
    for (size_t i = 0; i < keysyms.size(); ++i) {
        char name[64] = {};
        xkb_keysym_get_name(keysyms[i], name, sizeof name);
        keycodes += "<K" + std::to_string(i) + "> = " + std::to_string(i + 9) + ";\n";
        symbols += "key <K" + std::to_string(i) + "> { [ " + name + " ] };\n";
    }
    const std::string text = "xkb_keymap {\n"
                             "xkb_keycodes \"tarvex\" { minimum = 8; maximum = 255;\n" +
                             keycodes +
                             "};\n"
                             "xkb_types \"tarvex\" { include \"complete\" };\n"
                             "xkb_compatibility \"tarvex\" { include \"complete\" };\n"
                             "xkb_symbols \"tarvex\" {\n" +
                             symbols + "};\n};\n";
    const std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context(
        xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref);
    if (!context)
        return {};
    const std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap(
        xkb_keymap_new_from_string(context.get(), text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                   XKB_KEYMAP_COMPILE_NO_FLAGS),
        &xkb_keymap_unref);
    if (!keymap)
        return {};
    const std::unique_ptr<char, decltype(&free)> whole(
        xkb_keymap_get_as_string(keymap.get(), XKB_KEYMAP_FORMAT_TEXT_V1), &free);
    return whole ? std::string(whole.get()) : std::string();
}

uint32_t Milliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint32_t(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

} // namespace

WlrKeyInjector::WlrKeyInjector()
    // Without the variable libwayland would try "wayland-0", which may be another session's.
    : m_connection(qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? nullptr
                                                                  : wl_display_connect(nullptr),
                   [this](wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
                       bindGlobal(registry, name, interface);
                   })
{
    if (m_connection.display() && wl_display_roundtrip(m_connection.display()) < 0)
        m_broken = true;
}

WlrKeyInjector::~WlrKeyInjector()
{
    if (m_keyboard)
        zwp_virtual_keyboard_v1_destroy(m_keyboard);
    if (m_manager)
        zwp_virtual_keyboard_manager_v1_destroy(m_manager);
}

void WlrKeyInjector::bindGlobal(wl_registry* registry, uint32_t name, const char* interface)
{
    if (!m_manager && std::strcmp(interface, zwp_virtual_keyboard_manager_v1_interface.name) == 0)
        m_manager = static_cast<zwp_virtual_keyboard_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_virtual_keyboard_manager_v1_interface, 1));
}

bool WlrKeyInjector::available() const
{
    return m_manager && m_connection.seat() && !m_broken;
}

QString WlrKeyInjector::unavailableReason() const
{
    if (available())
        return QString();
    if (!m_connection.display() || m_broken)
        return QCoreApplication::translate(
            "tarvex::WlrKeyInjector", "Tarvex cannot reach the Wayland compositor to type keys.");
    return QCoreApplication::translate("tarvex::WlrKeyInjector",
                                       "The compositor offers no virtual keyboard, so Tarvex "
                                       "cannot type keys.");
}

// Gives the keyboard a keymap holding `keysyms` unless the one it has holds them all; the
// keyboard itself is made the first time. False when no keymap could be made.
bool WlrKeyInjector::useKeysyms(const std::vector<uint32_t>& keysyms)
{
    const auto known = [this](uint32_t keysym) {
        return std::find(m_keymap.begin(), m_keymap.end(), keysym) != m_keymap.end();
    };
    if (m_keyboard && std::all_of(keysyms.begin(), keysyms.end(), known))
        return true;
    std::vector<uint32_t> wanted;
    for (uint32_t keysym : keysyms) {
        if (std::find(wanted.begin(), wanted.end(), keysym) == wanted.end())
            wanted.push_back(keysym);
    }
    const std::string text = KeymapText(wanted);
    if (text.empty()) {
        qCWarning(lcWayland) << "No keymap could be made for the virtual keyboard";
        return false;
    }
    const int fd = memfd_create("tarvex-keymap", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    // The compositor reads the keymap with its terminating NUL, as wl_keyboard sends one.
    const size_t size = text.size() + 1;
    const bool written = ::write(fd, text.c_str(), size) == ssize_t(size);
    if (written) {
        if (!m_keyboard)
            m_keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(
                m_manager, m_connection.seat());
        zwp_virtual_keyboard_v1_keymap(m_keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                       uint32_t(size));
        zwp_virtual_keyboard_v1_modifiers(m_keyboard, 0, 0, 0, 0);
        m_keymap = wanted;
    }
    // The request carries a duplicate of the descriptor.
    ::close(fd);
    return written;
}

void WlrKeyInjector::tap(uint32_t keysym)
{
    const auto at = std::find(m_keymap.begin(), m_keymap.end(), keysym);
    const auto code = uint32_t(at - m_keymap.begin()) + 1;
    const uint32_t time = Milliseconds();
    zwp_virtual_keyboard_v1_key(m_keyboard, time, code, WL_KEYBOARD_KEY_STATE_PRESSED);
    zwp_virtual_keyboard_v1_key(m_keyboard, time, code, WL_KEYBOARD_KEY_STATE_RELEASED);
    if (++m_unsettled >= kKeysPerRoundtrip)
        settle();
}

// Waits until the compositor has taken every key sent, so what runs next comes after them.
void WlrKeyInjector::settle()
{
    m_unsettled = 0;
    if (!m_broken && wl_display_roundtrip(m_connection.display()) < 0) {
        qCWarning(lcWayland) << "The virtual keyboard's connection to the compositor was lost";
        m_broken = true;
    }
}

QList<int> WlrKeyInjector::pressBackspace(int count)
{
    if (!available() || count <= 0 || !useKeysyms({XKB_KEY_BackSpace}))
        return {};
    for (int i = 0; i < count && !m_broken; ++i)
        tap(XKB_KEY_BackSpace);
    settle();
    return {};
}

QList<int> WlrKeyInjector::typeText(const QString& text, const std::function<bool()>& stillFocused)
{
    const std::vector<uint32_t> keysyms = keysymsOfText(text);
    if (!available() || keysyms.empty())
        return {};
    // A text of more different characters than one keymap holds is typed in parts, each with
    // a keymap of its own.
    for (size_t start = 0; start < keysyms.size() && !m_broken;) {
        std::vector<uint32_t> part;
        size_t end = start;
        for (; end < keysyms.size(); ++end) {
            const bool known = std::find(part.begin(), part.end(), keysyms[end]) != part.end();
            if (!known && part.size() == kKeysPerKeymap)
                break;
            if (!known)
                part.push_back(keysyms[end]);
        }
        if (!useKeysyms(part))
            break;
        for (; start < end; ++start) {
            if (m_broken || (stillFocused && !stillFocused())) {
                settle();
                return {};
            }
            tap(keysyms[start]);
        }
    }
    settle();
    return {};
}

} // namespace tarvex
