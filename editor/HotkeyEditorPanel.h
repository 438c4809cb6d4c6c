#pragma once

#include "activation/HotkeyShadowing.h"
#include "store/ActiveHotkeyTable.h"
#include "store/HotkeyDatabase.h"
#include "store/HotkeyList.h"

#include <QObject>
#include <QRect>
#include <QStringList>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTreeView;
class QWidget;

namespace tarvex {

class ArgumentsField;
class AppFilterRow;
class CaptureBox;
class Dialogs;
class HotkeyFilterModel;
class HotkeyListModel;
class HotkeyListView;
class RowIcons;
class velbutton;
class velForms;
struct DesktopApplications;

/// The stored look the editor is drawn in, each code already checked against its list.
struct EditorLook
{
    int buttonStyle = 13; // "Desktop Theme", the editor's own default
    int frameStyle = 3;
    int themeColor = 0;
};

/// The visible part of the hotkey editor "Configure Hotkeys": the list `Hotkey`, the frame
/// "Edit Hotkey" with the fields of the selected row, and the buttons to add, delete, save and
/// cancel. It builds its controls on a skinned frame over `form` and edits the list in place;
/// only "Save Settings" writes the file and refreshes the table the running hotkeys read.
class HotkeyEditorPanel final : public QObject
{
    Q_OBJECT

public:
    /// Runs the add-hotkey wizard over its owner and returns its texts (FormWizard::result).
    using WizardRunner = std::function<QStringList(QWidget* owner)>;

    /// Builds the editor on the top-level `form`, its row icons read from `programFolder`;
    /// `list`, `table` and `dialogs` must outlive it.
    HotkeyEditorPanel(QWidget* form, HotkeyList& list, ActiveHotkeyTable& table, Dialogs& dialogs,
                      const QString& programFolder);
    ~HotkeyEditorPanel() override;

    /// The load: applies `look` and shows the list (already read from `database`, which saves
    /// write to and which must outlive the editor), selecting the first row.
    void load(HotkeyDatabase& database, const EditorLook& look = EditorLook());
    /// Replaces the wizard (tests).
    void setWizardRunner(WizardRunner runner) { m_runWizard = std::move(runner); }
    /// Says whether this desktop can type keys (`available`), and if not, why (`reason`):
    /// "Erase the typed keys" can be ticked only where it can, and "Type text" says why not.
    void setKeyInjection(bool available, const QString& reason);

    /// Sets the enabled state of the edit fields and the delete button (save stays possible).
    void configCTRL(bool CT);
    /// Shows the target field for `s`: 0 the special-action list, 1 a file, 2 a website (a
    /// "Type text" row shows its own field instead).
    void ConfigAction(int s);
    /// Sets the style of the five skinned buttons.
    void ButtonCfg(int s);

    /// " &Add New Hotkey": runs the wizard and appends its hotkey (not saved).
    void addHotkey();
    /// "&Delete Hotkey": removes the selected row (not saved).
    void deleteHotkey();
    /// "Save Settings": refuses rows that cannot be saved or run (no combination, a control
    /// character, a website without a host), naming the first; asks whether to reload or
    /// overwrite a file changed on disk since it was read; then writes the file. True on
    /// success.
    bool saveSettings();
    /// "Cancel", Escape or closing the window: with unsaved changes asks "Save changes to your
    /// hotkeys?" (Yes saves, No drops them, Cancel stays); then emits saved() or cancelled().
    void requestClose();
    /// True when the rows differ from those last loaded or saved.
    bool hasUnsavedChanges() const;
    /// "Export…": writes all hotkeys, or only the selected one if the user says so, to a file
    /// the user names.
    void exportHotkeys();
    /// "Import…": merges a hotkey file the user picks into the list, asking about each hotkey
    /// whose keys a row binds to something else (Cancel leaves the list as it was); nothing is
    /// written before "Save Settings".
    void importHotkeys();
    /// Runs the browse button: a file or a folder becomes the selected row's target.
    void browseClicked();

