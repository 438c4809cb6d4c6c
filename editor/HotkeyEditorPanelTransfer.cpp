// Moving hotkeys between machines: "Export…" writes all or the selected hotkeys to a hotkey
// file of their own, "Import…" merges such a file into the list, asking about each hotkey
// whose keys the list binds to something else. Like every other edit, an import changes only
// the list: nothing reaches the user's hotkey file before "Save Settings".
#include "editor/HotkeyEditorPanel.h"
#include "editor/HotkeyListModel.h"
#include "keys/KeyNames.h"
#include "platform/Dialogs.h"
#include "store/HotkeyFileIO.h"
#include "store/HotkeyImport.h"

#include <QCoreApplication>
#include <QDir>

namespace tarvex {
namespace {

const char* const FileFilter =
    QT_TRANSLATE_NOOP("tarvex::HotkeyEditorPanel", "Hotkey files (*.TarvexDB);;All files (*)");

// How a hotkey reads in a question: its keys as the list shows them and its target.
QString Described(const HotkeyEntry& entry)
{
    QString text =
        QStringLiteral("%1 \u2192 %2").arg(KeyNames::Displayed(entry.combination), entry.target);
    if (!entry.arguments.isEmpty())
        text += u' ' + entry.arguments;
    if (!entry.enabled)
        text += u' ' + QCoreApplication::translate("tarvex::HotkeyEditorPanel", "(off)");
    return text;
}

} // namespace

void HotkeyEditorPanel::exportHotkeys()
{
    QList<HotkeyEntry> chosen = m_list.entries();
    const int selected = selectedPosition();
    if (chosen.size() > 1 && selected > 0) {
        const QString all = tr("All Hotkeys");
        const QString answer = m_dialogs.choose(
            m_form, tr("Export Hotkeys"),
            tr("Export all %1 hotkeys, or only the selected one?").arg(chosen.size()),
            {all, tr("Selected Hotkey")});
        if (answer.isEmpty())
            return;
        if (answer != all)
            chosen = {m_list.at(selected)};
    }
    if (chosen.isEmpty()) {
        m_dialogs.inform(m_form, tr("Export Hotkeys"), tr("There are no hotkeys to export."));
        return;
    }
    const QString path = m_dialogs.chooseSaveFile(
        m_form, tr("Export Hotkeys"), QDir::home().filePath(QStringLiteral("Hotkeys.TarvexDB")),
        tr(FileFilter));
    if (path.isEmpty())
        return;
    HotkeyList exported;
    for (const HotkeyEntry& entry : std::as_const(chosen))
        exported.append(entry);
    ActiveHotkeyTable unused;
    const QString error = HotkeyDatabase(path).save(exported, unused);
    if (!error.isEmpty())
        m_dialogs.warn(m_form, tr("Export Hotkeys"), error);
}

void HotkeyEditorPanel::importHotkeys()
{
    const QString path =
        m_dialogs.chooseFile(m_form, tr("Import Hotkeys"), QDir::homePath(), tr(FileFilter));
    if (path.isEmpty())
        return;
    // A file that cannot be read says why; one that reads but holds hotkeys that could never
    // run has those left out below, each named.
    if (const RegularFileRead probe = ReadRegularFile(path); !probe.reason.isEmpty()) {
        m_dialogs.warn(m_form, tr("Import Hotkeys"),
                       tr("The file \"%1\" cannot be imported: %2").arg(path, probe.reason));
        return;
    }
    HotkeyList read;
    ActiveHotkeyTable unused;
    HotkeyDatabase(path).load(read, unused);
    const ImportPlan plan = PlanImport(m_list.entries(), read.entries());

    // Every question is asked before anything changes: Cancel leaves the list as it was.
    QList<ImportPlan::Conflict> replacing;
    const QString replace = tr("Use Imported");
    for (const ImportPlan::Conflict& conflict : plan.conflicts) {
        const QString answer = m_dialogs.choose(
            m_form, tr("Import Hotkeys"),
            tr("The same keys are already a hotkey.\n\nIn the list:\n%1\n\nIn the file:\n%2")
                .arg(Described(m_list.at(conflict.position)), Described(conflict.incoming)),
            {tr("Keep Mine"), replace});
        if (answer.isEmpty())
            return;
        if (answer == replace)
            replacing.append(conflict);
    }
    for (const ImportPlan::Conflict& conflict : std::as_const(replacing))
        m_model->replaceEntry(conflict.position, conflict.incoming);
    int last = 0;
    for (const HotkeyEntry& entry : plan.added)
        last = m_model->appendEntry(entry);
    if (m_list.count() > 0)
        configCTRL(true);
    if (last > 0)
        selectPosition(last);
    else if (!replacing.isEmpty())
        selectPosition(replacing.last().position);
    updateShadowWarning();

    QString summary = tr("Hotkeys added: %1. Replaced: %2. Kept as they were: %3.")
                          .arg(plan.added.size())
                          .arg(replacing.size())
                          .arg(plan.alreadyPresent + plan.conflicts.size() - replacing.size());
    if (!plan.leftOut.isEmpty())
        summary +=
            u'\n' + tr("Left out, as they could never run:") + u'\n' + plan.leftOut.join(u'\n');
    summary += u'\n' + tr("Nothing is written before you click \"Save Settings\".");
    m_dialogs.inform(m_form, tr("Import Hotkeys"), summary);
}

} // namespace tarvex
