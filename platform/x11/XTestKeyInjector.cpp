#include "platform/x11/XTestKeyInjector.h"

#include "platform/x11/XkbLayoutMap.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <bit>
#include <map>
#include <optional>
#include <vector>

namespace tarvex {
namespace {

constexpr int BackspaceCode = 8;

// The keycodes of the modifier keys that are down now.
std::vector<int> HeldModifiers(Display* display)
{
    std::vector<int> held;
    char keys[32] = {};
    XQueryKeymap(display, keys);
    XModifierKeymap* map = XGetModifierMapping(display);
    if (!map)
        return held;
    for (int i = 0; i < 8 * map->max_keypermod; ++i) {
        const int keycode = map->modifiermap[i];
        const bool down = keycode != 0 && (keys[keycode / 8] & (1 << (keycode % 8))) != 0;
        // A key may stand under several modifiers: it is released and pressed once.
        if (down && std::find(held.begin(), held.end(), keycode) == held.end())
            held.push_back(keycode);
    }
    XFreeModifiermap(map);
    return held;
}

// How long a lent keycode keeps its keysym after the typing: a window that reads the keymap
// again only when it handles the change would otherwise find the keysym already gone.
constexpr int LendMilliseconds = 500;

// The modifiers a layout level may ask for: Shift and the level-three and level-five shifts.
// Caps Lock, Num Lock, Ctrl, Alt and Super would change what other keys do.
constexpr unsigned LevelModifiers = ShiftMask | Mod3Mask | Mod5Mask;

struct KeyStroke
{
    unsigned keycode = 0;
    unsigned modifiers = 0;
};

// The characters the active layout group types: each with the key and the modifiers that type
// it (the fewest modifiers where several keys type it).
std::map<char32_t, KeyStroke> LayoutCharacters(Display* display)
{
    std::map<char32_t, KeyStroke> characters;
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);
    XkbDescPtr desc = XkbGetMap(display, XkbAllClientInfoMask, XkbUseCoreKbd);
    if (!desc)
        return characters;
    for (int keycode = desc->min_key_code; keycode <= desc->max_key_code; ++keycode) {
        const int groups = XkbKeyNumGroups(desc, keycode);
        if (groups <= 0)
            continue;
        const int group = state.group % groups;
        const XkbKeyTypePtr type = XkbKeyKeyType(desc, keycode, group);
        for (int level = 0; level < XkbKeyGroupWidth(desc, keycode, group); ++level) {
            const char32_t character =
                xkb_keysym_to_utf32(xkb_keysym_t(XkbKeySymEntry(desc, keycode, level, group)));
            if (character == 0)
                continue;
            bool reachable = level == 0;
            unsigned modifiers = 0;
            for (int i = 0; !reachable && i < type->map_count; ++i) {
                const XkbKTMapEntryRec& entry = type->map[i];
                if (entry.active && entry.level == level &&
                    (entry.mods.mask & ~LevelModifiers) == 0) {
                    reachable = true;
                    modifiers = entry.mods.mask;
                }
            }
            const auto known = characters.find(character);
            if (reachable && (known == characters.end() ||
                              std::popcount(modifiers) < std::popcount(known->second.modifiers)))
                characters[character] = {unsigned(keycode), modifiers};
        }
    }
    XkbFreeKeyboard(desc, 0, True);
    return characters;
}

// The keycodes that carry no keysym (the spare ones), and those in `lent`.
std::vector<unsigned> SpareKeycodes(Display* display, const std::vector<unsigned>& lent)
{
    std::vector<unsigned> spare = lent;
    int first = 0, last = 0, perKeycode = 0;
    XDisplayKeycodes(display, &first, &last);
    KeySym* keysyms = XGetKeyboardMapping(display, KeyCode(first), last - first + 1, &perKeycode);
    if (!keysyms)
        return spare;
    for (int keycode = first; keycode <= last; ++keycode) {
        const KeySym* row = keysyms + (keycode - first) * perKeycode;
        if (std::all_of(row, row + perKeycode, [](KeySym k) { return k == NoSymbol; }) &&
            std::find(spare.begin(), spare.end(), unsigned(keycode)) == spare.end())
            spare.push_back(unsigned(keycode));
    }
    XFree(keysyms);
    return spare;
}

// The keysym of a character the layout lacks: the legacy one where there is one, else the
// Unicode keysym.
KeySym KeysymFor(char32_t character)
{
    if (character == U'\n')
        return XK_Return;
    if (character == U'\t')
        return XK_Tab;
    return KeySym(xkb_utf32_to_keysym(character));
}

// The keycode of the first key under each modifier in `mask`.
std::vector<unsigned> ModifierKeys(Display* display, unsigned mask)
{
    std::vector<unsigned> keys;
    XModifierKeymap* map = XGetModifierMapping(display);
    if (!map)
        return keys;
    for (int modifier = 0; modifier < 8; ++modifier) {
        if ((mask & (1u << modifier)) == 0)
            continue;
        for (int i = 0; i < map->max_keypermod; ++i) {
            if (const KeyCode keycode = map->modifiermap[modifier * map->max_keypermod + i]) {
                keys.push_back(keycode);
                break;
            }
        }
    }
    XFreeModifiermap(map);
    return keys;
}

// The characters of `text`: a line break (CR LF, LF or CR) is one "\n".
std::u32string Characters(const QString& text)
{
    std::u32string characters;
    for (const char32_t c : text.toUcs4()) {
        if (c == U'\n' && !characters.empty() && characters.back() == U'\r')
            characters.back() = U'\n';
        else
            characters.push_back(c);
    }
    for (char32_t& c : characters) {
        if (c == U'\r')
            c = U'\n';
    }
    return characters;
}

} // namespace

