// Fuzz target "hotkey_file": the input is the whole hotkey file.
#include "store/HotkeyDatabase.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/FuzzTargets.h"

namespace tarvex::fuzz {
namespace {

// The table must hold the same records as the list, read the same way.
QString TableAgreesWithList(const HotkeyList& list, const ActiveHotkeyTable& table)
{
    if (table.size() != list.count())
        return QStringLiteral("table has %1 records, list %2").arg(table.size()).arg(list.count());
    for (int i = 0; i < table.size(); ++i) {
        const HotkeyEntry entry = list.at(i + 1);
        if (table.combinationAt(i) != entry.combination ||
            table.targetAt(i).value_or(QString()) != entry.target)
            return QStringLiteral("record %1 differs between table and list").arg(i);
    }
    return {};
}

} // namespace

QString FuzzHotkeyFile(QByteArrayView data)
{
    const QString path = ScratchPath(QStringLiteral("Hotkeys.TarvexDB"));
    if (!WriteFile(path, data))
        return QStringLiteral("cannot write the scratch file");
    HotkeyDatabase database(path);
    HotkeyList list;
    ActiveHotkeyTable table;
    database.load(list, table);
    if (QString problem = TableAgreesWithList(list, table); !problem.isEmpty())
        return QStringLiteral("after load: ") + problem;
    if (!database.save(list, table).isEmpty())
        return QStringLiteral("save failed");
    // Option lines are written afresh; a file without them is kept byte for byte, and one with
    // them reads back the same and is kept by the next save.
    const QByteArray saved = ReadFile(path);
    if (!data.contains("tarvex-hotkey ") && saved != data)
        return QStringLiteral("a save without edits changed the file");
    HotkeyList again;
    database.load(again, table);
    if (again.entries() != list.entries())
        return QStringLiteral("the saved options did not read back the same");
    if (!database.save(again, table).isEmpty() || ReadFile(path) != saved)
        return QStringLiteral("a second save without edits changed the file");

    // Edits as the editor makes them (changed, deleted, new rows); they must read back exactly.
    HotkeyList edited;
    for (int position = 1; position <= list.count(); ++position) {
        HotkeyEntry entry = list.at(position);
        if (position == 1)
            entry.target += u'x';
        if (position % 2 == 1)
            edited.append(entry);
        else
            edited.appendStored(entry, list.storedAt(position).value_or(QByteArray()));
    }
    if (edited.count() > 2)
        edited.remove(edited.count());
    edited.setFraming(list.leader(), list.trailer());
    if (!database.save(edited, table).isEmpty())
        return QStringLiteral("second save failed");
    HotkeyList reloaded;
    database.load(reloaded, table);
    if (reloaded.entries() != edited.entries())
        return QStringLiteral("edited entries did not read back the same");
    if (QString problem = TableAgreesWithList(reloaded, table); !problem.isEmpty())
        return QStringLiteral("after reload: ") + problem;
    return {};
}

} // namespace tarvex::fuzz
