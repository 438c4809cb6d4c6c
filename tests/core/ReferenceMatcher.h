#pragma once

#include "keys/KeyText.h"
#include "store/HotkeyEntry.h"

#include <QStringList>

#include <optional>

namespace tarvex {

/// The matching algorithm written out plainly, for comparison with the compiled matcher:
/// after each append (keeping the newest `capacity` codes) remove every 162, convert every
/// record's combination and search it in the whole buffer, code for code; the first record
/// found fires and empties the buffer. A new table empties the buffer too. Records without a
/// "*", without a key combination or with a control character in the target take no part.
class ReferenceMatcher final
{
public:
    explicit ReferenceMatcher(int capacity) : m_capacity(capacity) {}

    /// Appends `code` and returns the index of the record that fired, or -1. Converts every
    /// record on every call, as the described algorithm does.
    int append(int code, const QStringList& records)
    {
        return appendPrepared(code, Prepare(records));
    }

    /// Returns the code sequence of each record, or nothing for a record that takes no part.
    static QList<std::optional<QString>> Prepare(const QStringList& records)
    {
        QList<std::optional<QString>> sequences;
        for (const QString& record : records) {
            const HotkeyRecord parts = SplitHotkeyRecord(record);
            const bool runs = parts.hasTarget && HasKeyCombination(parts.entry.combination) &&
                              !HoldsControlCharacter(parts.entry.target);
            sequences.append(runs ? std::optional(KeyCodesFromText(parts.entry.combination))
                                  : std::nullopt);
        }
        return sequences;
    }

    /// The table was replaced: the buffer is emptied.
    void tableReplaced() { m_buffer.clear(); }

    /// Like append, with the records already converted by Prepare.
    int appendPrepared(int code, const QList<std::optional<QString>>& sequences)
    {
        m_buffer.append(QChar(code));
        if (m_buffer.size() > m_capacity)
            m_buffer.remove(0, 1);
        m_buffer.remove(QChar(162));
        for (int i = 0; i < sequences.size(); ++i) {
            if (sequences.at(i) && Occurs(*sequences.at(i), m_buffer)) {
                m_buffer.clear();
                return i;
            }
        }
        return -1;
    }

    /// Returns the buffer as a text of codes.
    const QString& buffer() const { return m_buffer; }

    /// Returns true when `sequence` stands as a contiguous run in `buffer`.
    static bool Occurs(const QString& sequence, const QString& buffer)
    {
        if (sequence.isEmpty())
            return !buffer.isEmpty();
        for (qsizetype start = 0; start + sequence.size() <= buffer.size(); ++start) {
            qsizetype i = 0;
            while (i < sequence.size() && sequence.at(i) == buffer.at(start + i))
                ++i;
            if (i == sequence.size())
                return true;
        }
        return false;
    }

private:
    QString m_buffer;
    int m_capacity;
};

} // namespace tarvex
