#pragma once

#include "store/HotkeyEntry.h"

#include <QList>

#include <vector>

namespace tarvex {

/// Hotkeys are key sequences matched against the run of pressed keys, so one can hide
/// another: while typing "gofb", the row "g" fires at the first key and the buffer empties.
/// An instance keeps the code sequence of every row between checks, so a list of tens of
/// thousands of rows can be checked at every captured key.
class HotkeyShadowing final
{
public:
    /// Returns the 1-based position of the row that fires first while the combination of row
    /// `position` is typed, when that is another row (so row `position` can never fire), else 0.
    /// The earliest completed sequence wins; at the same key the row earlier in the list wins.
    /// Rows switched off take no part: they are never hidden and hide nothing.
    static int WinnerOver(const QList<HotkeyEntry>& entries, int position);
    /// WinnerOver with the code sequences kept from earlier calls.
    int winnerOver(const QList<HotkeyEntry>& entries, int position);
    /// Forgets every kept sequence (rows were loaded, added or removed).
    void invalidate() { m_valid.clear(); }
    /// Forgets the kept sequence of the row at `position` (its combination changed).
    void invalidate(int position);
    /// Returns the index just past the first place where code sequence `inner` ends inside
    /// `outer`, or -1 when it does not occur.
    static int FirstEnd(const QString& outer, const QString& inner);

private:
    const QString& codesAt(const QList<HotkeyEntry>& entries, int position);

    QList<QString> m_codes;
    std::vector<bool> m_valid;
};

} // namespace tarvex
