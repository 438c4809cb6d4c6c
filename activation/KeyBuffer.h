#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <deque>

namespace tarvex {

/// The codes of the newly pressed keys, oldest first. Bounded: it keeps the newest `capacity`
/// codes (4096 by default, far longer than any combination), so a day of typing that completes
/// no combination cannot grow memory without end.
class KeyBuffer final
{
public:
    static constexpr int DefaultCapacity = 4096;

    /// Creates an empty buffer that keeps at most `capacity` codes (at least 1).
    explicit KeyBuffer(int capacity = DefaultCapacity);

    /// Appends `code`; when the buffer is full the oldest code goes. True when one went.
    bool append(quint8 code);
    /// Removes every occurrence of `code` (no work when there is none).
    void removeAll(quint8 code);
    /// Empties the buffer.
    void clear();
    /// Returns true when `code` is in the buffer.
    bool contains(quint8 code) const { return m_counts[code] > 0; }
    /// Returns the number of codes held.
    int size() const { return int(m_codes.size()); }
    /// Returns true when no code is held.
    bool isEmpty() const { return m_codes.empty(); }
    /// Returns the most codes the buffer keeps.
    int capacity() const { return m_capacity; }
    /// Returns the codes, oldest first.
    const std::deque<quint8>& codes() const { return m_codes; }
    /// Returns the codes as a text, one character per code.
    QString text() const;

private:
    std::deque<quint8> m_codes;
    std::array<int, 256> m_counts{};
    int m_capacity;
};

} // namespace tarvex
