#pragma once

#include <QRect>
#include <QWidget>

#include <functional>

namespace tarvex {

class HotkeyDatabase;
class HotkeyEditorPanel;
class HotkeyHost;
class KeyStateSource;
class SettingsStore;

/// The hotkey editor form "Configure Hotkeys". Loaded hidden, it is also the host of the
/// running hotkeys (list, key polling, the program's tray icon); unloading it stops them.
class hkCORE final : public QWidget
{
    Q_OBJECT

public:
    /// The form's caption (also the tray icon's first tip).
    static const QString Caption;

    /// Builds the form; its hotkeys poll `keys` and run matches through `runAction`. The look
    /// is read from `settings`, the row icons from `programFolder`; both must outlive the form.
    hkCORE(KeyStateSource& keys, SettingsStore& settings, const QString& programFolder,
           std::function<void(const QString& combination, const QString& target)> runAction,
           QWidget* parent = nullptr);
    ~hkCORE() override;

    /// The form's load: reads `database` into the list and the active table. Returns a
    /// message for the user when the file exists but cannot be read, else an empty text.
    QString load(const HotkeyDatabase& database);
    /// Switches the hotkeys on or off (`HotkeysEnabled`).
    void SetHK(bool s);
    /// Sets the style of the editor's five skinned buttons (the appearance window's Apply).
    void ButtonCfg(int s);
    /// Enables or disables the key polling timer `Timer1`.
    void setTimer1Enabled(bool enabled);
    /// The running hotkeys hosted by this form.
    HotkeyHost& host() { return *m_host; }
    /// The visible editing part: the list, the "Edit Hotkey" fields and the buttons (built
    /// at the first call or when the form is first shown).
    HotkeyEditorPanel& editing();
    /// Builds the editing part before the form is shown.
    void setVisible(bool visible) override;

    /// The tray icon's left double-click (restore, stop the hotkeys, or hide the editor).
    void onTrayDoubleClicked();

Q_SIGNALS:
    /// The form asks to be unloaded (tray double-click while hidden).
    void unloadRequested();
    /// The user left the editor without saving ("Cancel", Escape, window closed); it is hidden.
    void editingCancelled();
    /// The tray icon's menu was asked for at the screen position `globalPos`.
    void trayMenuRequested(const QPoint& globalPos);
    /// "Save Settings" wrote the file and hid the form: the main window is to be shown.
    void settingsSaved();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createEditing();
    void loadEditing();
    void savePlacement();
    void restorePlacement();

    SettingsStore& m_settings;
    QString m_programFolder;
    HotkeyHost* m_host = nullptr;
    HotkeyEditorPanel* m_editing = nullptr;
    bool m_loaded = false;
    Qt::WindowStates m_savedState;
    QRect m_savedGeometry;
};

} // namespace tarvex
