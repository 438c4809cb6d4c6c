#include "store/ActiveHotkeyTable.h"

#include "keys/KeyText.h"

#include <atomic>

namespace tarvex {
namespace {

quint64 NextGeneration()
{
    static std::atomic<quint64> counter{0};
    return ++counter;
}

ActiveHotkey TakeApart(const QString& record)
{
    const HotkeyRecord parts = SplitHotkeyRecord(record);
    ActiveHotkey hotkey{parts.entry, parts.hasTarget, false, {}};
    hotkey.runs = parts.hasTarget && ReasonNotRun(parts.entry).isEmpty();
    if (hotkey.runs)
        hotkey.keys = KeyCodesFromText(parts.entry.combination);
    return hotkey;
}

} // namespace

ActiveHotkeyTable::ActiveHotkeyTable() : m_generation(NextGeneration()) {}

void ActiveHotkeyTable::replaceFromText(const QString& line)
{
    replace(line.isEmpty() ? QStringList{} : line.split(u'|'));
}

void ActiveHotkeyTable::replace(QStringList records)
{
    m_records = std::move(records);
    m_entries.clear();
    m_entries.reserve(m_records.size());
    for (const QString& record : std::as_const(m_records))
        m_entries.append(TakeApart(record));
    m_generation = NextGeneration();
}

void ActiveHotkeyTable::setAppFilters(const QList<AppFilter>& apps)
{
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        m_entries[i].entry.apps = apps.value(i);
    m_generation = NextGeneration();
}

std::optional<QString> ActiveHotkeyTable::targetAt(int index) const
{
    const ActiveHotkey& hotkey = at(index);
    if (!hotkey.hasTarget)
        return std::nullopt;
    return hotkey.entry.target;
}

} // namespace tarvex
