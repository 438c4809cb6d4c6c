#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace tarvex {

/// The hotkeys the matcher reads: the record strings of the file line, 0-based, each
/// combination "*" target. Replaced as a whole, never edited in place.
class ActiveHotkeyTable final
{
public:
    /// Creates an empty table.
    ActiveHotkeyTable();

    /// Replaces the table by the parts of `line` split at every "|" (an empty line: no records).
    void replaceFromText(const QString& line);
    /// Returns the number of records.
    int size() const { return int(m_records.size()); }
    /// Returns the record strings in table order.
    const QStringList& records() const { return m_records; }
    /// Returns element 0 of record `index` split at "*": its combination text.
    QString combinationAt(int index) const;
    /// Returns element 1 of record `index` split at "*", or nothing when it has no "*".
    std::optional<QString> targetAt(int index) const;
    /// Returns a number that differs after every replacement (unique across all tables).
    quint64 generation() const { return m_generation; }

private:
    QStringList m_records;
    quint64 m_generation;
};

} // namespace tarvex
