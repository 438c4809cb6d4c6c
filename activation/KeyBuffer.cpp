#include "activation/KeyBuffer.h"

#include <algorithm>

namespace tarvex {

KeyBuffer::KeyBuffer(int capacity) : m_capacity(std::max(1, capacity)) {}

bool KeyBuffer::append(quint8 code)
{
    m_codes.push_back(code);
    ++m_counts[code];
    if (size() <= m_capacity)
        return false;
    --m_counts[m_codes.front()];
    m_codes.pop_front();
    return true;
}

void KeyBuffer::removeAll(quint8 code)
{
    if (!contains(code))
        return;
    std::erase(m_codes, code);
    m_counts[code] = 0;
}

void KeyBuffer::clear()
{
    m_codes.clear();
    m_counts.fill(0);
}

QString KeyBuffer::text() const
{
    QString result;
    result.reserve(size());
    for (quint8 code : m_codes)
        result.append(QChar(code));
    return result;
}

} // namespace tarvex