XTestKeyInjector::XTestKeyInjector()
{
    Display* display = XOpenDisplay(nullptr);
    m_noDisplay = display == nullptr;
    int event = 0, error = 0, major = 0, minor = 0;
    if (display && !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        XCloseDisplay(display);
        display = nullptr;
    }
    m_display = display;
}

XTestKeyInjector::~XTestKeyInjector()
{
    *m_alive = false;
    if (!m_display)
        return;
    restoreLent();
    XCloseDisplay(m_display);
}

QString XTestKeyInjector::unavailableReason() const
{
    if (m_display)
        return QString();
    if (m_noDisplay)
        return QCoreApplication::translate("tarvex::XTestKeyInjector",
                                           "Tarvex cannot reach the X display to type keys.");
    return QCoreApplication::translate("tarvex::XTestKeyInjector",
                                       "The X server offers no XTest extension, so Tarvex "
                                       "cannot type keys.");
}

QList<int> XTestKeyInjector::pressBackspace(int count)
{
    QList<int> pressed;
    if (!m_display || count <= 0)
        return pressed;
    const unsigned backspace = XKeysymToKeycode(m_display, XK_BackSpace);
    if (backspace == 0)
        return pressed;
    XkbLayoutMap layout;
    layout.reload(m_display);
    const std::vector<int> held = HeldModifiers(m_display);
    for (int keycode : held)
        XTestFakeKeyEvent(m_display, unsigned(keycode), False, CurrentTime);
    for (int i = 0; i < count; ++i) {
        XTestFakeKeyEvent(m_display, backspace, True, CurrentTime);
        XTestFakeKeyEvent(m_display, backspace, False, CurrentTime);
        pressed.append(BackspaceCode);
    }
    for (int keycode : held) {
        XTestFakeKeyEvent(m_display, unsigned(keycode), True, CurrentTime);
        if (const int code = layout.codeFor(keycode))
            pressed.append(code);
    }
    XSync(m_display, False);
    return pressed;
}

