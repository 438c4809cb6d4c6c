#pragma once

#include "activation/KeyBuffer.h"
#include "store/ActiveHotkeyTable.h"

#include <array>
#include <functional>
#include <utility>
#include <vector>

namespace tarvex {

/// The active table's key codes compiled into one Aho-Corasick automaton.
/// Fed one code per append, it names the lowest index into the table whose sequence ends there,
/// in time independent of the buffer length and of the table size (amortised). Records without
/// a "*" (no target), records the running hotkeys ignore (ReasonNotRun: no key combination, a
/// control character in the target) and sequences naming no key never match. A record limited
/// to applications matches only when the accept function (setAccept) takes it; when it does not,
/// the next lowest record ending there is tried.
class HotkeyMatcher final
{
public:
    /// Answers whether record `index`, limited to applications, may fire now.
    using Accept = std::function<bool(int index)>;

    /// Creates a matcher of an empty table.
    HotkeyMatcher();

    /// Compiles the combinations of `table` and resets the state.
    void compile(const ActiveHotkeyTable& table);
    /// Sets the function asked about records limited to applications (none: they all match).
    void setAccept(Accept accept) { m_accept = std::move(accept); }
    /// Returns the generation of the table last compiled (0 before the first compile).
    quint64 compiledGeneration() const { return m_generation; }
    /// Returns to the state of an empty buffer.
    void reset() { m_state = 0; }
    /// Advances by one appended code; returns the lowest record index whose sequence ends
    /// with it, or -1.
    int feed(quint8 code);
    /// Resets, feeds the whole `buffer` and returns the lowest record index whose sequence
    /// occurs anywhere in it, or -1.
    int scan(const KeyBuffer& buffer);
    /// Returns the length of the buffer end the current state stands for.
    int depth() const { return m_nodes[m_state].depth; }

private:
    struct Node
    {
        std::vector<std::pair<quint8, int>> children; // sorted by code
        int fail = 0;
        int output = -1; // lowest record index ending here or at any suffix
        int depth = 0;
        std::vector<int> own; // the records ending exactly here
        int dict = 0;         // the nearest suffix node where records end, or the root
    };

    int child(int node, quint8 code) const;
    int addChild(int node, quint8 code);
    void insert(const QString& sequence, int record);
    void link();
    int step(int state, quint8 code) const;
    int lowestAccepted(int state) const;

    std::vector<Node> m_nodes;
    std::array<int, 256> m_rootNext{};
    int m_state = 0;
    std::vector<bool> m_filtered; // per record: limited to applications
    Accept m_accept;
    quint64 m_generation = 0;
};

} // namespace tarvex
