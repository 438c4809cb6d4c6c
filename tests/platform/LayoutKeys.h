#pragma once

// The keys both key sources must give on a US and on a German layout:
// the X11 source (XInput2, the X server's keymap) and the source that reads the
// kernel's input devices (xkbcommon) are tested against this one table. Keys
// are named by their evdev code (X keycode = code + 8). The letters follow the
// layout; a key whose symbol has no number (the German umlauts) keeps the number
// of its US position; a symbol on the shifted level counts when the first has
// none (German ß gives "?"); a key is the same key with Num Lock on or off.
struct LayoutKey
{
    const char* name;
    int evdevCode;
    bool numLock;
    int us;
    int de;
};

inline constexpr LayoutKey LayoutKeys[] = {
    {"Q", 16, false, 81, 81},
    {"key right of T (Y/Z)", 21, false, 89, 90},
    {"key right of left Shift (Z/Y)", 44, false, 90, 89},
    {"1", 2, false, 49, 49},
    {"0", 11, false, 48, 48},
    {"F1", 59, false, 112, 112},
    {"F12", 88, false, 123, 123},
    {"minus / sharp s", 12, false, 189, 191},
    {"equal / dead acute", 13, false, 187, 187},
    {"left bracket / u umlaut", 26, false, 219, 219},
    {"right bracket / plus", 27, false, 221, 187},
    {"semicolon / o umlaut", 39, false, 186, 186},
    {"apostrophe / a umlaut", 40, false, 222, 222},
    {"grave / dead circumflex", 41, false, 192, 192},
    {"backslash / number sign", 43, false, 220, 222},
    {"key beside left Shift (less)", 86, false, 188, 188},
    {"comma", 51, false, 188, 188},
    {"period", 52, false, 190, 190},
    {"slash / minus", 53, false, 191, 189},
    {"space", 57, false, 32, 32},
    {"Enter", 28, false, 13, 13},
    {"Tab", 15, false, 9, 9},
    {"Escape", 1, false, 27, 27},
    {"Backspace", 14, false, 8, 8},
    {"left Shift", 42, false, 16, 16},
    {"right Shift", 54, false, 16, 16},
    {"left Ctrl", 29, false, 17, 17},
    {"right Ctrl", 97, false, 17, 17},
    {"left Alt", 56, false, 18, 18},
    {"right Alt / AltGr", 100, false, 18, 18},
    {"left Windows key", 125, false, 91, 91},
    {"right Windows key", 126, false, 92, 92},
    {"menu key", 127, false, 93, 93},
    {"Delete", 111, false, 46, 46},
    {"Insert", 110, false, 45, 45},
    {"Home", 102, false, 36, 36},
    {"arrow up", 103, false, 38, 38},
    {"Page Up", 104, false, 33, 33},
    {"Print", 99, false, 44, 44},
    {"mute", 113, false, 173, 173},
    {"play/pause", 164, false, 179, 179},
    {"F13 (a tool key in XKB)", 183, false, 124, 124},
    {"keypad multiply", 55, false, 106, 106},
    {"keypad Enter", 96, false, 14, 14},
    {"keypad 1 without Num Lock", 79, false, 97, 97},
    {"keypad decimal without Num Lock", 83, false, 110, 110},
    {"keypad 1 with Num Lock", 79, true, 97, 97},
    {"keypad decimal with Num Lock", 83, true, 110, 110},
    {"Home with Num Lock", 102, true, 36, 36},
    {"arrow up with Num Lock", 103, true, 38, 38},
    {"1 with Num Lock", 2, true, 49, 49},
    {"Q with Num Lock", 16, true, 81, 81},
};