    /// The 1-based position of the selected row, 0 when none.
    int selectedPosition() const;
    /// Selects the row at 1-based `position` (its fields are shown).
    void selectPosition(int position);
    /// The model of the list.
    HotkeyListModel& model() { return *m_model; }
    /// The warning shown when the selected row can never fire, empty when none.
    QString shadowWarning() const;
    /// Tells the "Applications:" row what the desktop tells about applications.
    void setDesktopApplications(const DesktopApplications& desktop);
    /// Gives the keyboard focus to the first control a user needs: the list, or " &Add New
    /// Hotkey" while the list is empty.
    void focusFirstControl();

Q_SIGNALS:
    /// The list was saved: the editor hides and the main window comes back.
    void saved();
    /// The editor is left without saving ("Cancel", Escape, window closed): unsaved edits are
    /// dropped.
    void cancelled();
    /// F1 in the editor or in its wizard: the help document is to be opened.
    void helpRequested();

private:
    void createControls();
    void createEditFrame();
    void createButtons();
    velbutton* makeButton(QWidget* parent, const char* name, const QString& caption,
                          const QString& tip);
    void connectFields();
    void connectOnOff();
    void layOut();
    void layOutShadowWarning();
    void createFilterBox();
    QRect layOutFilterBox(const QRect& listArea);
    void filterChanged(const QString& text);
    void showFirstShownRow();
    int shownPositionNear(int row) const;
    void createAppFilterRow();
    void layOutAppFilterRow();
    void showAppFilter(int position);
    void appFilterEdited();
    void createEraseBox();
    void layOutEraseBox();
    void showEraseBox();
    void eraseClicked(bool erase);
    void offerErase(int position, const QStringList& wizardResult);
    void createTypedTextField();
    void layOutTypedText();
    void showTypedText();
    void typedTextEdited();

    void rowClicked(int position, bool focusCombination = true);
    void rememberRowTarget(const QString& target);
    void typeClicked(int position);
    void targetChanged(const QString& text);
    void targetEdited(const QString& text);
    void specialChosen(int position);
    void combinationChanged(const QString& text);
    void setTargetFromBrowse(const QString& path);
    void updateShadowWarning();
    void createArgumentsField();
    void layOutArguments();
    int argumentsRoom() const;
    void argumentsEdited(const QString& text);
    void addWizardArguments(const QStringList& result);
    void addWizardText(const QString& text);
    bool confirmOverwrite();
    void showRows();
    void clearFields();
    static int ActionFor(int typePosition);

    QWidget* m_form;
    HotkeyList& m_list;
    ActiveHotkeyTable& m_table;
    Dialogs& m_dialogs;
    HotkeyDatabase* m_database = nullptr;
    std::unique_ptr<RowIcons> m_icons;
    HotkeyListModel* m_model = nullptr;
    HotkeyFilterModel* m_filter = nullptr;
    WizardRunner m_runWizard;
    HotkeyShadowing m_shadowing;

    velForms* m_TForm = nullptr;
    HotkeyListView* m_Hotkey = nullptr;
    QLabel* m_shadowLabel = nullptr;
    QLineEdit* m_filterBox = nullptr;
    QGroupBox* m_editFrame = nullptr;
    QComboBox* m_hktype = nullptr;
    CaptureBox* m_hk = nullptr;
    QLineEdit* m_ws = nullptr;
    QComboBox* m_sp = nullptr;
    ArgumentsField* m_arguments = nullptr;
    velbutton* m_browse = nullptr;
    velbutton* m_cancelButton = nullptr;
    velbutton* m_saveButton = nullptr;
    velbutton* m_deleteButton = nullptr;
    velbutton* m_addButton = nullptr;
    velbutton* m_importButton = nullptr;
    velbutton* m_exportButton = nullptr;
    AppFilterRow* m_apps = nullptr;
    QCheckBox* m_eraseBox = nullptr;
    QPlainTextEdit* m_typedText = nullptr;
    QLabel* m_typedTextNote = nullptr;
    bool m_canInject = false;
    QString m_injectionProblem;

    QList<HotkeyEntry> m_savedEntries;
    QString m_rememberedFile;
    QString m_rememberedWebsite;
    QString m_rememberedSpecial;
    bool m_fieldsEnabled = false;
    // True while the fields are filled from a row: showing a row never changes it.
    bool m_filling = false;
    // True while the filter changes the shown rows: the editor itself then picks the row shown.
    bool m_refiltering = false;
};

} // namespace tarvex
