// The application's run: command line, hotkeys on and off, tray icon, exits, hidden windows.

#include "activation/HiddenWindowRecord.h"
#include "activation/HotkeyHost.h"
#include "editor/HotkeyEditorPanel.h"
#include "shell/CommandLine.h"
#include "shell/hkPopupMenu.h"
#include "shell/QtMessageFilter.h"
#include "tests/app/ShellFixture.h"
#include "tests/controls/Golden.h"
#include "tests/core/FiredActions.h"
#include "tests/fakes/FakeGlobalShortcuts.h"
#include "ui/TrayFallbackWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>

using namespace tarvex;

namespace {

using Presence = SingleInstance::Presence;
const QStringList OpenedA{"open /tmp/a file"};

// Starts a shell whose hotkey "(Win)e" (opening /tmp/e) may run through `desktop`'s shortcuts
// (and through the keys unless `noKeys`).
void StartWithShortcuts(ShellFixture& f, FakeGlobalShortcuts& desktop, const QStringList& arguments,
                        bool noKeys = false)
{
    ShellServices services = f.services(arguments);
    if (noKeys)
        services.keys = nullptr;
    services.shortcuts = &desktop;
    f.shell = std::make_unique<TarvexShell>(services);
    QVERIFY(f.start("(Win)e*/tmp/e"));
}

void FollowFile(ShellFixture& f, const QByteArray& hotkeys)
{
    f.writeHotkeys(hotkeys);
    f.shell->hotkeyHost()->followFile();
}

} // namespace

