// The editing algorithms of the hotkey editor: row selection, the type selector, the target
// fields, browsing, adding through the wizard, deleting and saving.
#include "activation/HotkeyShadowing.h"
#include "controls/button/velbutton.h"
#include "editor/ArgumentsField.h"
#include "editor/CaptureBox.h"
#include "editor/FormWizard.h"
#include "editor/HotkeyEditorPanel.h"
#include "editor/HotkeyFilterModel.h"
#include "editor/HotkeyListModel.h"
#include "editor/HotkeyListView.h"
#include "editor/RowIcons.h"
#include "keys/KeyCapture.h"
#include "keys/KeyNames.h"
#include "platform/Dialogs.h"
#include "store/ExecArguments.h"
#include "store/WebAddress.h"
#include "ui/ProgramIcon.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTreeView>

namespace tarvex {
namespace {

const QString WebPrefix = QStringLiteral("http://");
const char* const FileChoice = QT_TRANSLATE_NOOP("tarvex::HotkeyEditorPanel", "File");
const char* const FolderChoice = QT_TRANSLATE_NOOP("tarvex::HotkeyEditorPanel", "Folder");

QString EmptyCombinationMessage(int position, const HotkeyEntry& entry)
{
    return QCoreApplication::translate(
               "tarvex::HotkeyEditorPanel",
               "Hotkey %1 (action \"%2\") has no key combination, so it would run at "
               "every key press. Click its Hotkey box and press its keys, or delete "
               "it, then save again.")
        .arg(position)
        .arg(entry.target);
}

// Why the row at `position` cannot be saved, naming it; empty when it can.
QString SaveProblem(int position, const HotkeyEntry& entry)
{
    if (!HasKeyCombination(entry.combination))
        return EmptyCombinationMessage(position, entry);
    QString problem = ValidateHotkeyEntry(entry);
    if (problem.isEmpty() && ClassifyTarget(entry.target) == TargetKind::Website)
        problem = ValidateWebAddress(entry.target);
    if (problem.isEmpty() && ClassifyTarget(entry.target) == TargetKind::File)
        problem = SplitExecArguments(entry.arguments).error;
    return problem.isEmpty()
               ? QString()
               : QCoreApplication::translate("tarvex::HotkeyEditorPanel", "Hotkey %1 (%2): %3")
                     .arg(position)
                     .arg(KeyNames::Displayed(entry.combination), problem);
}

} // namespace

int HotkeyEditorPanel::selectedPosition() const
{
    return m_filter->positionOf(m_Hotkey->currentIndex());
}

void HotkeyEditorPanel::selectPosition(int position)
{
    if (!m_list.isValidPosition(position))
        return;
    if (selectedPosition() == position) {
        rowClicked(position);
        return;
    }
    // A row the editor selects (one just added, one refused on save) is shown even when the
    // filter would hide it.
    m_filter->keepShown(position);
    const QModelIndex index = m_filter->rowOf(position);
    m_Hotkey->setCurrentIndex(index);
    m_Hotkey->scrollTo(index);
}

void HotkeyEditorPanel::rowClicked(int position, bool focusCombination)
{
    showAppFilter(position);
    m_rememberedFile.clear();
    m_rememberedWebsite.clear();
    m_rememberedSpecial.clear();
    if (m_list.count() == 0) {
        configCTRL(false);
        updateShadowWarning();
        return;
    }
    if (!m_list.isValidPosition(position))
        return;
    const HotkeyEntry entry = m_list.at(position);
    // The fields show the row; only the user's own edits change it, so a row that the boxes
    // cannot show exactly (letters outside the key alphabet, say) is saved as it was read.
    m_filling = true;
    rememberRowTarget(entry.target);
    configCTRL(true);
    m_hk->setCombination(entry.combination);
    m_ws->setText(entry.target);
    m_arguments->setArguments(entry.arguments);
    showEraseBox();
    ConfigAction(ActionFor(m_hktype->currentIndex()));
    m_filling = false;
    if (focusCombination)
        m_hk->setFocus();
    updateShadowWarning();
}

void HotkeyEditorPanel::rememberRowTarget(const QString& target)
{
    switch (ClassifyTarget(target)) {
    case TargetKind::Website:
        m_rememberedWebsite = target;
        break;
    case TargetKind::File:
        m_rememberedFile = target;
        break;
    case TargetKind::Special:
        m_rememberedSpecial = target;
        break;
    case TargetKind::TypeText:
        break;
    case TargetKind::None:
        return;
    }
    // Changing the selector runs its click, which shows the remembered target.
    m_hktype->setCurrentIndex(TypeSelectorPosition(ClassifyTarget(target), 0));
}

void HotkeyEditorPanel::typeClicked(int position)
{
    if (position == 1)
        m_ws->setText(m_rememberedWebsite.isEmpty() ? WebPrefix : m_rememberedWebsite);
    else if (position == 0)
        m_ws->setText(m_rememberedFile);
    else if (position == 2)
        m_ws->setText(m_rememberedSpecial);
    else
        m_ws->setText(TypeTextTarget.toString());
    QString key = position == 1 ? QStringLiteral("website") : QStringLiteral("action");
    if (position == 0) {
        const QString path = m_ws->text();
        key = DirExists(path) || FileExists(path) ? path : QStringLiteral("file");
        m_icons->addPath(path);
    }
    if (const int selected = selectedPosition())
        m_model->setIconKey(selected, key);
    ConfigAction(ActionFor(position));
}

void HotkeyEditorPanel::targetChanged(const QString& text)
{
    const QString problem = ValidateTarget(text);
    if (!problem.isEmpty() && !m_filling) {
        // The separators of the hotkey file would corrupt it, and no target holds a control
        // character: take them out again at once.
        QString cleaned = text;
        cleaned.remove(QRegularExpression(QStringLiteral("[*|\\x00-\\x1f\\x7f]")));
        m_ws->setText(cleaned);
        m_dialogs.warn(m_form, ProgramTitle, problem);
        m_ws->setFocus();
        return;
    }
    if (const int selected = selectedPosition(); selected && !m_filling)
        m_model->setTarget(selected, text);
    const int type = m_hktype->currentIndex();
    if (type <= 2)
        (type == 0   ? m_rememberedFile
         : type == 1 ? m_rememberedWebsite
                     : m_rememberedSpecial) = text;
}

void HotkeyEditorPanel::targetEdited(const QString& text)
{
    // An address typed or pasted after the offered "http://" replaces it.
    const QString address = WithoutDoubledWebPrefix(text);
    if (m_hktype->currentIndex() == 1 && address != text)
        m_ws->setText(address);
}

// The list shows the names in the user's language; the row stores the name as the hotkey file
// holds it.
void HotkeyEditorPanel::specialChosen(int position)
{
    const QString name = m_sp->itemData(position).toString();
    if (position > 0 && !name.isEmpty())
        m_ws->setText(name);
}

void HotkeyEditorPanel::combinationChanged(const QString& text)
{
    if (const int selected = selectedPosition(); selected && !m_filling)
        m_model->setCombination(selected, text);
    showEraseBox();
    updateShadowWarning();
}

void HotkeyEditorPanel::browseClicked()
{
    const QString file = tr(FileChoice), folder = tr(FolderChoice);
    const QString choice =
        m_dialogs.choose(m_form, tr("Add File or Folder"),
                         tr("Do You Want To Add A File Or A Folder?"), {file, folder});
    QString path;
    if (choice == file)
        path = m_dialogs.chooseFile(m_form, tr("Select a file/program to open"));
    else if (choice == folder)
        path = m_dialogs.chooseFolder(m_form, tr("Please Select A Folder"));
    if (!path.trimmed().isEmpty())
        setTargetFromBrowse(path);
}

void HotkeyEditorPanel::setTargetFromBrowse(const QString& path)
{
    const QString problem = ValidateTarget(path);
    if (!problem.isEmpty()) {
        m_dialogs.warn(m_form, ProgramTitle, problem);
        return;
    }
    // A chosen file or folder makes the row a file row, and the type box says so.
    m_hktype->setCurrentIndex(0);
    m_icons->addPath(path);
    if (const int selected = selectedPosition())
        m_model->setIconKey(selected, path);
    m_ws->setText(path);
}

void HotkeyEditorPanel::addHotkey()
{
    const QStringList result = m_runWizard(m_form);
    if (result.size() < 3 || result.at(0) == FormWizard::None)
        return;
    if (m_list.count() == 0)
        configCTRL(true);
    m_Hotkey->setFocus();
    const int added = m_model->appendEntry({result.at(2), QString()});
    offerErase(added, result);
    selectPosition(added);
    m_hk->setFocus();
    const QString& kind = result.at(0);
    if (kind == QLatin1String("Special")) {
        for (int type : {1, 0, 2})
            m_hktype->setCurrentIndex(type);
        m_sp->setCurrentIndex(result.at(1).toInt());
    } else if (kind == QLatin1String("URL")) {
        for (int type : {1, 0, 1})
            m_hktype->setCurrentIndex(type);
        m_ws->setText(result.at(1));
    } else if (kind == QLatin1String("File")) {
        for (int type : {1, 0})
            m_hktype->setCurrentIndex(type);
        m_ws->setText(result.at(1));
        typeClicked(0);
        addWizardArguments(result);
    } else if (kind == FormWizard::TextWord) {
        addWizardText(result.at(1));
    }
    updateShadowWarning();
}

void HotkeyEditorPanel::deleteHotkey()
{
    const int selected = selectedPosition();
    if (selected == 0)
        return;
    const int shownRow = m_Hotkey->currentIndex().row();
    m_model->removePosition(selected);
    const int next = shownPositionNear(shownRow);
    configCTRL(next > 0);
    // The shown row after the deleted one takes its place (the one before it at the end of the
    // list), and the fields show it, so typing never edits a row they do not show.
    if (next > 0)
        selectPosition(next);
    else
        clearFields();
    m_Hotkey->setFocus();
}

bool HotkeyEditorPanel::saveSettings()
{
    for (int position = 1; position <= m_list.count(); ++position) {
        const HotkeyEntry entry = m_list.at(position);
        const QString problem = SaveProblem(position, entry);
        if (!problem.isEmpty()) {
            selectPosition(position);
            m_dialogs.warn(m_form, ProgramTitle, problem);
            // Back in the editor, the focus is on the field the warning is about.
            const bool keys = !HasKeyCombination(entry.combination) ||
                              !ValidateCombination(entry.combination).isEmpty();
            const bool arguments = ValidateHotkeyEntry(entry).isEmpty() &&
                                   !SplitExecArguments(entry.arguments).error.isEmpty();
            (keys        ? static_cast<QWidget*>(m_hk)
             : arguments ? m_arguments->edit()
                         : m_ws)
                ->setFocus();
            return false;
        }
    }
    if (!confirmOverwrite())
        return false;
    const QString error = m_database->save(m_list, m_table);
    if (!error.isEmpty()) {
        m_dialogs.warn(m_form, ProgramTitle, error);
        return false;
    }
    m_savedEntries = m_list.entries();
    Q_EMIT saved();
    return true;
}

// The file changed on disk since it was read (by hand, a second editor, a sync client): the
// user chooses which wins. Reload shows the file and keeps the editor open; so does Cancel,
// with the edits kept. True when the save may go on.
bool HotkeyEditorPanel::confirmOverwrite()
{
    if (!m_database->changedOnDisk())
        return true;
    const QString reload = tr("Reload");
    const QString overwrite = tr("Overwrite");
    const QString choice = m_dialogs.choose(
        m_form, ProgramTitle,
        tr("The hotkey file was changed outside Tarvex. Reload it (your unsaved edits are lost) "
           "or overwrite it?"),
        {reload, overwrite, tr("Cancel")});
    if (choice == overwrite)
        return true;
    if (choice == reload) {
        const QString problem = m_database->load(m_list, m_table);
        showRows();
        if (!problem.isEmpty())
            m_dialogs.warn(m_form, ProgramTitle, problem);
    }
    return false;
}

void HotkeyEditorPanel::requestClose()
{
    if (!hasUnsavedChanges()) {
        Q_EMIT cancelled();
        return;
    }
    const Dialogs::Answer answer =
        m_dialogs.ask(m_form, ProgramTitle, tr("Save changes to your hotkeys?"), true);
    if (answer == Dialogs::Answer::Yes)
        saveSettings(); // a refused or failed save keeps the editor open
    else if (answer == Dialogs::Answer::No)
        Q_EMIT cancelled();
}

bool HotkeyEditorPanel::hasUnsavedChanges() const
{
    return m_list.entries() != m_savedEntries;
}

QString HotkeyEditorPanel::shadowWarning() const
{
    return m_shadowLabel->toolTip().isEmpty() ? m_shadowLabel->text() : m_shadowLabel->toolTip();
}

void HotkeyEditorPanel::updateShadowWarning()
{
    const int selected = selectedPosition();
    const int winner = m_shadowing.winnerOver(m_list.entries(), selected);
    QString text;
    QString whole;
    if (winner > 0) {
        const QString hidden = KeyNames::Displayed(m_list.at(selected).combination);
        const HotkeyEntry first = m_list.at(winner);
        const QString firstKeys = KeyNames::Displayed(first.combination);
        const QString message = tr("This hotkey can never run: while %1 is typed, hotkey %2 (%3, "
                                   "action \"%4\") runs first.");
        // Long key texts and paths are shortened in the middle so the warning wraps onto a few
        // lines; its tooltip holds the whole text.
        const QFontMetrics metrics(m_shadowLabel->font());
        const int room = Twips::toPixels(10695) / 3;
        const auto shortened = [&metrics, room](const QString& part) {
            return metrics.elidedText(part, Qt::ElideMiddle, room);
        };
        text = message.arg(shortened(hidden))
                   .arg(winner)
                   .arg(shortened(firstKeys), shortened(first.target));
        whole = message.arg(hidden).arg(winner).arg(firstKeys, first.target);
    }
    m_shadowLabel->setText(text);
    m_shadowLabel->setToolTip(whole == text ? QString() : whole);
    m_shadowLabel->setVisible(!text.isEmpty());
    layOutShadowWarning();
}

void HotkeyEditorPanel::clearFields()
{
    m_hk->setText(KeyCapture::Placeholder());
    m_ws->clear();
    m_arguments->setArguments(QString());
    showAppFilter(0);
    showEraseBox();
    showTypedText();
    updateShadowWarning();
}

} // namespace tarvex
