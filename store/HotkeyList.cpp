#include "store/HotkeyList.h"

namespace tarvex {

int HotkeyList::append(const HotkeyEntry& entry)
{
    m_entries.append(entry);
    return count();
}

void HotkeyList::remove(int position)
{
    if (isValidPosition(position))
        m_entries.removeAt(position - 1);
}

void HotkeyList::replace(int position, const HotkeyEntry& entry)
{
    if (isValidPosition(position))
        m_entries[position - 1] = entry;
}

HotkeyEntry HotkeyList::at(int position) const
{
    return isValidPosition(position) ? m_entries.at(position - 1) : HotkeyEntry{};
}

} // namespace tarvex
