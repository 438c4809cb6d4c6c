// The application's run: command line, hotkeys on and off, tray icon, exits, hidden windows.

#include "activation/HotkeyDetection.h"
#include "activation/HotkeyHost.h"
#include "editor/FormWizard.h"
#include "options/ThemeOptions.h"
#include "shell/CommandLine.h"
#include "shell/hkPopupMenu.h"
#include "shell/QtMessageFilter.h"
#include "tests/app/ShellFixture.h"
#include "tests/fakes/FakeGlobalShortcuts.h"
#include "ui/TrayFallbackWindow.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>

using namespace tarvex;

namespace {

// Notes where a window stood as it was shown (a filter sees Show before the window does).
class PlaceAtShow final : public QObject
{
public:
    QPoint place;
    bool shown = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* window = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && !shown && window && window->isWindow()) {
            shown = true;
            place = window->pos();
        }
        return false;
    }
};

using Presence = SingleInstance::Presence;
using Entries = QList<HiddenWindowList::Entry>;
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

// The editor first shows inside the work area, a margin from its edges; moved by the user,
// it stays there when shown again.
void CheckEditorPlacement(hkCORE* editor)
{
    const QRect area = editor->screen()->availableGeometry();
    const QRect frame = editor->frameGeometry();
    const int margin = hkCORE::ScreenMargin;
    QVERIFY(frame.left() >= area.left() + margin && frame.top() >= area.top() + margin);
    if (frame.width() <= area.width() - 2 * margin)
        QVERIFY(frame.right() <= area.right() - margin);
    if (frame.height() <= area.height() - 2 * margin)
        QVERIFY(frame.bottom() <= area.bottom() - margin);
    editor->move(frame.topLeft() + QPoint(5, 7));
    editor->hide();
    editor->show();
    QCOMPARE(editor->frameGeometry().topLeft(), frame.topLeft() + QPoint(5, 7));
}

} // namespace

