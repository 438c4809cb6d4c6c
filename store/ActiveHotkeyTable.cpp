#include "store/ActiveHotkeyTable.h"

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
    const QString& record = m_records.at(index);
    const qsizetype star = record.indexOf(u'*');
    return star < 0 ? record : record.left(star);
}

std::optional<QString> ActiveHotkeyTable::targetAt(int index) const
{
    const QString& record = m_records.at(index);
    const qsizetype star = record.indexOf(u'*');
    if (star < 0)
        return std::nullopt;
    const qsizetype next = record.indexOf(u'*', star + 1);
    return record.mid(star + 1, next < 0 ? -1 : next - star - 1);
}

} // namespace tarvex
