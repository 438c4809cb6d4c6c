#pragma once

#include "editor/AppFilterRow.h"

#include <QRect>
#include <QWidget>

namespace tarvex {

class ActiveHotkeyTable;
class Dialogs;
class HotkeyDatabase;
class HotkeyEditorPanel;
class HotkeyList;
class SettingsStore;

/// The hotkey editor form "Configure Hotkeys": the rows of the running hotkeys in the editing
/// part, and the answer to the tray icon's double-click while the form is loaded.
class hkCORE final : public QWidget
{
    Q_OBJECT

public:
    /// The form's caption (also the tray icon's first tip).
    static QString Caption();

    /// Builds the form over the rows `list` and the table `table` that saves refresh. The look
    /// is read from `settings`, the row icons from `programFolder`; messages and choosers go
    /// through `dialogs`. All must outlive the form.
    hkCORE(HotkeyList& list, ActiveHotkeyTable& table, SettingsStore& settings, Dialogs& dialogs,
           const QString& programFolder, QWidget* parent = nullptr);
    ~hkCORE() override;

    /// The form's load: shows the rows (already read from `database`, which saves write to)
    /// in the stored look.
    void load(HotkeyDatabase& database);
    /// Sets what the desktop tells about applications, for the editing part's "Applications:"
    /// row (given to it when it is built).
    void setDesktopApplications(DesktopApplications desktop);
    /// Sets the style of the editor's five skinned buttons (the appearance window's Apply).
    void ButtonCfg(int s);
    /// The visible editing part: the list, the "Edit Hotkey" fields and the buttons (built
    /// at the first call or when the form is first shown).
    HotkeyEditorPanel& editing();
    /// Builds the editing part before the form is shown; the first showing places the form
    /// inside the screen's work area, a later one where it was hidden, and each showing gives
    /// the list the keyboard focus.
    void setVisible(bool visible) override;
    /// Room kept between the form and the edges of the screen's work area (pixels).
    static constexpr int ScreenMargin = 24;

    /// The tray icon's left double-click: restores the minimized form, hides a visible one
    /// (minimized first, so the next double-click restores it), and asks a hidden one to be
    /// unloaded.
    void onTrayDoubleClicked();

Q_SIGNALS:
    /// The form asks to be unloaded (tray double-click while hidden).
    void unloadRequested();
    /// The user left the editor without saving ("Cancel", Escape, window closed); it is hidden.
    void editingCancelled();
    /// "Save Settings" wrote the file and hid the form.
    void settingsSaved();
    /// F1 in the form or in its wizard: the help document is to be opened.
    void helpRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createEditing();
    void loadEditing();
    void savePlacement();
    void restorePlacement();
    void placeFirstTime();

    SettingsStore& m_settings;
    HotkeyList& m_list;
    ActiveHotkeyTable& m_table;
    Dialogs& m_dialogs;
    QString m_programFolder;
    HotkeyDatabase* m_database = nullptr;
    HotkeyEditorPanel* m_editing = nullptr;
    DesktopApplications m_desktopApplications;
    bool m_loaded = false;
    bool m_placed = false;
    QPoint m_hiddenAt;
    Qt::WindowStates m_savedState;
    QRect m_savedGeometry;
};

} // namespace tarvex