QList<int> XTestKeyInjector::typeText(const QString& text,
                                      const std::function<bool()>& stillFocused)
{
    QList<int> pressed;
    if (!m_display || text.isEmpty())
        return pressed;
    const std::map<char32_t, KeyStroke> layoutCharacters = LayoutCharacters(m_display);
    std::map<char32_t, KeyStroke> borrowed;
    std::vector<unsigned> spare = SpareKeycodes(m_display, m_lent);
    size_t nextSpare = 0;
    XkbLayoutMap layout;
    layout.reload(m_display);
    const auto tap = [&](const KeyStroke& key) {
        const std::vector<unsigned> modifiers = ModifierKeys(m_display, key.modifiers);
        for (unsigned keycode : modifiers) {
            XTestFakeKeyEvent(m_display, keycode, True, CurrentTime);
            if (const int code = layout.codeFor(int(keycode)))
                pressed.append(code);
        }
        XTestFakeKeyEvent(m_display, key.keycode, True, CurrentTime);
        XTestFakeKeyEvent(m_display, key.keycode, False, CurrentTime);
        if (const int code = layout.codeFor(int(key.keycode)))
            pressed.append(code);
        for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
            XTestFakeKeyEvent(m_display, *it, False, CurrentTime);
        XFlush(m_display);
    };
    // A character the layout lacks gets a spare keycode; once all are lent, the oldest is lent
    // again after the window had a moment to read the keys typed with it.
    const auto lend = [&](char32_t character) -> std::optional<KeyStroke> {
        const KeySym keysym = KeysymFor(character);
        if (spare.empty() || keysym == NoSymbol)
            return std::nullopt;
        const unsigned keycode = spare[nextSpare % spare.size()];
        if (nextSpare >= spare.size()) {
            XSync(m_display, False);
            QThread::msleep(LendMilliseconds / 10);
            std::erase_if(borrowed,
                          [keycode](const auto& b) { return b.second.keycode == keycode; });
        }
        ++nextSpare;
        KeySym both[2] = {keysym, keysym};
        XChangeKeyboardMapping(m_display, int(keycode), 2, both, 1);
        if (std::find(m_lent.begin(), m_lent.end(), keycode) == m_lent.end())
            m_lent.push_back(keycode);
        // The server applies the change before the key is pressed.
        XSync(m_display, False);
        layout.reload(m_display);
        return borrowed[character] = KeyStroke{keycode, 0};
    };

    const std::vector<int> held = HeldModifiers(m_display);
    for (int keycode : held)
        XTestFakeKeyEvent(m_display, unsigned(keycode), False, CurrentTime);
    // Caps Lock would turn the letters over: it is switched off for the typing and on again.
    XkbStateRec state{};
    XkbGetState(m_display, XkbUseCoreKbd, &state);
    const KeyCode capsLock =
        (state.locked_mods & LockMask) != 0 ? XKeysymToKeycode(m_display, XK_Caps_Lock) : 0;
    if (capsLock != 0)
        tap({capsLock, 0});
    for (const char32_t character : Characters(text)) {
        if (stillFocused && !stillFocused())
            break;
        std::optional<KeyStroke> key;
        if (character == U'\n' || character == U'\t') {
            const KeyCode keycode = XKeysymToKeycode(m_display, KeysymFor(character));
            if (keycode != 0)
                key = KeyStroke{keycode, 0};
        } else if (const auto known = layoutCharacters.find(character);
                   known != layoutCharacters.end()) {
            key = known->second;
        } else if (const auto lent = borrowed.find(character); lent != borrowed.end()) {
            key = lent->second;
        }
        if (!key)
            key = lend(character);
        if (key)
            tap(*key);
    }
    if (capsLock != 0)
        tap({capsLock, 0});
    for (int keycode : held) {
        XTestFakeKeyEvent(m_display, unsigned(keycode), True, CurrentTime);
        if (const int code = layout.codeFor(keycode))
            pressed.append(code);
    }
    XSync(m_display, False);
    if (!m_lent.empty()) {
        // Only after the last typing: an earlier one's timer leaves the keycodes a later one
        // still needs.
        QTimer::singleShot(LendMilliseconds, [this, alive = m_alive, typing = ++m_typings] {
            if (*alive && typing == m_typings)
                restoreLent();
        });
    }
    return pressed;
}

void XTestKeyInjector::restoreLent()
{
    for (unsigned keycode : m_lent) {
        KeySym none = NoSymbol;
        XChangeKeyboardMapping(m_display, int(keycode), 1, &none, 1);
    }
    m_lent.clear();
    XSync(m_display, False);
}

} // namespace tarvex
