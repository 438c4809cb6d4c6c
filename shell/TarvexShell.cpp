#include "shell/TarvexShell.h"

#include "activation/ActionRunner.h"
#include "activation/ChordDetection.h"
#include "activation/GlobalFlags.h"
#include "activation/HiddenWindowSlots.h"
#include "activation/HotkeyDetection.h"
#include "activation/HotkeyHost.h"
#include "activation/SpecialActions.h"
#include "controls/frame/velForms.h"
#include "editor/hkCORE.h"
#include "editor/HotkeyEditorPanel.h"
#include "options/ThemeOptions.h"
#include "platform/DesktopWindows.h"
#include "platform/Dialogs.h"
#include "platform/DocumentsFolder.h"
#include "platform/GlobalShortcuts.h"
#include "platform/KeyInjector.h"
#include "platform/KeyStateSource.h"
#include "platform/LoginEntry.h"
#include "platform/Opener.h"
#include "platform/RemoteControl.h"
#include "platform/SingleInstance.h"
#include "shell/CommandLine.h"
#include "shell/hkPopupMenu.h"
#include "shell/HotkeyRoute.h"
#include "shell/Tarvex.h"
#include "store/AppSettings.h"
#include "store/HotkeyDatabase.h"
#include "ui/AppearanceChoices.h"
#include "ui/ProgramIcon.h"
#include "ui/ProgramTrayIcon.h"
#include "ui/TrayFallbackWindow.h"

#include <QApplication>
#include <QEvent>
#include <QSystemTrayIcon>

#include <utility>

