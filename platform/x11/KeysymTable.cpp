#include "platform/x11/KeysymTable.h"

#include <X11/keysym.h>
#include <X11/XF86keysym.h>

#include <algorithm>
#include <iterator>
#include <utility>

namespace tarvex {

namespace {

// Keys whose keysym is not in one of the contiguous ranges handled below.
// Shift, Ctrl and Alt of both sides map to their generic numbers 16, 17 and 18
// only: the hotkey texts know just "(Shift)", "(Ctrl)" and "(Alt)", so either
// side fires a hotkey. AltGr (ISO_Level3_Shift) is the right Alt key. The
// Windows keys keep their sides, 91 (left) and 92 (right).
constexpr std::pair<unsigned long, int> kSingleKeys[] = {
    {XK_BackSpace, 8},
    {XK_Tab, 9},
    {XK_ISO_Left_Tab, 9},
    {XK_Clear, 12},
    {XK_Return, 13},
    {XK_KP_Enter, 13},
    {XK_Shift_L, 16},
    {XK_Shift_R, 16},
    {XK_Control_L, 17},
    {XK_Control_R, 17},
    {XK_Alt_L, 18},
    {XK_Alt_R, 18},
    {XK_Meta_L, 18},
    {XK_Meta_R, 18},
    {XK_ISO_Level3_Shift, 18},
    {XK_Mode_switch, 18},
    {XK_Pause, 19},
    {XK_Caps_Lock, 20},
    {XK_Escape, 27},
    {XK_space, 32},
    {XK_KP_Space, 32},
    {XK_Prior, 33},
    {XK_KP_Prior, 33},
    {XK_Next, 34},
    {XK_KP_Next, 34},
    {XK_End, 35},
    {XK_KP_End, 35},
    {XK_Home, 36},
    {XK_KP_Home, 36},
    {XK_Left, 37},
    {XK_KP_Left, 37},
    {XK_Up, 38},
    {XK_KP_Up, 38},
    {XK_Right, 39},
    {XK_KP_Right, 39},
    {XK_Down, 40},
    {XK_KP_Down, 40},
    {XK_Select, 41},
    {XK_Print, 44},
    {XK_Execute, 43},
    {XK_Insert, 45},
    {XK_KP_Insert, 45},
    {XK_Delete, 46},
    {XK_KP_Delete, 46},
    {XK_Help, 47},
    {XK_KP_Begin, 12},
    {XK_Super_L, 91},
    {XK_Super_R, 92},
    {XK_Menu, 93},
    {XK_KP_Multiply, 106},
    {XK_KP_Add, 107},
    {XK_KP_Separator, 108},
    {XK_KP_Subtract, 109},
    {XK_KP_Decimal, 110},
    {XK_KP_Divide, 111},
    {XK_Num_Lock, 144},
    {XK_Scroll_Lock, 145},
    {XF86XK_Back, 166},
    {XF86XK_Forward, 167},
    {XF86XK_Reload, 168},
    {XF86XK_Stop, 169},
    {XF86XK_Search, 170},
    {XF86XK_Favorites, 171},
    {XF86XK_HomePage, 172},
    {XF86XK_AudioMute, 173},
    {XF86XK_AudioLowerVolume, 174},
    {XF86XK_AudioRaiseVolume, 175},
    {XF86XK_AudioNext, 176},
    {XF86XK_AudioPrev, 177},
    {XF86XK_AudioStop, 178},
    {XF86XK_AudioPlay, 179},
    {XF86XK_Mail, 180},
    {XF86XK_AudioMedia, 181},
    {XF86XK_Sleep, 95},
    {XK_semicolon, 186},
    {XK_colon, 186},
    {XK_equal, 187},
    {XK_plus, 187},
    {XK_comma, 188},
    {XK_less, 188},
    {XK_minus, 189},
    {XK_underscore, 189},
    {XK_period, 190},
    {XK_greater, 190},
    {XK_slash, 191},
    {XK_question, 191},
    {XK_grave, 192},
    {XK_asciitilde, 192},
    {XK_bracketleft, 219},
    {XK_braceleft, 219},
    {XK_backslash, 220},
    {XK_bar, 220},
    {XK_bracketright, 221},
    {XK_braceright, 221},
    {XK_apostrophe, 222},
    {XK_quotedbl, 222},
    {XF86XK_Calculator, 183},
    {XF86XK_MyComputer, 182},
};

// US positions of the punctuation keys (evdev keycodes as the X server numbers them).
constexpr std::pair<int, int> kPositions[] = {
    {20, 189}, {21, 187}, {34, 219}, {35, 221}, {47, 186}, {48, 222},
    {49, 192}, {51, 220}, {59, 188}, {60, 190}, {61, 191}, {94, 226},
};

template <typename Table, typename Key> int lookUp(const Table& table, Key key)
{
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [key](const auto& entry) { return entry.first == key; });
    return it == std::end(table) ? 0 : it->second;
}

int virtualKeyForRange(unsigned long keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return int(keysym - XK_a) + 'A';
    if (keysym >= XK_A && keysym <= XK_Z)
        return int(keysym - XK_A) + 'A';
    if (keysym >= XK_0 && keysym <= XK_9)
        return int(keysym - XK_0) + '0';
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9)
        return int(keysym - XK_KP_0) + 96;
    if (keysym >= XK_F1 && keysym <= XK_F24)
        return int(keysym - XK_F1) + 112;
    return 0;
}

} // namespace

int virtualKeyForKeysym(unsigned long keysym)
{
    if (const int key = virtualKeyForRange(keysym))
        return key;
    return lookUp(kSingleKeys, keysym);
}

int virtualKeyForKeycodePosition(int keycode)
{
    return lookUp(kPositions, keycode);
}

} // namespace tarvex
