#pragma once

#include "keys/KeyText.h"

#include <QStringList>

namespace tarvex {

/// The matching algorithm written out plainly, for comparison with the compiled matcher:
/// after each append (keeping the newest `capacity` codes) remove every 162, convert every
/// record's combination and search it in the whole buffer; the first record found fires and
/// empties the buffer. Records without a "*" take no part.
class ReferenceMatcher final
{
public:
    explicit ReferenceMatcher(int capacity) : m_capacity(capacity) {}

    /// Appends `code` and returns the index of the record that fired, or -1.
    int append(int code, const QStringList& records)
    {
        m_buffer.append(QChar(code));
        if (m_buffer.size() > m_capacity)
            m_buffer.remove(0, 1);
        m_buffer.remove(QChar(162));
        for (int i = 0; i < records.size(); ++i) {
            const QStringList parts = records.at(i).split(u'*');
            if (parts.size() >= 2 && Occurs(KeyCodesFromText(parts.at(0)), m_buffer)) {
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
            while (i < sequence.size() &&
                   KeyCodesMatch(sequence.at(i).unicode(), buffer.at(start + i).unicode()))
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
