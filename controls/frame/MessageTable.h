#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace tarvex {

// One message table of a subclassed window: at most MSG_ENTRIES message
// numbers, or every message (count ALL_MESSAGES). A deleted entry becomes 0
// and its slot is taken by the next addition.
class MessageTable final
{
public:
    static constexpr int MSG_ENTRIES = 32;
    static constexpr qint32 ALL_MESSAGES = -1;

    // Adds uMsg (or ALL_MESSAGES); returns the error text, empty on success.
    QString add(qint32 uMsg);

    // Deletes uMsg (ALL_MESSAGES empties the table); returns the error text, empty on success.
    QString remove(qint32 uMsg);

    // True when the table holds uMsg or stands for all messages.
    bool contains(qint32 uMsg) const;

    // Entry count, ALL_MESSAGES (-1) for all; deleted slots still count.
    int count() const { return m_count; }

    // Entry in slot index (0-based); 0 for a deleted slot.
    qint32 entry(int index) const { return m_entries[size_t(index)]; }

    // Forgets every entry.
    void clear() { m_count = 0; }

private:
    int m_count = 0;
    std::array<qint32, MSG_ENTRIES> m_entries{};
};

} // namespace tarvex
