#pragma once

#include "store/HotkeyEntry.h"

#include <QList>

namespace tarvex {

/// The editor's ordered, editable list of hotkeys, addressed by 1-based position. Not sorted,
/// duplicates allowed, no size limit (files with more than 32767 entries load whole).
class HotkeyList final
{
public:
    /// Appends `entry` at the end and returns its position.
    int append(const HotkeyEntry& entry);
    /// Removes the entry at `position` and closes the gap; out-of-range positions do nothing.
    void remove(int position);
    /// Replaces the entry at `position`; out-of-range positions do nothing.
    void replace(int position, const HotkeyEntry& entry);
    /// Returns the entry at `position`, or an empty entry when out of range.
    HotkeyEntry at(int position) const;
    /// Returns true when `position` addresses an entry.
    bool isValidPosition(int position) const { return position >= 1 && position <= count(); }
    /// Returns the number of entries.
    int count() const { return int(m_entries.size()); }
    /// Removes every entry.
    void clear() { m_entries.clear(); }
    /// Returns all entries in list order.
    const QList<HotkeyEntry>& entries() const { return m_entries; }

private:
    QList<HotkeyEntry> m_entries;
};

} // namespace tarvex
