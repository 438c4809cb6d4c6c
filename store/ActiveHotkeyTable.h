#pragma once

#include "store/HotkeyEntry.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace tarvex {

/// One record of the active table, taken apart once when the table is replaced.
struct ActiveHotkey
{
    /// The combination and the target (empty when the record has no "*").
    HotkeyEntry entry;
    /// False for a record without a "*": it never runs.
    bool hasTarget = false;
    /// True when the running hotkeys match it: it has a target and no reason from ReasonNotRun.
    bool runs = false;
    /// The key codes of the combination (one character per code) when it runs, else empty.
    QString keys;
};

/// The hotkeys the matcher reads: the record strings of the file line, 0-based, each
/// combination "*" target, and each record taken apart. Replaced as a whole, never edited in
/// place.
class ActiveHotkeyTable final
{
public:
    /// Creates an empty table.
    ActiveHotkeyTable();

    /// Replaces the table by the parts of `line` split at every "|" (an empty line: no records).
    void replaceFromText(const QString& line);
    /// Replaces the table by `records`, each "combination*target" as the file holds it.
    void replace(QStringList records);
    /// Sets the applications each record acts in, by position (records past the end of `apps`
    /// act everywhere); the table counts as replaced.
    void setAppFilters(const QList<AppFilter>& apps);
    /// Returns the number of records.
    int size() const { return int(m_records.size()); }
    /// Returns the record strings in table order.
    const QStringList& records() const { return m_records; }
    /// Returns record `index` taken apart.
    const ActiveHotkey& at(int index) const { return m_entries.at(index); }
    /// Returns element 0 of record `index` split at "*": its combination text.
    QString combinationAt(int index) const { return at(index).entry.combination; }
    /// Returns element 1 of record `index` split at "*", or nothing when it has no "*".
    std::optional<QString> targetAt(int index) const;
    /// Returns a number that differs after every replacement (unique across all tables).
    quint64 generation() const { return m_generation; }

private:
    QStringList m_records;
    QList<ActiveHotkey> m_entries;
    quint64 m_generation;
};

} // namespace tarvex
