#include "shell/TarvexShell.h"

#include "activation/ActionRunner.h"
#include "activation/GlobalFlags.h"
#include "activation/HiddenWindowSlots.h"
#include "activation/SpecialActions.h"
#include "editor/hkCORE.h"
#include "editor/HotkeyHost.h"
#include "options/ThemeOptions.h"
#include "platform/DocumentsFolder.h"
#include "platform/KeyStateSource.h"
#include "platform/SingleInstance.h"
#include "shell/hkPopupMenu.h"
#include "shell/ProgramTrayIcon.h"
#include "shell/Tarvex.h"
#include "store/AppSettings.h"
#include "store/HotkeyDatabase.h"

#include <utility>

namespace tarvex {

const QString TarvexShell::AlreadyRunningMessage = QStringLiteral(
    "Tarvex is already running. To open Tarvex, double click on the Tarvex icon in the "
    "notification area.");
const QString TarvexShell::HelpFileName = QStringLiteral("tarvex.html");

namespace {
const QString RunningTip = QStringLiteral("Tarvex is running");
const QString NoKeyboardMessage = QStringLiteral(
    "Tarvex cannot watch the keyboard on this desktop (an X11 display with the XInput "
    "extension is needed), so your hotkeys will not work.");
} // namespace

TarvexShell::TarvexShell(ShellServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services)),
      m_appSettings(std::make_unique<AppSettings>(m_services.settings))
{}

TarvexShell::~TarvexShell()
{
    m_services.keys.setProblemCallback({});
    delete m_popupMenu.data();
    delete m_editor.data();
    delete m_options.data();
    delete m_mainWindow.data();
}

Tarvex* TarvexShell::mainWindow() const
{
    return m_mainWindow;
}

hkCORE* TarvexShell::editor() const
{
    return m_editor;
}

hkPopupMenu* TarvexShell::popupMenu() const
{
    return m_popupMenu;
}

QWidget* TarvexShell::optionsWindow() const
{
    return m_options;
}

bool TarvexShell::start()
{
    if (!m_services.instance.tryClaim()) {
        m_services.showMessage(AlreadyRunningMessage);
        return false;
    }
    createRunObjects();
    loadMainWindow();
    return true;
}

// The slots and the actions live for the whole run, so a reloaded main window finds every
// window hidden earlier and every hidden-window icon keeps reaching its handler.
void TarvexShell::createRunObjects()
{
    ShellServices& s = m_services;
    m_slots = std::make_unique<HiddenWindowSlots>(s.desktop, s.hiddenIcons);
    m_specialActions =
        std::make_unique<SpecialActions>(s.desktop, s.power, s.confirmation, *m_slots);
    m_actionRunner = std::make_unique<ActionRunner>(*m_appSettings, s.sound, s.opener,
                                                    *m_specialActions, s.programFolder);
    m_actionRunner->setNotifier(s.notifier);
}

void TarvexShell::HookMainWindow()
{
    if (m_hooked)
        return;
    m_hooked = true;
    m_services.keys.setProblemCallback([this] { showKeyboardProblem(); });
    m_keySourceStarted = m_services.startKeySource && m_services.startKeySource();
}

Tarvex& TarvexShell::loadMainWindow()
{
    if (!m_mainWindow) {
        m_mainWindow = new Tarvex(*this);
        m_mainWindow->load();
    }
    return *m_mainWindow;
}

void TarvexShell::showMainWindow()
{
    Tarvex& window = loadMainWindow();
    window.showHotkeysRunning(hotkeysRunning());
    window.show();
    window.raise();
    window.activateWindow();
}

hkCORE& TarvexShell::loadEditor()
{
    if (m_editor)
        return *m_editor;
    m_editor = new hkCORE(m_services.keys, m_services.settings, m_services.programFolder,
                          [this](const QString& combination, const QString& target) {
                              runAction(combination, target);
                          });
    connect(m_editor, &hkCORE::unloadRequested, this, &TarvexShell::unloadEditor);
    connect(m_editor, &hkCORE::trayMenuRequested, this, &TarvexShell::popUpTrayMenu);
    connect(m_editor, &hkCORE::settingsSaved, this, &TarvexShell::onSettingsSaved);
    connect(m_editor, &hkCORE::editingCancelled, this, &TarvexShell::onEditingCancelled);
    const QString problem =
        m_editor->load(HotkeyDatabase::InFolder(m_services.documents.documentsFolder()));
    if (!problem.isEmpty())
        m_services.showMessage(problem);
    return *m_editor;
}

bool TarvexShell::hotkeysRunning() const
{
    return m_editor && HotkeysEnabled() && m_editor->host().isPollingEnabled();
}

void TarvexShell::startHotkeys(bool silent)
{
    startHotkeys(silent, !m_appSettings->startupBalloonSuppressed());
}

// Starting hotkeys that already run changes nothing but the main window: one detection, one
// icon, one balloon.
void TarvexShell::startHotkeys(bool silent, bool balloon)
{
    // A keyboard that could not be read before may be readable now (access granted since).
    if (m_hooked && (!m_keySourceStarted || !m_services.keys.problem().isEmpty()))
        m_keySourceStarted = m_services.startKeySource && m_services.startKeySource();
    const bool wasRunning = hotkeysRunning() && m_editor->host().trayIcon().isShown();
    hkCORE& editor = loadEditor();
    editor.SetHK(true);
    editor.setTimer1Enabled(true);
    if (!wasRunning)
        showProgramIcon(balloon);
    if (m_mainWindow) {
        m_mainWindow->showHotkeysRunning(true);
        if (!silent)
            m_mainWindow->hide();
    }
    const QString problem = m_services.keys.problem();
    if (m_hooked && (!m_keySourceStarted || !problem.isEmpty()) && !m_keySourceFailureShown) {
        m_keySourceFailureShown = true;
        m_services.showMessage(problem.isEmpty() ? NoKeyboardMessage : problem);
    }
}

