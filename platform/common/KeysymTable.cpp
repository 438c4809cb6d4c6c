#include "platform/common/KeysymTable.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <algorithm>
#include <initializer_list>
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
    {XKB_KEY_BackSpace, 8},
    {XKB_KEY_Tab, 9},
    {XKB_KEY_ISO_Left_Tab, 9},
    {XKB_KEY_Clear, 12},
    {XKB_KEY_Return, 13},
    {XKB_KEY_KP_Enter, 13},
    {XKB_KEY_Shift_L, 16},
    {XKB_KEY_Shift_R, 16},
    {XKB_KEY_Control_L, 17},
    {XKB_KEY_Control_R, 17},
    {XKB_KEY_Alt_L, 18},
    {XKB_KEY_Alt_R, 18},
    {XKB_KEY_Meta_L, 18},
    {XKB_KEY_Meta_R, 18},
    {XKB_KEY_ISO_Level3_Shift, 18},
    {XKB_KEY_Mode_switch, 18},
    {XKB_KEY_Pause, 19},
    {XKB_KEY_Caps_Lock, 20},
    {XKB_KEY_Escape, 27},
    {XKB_KEY_space, 32},
    {XKB_KEY_KP_Space, 32},
    {XKB_KEY_Prior, 33},
    {XKB_KEY_KP_Prior, 33},
    {XKB_KEY_Next, 34},
    {XKB_KEY_KP_Next, 34},
    {XKB_KEY_End, 35},
    {XKB_KEY_KP_End, 35},
    {XKB_KEY_Home, 36},
    {XKB_KEY_KP_Home, 36},
    {XKB_KEY_Left, 37},
    {XKB_KEY_KP_Left, 37},
    {XKB_KEY_Up, 38},
    {XKB_KEY_KP_Up, 38},
    {XKB_KEY_Right, 39},
    {XKB_KEY_KP_Right, 39},
    {XKB_KEY_Down, 40},
    {XKB_KEY_KP_Down, 40},
    {XKB_KEY_Select, 41},
    {XKB_KEY_Print, 44},
    {XKB_KEY_Execute, 43},
    {XKB_KEY_Insert, 45},
    {XKB_KEY_KP_Insert, 45},
    {XKB_KEY_Delete, 46},
    {XKB_KEY_KP_Delete, 46},
    {XKB_KEY_Help, 47},
    {XKB_KEY_KP_Begin, 12},
    {XKB_KEY_Super_L, 91},
    {XKB_KEY_Super_R, 92},
    {XKB_KEY_Menu, 93},
    {XKB_KEY_KP_Multiply, 106},
    {XKB_KEY_KP_Add, 107},
    {XKB_KEY_KP_Separator, 108},
    {XKB_KEY_KP_Subtract, 109},
    {XKB_KEY_KP_Decimal, 110},
    {XKB_KEY_KP_Divide, 111},
    {XKB_KEY_Num_Lock, 144},
    {XKB_KEY_Scroll_Lock, 145},
    {XKB_KEY_XF86Back, 166},
    {XKB_KEY_XF86Forward, 167},
    {XKB_KEY_XF86Reload, 168},
    {XKB_KEY_XF86Stop, 169},
    {XKB_KEY_XF86Search, 170},
    {XKB_KEY_XF86Favorites, 171},
    {XKB_KEY_XF86HomePage, 172},
    {XKB_KEY_XF86AudioMute, 173},
    {XKB_KEY_XF86AudioLowerVolume, 174},
    {XKB_KEY_XF86AudioRaiseVolume, 175},
    {XKB_KEY_XF86AudioNext, 176},
    {XKB_KEY_XF86AudioPrev, 177},
    {XKB_KEY_XF86AudioStop, 178},
    {XKB_KEY_XF86AudioPlay, 179},
    {XKB_KEY_XF86Mail, 180},
    {XKB_KEY_XF86AudioMedia, 181},
    {XKB_KEY_XF86Sleep, 95},
    {XKB_KEY_semicolon, 186},
    {XKB_KEY_colon, 186},
    {XKB_KEY_equal, 187},
    {XKB_KEY_plus, 187},
    {XKB_KEY_comma, 188},
    {XKB_KEY_less, 188},
    {XKB_KEY_minus, 189},
    {XKB_KEY_underscore, 189},
    {XKB_KEY_period, 190},
    {XKB_KEY_greater, 190},
    {XKB_KEY_slash, 191},
    {XKB_KEY_question, 191},
    {XKB_KEY_grave, 192},
    {XKB_KEY_asciitilde, 192},
    {XKB_KEY_bracketleft, 219},
    {XKB_KEY_braceleft, 219},
    {XKB_KEY_backslash, 220},
    {XKB_KEY_bar, 220},
    {XKB_KEY_bracketright, 221},
    {XKB_KEY_braceright, 221},
    {XKB_KEY_apostrophe, 222},
    {XKB_KEY_quotedbl, 222},
    {XKB_KEY_XF86Calculator, 183},
    {XKB_KEY_XF86MyComputer, 182},
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

bool isKeypadNavigation(unsigned long keysym)
{
    return keysym >= XKB_KEY_KP_Home && keysym <= XKB_KEY_KP_Delete;
}

int virtualKeyForRange(unsigned long keysym)
{
    if (keysym >= XKB_KEY_a && keysym <= XKB_KEY_z)
        return int(keysym - XKB_KEY_a) + 'A';
    if (keysym >= XKB_KEY_A && keysym <= XKB_KEY_Z)
        return int(keysym - XKB_KEY_A) + 'A';
    if (keysym >= XKB_KEY_0 && keysym <= XKB_KEY_9)
        return int(keysym - XKB_KEY_0) + '0';
    if (keysym >= XKB_KEY_KP_0 && keysym <= XKB_KEY_KP_9)
        return int(keysym - XKB_KEY_KP_0) + 96;
    if (keysym >= XKB_KEY_F1 && keysym <= XKB_KEY_F24)
        return int(keysym - XKB_KEY_F1) + 112;
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

// So letters follow the layout; the digits of a French layout sit on the shifted
// level, the Latin letters under a Cyrillic layout in the first group.
int virtualKeyForKey(int keycode, int group, bool numLock, const KeysymAt& keysymAt)
{
    unsigned long keysym = keysymAt(group, 0);
    if (numLock && isKeypadNavigation(keysym))
        keysym = keysymAt(group, 1);
    for (const unsigned long candidate :
         {keysym, keysymAt(group, 1), keysymAt(0, 0), keysymAt(0, 1)}) {
        if (const int code = virtualKeyForKeysym(candidate))
            return code;
    }
    return virtualKeyForKeycodePosition(keycode);
}

} // namespace tarvex
