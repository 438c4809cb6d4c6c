#include "store/HotkeyImport.h"

#include <QCoreApplication>
#include <QHash>

namespace tarvex {

ImportPlan PlanImport(const QList<HotkeyEntry>& current, const QList<HotkeyEntry>& incoming)
{
    // The first row of each combination, by its letter-case-free text.
    QHash<QString, int> firstRow;
    firstRow.reserve(current.size());
    for (int row = current.size() - 1; row >= 0; --row)
        firstRow.insert(current.at(row).combination.toLower(), row);

    ImportPlan plan;
    for (int index = 0; index < incoming.size(); ++index) {
        const HotkeyEntry& entry = incoming.at(index);
        if (const QString reason = ReasonNotRun(entry); !reason.isEmpty()) {
            plan.leftOut.append(
                QCoreApplication::translate("tarvex::HotkeyImport", "Hotkey %1 of the file: %2.")
                    .arg(index + 1)
                    .arg(reason));
            continue;
        }
        const auto row = firstRow.constFind(entry.combination.toLower());
        if (row == firstRow.cend())
            plan.added.append(entry);
        else if (current.at(*row) == entry)
            ++plan.alreadyPresent;
        else
            plan.conflicts.append({*row + 1, entry});
    }
    return plan;
}

} // namespace tarvex