// The key source found (or lost) a keyboard it can read: the main window and the tray tip
// say so at once.
void TarvexShell::showKeyboardProblem()
{
    const QString problem = m_services.keys.problem();
    if (m_mainWindow)
        m_mainWindow->setKeyboardNote(problem);
    if (m_editor && m_editor->host().trayIcon().isShown())
        m_editor->host().trayIcon().setTip(problem.isEmpty() ? RunningTip : problem);
}

void TarvexShell::showProgramIcon(bool balloon)
{
    ProgramTrayIcon& icon = m_editor->host().trayIcon();
    icon.add(hkCORE::Caption, balloon);
    const QString problem = m_services.keys.problem();
    icon.setTip(problem.isEmpty() ? RunningTip : problem);
}

// The hotkeys stop while editing, and the icon that says they run goes with them.
void TarvexShell::configureHotkeys()
{
    hkCORE& editor = loadEditor();
    m_resumeAfterEditing = false;
    editor.SetHK(false);
    removeProgramIcon();
    editor.show();
    if (m_mainWindow) {
        m_mainWindow->showHotkeysRunning(false);
        m_mainWindow->hide();
    }
}

void TarvexShell::customizeAppearance()
{
    if (!m_options) {
        auto* options = new ThemeOptions(*this);
        connect(options, &ThemeOptions::unloadRequested, this, &TarvexShell::unloadOptions);
        m_options = options;
    }
    static_cast<ThemeOptions*>(m_options.data())->openFromMainWindow();
    if (m_mainWindow)
        m_mainWindow->hide();
}

void TarvexShell::exitFromMainWindow()
{
    SetExitRequested(true);
    unloadEditor();
    unloadPopupMenu();
    unloadOptions();
    unloadMainWindow();
    finish();
}

void TarvexShell::openFromTray()
{
    if (m_finished)
        return;
    removeProgramIcon();
    // The main window goes first, so the editor's unload brings back a freshly loaded one
    // (its load tests the command line again) instead of flashing up the old one.
    unloadMainWindow();
    unloadEditor();
    showMainWindow();
}

// The hotkeys pause while the editor is visible and come back with its icon when the user
// leaves the editor, saved or not: a round trip from the notification area and back.
void TarvexShell::settingsFromTray()
{
    if (m_finished)
        return;
    m_resumeAfterEditing = hotkeysRunning();
    if (m_mainWindow)
        m_mainWindow->hide();
    loadEditor().show();
    removeProgramIcon();
}

void TarvexShell::onSettingsSaved()
{
    if (std::exchange(m_resumeAfterEditing, false) && hotkeysRunning())
        showProgramIcon(false);
    else
        showMainWindow();
}

void TarvexShell::onEditingCancelled()
{
    if (!std::exchange(m_resumeAfterEditing, false)) {
        unloadEditor();
        return;
    }
    // Unloading drops the unsaved edits; a fresh host reads the file again.
    hkCORE* editor = m_editor;
    m_editor = nullptr;
    disposeEditor(editor);
    startHotkeys(true, false);
}

void TarvexShell::exitFromTray()
{
    if (m_finished)
        return;
    SetExitRequested(true);
    unloadPopupMenu();
    unloadEditor();
    unloadMainWindow();
    unloadOptions();
    finish();
}

void TarvexShell::terminate()
{
    exitFromTray();
}

void TarvexShell::popUpTrayMenu(const QPoint& globalPos)
{
    if (!m_popupMenu) {
        m_popupMenu = new hkPopupMenu();
        connect(m_popupMenu, &hkPopupMenu::openChosen, this, &TarvexShell::openFromTray);
        connect(m_popupMenu, &hkPopupMenu::settingsChosen, this, &TarvexShell::settingsFromTray);
        connect(m_popupMenu, &hkPopupMenu::exitChosen, this, &TarvexShell::exitFromTray);
    }
    m_popupMenu->popupAt(globalPos);
}

// Windows are deleted later: an unload often starts inside one of the window's own handlers.
void TarvexShell::unloadMainWindow()
{
    if (Tarvex* window = m_mainWindow) {
        m_mainWindow = nullptr;
        window->hide();
        window->deleteLater();
    }
}

void TarvexShell::unloadEditor()
{
    hkCORE* editor = m_editor;
    if (!editor)
        return;
    m_editor = nullptr;
    m_resumeAfterEditing = false;
    disposeEditor(editor);
    if (!ExitRequested() && !m_finished)
        showMainWindow();
}

void TarvexShell::disposeEditor(hkCORE* editor)
{
    editor->hide();
    editor->host().setPollingEnabled(false);
    editor->host().trayIcon().remove();
    editor->deleteLater();
}

void TarvexShell::unloadPopupMenu()
{
    if (hkPopupMenu* menu = m_popupMenu) {
        m_popupMenu = nullptr;
        menu->close();
        menu->deleteLater();
    }
}

void TarvexShell::unloadOptions()
{
    if (QWidget* options = m_options) {
        m_options = nullptr;
        options->hide();
        options->deleteLater();
    }
}

void TarvexShell::removeProgramIcon()
{
    if (m_editor)
        m_editor->host().trayIcon().remove();
}

void TarvexShell::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    // Windows hidden by "-Hide Window-" must not stay hidden once nobody can restore them.
    if (m_slots)
        m_slots->RestoreAll();
    Q_EMIT finished();
}

void TarvexShell::runAction(const QString& combination, const QString& target)
{
    if (m_actionRunner)
        m_actionRunner->RunHotkeyAction(target, combination);
}

} // namespace tarvex
