#include "store/HotkeyList.h"

namespace tarvex {

int HotkeyList::append(const HotkeyEntry& entry)
{
    m_entries.append(entry);
    m_stored.append(std::nullopt);
    return count();
}

int HotkeyList::appendStored(const HotkeyEntry& entry, const QByteArray& stored)
{
    m_entries.append(entry);
    m_stored.append(stored);
    return count();
}

void HotkeyList::remove(int position)
{
    if (!isValidPosition(position))
        return;
    m_entries.removeAt(position - 1);
    m_stored.removeAt(position - 1);
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

std::optional<QByteArray> HotkeyList::storedAt(int position) const
{
    return isValidPosition(position) ? m_stored.at(position - 1) : std::nullopt;
}

void HotkeyList::clear()
{
    m_entries.clear();
    m_stored.clear();
    m_leader.clear();
    m_trailer = QByteArrayLiteral("\r\n");
}

} // namespace tarvex
