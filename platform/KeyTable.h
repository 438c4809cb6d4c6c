#pragma once

#include <QtGlobal>

#include <xkbcommon/xkbcommon-keysyms.h>

namespace tarvex {

/// One key the program can see: its identity, its text in a combination and what names it.
struct KeyTableEntry
{
    /// The key's identity: the virtual-key number (1-255) that the key sources report, the key
    /// buffer holds and a combination's text stands for. No two keys share one.
    quint8 code;
    /// The key's text in a combination: a letter or digit, or a token in parentheses. Empty for
    /// a key that no combination names; such a key still breaks a sequence typed across it.
    const char* text;
    /// The X keycode of the key on a US keyboard, for layouts that put a symbol there that names
    /// no key (0: the symbols decide alone).
    quint8 position;
    /// The X keysyms that name the key at any level of any layout (0: no more). A keypad key is
    /// named by its digit and by its Num Lock off symbol, so Num Lock never changes which key
    /// it is.
    quint32 keysyms[6];
    /// The name of the first keysym as the desktop's shortcuts write the key (`Return`, `KP_1`,
    /// `XF86AudioPlay`); nullptr where it is the key's text (letters, digits) or where no
    /// desktop shortcut ends in the key (modifiers, keys without a text).
    const char* keysymName = nullptr;
};

// Every key, in the order of the help document: letters, digits, the modifiers and the keys of
// the main block, the keypad, the function keys, the media keys, then the keys without a text.
// Keypad Enter has no number of its own among the virtual keys; it takes the free number 14.
// clang-format off
inline constexpr KeyTableEntry KeyTable[] = {
    {65, "a", 0, {XKB_KEY_a, XKB_KEY_A}},
    {66, "b", 0, {XKB_KEY_b, XKB_KEY_B}},
    {67, "c", 0, {XKB_KEY_c, XKB_KEY_C}},
    {68, "d", 0, {XKB_KEY_d, XKB_KEY_D}},
    {69, "e", 0, {XKB_KEY_e, XKB_KEY_E}},
    {70, "f", 0, {XKB_KEY_f, XKB_KEY_F}},
    {71, "g", 0, {XKB_KEY_g, XKB_KEY_G}},
    {72, "h", 0, {XKB_KEY_h, XKB_KEY_H}},
    {73, "i", 0, {XKB_KEY_i, XKB_KEY_I}},
    {74, "j", 0, {XKB_KEY_j, XKB_KEY_J}},
    {75, "k", 0, {XKB_KEY_k, XKB_KEY_K}},
    {76, "l", 0, {XKB_KEY_l, XKB_KEY_L}},
    {77, "m", 0, {XKB_KEY_m, XKB_KEY_M}},
    {78, "n", 0, {XKB_KEY_n, XKB_KEY_N}},
    {79, "o", 0, {XKB_KEY_o, XKB_KEY_O}},
    {80, "p", 0, {XKB_KEY_p, XKB_KEY_P}},
    {81, "q", 0, {XKB_KEY_q, XKB_KEY_Q}},
    {82, "r", 0, {XKB_KEY_r, XKB_KEY_R}},
    {83, "s", 0, {XKB_KEY_s, XKB_KEY_S}},
    {84, "t", 0, {XKB_KEY_t, XKB_KEY_T}},
    {85, "u", 0, {XKB_KEY_u, XKB_KEY_U}},
    {86, "v", 0, {XKB_KEY_v, XKB_KEY_V}},
    {87, "w", 0, {XKB_KEY_w, XKB_KEY_W}},
    {88, "x", 0, {XKB_KEY_x, XKB_KEY_X}},
    {89, "y", 0, {XKB_KEY_y, XKB_KEY_Y}},
    {90, "z", 0, {XKB_KEY_z, XKB_KEY_Z}},
    {48, "0", 0, {XKB_KEY_0}},
    {49, "1", 0, {XKB_KEY_1}},
    {50, "2", 0, {XKB_KEY_2}},
    {51, "3", 0, {XKB_KEY_3}},
    {52, "4", 0, {XKB_KEY_4}},
    {53, "5", 0, {XKB_KEY_5}},
    {54, "6", 0, {XKB_KEY_6}},
    {55, "7", 0, {XKB_KEY_7}},
    {56, "8", 0, {XKB_KEY_8}},
    {57, "9", 0, {XKB_KEY_9}},
    {16, "(Shift)", 0, {XKB_KEY_Shift_L, XKB_KEY_Shift_R}},
    {17, "(Ctrl)", 0, {XKB_KEY_Control_L, XKB_KEY_Control_R}},
    // AltGr is the right Alt key.
    {18, "(Alt)", 0, {XKB_KEY_Alt_L, XKB_KEY_Alt_R, XKB_KEY_Meta_L, XKB_KEY_Meta_R,
                      XKB_KEY_ISO_Level3_Shift, XKB_KEY_Mode_switch}},
    {91, "(Win)", 0, {XKB_KEY_Super_L}},
    {32, "(Space)", 0, {XKB_KEY_space}, "space"},
    {46, "(Del)", 0, {XKB_KEY_Delete}, "Delete"},
    {8, "(Backspace)", 0, {XKB_KEY_BackSpace}, "BackSpace"},
    {9, "(Tab)", 0, {XKB_KEY_Tab, XKB_KEY_ISO_Left_Tab}, "Tab"},
    {13, "(Enter)", 0, {XKB_KEY_Return}, "Return"},
    {27, "(Esc)", 0, {XKB_KEY_Escape}, "Escape"},
    {45, "(Ins)", 0, {XKB_KEY_Insert}, "Insert"},
    {36, "(Home)", 0, {XKB_KEY_Home}, "Home"},
    {35, "(End)", 0, {XKB_KEY_End}, "End"},
    {33, "(PgUp)", 0, {XKB_KEY_Prior}, "Page_Up"},
    {34, "(PgDn)", 0, {XKB_KEY_Next}, "Page_Down"},
    {38, "(Up)", 0, {XKB_KEY_Up}, "Up"},
    {40, "(Down)", 0, {XKB_KEY_Down}, "Down"},
    {37, "(Left)", 0, {XKB_KEY_Left}, "Left"},
    {39, "(Right)", 0, {XKB_KEY_Right}, "Right"},
    {96, "(Num0)", 0, {XKB_KEY_KP_0, XKB_KEY_KP_Insert}, "KP_0"},
    {97, "(Num1)", 0, {XKB_KEY_KP_1, XKB_KEY_KP_End}, "KP_1"},
    {98, "(Num2)", 0, {XKB_KEY_KP_2, XKB_KEY_KP_Down}, "KP_2"},
    {99, "(Num3)", 0, {XKB_KEY_KP_3, XKB_KEY_KP_Next}, "KP_3"},
    {100, "(Num4)", 0, {XKB_KEY_KP_4, XKB_KEY_KP_Left}, "KP_4"},
    {101, "(Num5)", 0, {XKB_KEY_KP_5, XKB_KEY_KP_Begin}, "KP_5"},
    {102, "(Num6)", 0, {XKB_KEY_KP_6, XKB_KEY_KP_Right}, "KP_6"},
    {103, "(Num7)", 0, {XKB_KEY_KP_7, XKB_KEY_KP_Home}, "KP_7"},
    {104, "(Num8)", 0, {XKB_KEY_KP_8, XKB_KEY_KP_Up}, "KP_8"},
    {105, "(Num9)", 0, {XKB_KEY_KP_9, XKB_KEY_KP_Prior}, "KP_9"},
    {107, "(Num+)", 0, {XKB_KEY_KP_Add}, "KP_Add"},
    {109, "(Num-)", 0, {XKB_KEY_KP_Subtract}, "KP_Subtract"},
    {106, "(Num*)", 0, {XKB_KEY_KP_Multiply}, "KP_Multiply"},
    {111, "(Num/)", 0, {XKB_KEY_KP_Divide}, "KP_Divide"},
    {110, "(Num.)", 0, {XKB_KEY_KP_Decimal, XKB_KEY_KP_Delete, XKB_KEY_KP_Separator}, "KP_Decimal"},
    {14, "(NumEnter)", 0, {XKB_KEY_KP_Enter}, "KP_Enter"},
    {112, "(F1)", 0, {XKB_KEY_F1}, "F1"},
    {113, "(F2)", 0, {XKB_KEY_F2}, "F2"},
    {114, "(F3)", 0, {XKB_KEY_F3}, "F3"},
    {115, "(F4)", 0, {XKB_KEY_F4}, "F4"},
    {116, "(F5)", 0, {XKB_KEY_F5}, "F5"},
    {117, "(F6)", 0, {XKB_KEY_F6}, "F6"},
    {118, "(F7)", 0, {XKB_KEY_F7}, "F7"},
    {119, "(F8)", 0, {XKB_KEY_F8}, "F8"},
    {120, "(F9)", 0, {XKB_KEY_F9}, "F9"},
    {121, "(F10)", 0, {XKB_KEY_F10}, "F10"},
    {122, "(F11)", 0, {XKB_KEY_F11}, "F11"},
    {123, "(F12)", 0, {XKB_KEY_F12}, "F12"},
    {124, "(F13)", 191, {XKB_KEY_F13}, "F13"},
    {125, "(F14)", 192, {XKB_KEY_F14}, "F14"},
    {126, "(F15)", 193, {XKB_KEY_F15}, "F15"},
    {127, "(F16)", 194, {XKB_KEY_F16}, "F16"},
    {128, "(F17)", 195, {XKB_KEY_F17}, "F17"},
    {129, "(F18)", 196, {XKB_KEY_F18}, "F18"},
    {130, "(F19)", 197, {XKB_KEY_F19}, "F19"},
    {131, "(F20)", 198, {XKB_KEY_F20}, "F20"},
    {132, "(F21)", 199, {XKB_KEY_F21}, "F21"},
    {133, "(F22)", 200, {XKB_KEY_F22}, "F22"},
    {134, "(F23)", 201, {XKB_KEY_F23}, "F23"},
    {135, "(F24)", 202, {XKB_KEY_F24}, "F24"},
    {44, "(Print)", 0, {XKB_KEY_Print}, "Print"},
    {19, "(Pause)", 0, {XKB_KEY_Pause}, "Pause"},
    {93, "(Menu)", 0, {XKB_KEY_Menu}, "Menu"},
    {173, "(Mute)", 0, {XKB_KEY_XF86AudioMute}, "XF86AudioMute"},
    {174, "(VolDown)", 0, {XKB_KEY_XF86AudioLowerVolume}, "XF86AudioLowerVolume"},
    {175, "(VolUp)", 0, {XKB_KEY_XF86AudioRaiseVolume}, "XF86AudioRaiseVolume"},
    {179, "(Play)", 0, {XKB_KEY_XF86AudioPlay}, "XF86AudioPlay"},
    {178, "(Stop)", 0, {XKB_KEY_XF86AudioStop}, "XF86AudioStop"},
    {177, "(Prev)", 0, {XKB_KEY_XF86AudioPrev}, "XF86AudioPrev"},
    {176, "(Next)", 0, {XKB_KEY_XF86AudioNext}, "XF86AudioNext"},
    // Keys without a text. The right Windows key is not "(Win)", which is the left one only.
    {92, "", 0, {XKB_KEY_Super_R}},
    {12, "", 0, {XKB_KEY_Clear}},
    {20, "", 0, {XKB_KEY_Caps_Lock}},
    {41, "", 0, {XKB_KEY_Select}},
    {43, "", 0, {XKB_KEY_Execute}},
    {47, "", 0, {XKB_KEY_Help}},
    {95, "", 0, {XKB_KEY_XF86Sleep}},
    {144, "", 0, {XKB_KEY_Num_Lock}},
    {145, "", 0, {XKB_KEY_Scroll_Lock}},
    {166, "", 0, {XKB_KEY_XF86Back}},
    {167, "", 0, {XKB_KEY_XF86Forward}},
    {168, "", 0, {XKB_KEY_XF86Reload}},
    {169, "", 0, {XKB_KEY_XF86Stop}},
    {170, "", 0, {XKB_KEY_XF86Search}},
    {171, "", 0, {XKB_KEY_XF86Favorites}},
    {172, "", 0, {XKB_KEY_XF86HomePage}},
    {180, "", 0, {XKB_KEY_XF86Mail}},
    {181, "", 0, {XKB_KEY_XF86AudioMedia}},
    {182, "", 0, {XKB_KEY_XF86MyComputer}},
    {183, "", 0, {XKB_KEY_XF86Calculator}},
    {186, "", 47, {XKB_KEY_semicolon, XKB_KEY_colon}},
    {187, "", 21, {XKB_KEY_equal, XKB_KEY_plus}},
    {188, "", 59, {XKB_KEY_comma, XKB_KEY_less}},
    {189, "", 20, {XKB_KEY_minus, XKB_KEY_underscore}},
    {190, "", 60, {XKB_KEY_period, XKB_KEY_greater}},
    {191, "", 61, {XKB_KEY_slash, XKB_KEY_question}},
    {192, "", 49, {XKB_KEY_grave, XKB_KEY_asciitilde}},
    {219, "", 34, {XKB_KEY_bracketleft, XKB_KEY_braceleft}},
    {220, "", 51, {XKB_KEY_backslash, XKB_KEY_bar}},
    {221, "", 35, {XKB_KEY_bracketright, XKB_KEY_braceright}},
    {222, "", 48, {XKB_KEY_apostrophe, XKB_KEY_quotedbl}},
    {226, "", 94, {}},
};
// clang-format on

} // namespace tarvex
