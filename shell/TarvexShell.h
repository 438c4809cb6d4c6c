#pragma once

#include "platform/SingleInstance.h"
#include "shell/ShellServices.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QWidget;

namespace tarvex {

class ActionRunner;
struct HotkeyEntry;
class AppSettings;
class HiddenWindowSlots;
class HotkeyHost;
class HotkeyRoute;
class ProgramTrayIcon;
class SpecialActions;
class Tarvex;
class hkCORE;
class hkPopupMenu;

/// The program's run: its windows (main window `Tarvex`, the editor `hkCORE`, the tray menu,
/// the appearance window), the running hotkeys with the program's tray icon, and what lives as
/// long as the process: the 11 hidden-window slots, the keyboard hook and the actions. The
/// windows say what the user asked for through their signals; loading and unloading windows,
/// starting and stopping the hotkeys and the exit order are decided here.
///
/// The running hotkeys live as long as the run; their icon is loaded with the editor, which edits
/// their rows: unloading the editor stops the hotkeys, and every editor starts from the file.
class TarvexShell final : public QObject
{
    Q_OBJECT

public:
    /// The message shown by a second start before it ends, naming where the running instance
    /// is (`presence`, its answer); none is shown when its window came to the front.
    static QString AlreadyRunningMessage(SingleInstance::Presence presence);
    /// The help file in the program's folder.
    static const QString HelpFileName;

    /// Uses `services` (which must outlive the shell); nothing runs before start().
    explicit TarvexShell(ShellServices services, QObject* parent = nullptr);
    ~TarvexShell() override;

    /// The entry: refuses a second instance (false), which asks the running one to come
    /// forward and says where it is; otherwise loads the main window, which shows itself or
    /// starts the hotkeys silently.
    bool start();

    /// The services this run uses.
    const ShellServices& services() const { return m_services; }
    /// The settings readers and writers.
    AppSettings& appSettings() { return *m_appSettings; }
    /// The main window, or nullptr while it is unloaded.
    Tarvex* mainWindow() const;
    /// The editor, or nullptr while it is unloaded.
    hkCORE* editor() const;
    /// The running hotkeys (created at start, they outlive every window), or nullptr before.
    HotkeyHost* hotkeyHost() const;
    /// The program's tray icon (loaded with the editor), or nullptr while it is unloaded.
    ProgramTrayIcon* trayIcon() const;
    /// The tray menu, or nullptr while it is unloaded.
    hkPopupMenu* popupMenu() const;
    /// The appearance window, or nullptr while it is unloaded.
    QWidget* optionsWindow() const;
    /// The hidden-window slots of the run.
    HiddenWindowSlots& hiddenWindowSlots() { return *m_slots; }
    /// True once the program has ended its windows and asked the event loop to quit.
    bool hasFinished() const { return m_finished; }

    /// Installs the run's one keyboard hook (with the reserved hotkey); later calls do nothing.
    void HookMainWindow();
    /// Loads the main window if needed (running its load) and returns it.
    Tarvex& loadMainWindow();
    /// Loads the main window if needed and makes it visible.
    void showMainWindow();
    /// Loads the editor hidden if needed (reading the hotkey file) and returns it.
    hkCORE& loadEditor();

    /// Starts the hotkeys; `silent` keeps the main window as it is.
    void startHotkeys(bool silent);
    /// True while the hotkeys run (switched on and polling); the program's icon is then shown,
    /// except while the editor opened from the tray pauses them.
    bool hotkeysRunning() const;
    /// " Configure Hotkeys": hotkeys off, editor visible, main window hidden.
    void configureHotkeys();
    /// " Customize Appearance": the appearance window visible, main window hidden.
    void customizeAppearance();
    /// "  Exit Tarvex" on the main window.
    void exitFromMainWindow();
    /// The tray menu's "Open".
    void openFromTray();
    /// The tray menu's "Settings": the editor over the paused hotkeys, which resume (with the
    /// icon) when the editor is left.
    void settingsFromTray();
    /// The tray menu's "Exit".
    void exitFromTray();
    /// A termination signal: ends like the tray menu's "Exit".
    void terminate();
    /// Opens the help document (F1 in any window, the help question, the tray menu's "Help").
    void openHelp();
    /// Pops up the tray menu at `globalPos`.
    void popUpTrayMenu(const QPoint& globalPos);
    /// Pauses (true) or resumes the hotkeys for the rest of the run or until resumed ("Pause
    /// Hotkeys" in the tray menu and the main window, scripts); a new run starts unpaused.
    void setPaused(bool paused);
    /// The hotkeys of the file as "combination<TAB>target", in the order of the file.
    QStringList hotkeyLines() const;

Q_SIGNALS:
    /// The last window is gone: the program ends.
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SingleInstance::Presence comeForward();
    static void bringToFront(QWidget* window);
    void createRunObjects();
    void createHotkeyHost();
    void connectMainWindow(Tarvex* window);
    void showMessage(const QString& text);
    void runAtLoginChosen(bool run);
    void applyLook(int frameStyle, int themeColor, int buttonStyle);
    void showMainWindowRepainted();
    void optionsCancelled();
    void startHotkeys(bool silent, bool balloon);
    void showProgramIcon(bool balloon);
    void onSettingsSaved();
    void onEditingCancelled();
    void unloadMainWindow();
    void unloadEditor();
    void disposeEditor();
    void unloadPopupMenu();
    void unloadOptions();
    void removeProgramIcon();
    void showKeyboardProblem();
    QString keyboardProblem() const;
    QString runningTip() const;
    void routeHotkeys();
    void followRoute();
    bool storedTableIsChordsOnly() const;
    void showLoginEntryState();
    void finish();
    void runAction(const HotkeyEntry& hotkey);
    void showHiddenWindows();
    void showHiddenWindow(int slot);
    void showPaused();
    void offerRemoteControl();
    void showMainWindowAsked();
    void reloadHotkeys();

    ShellServices m_services;
    std::unique_ptr<AppSettings> m_appSettings;
    std::unique_ptr<HotkeyRoute> m_route;
    std::unique_ptr<HiddenWindowSlots> m_slots;
    std::unique_ptr<SpecialActions> m_specialActions;
    std::unique_ptr<ActionRunner> m_actionRunner;
    QPointer<Tarvex> m_mainWindow;
    QPointer<hkCORE> m_editor;
    std::unique_ptr<HotkeyHost> m_host;
    QPointer<ProgramTrayIcon> m_trayIcon;
    QPointer<hkPopupMenu> m_popupMenu;
    QPointer<QWidget> m_options;
    bool m_resumeAfterEditing = false;
    bool m_hooked = false;
    bool m_keySourceFailureShown = false;
    bool m_finished = false;
};

} // namespace tarvex
