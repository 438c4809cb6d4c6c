#pragma once

#include "store/HotkeyEntry.h"

#include <QList>

namespace tarvex {

/// Hotkeys are key sequences matched against the run of pressed keys, so one can hide
/// another: while typing "gofb", the row "g" fires at the first key and the buffer empties.
class HotkeyShadowing final
{
public:
    /// Returns the 1-based position of the row that fires first while the combination of row
    /// `position` is typed, when that is another row (so row `position` can never fire), else 0.
    /// The earliest completed sequence wins; at the same key the row earlier in the list wins.
    static int WinnerOver(const QList<HotkeyEntry>& entries, int position);
    /// Returns the index just past the first place where code sequence `inner` ends inside
    /// `outer` under the matching equality, or -1 when it does not occur.
    static int FirstEnd(const QString& outer, const QString& inner);
};

} // namespace tarvex
