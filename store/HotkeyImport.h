#pragma once

#include "store/HotkeyEntry.h"

#include <QList>
#include <QStringList>

namespace tarvex {

/// What merging hotkeys read from another file into a list would do. Nothing is decided for
/// the user: a hotkey whose keys the list already binds to something else is a conflict.
struct ImportPlan
{
    /// A hotkey of the file whose combination the row at `position` (1-based) binds to
    /// another target.
    struct Conflict
    {
        int position = 0;
        HotkeyEntry incoming;
    };

    /// Hotkeys whose combination no row binds, in file order.
    QList<HotkeyEntry> added;
    /// Hotkeys that would replace a row, if the user says so.
    QList<Conflict> conflicts;
    /// Hotkeys the list already holds as they are (same keys, target and options).
    int alreadyPresent = 0;
    /// For each hotkey of the file left out because it could never run: its number in the
    /// file and why.
    QStringList leftOut;
};

/// Plans merging `incoming` (read from a file, in file order) into `current`. Combinations are
/// compared as hotkeys compare keys, without regard to letter case; among several rows with
/// the same combination the first is the one a conflict names. Several hotkeys of the file
/// with the same combination are all added (a list may hold duplicates, as the file may).
ImportPlan PlanImport(const QList<HotkeyEntry>& current, const QList<HotkeyEntry>& incoming);

} // namespace tarvex