namespace tarvex {

QString TarvexShell::AlreadyRunningMessage(SingleInstance::Presence presence)
{
    switch (presence) {
    case SingleInstance::Presence::TrayIcon:
        return tr("Tarvex is already running, with its hotkeys on. To open Tarvex, click or "
                  "double-click its icon in the notification area.");
    case SingleInstance::Presence::StandInWindow:
        return tr("Tarvex is already running, with its hotkeys on. To open Tarvex, double-click "
                  "the small Tarvex window that stands in for its icon.");
    default:
        return tr("Tarvex is already running.");
    }
}
const QString TarvexShell::HelpFileName = QStringLiteral("tarvex.html");

namespace {
const char* const RunningTip = QT_TRANSLATE_NOOP("tarvex::TarvexShell", "Tarvex is running");
const char* const PausedTip = QT_TRANSLATE_NOOP("tarvex::TarvexShell", "Tarvex (paused)");
const char* const NoKeyboardMessage = QT_TRANSLATE_NOOP(
    "tarvex::TarvexShell",
    "Tarvex cannot watch the keyboard on this desktop (an X11 display with the XInput "
    "extension is needed), so your hotkeys will not work.");
} // namespace

TarvexShell::TarvexShell(ShellServices services, QObject* parent)
    : QObject(parent), m_services(std::move(services)),
      m_appSettings(std::make_unique<AppSettings>(m_services.settings)),
      m_route(std::make_unique<HotkeyRoute>(m_services.keys, m_services.shortcuts,
                                            m_services.startKeySource))
{}

TarvexShell::~TarvexShell()
{
    m_route->disconnect(this);
    m_services.instance.setActivationHandler({});
    // The slots show their windows again when they go, after the windows here are gone.
    if (m_slots)
        m_slots->setChangedCallback({});
    delete m_popupMenu.data();
    // The editor hides as it goes, when it is no editor any more: the event filter must not
    // take it for one.
    delete std::exchange(m_editor, nullptr).data();
    m_host.reset();
    delete m_trayIcon.data();
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

HotkeyHost* TarvexShell::hotkeyHost() const
{
    return m_host.get();
}

ProgramTrayIcon* TarvexShell::trayIcon() const
{
    return m_trayIcon;
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
        // The running instance shows what the user started the program for; only what is not
        // in front of them needs saying.
        const SingleInstance::Presence presence = m_services.instance.activateRunning();
        if (presence != SingleInstance::Presence::WindowRaised)
            showMessage(AlreadyRunningMessage(presence));
        return false;
    }
    createRunObjects();
    loadMainWindow();
    m_services.instance.setActivationHandler([this] { return comeForward(); });
    offerRemoteControl();
    return true;
}

// Scripts reach the run once its windows are there.
void TarvexShell::offerRemoteControl()
{
    if (!m_services.remote)
        return;
    RemoteControl::Handlers handlers;
    handlers.setPaused = [this](bool paused) { setPaused(paused); };
    handlers.reload = [this] { reloadHotkeys(); };
    handlers.showMainWindow = [this] { showMainWindowAsked(); };
    handlers.listHotkeys = [this] { return hotkeyLines(); };
    m_services.remote->start(std::move(handlers));
}

// The window the user works in comes to the front; with the hotkeys in the notification area
// the main window shows beside them, still running.
void TarvexShell::showMainWindowAsked()
{
    if (!m_finished && comeForward() != SingleInstance::Presence::WindowRaised)
        showMainWindow();
}

// The running hotkeys follow the file (unless the editor is open, whose Save asks); before the
// first start there is nothing to follow yet, the start reads the file.
void TarvexShell::reloadHotkeys()
{
    if (m_editor)
        m_host->followFile();
}

QStringList TarvexShell::hotkeyLines() const
{
    HotkeyList list;
    ActiveHotkeyTable table;
    if (!m_editor)
        HotkeyDatabase::InFolder(m_services.documents.documentsFolder()).load(list, table);
    const ActiveHotkeyTable& shown = m_editor ? m_host->table() : table;
    QStringList lines;
    for (int n = 0; n < shown.size(); ++n) {
        if (shown.at(n).hasTarget)
            lines.append(shown.combinationAt(n) + u'\t' + shown.targetAt(n).value_or(QString()));
    }
    return lines;
}

void TarvexShell::setPaused(bool paused)
{
    if (m_host)
        m_host->setPaused(paused);
}

// The tray icon greys and its tip says so, the main window's box and the menu's item are ticked.
void TarvexShell::showPaused()
{
    const bool paused = m_host && m_host->isPaused();
    if (m_trayIcon) {
        m_trayIcon->setPaused(paused);
        if (m_trayIcon->isShown())
            m_trayIcon->setTip(runningTip());
    }
    if (m_mainWindow)
        m_mainWindow->showPaused(paused);
    if (m_popupMenu)
        m_popupMenu->pauseItem()->setChecked(paused);
}

// A later start of the program: the window the user works in comes to the front. Running in
// the notification area, the program stays there (a stand-in window comes to the front).
SingleInstance::Presence TarvexShell::comeForward()
{
    const QList<QWidget*> windows{QApplication::activeModalWidget(), m_editor.data(),
                                  m_options.data(), m_mainWindow.data()};
    for (QWidget* window : windows) {
        if (window && window->isVisible()) {
            bringToFront(window);
            return SingleInstance::Presence::WindowRaised;
        }
    }
    if (m_trayIcon && m_trayIcon->isShown()) {
        if (QWidget* standIn = m_trayIcon->fallbackWindow(); standIn && standIn->isVisible()) {
            bringToFront(standIn);
            return SingleInstance::Presence::StandInWindow;
        }
        return SingleInstance::Presence::TrayIcon;
    }
    if (m_finished)
        return SingleInstance::Presence::NoAnswer;
    showMainWindow();
    return SingleInstance::Presence::WindowRaised;
}

void TarvexShell::bringToFront(QWidget* window)
{
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

// The slots, the actions and the running hotkeys live for the whole run, so a reloaded main
// window finds every window hidden earlier, every hidden-window icon keeps reaching its handler,
// and the hotkeys run on while windows come and go.
void TarvexShell::createRunObjects()
{
    ShellServices& s = m_services;
    m_slots = std::make_unique<HiddenWindowSlots>(s.desktop, s.hiddenIcons,
                                                  HiddenWindowRecord(s.runtimeFolder));
    // Windows that a crashed or killed run left hidden come back.
    m_slots->restoreRecorded();
    m_slots->setChangedCallback([this] { showHiddenWindows(); });
    m_specialActions = std::make_unique<SpecialActions>(s.desktop, s.power, s.dialogs, *m_slots);
    m_actionRunner = std::make_unique<ActionRunner>(*m_appSettings, s.sound, s.opener,
                                                    *m_specialActions, s.programFolder);
    m_actionRunner->setNotifier(s.notifier);
    m_actionRunner->setTyping(
        s.injector, [&desktop = s.desktop] { return quint64(desktop.foregroundWindow()); },
        [this](const QList<int>& presses) {
            if (HotkeyDetection* detection = m_host ? m_host->detection() : nullptr)
                detection->ignoreInjected(presses);
        });
    createHotkeyHost();
}

void TarvexShell::createHotkeyHost()
{
    const auto run = [this](const HotkeyEntry& hotkey) { runAction(hotkey); };
    m_host = std::make_unique<HotkeyHost>(m_services.keys, m_services.shortcuts, run);
    // Asked only when a hotkey limited to applications is about to fire.
    m_host->setForegroundAppQuery([&desktop = m_services.desktop] {
        if (!desktop.canTellApplications())
            return ForegroundApp{};
        return ForegroundApp{true, desktop.applicationNames(desktop.foregroundWindow())};
    });
    m_host->setKeyInjector(m_services.injector);
    m_host->useShortcuts(m_route->way() == HotkeyWay::Shortcuts);
    connect(m_host.get(), &HotkeyHost::problemChanged, this, &TarvexShell::showKeyboardProblem);
    connect(m_host.get(), &HotkeyHost::fileReloaded, this, &TarvexShell::routeHotkeys);
    connect(m_host.get(), &HotkeyHost::pausedChanged, this, &TarvexShell::showPaused);
}

void TarvexShell::HookMainWindow()
{
    if (m_hooked)
        return;
    m_hooked = true;
    connect(m_route.get(), &HotkeyRoute::problemChanged, this, &TarvexShell::showKeyboardProblem);
    connect(m_route.get(), &HotkeyRoute::wayChanged, this, &TarvexShell::followRoute);
    connect(m_route.get(), &HotkeyRoute::shortcutsRefused, this, &TarvexShell::showMessage);
    // Before the editor reads the table, the file says which way the hotkeys will run.
    if (m_route->followsTable())
        m_route->choose(storedTableIsChordsOnly());
    m_route->startKeys();
}

// The main window's load: its own steps (which may already ask for the login entry), then the
// login-entry box as the entry is, the hotkeys off, the run's hook, the keyboard note, and the
// window shown or, for "automatic", the hotkeys started.
Tarvex& TarvexShell::loadMainWindow()
{
    if (m_mainWindow)
        return *m_mainWindow;
    m_mainWindow = new Tarvex(m_services.settings, m_services.dialogs);
    connectMainWindow(m_mainWindow);
    m_mainWindow->load();
    showLoginEntryState();
    SetHK(false);
    HookMainWindow();
    m_mainWindow->setKeyboardNote(keyboardProblem(), m_route->canAskForAccess());
    showPaused();
    if (CommandLine::isAutomaticStart(m_services.arguments))
        startHotkeys(true);
    else if (m_mainWindow)
        m_mainWindow->show();
    return *m_mainWindow;
}

void TarvexShell::connectMainWindow(Tarvex* window)
{
    connect(window, &Tarvex::startRequested, this, [this] { startHotkeys(false); });
    connect(window, &Tarvex::configureRequested, this, &TarvexShell::configureHotkeys);
    connect(window, &Tarvex::appearanceRequested, this, &TarvexShell::customizeAppearance);
    connect(window, &Tarvex::exitRequested, this, &TarvexShell::exitFromMainWindow);
    connect(window, &Tarvex::runAtLoginChosen, this, &TarvexShell::runAtLoginChosen);
    connect(window, &Tarvex::helpRequested, this, &TarvexShell::openHelp);
    connect(window, &Tarvex::hiddenWindowChosen, this, &TarvexShell::showHiddenWindow);
    connect(window, &Tarvex::keyboardAccessRequested, m_route.get(), &HotkeyRoute::askForAccess);
    connect(window, &Tarvex::pauseChosen, this, &TarvexShell::setPaused);
}

// Where no notification area shows the hidden windows' icons, the stand-in window and the main
// window list them.
void TarvexShell::showHiddenWindows()
{
    QList<HiddenWindowList::Entry> entries;
    for (int n = 0; m_slots && n < HiddenWindowSlots::SlotCount; ++n) {
        if (m_slots->slot(n).hidden())
            entries.append({n, m_slots->slot(n).title()});
    }
    if (m_trayIcon)
        m_trayIcon->setHiddenWindows(entries);
    if (m_mainWindow)
        m_mainWindow->setHiddenWindows(
            QSystemTrayIcon::isSystemTrayAvailable() ? QList<HiddenWindowList::Entry>() : entries);
}

void TarvexShell::showHiddenWindow(int slot)
{
    if (m_slots)
        m_slots->Tarvex_Mouse(1, slot, 0, 0);
}

void TarvexShell::openHelp()
{
    m_services.opener.open(m_services.programFolder + u'/' + HelpFileName);
}

void TarvexShell::runAtLoginChosen(bool run)
{
    const QString error =
        m_services.login.SetRunAtLogin(m_services.programName, m_services.executableFolder, run);
    if (!error.isEmpty())
        showMessage(error);
    showLoginEntryState();
}

// The box shows whether the entry exists, whoever made or removed it since.
void TarvexShell::showLoginEntryState()
{
    if (m_mainWindow)
        m_mainWindow->showRunsAtLogin(m_services.login.runsAtLogin(m_services.programName));
}

void TarvexShell::showMessage(const QString& text)
{
    m_services.dialogs.inform(nullptr, ProgramTitle, text);
}

void TarvexShell::showMainWindow()
{
    Tarvex& window = loadMainWindow();
    window.showHotkeysRunning(hotkeysRunning());
    showHiddenWindows(); // a tray may have come or gone since
    window.show();
    window.raise();
    window.activateWindow();
}

hkCORE& TarvexShell::loadEditor()
{
    if (m_editor)
        return *m_editor;
    m_trayIcon = new ProgramTrayIcon();
    hkCORE* editor = new hkCORE(m_host->list(), m_host->table(), m_services.settings,
                                m_services.dialogs, m_services.programFolder);
    m_editor = editor;
    if (const KeyInjector* injector = m_services.injector)
        editor->editing().setKeyInjection(injector->available(), injector->unavailableReason());
    m_host->setEditorVisibleQuery(
        [editor = QPointer<hkCORE>(editor)] { return editor && editor->isVisible(); });
    editor->setDesktopApplications(
        {[&desktop = m_services.desktop] { return desktop.canTellApplications(); },
         [&desktop = m_services.desktop] { return desktop.runningApplications(); }});
    editor->installEventFilter(this);
    connect(m_editor, &hkCORE::unloadRequested, this, &TarvexShell::unloadEditor);
    connect(m_editor, &hkCORE::settingsSaved, this, &TarvexShell::onSettingsSaved);
    connect(m_editor, &hkCORE::editingCancelled, this, &TarvexShell::onEditingCancelled);
    connect(m_editor, &hkCORE::helpRequested, this, &TarvexShell::openHelp);
    connect(m_trayIcon, &ProgramTrayIcon::doubleClicked, m_editor, &hkCORE::onTrayDoubleClicked);
    // The hidden editor shows the rows the running hotkeys follow when it opens next.
    connect(m_host.get(), &HotkeyHost::fileReloaded, m_editor,
            [editor = m_editor.data(), host = m_host.get()] { editor->load(host->database()); });
    connect(m_trayIcon, &ProgramTrayIcon::menuRequested, this, &TarvexShell::popUpTrayMenu);
    connect(m_trayIcon, &ProgramTrayIcon::hiddenWindowChosen, this, &TarvexShell::showHiddenWindow);
    showHiddenWindows();
    showPaused();
    // Each editor starts from the file: the edits an earlier one left unsaved are dropped.
    const QString problem =
        m_host->load(HotkeyDatabase::InFolder(m_services.documents.documentsFolder()));
    m_editor->load(m_host->database());
    if (!problem.isEmpty())
        showMessage(problem);
    return *m_editor;
}

bool TarvexShell::hotkeysRunning() const
{
    return m_host && HotkeysEnabled() && m_host->isPollingEnabled();
}

void TarvexShell::startHotkeys(bool silent)
{
    startHotkeys(silent, !m_appSettings->startupBalloonSuppressed());
}

// Starting hotkeys that already run changes nothing but the main window: one detection, one
// icon, one balloon.
void TarvexShell::startHotkeys(bool silent, bool balloon)
{
    const bool wasRunning = hotkeysRunning() && m_trayIcon && m_trayIcon->isShown();
    loadEditor();
    // The way follows the table; a keyboard that could not be read before may be readable now
    // (access granted since).
    routeHotkeys();
    SetHK(true);
    m_host->setPollingEnabled(true);
    m_host->syncShortcuts();
    if (!wasRunning)
        showProgramIcon(balloon);
    if (m_mainWindow) {
        m_mainWindow->showHotkeysRunning(true);
        if (!silent)
            m_mainWindow->hide();
    }
    // The user asked for the hotkeys: a permission they lack is asked for (the desktop's
    // dialog) rather than explained in a box.
    const QString problem = keyboardProblem();
    const bool asked = !silent && m_route->askForAccessAsStarted();
    if (!asked && m_hooked && (m_route->keysFailed() || !problem.isEmpty()) &&
        !m_keySourceFailureShown) {
        m_keySourceFailureShown = true;
        showMessage(problem.isEmpty() ? tr(NoKeyboardMessage) : problem);
    }
}

// The key source found (or lost) a keyboard it can read, or the desktop answered about its
// shortcuts: the main window and the tray tip say so at once.
void TarvexShell::showKeyboardProblem()
{
    const QString problem = keyboardProblem();
    if (m_mainWindow)
        m_mainWindow->setKeyboardNote(problem, m_route->canAskForAccess());
    if (m_trayIcon && m_trayIcon->isShown())
        m_trayIcon->setTip(runningTip());
}

// Where the desktop watches the keys, its own answer first, then the hotkeys it cannot run.
QString TarvexShell::keyboardProblem() const
{
    const QString problem = m_route->problem();
    return problem.isEmpty() && m_host ? m_host->problem() : problem;
}

// The table decides the way where both are at hand: after a start, a save and a change of the
// file on disk.
void TarvexShell::routeHotkeys()
{
    if (m_host && m_route->followsTable())
        m_route->choose(ChordDetection::IsChordTable(m_host->table()));
    followRoute();
}

// The running hotkeys take the way chosen; the keys start once they are chosen.
void TarvexShell::followRoute()
{
    if (m_host)
        m_host->useShortcuts(m_route->way() == HotkeyWay::Shortcuts);
    if (m_hooked)
        m_route->startKeys();
    showKeyboardProblem();
}

// The hotkey file as stored (an unreadable one counts as empty).
bool TarvexShell::storedTableIsChordsOnly() const
{
    HotkeyList list;
    ActiveHotkeyTable table;
    HotkeyDatabase::InFolder(m_services.documents.documentsFolder()).load(list, table);
    return ChordDetection::IsChordTable(table);
}

// The desktop's shortcuts are released while the editor is visible, so its key box gets them.
bool TarvexShell::eventFilter(QObject* watched, QEvent* event)
{
    const bool shownOrHidden =
        event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent;
    if (shownOrHidden && m_host && watched == m_editor.data())
        m_host->syncShortcuts();
    return QObject::eventFilter(watched, event);
}

// The tip is short: paused, else the problem's first paragraph; the main window holds the rest.
QString TarvexShell::runningTip() const
{
    if (m_host && m_host->isPaused())
        return tr(PausedTip);
    const QString problem = keyboardProblem();
    return problem.isEmpty() ? tr(RunningTip) : problem.section(QStringLiteral("\n\n"), 0, 0);
}

void TarvexShell::showProgramIcon(bool balloon)
{
    m_trayIcon->add(hkCORE::Caption(), balloon);
    m_trayIcon->setTip(runningTip());
    // The icon shows while the hotkeys run: a source that reads through another program
    // passes keys on from now on, until the icon goes.
    m_route->setListening(true);
}

// The hotkeys stop while editing, and the icon that says they run goes with them.
void TarvexShell::configureHotkeys()
{
    hkCORE& editor = loadEditor();
    m_resumeAfterEditing = false;
    SetHK(false);
    m_host->syncShortcuts();
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
        auto* options = new ThemeOptions(m_services.settings, m_services.sound, m_services.dialogs,
                                         m_services.programFolder);
        connect(options, &ThemeOptions::lookApplied, this, &TarvexShell::applyLook);
        connect(options, &ThemeOptions::mainWindowRequested, this,
                &TarvexShell::showMainWindowRepainted);
        connect(options, &ThemeOptions::cancelled, this, &TarvexShell::optionsCancelled);
        connect(options, &ThemeOptions::unloadRequested, this, &TarvexShell::unloadOptions);
        connect(options, &ThemeOptions::helpRequested, this, &TarvexShell::openHelp);
        m_options = options;
    }
    static_cast<ThemeOptions*>(m_options.data())->openFromMainWindow();
    if (m_mainWindow)
        m_mainWindow->hide();
}

// An unloaded main window reads the stored look when it loads.
void TarvexShell::applyLook(int frameStyle, int themeColor, int buttonStyle)
{
    if (!m_mainWindow)
        return;
    m_mainWindow->setThemeColor(themeColor);
    m_mainWindow->cStyle(frameStyle);
    m_mainWindow->ButtonCfg(qint16(buttonStyle));
}

void TarvexShell::showMainWindowRepainted()
{
    showMainWindow();
    if (m_mainWindow) {
        m_mainWindow->ThemeForm()->hide();
        m_mainWindow->ThemeForm()->show();
    }
}

// The appearance window left without OK: the main window comes back in the stored look.
void TarvexShell::optionsCancelled()
{
    if (m_mainWindow) {
        const SettingsStore& store = m_services.settings;
        m_mainWindow->ButtonCfg(qint16(AppearanceChoices::StoredButtonStyle(store)));
        m_mainWindow->cStyle(AppearanceChoices::StoredFrameStyle(store));
    }
    showMainWindowRepainted();
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
    routeHotkeys();
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
    // The hotkeys run on; the next editor reads the file again, without the unsaved edits.
    disposeEditor();
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
        connect(m_popupMenu, &hkPopupMenu::helpChosen, this, &TarvexShell::openHelp);
        connect(m_popupMenu, &hkPopupMenu::exitChosen, this, &TarvexShell::exitFromTray);
        connect(m_popupMenu, &hkPopupMenu::pauseChosen, this, &TarvexShell::setPaused);
        showPaused();
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
    if (!m_editor)
        return;
    m_resumeAfterEditing = false;
    m_host->setPollingEnabled(false);
    disposeEditor();
    if (!ExitRequested() && !m_finished)
        showMainWindow();
}

// The editor and its icon go; the running hotkeys stay with the shell.
void TarvexShell::disposeEditor()
{
    hkCORE* editor = std::exchange(m_editor, nullptr);
    ProgramTrayIcon* icon = std::exchange(m_trayIcon, nullptr);
    editor->hide();
    icon->remove();
    m_route->setListening(false);
    editor->deleteLater();
    icon->deleteLater();
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
    if (m_trayIcon)
        m_trayIcon->remove();
    m_route->setListening(false);
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

void TarvexShell::runAction(const HotkeyEntry& hotkey)
{
    if (m_actionRunner)
        m_actionRunner->RunHotkeyAction(hotkey.target, hotkey.combination, hotkey.arguments,
                                        hotkey.typedText);
}

} // namespace tarvex