class TestTarvexShell final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ProgramTrayIcon::setDefaultFallbackDelay(0); }

    // Only a lone "automatic", in any case, starts the hotkeys in the tray.
    void automaticArgument()
    {
        const std::pair<QStringList, bool> rows[] = {
            {{"automatic"}, true},       {{"AUTOMATIC"}, true},
            {{"AutoMatic"}, true},       {{}, false},
            {{"automatic", "x"}, false}, {{"automatic "}, false},
            {{"--automatic"}, false},    {{"auto"}, false}};
        for (const auto& [arguments, automatic] : rows) {
            QCOMPARE(CommandLine::isAutomaticStart(arguments), automatic);
            ShellFixture f(arguments);
            QVERIFY(f.start());
            QCOMPARE(std::tuple(f.mainShown(), HotkeysEnabled(), f.trayShown()),
                     std::tuple(!automatic, automatic, automatic));
            if (automatic) {
                QVERIFY(!f.shell->editor()->isVisible());
                QCOMPARE(f.shell->trayIcon()->tip(), QStringLiteral("Tarvex is running"));
            }
        }
    }

    // The request and the option it names; the first option decides.
    void commandLineRequests()
    {
        using R = CommandLine::Request;
        const std::tuple<QStringList, R, const char*> rows[] = {
            {{}, R::Run, ""},
            {{"automatic"}, R::Run, ""},
            {{"automatic", "x"}, R::Run, ""},
            {{"--help"}, R::Help, "--help"},
            {{"automatic", "-h"}, R::Help, "-h"},
            {{"--version"}, R::Version, "--version"},
            {{"--automatic"}, R::Unknown, "--automatic"},
            {{"-"}, R::Unknown, "-"},
            {{"--verbose", "--help"}, R::Unknown, "--verbose"},
            {{"--help", "--verbose"}, R::Help, "--help"},
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
            {Presence::TrayIcon, "its icon in the notification area"},
            {Presence::StandInWindow, "small Tarvex window"},
            {Presence::NoAnswer, "already running"}};
        for (const auto& [answer, message] : rows) {
            ShellFixture f({"automatic"});
            f.instance.setOtherRunning(true, answer);
            QVERIFY(!f.start());
            QCOMPARE(f.messages().size(), *message ? 1 : 0);
            QVERIFY(f.messages().join(QString()).contains(message));
            QVERIFY(!f.shell->mainWindow() && !f.shell->editor());
            QCOMPARE(f.keySourceStarts, 0);
            QVERIFY(f.login.calls().isEmpty());
        }
    }

    // The main window, the editor, or (no tray here) the stand-in window with the hotkeys.
    void laterStartComesForward()
    {
        for (const QByteArray shown : {"main window", "editor", "stand-in"}) {
            const bool standIn = shown == "stand-in";
            ShellFixture f(standIn ? QStringList{"automatic"} : QStringList());
            QVERIFY(f.start());
            if (shown == "editor")
                f.shell->configureHotkeys();
            QWidget other;
            other.show();
            QApplication::setActiveWindow(&other);
            QCOMPARE(f.instance.laterStart(),
                     standIn ? Presence::StandInWindow : Presence::WindowRaised);
            QWidget* front = f.shell->mainWindow();
            if (shown == "editor")
                front = f.shell->editor();
            else if (standIn)
                front = f.shell->trayIcon()->fallbackWindow();
            QTRY_COMPARE(QApplication::activeWindow(), front);
        }
    }

    // The activation notification names the combination unless it is unticked.
    void activationNotificationNamesCombination()
    {
        const QStringList shown{"notify (Ctrl)a | /tmp/a file"};
        const std::pair<QString, QStringList> rows[] = {
            {QString(), shown}, {"1", shown}, {"0", {}}};
        for (const auto& [stored, notifications] : rows) {
            ShellFixture f({"automatic"});
            if (!stored.isNull())
                f.settings.writeText("Hotkey Activation", "Notification", stored);
            QVERIFY(f.start("(Ctrl)a*/tmp/a file"));
            f.keys.tap({17});
            f.keys.tap({65});
            QCOMPARE(std::tuple(f.opener.calls(), f.notifier.calls()),
                     std::tuple(OpenedA, notifications));
        }
    }

    // The start follows the note's rule (tested with the settings): absent shows the balloon.
    void startupBalloon()
    {
        for (const auto& [note, balloons] :
             {std::tuple(QString(), 1), std::tuple(QString("1"), 0)}) {
            ShellFixture f({"automatic"});
            if (!note.isNull())
                f.settings.writeText("Startup", "Note", note);
            // Offscreen has no tray: the stand-in window shows the balloon after this wait.
            ProgramTrayIcon::setDefaultFallbackDelay(200);
            QVERIFY(f.start());
            ProgramTrayIcon::setDefaultFallbackDelay(0);
            QSignalSpy spy(f.shell->trayIcon(), &ProgramTrayIcon::balloonShown);
            QTRY_VERIFY(f.shell->trayIcon()->usesFallbackWindow());
            QTRY_COMPARE(spy.count(), balloons);
            if (balloons)
                QCOMPARE(spy.first(), (QVariantList{"Tarvex", ProgramTrayIcon::BalloonText()}));
        }
    }

    // The hotkeys' icon is there whenever they run; the main window says whether they run.
    void mainWindowSaysWhetherHotkeysRun()
    {
        ShellFixture f;
        QVERIFY(f.start());
        QLabel* state = f.shell->mainWindow()->hotkeyState();
        QCOMPARE(state->text(), Tarvex::HotkeysOffText());
        f.shell->startHotkeys(false);
        QVERIFY(f.trayShown());
        f.shell->editor()->onTrayDoubleClicked();
        QVERIFY(f.mainShown());
        QCOMPARE(state->text(), Tarvex::HotkeysOffText());
    }

    // "Open" after a start by the login entry shows the main window with the hotkeys running,
    // the keyboard on its first button; starting them again changes nothing.
    void startingRunningHotkeysAgainChangesNothing()
    {
        ShellFixture f({"automatic"});
        QVERIFY(f.start("a*/tmp/a file"));
        f.shell->openFromTray();
        Tarvex* window = f.shell->mainWindow();
        QVERIFY(f.mainShown());
        QCOMPARE(window->hotkeyState()->text(), Tarvex::HotkeysRunningText());
        QCOMPARE(window->focusWidget(), window->startButton());
        const HotkeyDetection* detection = f.shell->hotkeyHost()->detection();
        QTest::mouseClick(window->startButton(), Qt::LeftButton);
        QVERIFY(!f.mainShown());
        QCOMPARE(f.shell->hotkeyHost()->detection(), detection);
        f.keys.tap({65});
        QCOMPARE(std::tuple(f.opener.calls(), f.sound.calls()),
                 std::tuple(OpenedA, QStringList{"play /opt/tarvex/Sounds/Bing.wav"}));
        // "Configure" stops the hotkeys and their icon; saving returns to the main window.
        f.shell->openFromTray();
        QVERIFY(f.trayShown());
        QTest::mouseClick(f.shell->mainWindow()->configureButton(), Qt::LeftButton);
        QCOMPARE(std::tuple(HotkeysEnabled(), f.trayShown(), f.shell->editor()->isVisible(),
                            f.mainShown()),
                 std::tuple(false, false, true, false));
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), OpenedA);
        f.clickInEditor("saveButton");
        QVERIFY(f.mainShown());
        QCOMPARE(f.shell->mainWindow()->hotkeyState()->text(), Tarvex::HotkeysOffText());
    }

    // The tray's "Settings" pauses the running hotkeys and hides their icon. However the editor
    // is left (Save, Cancel, hidden), the hotkeys and their icon return; leaving without saving
    // disposes of the editor.
    void settingsFromTrayReturnsToRunningHotkeys()
    {
        for (const QByteArray way : {"saveButton", "cancelButton", "hide"}) {
            ShellFixture f({"automatic"});
            QVERIFY(f.start("a*/tmp/a file"));
            f.shell->settingsFromTray();
            QCOMPARE(std::tuple(f.shell->editor()->isVisible(), f.trayShown(), HotkeysEnabled()),
                     std::tuple(true, false, true));
            f.keys.tap({65});
            QVERIFY(f.opener.calls().isEmpty());
            if (way == "hide") {
                f.shell->editor()->hide();
                f.keys.tap({65});
                QCOMPARE(f.opener.calls(), OpenedA);
                continue;
            }
            const HotkeyHost* host = f.shell->hotkeyHost();
            QPointer<hkCORE> editor = f.shell->editor();
            f.addUrlHotkey("q");
            f.dialogs.answer(QStringLiteral("No"));
            f.clickInEditor(way);
            QVERIFY(f.shell->editor() && !f.shell->editor()->isVisible());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const bool save = way == "saveButton";
            QCOMPARE(editor.isNull(), !save);
            QVERIFY(f.shell->hotkeyHost() == host);
            QCOMPARE(std::tuple(HotkeysEnabled(), f.trayShown(), f.mainShown()),
                     std::tuple(true, true, false));
            f.keys.tap({81});
            f.keys.tap({65});
            QCOMPARE(f.opener.calls(),
                     save ? (QStringList{"open http://example.org", OpenedA[0]}) : OpenedA);
        }
    }

    // Qt's X11-only tray warning at every start away from X11 is filtered out.
    void trayIconWarnsOfNothing()
    {
        InstallQtMessageFilter();
        QTest::failOnWarning(QRegularExpression(QStringLiteral("systemTrayWindowChanged")));
        ShellFixture f({"automatic"});
        QVERIFY(f.start());
        QVERIFY(f.trayShown());
    }

    // A window moved while being shown can keep the screen's corner as its place in Qt under
    // an X11 window manager, its lists then opening off: each window is placed before showing.
    void windowsArePlacedBeforeShowing()
    {
        for (bool wizard : {false, true}) {
            ShellFixture f;
            QVERIFY(f.start());
            PlaceAtShow watch;
            std::unique_ptr<FormWizard> dialog;
            QWidget* window = nullptr;
            if (wizard) {
                f.shell->configureHotkeys();
                CheckEditorPlacement(f.shell->editor());
                dialog = std::make_unique<FormWizard>(f.dialogs, f.shell->editor());
                window = dialog.get();
                window->installEventFilter(&watch);
                window->show();
            } else {
                QApplication::instance()->installEventFilter(&watch);
                f.shell->customizeAppearance();
                window = f.shell->optionsWindow();
                QApplication::instance()->removeEventFilter(&watch);
            }
            QVERIFY(watch.shown && window->isVisible());
            QCoreApplication::processEvents();
            QCOMPARE(window->pos(), watch.place);
            QVERIFY(window->screen()->availableGeometry().contains(window->frameGeometry()));
        }
    }

    // The tray menu's bold default item is what a double-click on the icon does; "Settings"
    // while the main window is open shows the editor instead of it.
    void trayMenuAndSettingsFromTray()
    {
        ShellFixture f({"automatic"});
        QVERIFY(f.start());
        f.shell->popUpTrayMenu(QPoint(10, 10));
        hkPopupMenu* menu = f.shell->popupMenu();
        QVERIFY(menu && menu->isVisible());
        QCOMPARE(menu->defaultAction(), menu->msp());
        QVERIFY(menu->msp()->font().bold() && !menu->ms()->font().bold());
        menu->close();
        f.shell->openFromTray();
        QVERIFY(f.mainShown());
        f.shell->settingsFromTray();
        hkCORE* editor = f.shell->editor();
        QVERIFY(editor->isVisible() && !f.mainShown());
        // A double-click on the icon hides the visible editor and brings it back in place.
        editor->move(40, 50);
        const QRect placed = editor->geometry();
        editor->onTrayDoubleClicked();
        QVERIFY(!editor->isVisible() && editor->isMinimized());
        editor->onTrayDoubleClicked();
        QVERIFY(editor->isVisible() && !editor->isMinimized());
        QCOMPARE(std::tuple(editor->geometry(), f.shell->editor()), std::tuple(placed, editor));
    }

    // Paused from the tray menu (or a script), resumed from the main window's box: while paused no
    // hotkey fires, the icon greys, its tip and every control say so, also after a stop and a new
    // start; resumed, the hotkeys fire.
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
        Tarvex* firstWindow = f.shell->mainWindow();
        f.shell->startHotkeys(false);
        f.shell->openFromTray();
        QVERIFY(f.mainShown() && !f.shell->editor());
        QVERIFY(f.shell->mainWindow() != firstWindow);
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
            if (path == 0)
                f.shell->exitFromTray();
            else if (path == 1)
                QTest::mouseClick(f.shell->mainWindow()->exitButton(), Qt::LeftButton);
            else
                f.shell->terminate();
            QVERIFY(f.shell->hasFinished() && ExitRequested());
            QVERIFY(!f.shell->editor() && !f.shell->mainWindow() && !f.shell->popupMenu());
            QVERIFY(!f.desktop.isHidden(7));
            QVERIFY(f.hiddenIcons.entries().isEmpty());
        }
    }

    // Without a tray the stand-in and the main window list the hidden window and restore it.
    void hiddenWindowsListedWithoutTray()
    {
        ShellFixture f({"automatic"});
        f.desktop.setTitle(7, QStringLiteral("Notes"));
        f.desktop.setForeground(7);
        QVERIFY(f.start("h*-Hide Window-|a*/tmp/a file"));
        f.keys.tap({72});
        QTRY_VERIFY(f.shell->trayIcon()->usesFallbackWindow());
        HiddenWindowList* standIn = f.shell->trayIcon()->fallbackWindow()->hiddenWindows();
        QCOMPARE(standIn->entries(), (Entries{{0, "Notes"}}));
        QVERIFY(standIn->isVisible());
        QTest::keyClick(standIn, Qt::Key_Return);
        QVERIFY(!f.desktop.isHidden(7) && standIn->isHidden());
        f.keys.tap({72});
        f.shell->openFromTray();
        HiddenWindowList* listed = f.shell->mainWindow()->hiddenWindows();
        QVERIFY(listed && listed->isVisible());
        QCOMPARE(listed->entries(), (Entries{{1, "Notes"}}));
        QVERIFY(listed->geometry().bottom() < f.shell->mainWindow()->height());
        QTest::keyClick(listed, Qt::Key_Return);
        QVERIFY(!f.desktop.isHidden(7) && listed->isHidden());
    }

    // Shown in the window (below the start-up options when they are shown, inside either way),
    // as a message at the start and as the tray's tip (its first paragraph) until solved.
    void keyboardProblemIsShownUntilSolved()
    {
        ShellFixture f;
        const QString problem = QStringLiteral("No keyboard can be read.\n\nFix it, then start.");
        f.keys.setProblem(problem);
        QVERIFY(f.start());
        Tarvex* window = f.shell->mainWindow();
        QLabel* note = window->KeyboardNote();
        const int plainHeight = Tarvex(f.settings, f.dialogs).height(); // with no note
        QVERIFY(note && note->isVisible());
        QCOMPARE(note->text(), problem);
        QVERIFY(window->height() > plainHeight);
        window->toggleAdvancedOptions();
        QVERIFY(note->y() >= window->noNotificationBox()->geometry().bottom());
        QVERIFY(note->geometry().bottom() < window->height());
        window->toggleAdvancedOptions();
        QVERIFY(note->geometry().bottom() < window->height());
        QTest::mouseClick(window->startButton(), Qt::LeftButton);
        QCOMPARE(f.keySourceStarts, 2);
        QCOMPARE(std::tuple(f.shell->trayIcon()->tip(), f.messages()),
                 std::tuple(QStringLiteral("No keyboard can be read."), QStringList{problem}));
        f.keys.setProblem(QString());
        QCOMPARE(f.shell->trayIcon()->tip(), QStringLiteral("Tarvex is running"));
        QVERIFY(!note->isVisibleTo(window));
        QCOMPARE(window->height(), plainHeight);
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
        QCOMPARE(f.messages(), QStringList{"declined"});
        QCOMPARE(QStringList(
                     {f.shell->trayIcon()->tip(), f.shell->mainWindow()->KeyboardNote()->text()}),
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
        QVERIFY(!f.keys.listening());
        f.shell->settingsFromTray();
        f.addUrlHotkey("q");
        f.clickInEditor("saveButton");
        QCOMPARE(desktop.calls().last(), "bind");
        QVERIFY(f.keys.listening());
        FollowFile(f, "(F12)*/tmp/f");
        QCOMPARE(desktop.calls().last(), "bind F12=F12 (/tmp/f)");
        QVERIFY(f.messages().isEmpty());
        desktop.answer(GlobalShortcuts::State::Declined);
        QCOMPARE(f.messages().size(), 1);
        QVERIFY(f.messages().first().contains("watches the keyboard"));
        QCOMPARE(std::tuple(f.keys.listening(), desktop.calls().last()), std::tuple(true, "bind"));
        FollowFile(f, "(F11)*/tmp/f");
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
        QCOMPARE(f.keys.asks(), 1);
        QVERIFY(f.messages().isEmpty());
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
        QVERIFY(access->y() > window->KeyboardNote()->geometry().bottom());
        QVERIFY(access->geometry().bottom() < window->height());
        QTest::mouseClick(access, Qt::LeftButton);
        QCOMPARE(std::tuple(f.keys.asks(), f.keys.listening()), std::tuple(1, false));
        QTest::mouseClick(window->startButton(), Qt::LeftButton);
        QCOMPARE(std::tuple(f.keys.asks(), f.messages(), f.keys.listening()),
                 std::tuple(2, QStringList(), true));
        f.keys.setAskable(false);
        QVERIFY(!access->isVisibleTo(window));
        f.shell->settingsFromTray();
        QVERIFY(!f.keys.listening());
        f.clickInEditor("cancelButton");
        QVERIFY(f.keys.listening());
        f.shell->openFromTray();
        QVERIFY(!f.keys.listening());
        f.keys.setAskable(true);
        f.shell->startHotkeys(true);
        QCOMPARE(std::tuple(f.keys.asks(), f.keys.listening()), std::tuple(2, true));
    }

    // F1 in each window and the tray's "Help" open help; each window opens on its first control.
    void helpFromEveryWindow()
    {
        ShellFixture f;
        QVERIFY(f.start());
        const QString help = QStringLiteral("open /opt/tarvex/tarvex.html");
        int opened = 0;
        const auto pressHelp = [&](QWidget* window, QWidget* first) {
            QApplication::setActiveWindow(window);
            QVERIFY(QTest::qWaitForWindowActive(window));
            QCOMPARE(QApplication::focusWidget(), first);
            QTest::keyClick(first, Qt::Key_F1);
            QCOMPARE(f.opener.calls(), QStringList(++opened, help));
        };
        Tarvex* main = f.shell->mainWindow();
        pressHelp(main, main->startButton());
        QVERIFY(f.dialogs.calls().isEmpty()); // no question first
        f.shell->configureHotkeys();
        hkCORE* editor = f.shell->editor();
        pressHelp(editor, editor->findChild<QWidget*>(QStringLiteral("addButton")));
        editor->editing().setWizardRunner([&](QWidget* owner) {
            FormWizard wizard(f.dialogs, owner);
            connect(&wizard, &FormWizard::helpRequested, &editor->editing(),
                    &HotkeyEditorPanel::helpRequested);
            wizard.show();
            pressHelp(&wizard, wizard.findChild<QWidget*>(QStringLiteral("openOption")));
            return wizard.result();
        });
        editor->editing().addHotkey();
        QApplication::setActiveWindow(editor);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!f.shell->editor());
        main = f.shell->mainWindow();
        main->appearanceButton()->click();
        auto* options = qobject_cast<ThemeOptions*>(f.shell->optionsWindow());
        pressHelp(options, options->theme());
        QTest::keyClick(options->theme(), Qt::Key_Return); // OK
        QVERIFY(main->isVisible());
        f.shell->popUpTrayMenu(QPoint(10, 10));
        f.shell->popupMenu()->helpItem()->trigger();
        QTRY_COMPARE(f.opener.calls().size(), opened + 1);
    }
};

QTEST_MAIN(TestTarvexShell)
#include "TestTarvexShell.moc"
