#pragma once

#include "store/HotkeyEntry.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace tarvex {

/// The editor's ordered, editable list of hotkeys, addressed by 1-based position. Not sorted,
/// duplicates allowed, no size limit (files with more than 32767 entries load whole).
///
/// A list read from the hotkey file also keeps each record's bytes as they were stored and
/// what followed the records in the file, so a save writes untouched records back unchanged.
class HotkeyList final
{
public:
    /// Appends `entry` at the end and returns its position.
    int append(const HotkeyEntry& entry);
    /// Appends `entry` read from the record `stored` of the hotkey file; returns its position.
    int appendStored(const HotkeyEntry& entry, const QByteArray& stored);
    /// Removes the entry at `position` and closes the gap; out-of-range positions do nothing.
    void remove(int position);
    /// Replaces the entry at `position`; out-of-range positions do nothing.
    void replace(int position, const HotkeyEntry& entry);
    /// Returns the entry at `position`, or an empty entry when out of range.
    HotkeyEntry at(int position) const;
    /// Returns the bytes the entry at `position` was read from, or nothing for a new entry.
    std::optional<QByteArray> storedAt(int position) const;
    /// Returns true when `position` addresses an entry.
    bool isValidPosition(int position) const { return position >= 1 && position <= count(); }
    /// Returns the number of entries.
    int count() const { return int(m_entries.size()); }
    /// Removes every entry; no leader, and the trailer is CR LF again.
    void clear();
    /// Returns all entries in list order.
    const QList<HotkeyEntry>& entries() const { return m_entries; }

    /// The bytes written before the records: the byte-order mark the file began with, if any.
    const QByteArray& leader() const { return m_leader; }
    /// The bytes written after the records: the line end and any further lines of the file
    /// the list was read from (CR LF for a list not read from a file).
    const QByteArray& trailer() const { return m_trailer; }
    /// Sets the bytes written before and after the records.
    void setFraming(const QByteArray& leader, const QByteArray& trailer)
    {
        m_leader = leader;
        m_trailer = trailer;
    }

private:
    QList<HotkeyEntry> m_entries;
    QList<std::optional<QByteArray>> m_stored;
    QByteArray m_leader;
    QByteArray m_trailer = QByteArrayLiteral("\r\n");
};

} // namespace tarvex