class TestTarvexShell final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ProgramTrayIcon::setDefaultFallbackDelay(0), UseGoldenLook(); }

    // Only a lone "automatic", in any case, starts the hotkeys in the tray.
    void automaticArgument()
    {
        const std::pair<QStringList, bool> rows[] = {
            {{"AutoMatic"}, true}, {{}, false}, {{"automatic", "x"}, false}, {{"auto"}, false}};
        for (const auto& [arguments, automatic] : rows) {
            QCOMPARE(CommandLine::isAutomaticStart(arguments), automatic);
            ShellFixture f(arguments);
            QVERIFY(f.start());
            QCOMPARE(std::tuple(f.mainShown(), HotkeysEnabled(), f.trayShown()),
                     std::tuple(!automatic, automatic, automatic));
        }
    }

    // The request and the option it names; the first option decides.
    void commandLineRequests()
    {
        using R = CommandLine::Request;
        const std::tuple<QStringList, R, const char*> rows[] = {
            {{"automatic", "x"}, R::Run, ""},
            {{"automatic", "-h"}, R::Help, "-h"},
            {{"--version"}, R::Version, "--version"},
            {{"--verbose", "--help"}, R::Unknown, "--verbose"},
            {{"--pause"}, R::Pause, "--pause"},
            {{"--resume", "-h"}, R::Resume, "--resume"},
            {{"automatic", "--list"}, R::List, "--list"}};
        for (const auto& [arguments, request, option] : rows) {
            QString found;
            QCOMPARE(int(CommandLine::parse(arguments, &found)), int(request));
            QCOMPARE(found, QString(option));
        }
    }

    // A second start ends, saying where the first runs unless its window came to the front.
    void secondInstanceIsRefused()
    {
        const std::pair<Presence, const char*> rows[] = {
            {Presence::WindowRaised, ""},
            {Presence::TrayIcon, "its icon in the notification area"}};
        for (const auto& [answer, message] : rows) {
            ShellFixture f({"automatic"});
            f.instance.setOtherRunning(true, answer);
            QVERIFY(!f.start());
            QCOMPARE(f.messages().size(), *message ? 1 : 0);
            QVERIFY(f.messages().join(QString()).contains(message));
            QVERIFY(!f.shell->mainWindow() && !f.shell->editor() && f.keySourceStarts == 0);
        }
    }

    // The main window or (no tray here) the stand-in window with the hotkeys comes forward.
    void laterStartComesForward()
    {
        for (const bool standIn : {false, true}) {
            ShellFixture f(standIn ? QStringList{"automatic"} : QStringList());
            QVERIFY(f.start());
            QWidget other;
            other.show();
            QApplication::setActiveWindow(&other);
            QCOMPARE(f.instance.laterStart(),
                     standIn ? Presence::StandInWindow : Presence::WindowRaised);
            QTRY_COMPARE(QApplication::activeWindow(),
                         standIn ? static_cast<QWidget*>(f.shell->trayIcon()->fallbackWindow())
                                 : f.shell->mainWindow());
        }
    }

    // The activation notification names the combination unless it is unticked.
    void activationNotificationNamesCombination()
    {
        const QStringList shown{"notify (Ctrl)a | /tmp/a file"};
        const std::pair<QString, QStringList> rows[] = {{"1", shown}, {"0", {}}};
        for (const auto& [stored, notifications] : rows) {
            ShellFixture f({"automatic"});
            f.settings.writeText("Hotkey Activation", "Notification", stored);
            QVERIFY(f.start("(Ctrl)a*/tmp/a file"));
            f.keys.tap({17});
            f.keys.tap({65});
            QCOMPARE(std::tuple(f.opener.calls(), f.notifier.calls()),
                     std::tuple(OpenedA, notifications));
        }
    }

    // With no note stored, the start shows the balloon.
    void startupBalloon()
    {
        ShellFixture f({"automatic"});
        // Offscreen has no tray: the stand-in window shows the balloon after this wait.
        ProgramTrayIcon::setDefaultFallbackDelay(200);
        QVERIFY(f.start());
        ProgramTrayIcon::setDefaultFallbackDelay(0);
        QSignalSpy spy(f.shell->trayIcon(), &ProgramTrayIcon::balloonShown);
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy.first(), (QVariantList{"Tarvex", ProgramTrayIcon::BalloonText()}));
    }

    // "Open" after an automatic start shows the running hotkeys, focus on Start; Start hides it.
    void startingRunningHotkeysAgainChangesNothing()
    {
        ShellFixture f({"automatic"});
        QVERIFY(f.start("a*/tmp/a file"));
        f.shell->openFromTray();
        Tarvex* window = f.shell->mainWindow();
        QVERIFY(f.mainShown() && window->focusWidget() == window->startButton());
        QCOMPARE(window->hotkeyState()->text(), Tarvex::HotkeysRunningText());
        QTest::mouseClick(window->startButton(), Qt::LeftButton);
        QVERIFY(!f.mainShown());
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), OpenedA);
        // "Configure" stops the hotkeys and their icon; saving returns to the main window.
        f.shell->openFromTray();
        QTest::mouseClick(f.shell->mainWindow()->configureButton(), Qt::LeftButton);
        QCOMPARE(std::tuple(HotkeysEnabled(), f.trayShown(), f.shell->editor()->isVisible(),
                            f.mainShown()),
                 std::tuple(false, false, true, false));
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), OpenedA);
        f.clickInEditor("saveButton");
        QVERIFY(f.mainShown());
    }

    // The running hotkeys get the application in front from the desktop (none where it cannot
    // tell), and the editor's Applications row says when it cannot.
    void hotkeysAskTheDesktopForTheApplication()
    {
        ShellFixture f({"automatic"});
        QVERIFY(f.start("a*/tmp/a file|a*/tmp/b"));
        LimitToApps(f.shell->hotkeyHost()->table(), {{AppFilter::Mode::OnlyIn, {"xterm"}}});
        f.desktop.setForeground(7);
        f.desktop.setApplication(7, {"xterm", "XTerm"});
        f.keys.tap({65});
        f.desktop.setTellsApplications(false);
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), (QStringList{OpenedA[0], "open /tmp/b"}));
        f.shell->settingsFromTray();
        QVERIFY(f.shell->editor()->findChild<QLabel*>("appsNote")->text().contains("not fire"));
    }

    // The tray's "Settings" pauses the hotkeys and hides their icon; saved or not, they return.
    void settingsFromTrayReturnsToRunningHotkeys()
    {
        for (const char* way : {"saveButton", "cancelButton"}) {
            ShellFixture f({"automatic"});
            QVERIFY(f.start("a*/tmp/a file"));
            f.shell->settingsFromTray();
            QCOMPARE(std::tuple(f.shell->editor()->isVisible(), f.trayShown(), HotkeysEnabled()),
                     std::tuple(true, false, true));
            f.keys.tap({65});
            QVERIFY(f.opener.calls().isEmpty());
            QPointer<hkCORE> editor = f.shell->editor();
            f.addUrlHotkey("q");
            f.dialogs.answer(QStringLiteral("No"));
            f.clickInEditor(way);
            QVERIFY(f.shell->editor() && !f.shell->editor()->isVisible());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const bool save = QByteArray(way) == "saveButton";
            QCOMPARE(std::tuple(editor.isNull(), HotkeysEnabled(), f.trayShown(), f.mainShown()),
                     std::tuple(!save, true, true, false));
            f.keys.tap({81});
            f.keys.tap({65});
            QCOMPARE(f.opener.calls(),
                     save ? (QStringList{"open http://example.org", OpenedA[0]}) : OpenedA);
        }
    }

    // The tray menu's items, the default one bold; "Settings" over the main window shows the editor
    // alone. Qt's X11-only tray warning at every start away from X11 is filtered out.
    void trayMenuAndSettingsFromTray()
    {
        InstallQtMessageFilter();
        QTest::failOnWarning(QRegularExpression(QStringLiteral("systemTrayWindowChanged")));
        ShellFixture f({"automatic"});
        QVERIFY(f.start() && f.trayShown());
        f.shell->popUpTrayMenu(QPoint(10, 10));
        hkPopupMenu* menu = f.shell->popupMenu();
        QVERIFY(menu && menu->isVisible() && menu->defaultAction() == menu->msp());
        QVERIFY(menu->msp()->font().bold() && !menu->ms()->font().bold());
        CheckGolden(Grab(menu), QStringLiteral("tray-menu"));
        menu->close();
        f.shell->openFromTray();
        QVERIFY(f.mainShown());
        menu->ms()->trigger();
        QTRY_VERIFY(f.shell->editor() && f.shell->editor()->isVisible() && !f.mainShown());
    }

    // Paused from the tray menu (or a script), resumed from the main window's box; the pause
    // outlasts a stop and a new start.
    void pauseFromEachPlace()
    {
        ShellFixture f({"automatic"});
        f.writeHotkeys("a*/tmp/a file");
        QVERIFY(f.shell->start());
        f.shell->popUpTrayMenu(QPoint(10, 10));
        hkPopupMenu* menu = f.shell->popupMenu();
        menu->close();
        const auto shown = [&] {
            return QVariantList{menu->pauseItem()->isChecked(),
                                f.shell->mainWindow()->pauseBox()->isChecked(),
                                f.shell->trayIcon()->isPaused(), f.shell->trayIcon()->tip()};
        };
        const QVariantList paused{true, true, true, "Tarvex (paused)"};
        menu->pauseItem()->trigger();
        QTRY_COMPARE(shown(), paused);
        f.shell->openFromTray();
        f.shell->startHotkeys(false);
        QCOMPARE(shown(), paused);
        f.keys.tap({65});
        QVERIFY(f.opener.calls().isEmpty());
        f.shell->mainWindow()->pauseBox()->click();
        QCOMPARE(shown(), (QVariantList{false, false, false, "Tarvex is running"}));
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a file"});
        f.remote.handlers.setPaused(true);
        QCOMPARE(shown(), paused);
    }

    void openAfterManualStartStopsHotkeys()
    {
        ShellFixture f;
        QVERIFY(f.start("a*/tmp/a file"));
        f.shell->startHotkeys(false);
        f.shell->openFromTray();
        QVERIFY(f.mainShown() && !f.shell->editor());
        f.keys.tap({65});
        QVERIFY(f.opener.calls().isEmpty());
    }

    // The tray's Exit, the main window's Exit and a termination signal restore hidden windows.
    void exitRestoresHiddenWindows()
    {
        for (int path : {0, 1, 2}) {
            ShellFixture f({"automatic"});
            f.desktop.setForeground(7);
            QVERIFY(f.start("h*-Hide Window-|a*/tmp/a file"));
            f.keys.tap({72});
            QVERIFY(f.desktop.isHidden(7));
            QSignalSpy finished(f.shell.get(), &TarvexShell::finished);
            path == 0   ? f.shell->exitFromTray()
            : path == 1 ? QTest::mouseClick(f.shell->mainWindow()->exitButton(), Qt::LeftButton)
                        : f.shell->terminate();
            QVERIFY(f.shell->hasFinished() && ExitRequested() && !f.shell->mainWindow() &&
                    !f.shell->editor() && finished.count() == 1);
            QVERIFY(!f.desktop.isHidden(7) && f.hiddenIcons.entries().isEmpty());
        }
    }

    // A window that a killed run left hidden comes back at the next start.
    void windowLeftHiddenComesBack()
    {
        const QTemporaryDir runtime;
        QVERIFY(HiddenWindowRecord(runtime.path()).write({7}).isEmpty());
        ShellFixture f({"automatic"});
        f.desktop.hideWindow(7);
        ShellServices services = f.services({"automatic"});
        services.runtimeFolder = runtime.path();
        f.shell = std::make_unique<TarvexShell>(services);
        QVERIFY(f.start() && !f.desktop.isHidden(7));
    }

    // Without a tray the stand-in window lists the hidden window and restores it.
    void hiddenWindowsListedWithoutTray()
    {
        ShellFixture f({"automatic"});
        f.desktop.setTitle(7, QStringLiteral("Notes"));
        f.desktop.setForeground(7);
        QVERIFY(f.start("h*-Hide Window-|a*/tmp/a file"));
        f.keys.tap({72});
        QTRY_VERIFY(f.shell->trayIcon()->usesFallbackWindow());
        HiddenWindowList* standIn = f.shell->trayIcon()->fallbackWindow()->hiddenWindows();
        QCOMPARE(standIn->entries(), (QList<HiddenWindowList::Entry>{{0, "Notes"}}));
        QTest::keyClick(standIn, Qt::Key_Return);
        QVERIFY(!f.desktop.isHidden(7) && standIn->isHidden());
    }

    // Shown in the window, as a message at the start and as the tray's tip (its first paragraph)
    // until solved.
    void keyboardProblemIsShownUntilSolved()
    {
        ShellFixture f;
        const QString problem = QStringLiteral("No keyboard can be read.\n\nFix it, then start.");
        f.keys.setProblem(problem);
        QVERIFY(f.start());
        Tarvex* window = f.shell->mainWindow();
        QLabel* note = window->KeyboardNote();
        QVERIFY(note && note->isVisible() && note->text() == problem);
        QTest::mouseClick(window->startButton(), Qt::LeftButton);
        QCOMPARE(f.keySourceStarts, 2);
        QCOMPARE(std::tuple(f.shell->trayIcon()->tip(), f.messages()),
                 std::tuple(QStringLiteral("No keyboard can be read."), QStringList{problem}));
        f.keys.setProblem(QString());
        QCOMPARE(f.shell->trayIcon()->tip(), QStringLiteral("Tarvex is running"));
        QVERIFY(!note->isVisibleTo(window));
        f.shell->startHotkeys(true);
        QCOMPARE(std::tuple(f.keySourceStarts, f.messages().size()), std::tuple(2, qsizetype(1)));
    }

    // Chords through the desktop's shortcuts: bound, released in the editor, rebound, declined.
    void desktopShortcutsRunTheChords()
    {
        FakeGlobalShortcuts desktop; // outlives the shell, as the real services do
        ShellFixture f({"automatic"});
        StartWithShortcuts(f, desktop, {"automatic"}, true);
        QCOMPARE(desktop.calls(), QStringList{"bind LOGO+e=LOGO+e (/tmp/e)"});
        desktop.answer(GlobalShortcuts::State::Bound);
        desktop.press("LOGO+e");
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/e"});
        f.shell->settingsFromTray();
        QCOMPARE(desktop.calls().last(), "bind");
        f.addUrlHotkey("(Ctrl)(Alt)q");
        f.clickInEditor("saveButton");
        QCOMPARE(desktop.calls().last(), "bind LOGO+e=LOGO+e (/tmp/e), "
                                         "CTRL+ALT+q=CTRL+ALT+q (http://example.org)");
        QVERIFY(f.messages().isEmpty());
        // The file changed on disk while the hotkeys run: the desktop binds what it says now.
        FollowFile(f, "(F12)*/tmp/f");
        QCOMPARE(desktop.calls().last(), "bind F12=F12 (/tmp/f)");
        desktop.answer(GlobalShortcuts::State::Declined);
        QCOMPARE(QStringList({f.messages().join(""), f.shell->trayIcon()->tip()}),
                 QStringList({"declined", "declined"}));
    }

    // "auto": chords through the desktop, sequences (saved or on disk) through the keys.
    void autoRunsChordsThroughTheDesktopAndSequencesThroughTheKeys()
    {
        FakeGlobalShortcuts desktop;
        ShellFixture f({"automatic"});
        StartWithShortcuts(f, desktop, {"automatic"});
        QCOMPARE(f.keySourceStarts, 0);
        QCOMPARE(desktop.calls(), QStringList{"bind LOGO+e=LOGO+e (/tmp/e)"});
        desktop.answer(GlobalShortcuts::State::Bound);
        FollowFile(f, "(Win)e*/tmp/e|a*/tmp/a");
        QCOMPARE(desktop.calls().last(), "bind");
        QCOMPARE(std::tuple(f.keySourceStarts, f.keys.listening()), std::tuple(1, true));
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a"});
        FollowFile(f, "(F12)*/tmp/f");
        QCOMPARE(desktop.calls().last(), "bind F12=F12 (/tmp/f)");
        QVERIFY(!f.keys.listening() && f.messages().isEmpty());
        desktop.answer(GlobalShortcuts::State::Declined);
        QVERIFY(f.messages().size() == 1 && f.messages().first().contains("watches the keyboard"));
        QCOMPARE(std::tuple(f.keys.listening(), desktop.calls().last()), std::tuple(true, "bind"));
    }

    // Chords where the desktop has no portal: the keys take over and ask for their permission.
    void startAsksForTheKeysWhereTheDesktopHasNoShortcuts()
    {
        FakeGlobalShortcuts desktop;
        ShellFixture f;
        f.keys.setProblem(QStringLiteral("Allow the key reader."));
        f.keys.setAskable(true);
        StartWithShortcuts(f, desktop, {});
        QTest::mouseClick(f.shell->mainWindow()->startButton(), Qt::LeftButton);
        QCOMPARE(f.keys.asks(), 0);
        desktop.answer(GlobalShortcuts::State::Missing);
        QVERIFY(f.keys.asks() == 1 && f.messages().isEmpty());
    }

    // An askable key source: a button and the start ask; keys flow only while the hotkeys run.
    void keyboardPermissionIsAskedForAndKeysFlowOnlyWhileRunning()
    {
        ShellFixture f;
        f.keys.setProblem(QStringLiteral("Allow the key reader."));
        f.keys.setAskable(true);
        QVERIFY(f.start());
        Tarvex* window = f.shell->mainWindow();
        QWidget* access = window->KeyboardAccess();
        QVERIFY(access && access->isVisibleTo(window));
        QTest::mouseClick(access, Qt::LeftButton);
        QCOMPARE(std::tuple(f.keys.asks(), f.keys.listening()), std::tuple(1, false));
        QTest::mouseClick(window->startButton(), Qt::LeftButton);
        QCOMPARE(std::tuple(f.keys.asks(), f.messages(), f.keys.listening()),
                 std::tuple(2, QStringList(), true));
        f.shell->settingsFromTray();
        QVERIFY(!f.keys.listening());
        f.clickInEditor("cancelButton");
        QVERIFY(f.keys.listening());
    }

    // F1 in the main window (on its first control) and in the editor, the tray's "Help": help.
    void helpFromMainWindowAndTray()
    {
        ShellFixture f;
        QVERIFY(f.start());
        Tarvex* main = f.shell->mainWindow();
        QApplication::setActiveWindow(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
        QCOMPARE(QApplication::focusWidget(), main->startButton());
        QTest::keyClick(main->startButton(), Qt::Key_F1);
        f.shell->popUpTrayMenu(QPoint(10, 10));
        f.shell->popupMenu()->helpItem()->trigger();
        f.shell->settingsFromTray();
        Q_EMIT f.shell->editor()->findChild<HotkeyEditorPanel*>()->helpRequested(); // its F1
        QTRY_COMPARE(f.opener.calls(), QStringList(3, "open /opt/tarvex/tarvex.html"));
    }
};

QTEST_MAIN(TestTarvexShell)
#include "TestTarvexShell.moc"
