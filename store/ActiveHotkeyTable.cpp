#include "store/ActiveHotkeyTable.h"

#include "store/HotkeyEntry.h"

#include <atomic>

namespace tarvex {
namespace {

quint64 NextGeneration()
{
    static std::atomic<quint64> counter{0};
    return ++counter;
}

} // namespace

ActiveHotkeyTable::ActiveHotkeyTable() : m_generation(NextGeneration()) {}

void ActiveHotkeyTable::replaceFromText(const QString& line)
{
    m_records = line.isEmpty() ? QStringList{} : line.split(u'|');
    m_generation = NextGeneration();
}

QString ActiveHotkeyTable::combinationAt(int index) const
{
    return SplitHotkeyRecord(m_records.at(index)).entry.combination;
}

std::optional<QString> ActiveHotkeyTable::targetAt(int index) const
{
    HotkeyRecord record = SplitHotkeyRecord(m_records.at(index));
    if (!record.hasTarget)
        return std::nullopt;
    return std::move(record.entry.target);
}

} // namespace tarvex
