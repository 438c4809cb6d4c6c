#include "platform/common/QtKeysyms.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tarvex {
namespace {

// X keysym values (from X11/keysym.h and XF86keysym.h) of the Qt keys outside the Latin-1 range.
constexpr std::pair<int, unsigned long> SpecialKeys[] = {
    {Qt::Key_Backspace, 0xff08},
    {Qt::Key_Tab, 0xff09},
    {Qt::Key_Backtab, 0xfe20},
    {Qt::Key_Clear, 0xff0b},
    {Qt::Key_Return, 0xff0d},
    {Qt::Key_Enter, 0xff8d},
    {Qt::Key_Pause, 0xff13},
    {Qt::Key_ScrollLock, 0xff14},
    {Qt::Key_Escape, 0xff1b},
    {Qt::Key_Home, 0xff50},
    {Qt::Key_Left, 0xff51},
    {Qt::Key_Up, 0xff52},
    {Qt::Key_Right, 0xff53},
    {Qt::Key_Down, 0xff54},
    {Qt::Key_PageUp, 0xff55},
    {Qt::Key_PageDown, 0xff56},
    {Qt::Key_End, 0xff57},
    {Qt::Key_Print, 0xff61},
    {Qt::Key_Insert, 0xff63},
    {Qt::Key_Menu, 0xff67},
    {Qt::Key_Help, 0xff6a},
    {Qt::Key_NumLock, 0xff7f},
    {Qt::Key_Shift, 0xffe1},
    {Qt::Key_Control, 0xffe3},
    {Qt::Key_CapsLock, 0xffe5},
    {Qt::Key_Meta, 0xffeb},
    {Qt::Key_Super_L, 0xffeb},
    {Qt::Key_Super_R, 0xffec},
    {Qt::Key_Alt, 0xffe9},
    {Qt::Key_AltGr, 0xfe03},
    {Qt::Key_Delete, 0xffff},
    {Qt::Key_VolumeDown, 0x1008ff11},
    {Qt::Key_VolumeMute, 0x1008ff12},
    {Qt::Key_VolumeUp, 0x1008ff13},
    {Qt::Key_MediaPlay, 0x1008ff14},
    {Qt::Key_MediaStop, 0x1008ff15},
    {Qt::Key_MediaPrevious, 0x1008ff16},
    {Qt::Key_MediaNext, 0x1008ff17},
};

// Keypad keys: Qt reports them as the main keys plus Qt::KeypadModifier.
constexpr std::pair<int, unsigned long> KeypadKeys[] = {
    {Qt::Key_Asterisk, 0xffaa}, {Qt::Key_Plus, 0xffab},   {Qt::Key_Comma, 0xffac},
    {Qt::Key_Minus, 0xffad},    {Qt::Key_Period, 0xffae}, {Qt::Key_Slash, 0xffaf},
    {Qt::Key_Home, 0xff95},     {Qt::Key_Left, 0xff96},   {Qt::Key_Up, 0xff97},
    {Qt::Key_Right, 0xff98},    {Qt::Key_Down, 0xff99},   {Qt::Key_PageUp, 0xff9a},
    {Qt::Key_PageDown, 0xff9b}, {Qt::Key_End, 0xff9c},    {Qt::Key_Insert, 0xff9e},
    {Qt::Key_Delete, 0xff9f},   {Qt::Key_Enter, 0xff8d},
};

template <typename Table> unsigned long lookUp(const Table& table, int key)
{
    const auto it = std::find_if(std::begin(table), std::end(table),
                                 [key](const auto& entry) { return entry.first == key; });
    return it == std::end(table) ? 0 : it->second;
}

constexpr unsigned long KeypadZero = 0xffb0;
constexpr unsigned long FunctionOne = 0xffbe;

} // namespace

unsigned long KeysymForQtKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return KeypadZero + unsigned(key - Qt::Key_0);
        if (const unsigned long keysym = lookUp(KeypadKeys, key))
            return keysym;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return FunctionOne + unsigned(key - Qt::Key_F1);
    // Latin-1 keysyms have the values of their characters, as Qt's key numbers do.
    if (key >= 0x20 && key <= 0xff)
        return unsigned(key);
    return lookUp(SpecialKeys, key);
}

} // namespace tarvex
