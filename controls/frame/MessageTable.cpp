#include "controls/frame/MessageTable.h"

namespace tarvex {

QString MessageTable::add(qint32 uMsg)
{
    if (uMsg == ALL_MESSAGES) {
        m_count = ALL_MESSAGES;
        return {};
    }
    if (m_count == ALL_MESSAGES)
        return {};
    if (contains(uMsg))
        return {};
    // A message already present anywhere is never added twice, and a slot freed
    // by a deletion is reused before the table is declared full.
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[size_t(i)] == 0) {
            m_entries[size_t(i)] = uMsg;
            return {};
        }
    }
    if (m_count >= MSG_ENTRIES)
        return QStringLiteral("Message table overflow. Either increase the value of Const "
                              "MSG_ENTRIES or use ALL_MESSAGES instead of specific message values");
    m_entries[size_t(m_count++)] = uMsg;
    return {};
}

QString MessageTable::remove(qint32 uMsg)
{
    if (uMsg == ALL_MESSAGES) {
        m_count = 0;
        return {};
    }
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[size_t(i)] == uMsg) {
            m_entries[size_t(i)] = 0;
            return {};
        }
    }
    return QStringLiteral("Message &H%1 not found in table")
        .arg(QString::number(quint32(uMsg), 16).toUpper());
}

bool MessageTable::contains(qint32 uMsg) const
{
    if (m_count == ALL_MESSAGES)
        return true;
    for (int i = 0; i < m_count; ++i)
        if (m_entries[size_t(i)] == uMsg)
            return true;
    return false;
}

} // namespace tarvex
