#include "activation/HotkeyMatcher.h"

#include <algorithm>

namespace tarvex {
namespace {

int Lowest(int a, int b)
{
    if (a < 0)
        return b;
    return b < 0 ? a : std::min(a, b);
}

} // namespace

HotkeyMatcher::HotkeyMatcher() : m_nodes(1) {}

int HotkeyMatcher::child(int node, quint8 code) const
{
    const auto& children = m_nodes[node].children;
    const auto it = std::lower_bound(children.begin(), children.end(), code,
                                     [](const auto& edge, quint8 c) { return edge.first < c; });
    return it != children.end() && it->first == code ? it->second : -1;
}

int HotkeyMatcher::addChild(int node, quint8 code)
{
    const int existing = child(node, code);
    if (existing >= 0)
        return existing;
    const int created = int(m_nodes.size());
    m_nodes.push_back(Node{{}, 0, -1, m_nodes[node].depth + 1, {}, 0});
    auto& children = m_nodes[node].children;
    const auto it = std::lower_bound(children.begin(), children.end(), code,
                                     [](const auto& edge, quint8 c) { return edge.first < c; });
    children.insert(it, {code, created});
    return created;
}

void HotkeyMatcher::insert(const QString& sequence, int record)
{
    for (QChar c : sequence) {
        if (c.unicode() == 0 || c.unicode() > 255)
            return; // names no key: the buffer only ever holds codes 1-255
    }
    int node = 0;
    for (QChar c : sequence)
        node = addChild(node, quint8(c.unicode()));
    m_nodes[node].output = Lowest(m_nodes[node].output, record);
    m_nodes[node].own.push_back(record);
}

void HotkeyMatcher::link()
{
    // Breadth first, so a node's failure target is finished before the node itself.
    std::vector<int> queue;
    queue.reserve(m_nodes.size());
    for (const auto& [code, next] : m_nodes[0].children)
        queue.push_back(next);
    for (size_t i = 0; i < queue.size(); ++i) {
        const int node = queue[i];
        for (const auto& [code, next] : m_nodes[node].children) {
            int fail = m_nodes[node].fail;
            while (fail != 0 && child(fail, code) < 0)
                fail = m_nodes[fail].fail;
            const int target = child(fail, code);
            m_nodes[next].fail = target >= 0 ? target : 0;
            const Node& failNode = m_nodes[m_nodes[next].fail];
            m_nodes[next].output = Lowest(m_nodes[next].output, failNode.output);
            m_nodes[next].dict = failNode.own.empty() ? failNode.dict : m_nodes[next].fail;
            queue.push_back(next);
        }
    }
    m_rootNext.fill(0);
    for (const auto& [code, next] : m_nodes[0].children)
        m_rootNext[code] = next;
}

void HotkeyMatcher::compile(const ActiveHotkeyTable& table)
{
    m_nodes.assign(1, Node{});
    m_filtered.assign(size_t(table.size()), false);
    for (int i = 0; i < table.size(); ++i) {
        if (table.at(i).runs)
            insert(table.at(i).keys, i);
        m_filtered[size_t(i)] = table.at(i).entry.apps.mode != AppFilter::Mode::Everywhere;
    }
    link();
    m_generation = table.generation();
    m_state = 0;
}

int HotkeyMatcher::step(int state, quint8 code) const
{
    while (state != 0) {
        const int next = child(state, code);
        if (next >= 0)
            return next;
        state = m_nodes[state].fail;
    }
    return m_rootNext[code];
}

int HotkeyMatcher::feed(quint8 code)
{
    m_state = step(m_state, code);
    const int lowest = m_nodes[m_state].output;
    if (lowest < 0 || !m_filtered[size_t(lowest)] || !m_accept || m_accept(lowest))
        return lowest;
    return lowestAccepted(m_state);
}

int HotkeyMatcher::lowestAccepted(int state) const
{
    // Seldom taken (the lowest record was limited to other applications): every record ending
    // here, lowest first.
    std::vector<int> records;
    for (int node = state; node != 0; node = m_nodes[node].dict)
        records.insert(records.end(), m_nodes[node].own.begin(), m_nodes[node].own.end());
    std::sort(records.begin(), records.end());
    for (int record : records) {
        if (!m_filtered[size_t(record)] || m_accept(record))
            return record;
    }
    return -1;
}

int HotkeyMatcher::scan(const KeyBuffer& buffer)
{
    reset();
    int found = -1;
    for (quint8 code : buffer.codes())
        found = Lowest(found, feed(code));
    return found;
}

} // namespace tarvex
