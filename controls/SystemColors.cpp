#include "controls/SystemColors.h"

#include <QGuiApplication>

#include <array>
#include <optional>

namespace tarvex {

namespace {

struct Entry
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// One palette role per system colour index 0..30 (COLOR_SCROLLBAR .. COLOR_MENUBAR).
constexpr std::array<Entry, SystemColors::Count> kTable{{
    {QPalette::Active, QPalette::Button},          // 0 scroll bar
    {QPalette::Active, QPalette::Dark},            // 1 desktop
    {QPalette::Active, QPalette::Highlight},       // 2 active caption
    {QPalette::Inactive, QPalette::Mid},           // 3 inactive caption
    {QPalette::Active, QPalette::Window},          // 4 menu
    {QPalette::Active, QPalette::Base},            // 5 window
    {QPalette::Active, QPalette::Shadow},          // 6 window frame
    {QPalette::Active, QPalette::WindowText},      // 7 menu text
    {QPalette::Active, QPalette::Text},            // 8 window text
    {QPalette::Active, QPalette::HighlightedText}, // 9 caption text
    {QPalette::Active, QPalette::Button},          // 10 active border
    {QPalette::Inactive, QPalette::Button},        // 11 inactive border
    {QPalette::Active, QPalette::Dark},            // 12 application workspace
    {QPalette::Active, QPalette::Highlight},       // 13 highlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 highlighted text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Dark},            // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Inactive, QPalette::WindowText},    // 19 inactive caption text
    {QPalette::Active, QPalette::Light},           // 20 button highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 info text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 info background
    {QPalette::Active, QPalette::Shadow},          // 25 unused slot, as black-ish
    {QPalette::Active, QPalette::Link},            // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},       // 27 active caption gradient
    {QPalette::Inactive, QPalette::Midlight},      // 28 inactive caption gradient
    {QPalette::Active, QPalette::Highlight},       // 29 menu highlight
    {QPalette::Active, QPalette::Window},          // 30 menu bar
}};

std::optional<QPalette>& Override()
{
    static std::optional<QPalette> palette;
    return palette;
}

} // namespace

OleColor SystemColors::color(int index)
{
    if (index < 0 || index >= Count)
        return InvalidColor;
    const Entry& e = kTable[std::size_t(index)];
    return FromQColor(palette().color(e.group, e.role));
}

QPalette SystemColors::palette()
{
    if (Override())
        return *Override();
    return QGuiApplication::palette();
}

void SystemColors::setPaletteOverride(const QPalette& palette)
{
    Override() = palette;
}

void SystemColors::reset()
{
    Override().reset();
}

} // namespace tarvex
