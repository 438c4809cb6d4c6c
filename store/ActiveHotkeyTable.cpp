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

ActiveHotkey TakeApart(const QString& record, const HotkeyEntry& options)
{
    const HotkeyRecord parts = SplitHotkeyRecord(record);
    ActiveHotkey hotkey{parts.entry, parts.hasTarget, false, {}};
    hotkey.entry.enabled = options.enabled;
    hotkey.entry.arguments = options.arguments;
    hotkey.entry.apps = options.apps;
    hotkey.entry.eraseTyped = options.eraseTyped;
    hotkey.entry.typedText = options.typedText;
    // A hotkey switched off is never matched.
    hotkey.runs = options.enabled && parts.hasTarget && ReasonNotRun(parts.entry).isEmpty();
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

void ActiveHotkeyTable::replace(QStringList records, const QList<HotkeyEntry>& options)
{
    m_records = std::move(records);
    m_entries.clear();
    m_entries.reserve(m_records.size());
    for (qsizetype i = 0; i < m_records.size(); ++i)
        m_entries.append(TakeApart(m_records.at(i), options.value(i)));
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
