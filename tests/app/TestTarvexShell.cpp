// The application's run: command line, hotkeys on and off, tray icon, exits, hidden windows.

#include "activation/HotkeyDetection.h"
#include "activation/HotkeyHost.h"
#include "controls/button/velbutton.h"
#include "editor/FormWizard.h"
#include "editor/hkCORE.h"
#include "editor/HotkeyEditorPanel.h"
#include "options/ThemeOptions.h"
#include "shell/CommandLine.h"
#include "shell/hkPopupMenu.h"
#include "shell/QtMessageFilter.h"
#include "shell/Tarvex.h"
#include "tests/app/ShellFixture.h"
#include "tests/fakes/FakeGlobalShortcuts.h"
#include "ui/ProgramTrayIcon.h"
#include "ui/TrayFallbackWindow.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

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

} // namespace

class TestTarvexShell final : public QObject
{
    Q_OBJECT

private:
    // Adds "http://example.org" on `keys` through the editor's wizard.
    static void addUrlHotkey(hkCORE* editor, const QString& keys)
    {
        editor->editing().setWizardRunner([keys](QWidget*) {
            return QStringList{"URL", "http://example.org", keys};
        });
        editor->editing().addHotkey();
    }

    // Starts a shell whose hotkey "(Win)e" (opening /tmp/e) may run through `desktop`'s
    // shortcuts (and through the keys unless `noKeys`).
    static void startWithShortcuts(ShellFixture& f, FakeGlobalShortcuts& desktop,
                                   const QStringList& arguments, bool noKeys = false)
    {
        ShellServices services = f.services(arguments);
        if (noKeys)
            services.keys = nullptr;
        services.shortcuts = &desktop;
        f.shell = std::make_unique<TarvexShell>(services);
        f.writeHotkeys("(Win)e*/tmp/e");
        QVERIFY(f.shell->start());
    }

    // A start with the login argument and one hotkey: "h" hides the foreground window 7.
    static void startAutomaticWithHideKey(ShellFixture& f)
    {
        f.writeHotkeys("h*-Hide Window-|a*/tmp/a file");
        f.desktop.setForeground(7);
        QVERIFY(f.shell->start());
    }

private Q_SLOTS:
    void initTestCase() { ProgramTrayIcon::setDefaultFallbackDelay(0); }

    void automaticArgument_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("automatic");
        QTest::newRow("lower") << QStringList{"automatic"} << true;
        QTest::newRow("upper") << QStringList{"AUTOMATIC"} << true;
        QTest::newRow("mixed") << QStringList{"AutoMatic"} << true;
        QTest::newRow("none") << QStringList{} << false;
        QTest::newRow("second argument") << QStringList{"automatic", "x"} << false;
        QTest::newRow("trailing space") << QStringList{"automatic "} << false;
        QTest::newRow("dashes") << QStringList{"--automatic"} << false;
        QTest::newRow("other") << QStringList{"auto"} << false;
    }

    void automaticArgument()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, automatic);
        QCOMPARE(CommandLine::isAutomaticStart(arguments), automatic);
        ShellFixture f(arguments);
        QVERIFY(f.shell->start());
        QCOMPARE(f.mainShown(), !automatic);
        QCOMPARE(HotkeysEnabled(), automatic);
        QCOMPARE(f.trayShown(), automatic);
        if (automatic) {
            QVERIFY(!f.shell->editor()->isVisible());
            QCOMPARE(f.shell->trayIcon()->tip(), QStringLiteral("Tarvex is running"));
        }
    }

    void commandLineRequests_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("request");
        QTest::addColumn<QString>("option");
        using R = CommandLine::Request;
        QTest::newRow("none") << QStringList{} << int(R::Run) << QString();
        QTest::newRow("automatic") << QStringList{"automatic"} << int(R::Run) << QString();
        QTest::newRow("plain words") << QStringList{"automatic", "x"} << int(R::Run) << QString();
        QTest::newRow("--help") << QStringList{"--help"} << int(R::Help) << "--help";
        QTest::newRow("-h after a word") << QStringList{"automatic", "-h"} << int(R::Help) << "-h";
        QTest::newRow("--version") << QStringList{"--version"} << int(R::Version) << "--version";
        QTest::newRow("unknown") << QStringList{"--automatic"} << int(R::Unknown) << "--automatic";
        QTest::newRow("lone dash") << QStringList{"-"} << int(R::Unknown) << "-";
        QTest::newRow("first option decides")
            << QStringList{"--verbose", "--help"} << int(R::Unknown) << "--verbose";
        QTest::newRow("help before an unknown")
            << QStringList{"--help", "--verbose"} << int(R::Help) << "--help";
        QTest::newRow("--pause") << QStringList{"--pause"} << int(R::Pause) << "--pause";
        QTest::newRow("--resume") << QStringList{"--resume", "-h"} << int(R::Resume) << "--resume";
        QTest::newRow("--list") << QStringList{"automatic", "--list"} << int(R::List) << "--list";
    }

    void commandLineRequests()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, request);
        QFETCH(QString, option);
        QString found;
        QCOMPARE(int(CommandLine::parse(arguments, &found)), request);
        QCOMPARE(found, option);
    }

    void secondInstanceIsRefused_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message"); // a part of it; none when empty
        QTest::newRow("its window came to the front") << int(Presence::WindowRaised) << "";
        QTest::newRow("in the notification area")
            << int(Presence::TrayIcon) << "its icon in the notification area";
        QTest::newRow("in the stand-in window")
            << int(Presence::StandInWindow) << "small Tarvex window";
        QTest::newRow("no answer") << int(Presence::NoAnswer) << "already running";
    }

    // A second start ends, saying where the first runs unless its window came to the front.
    void secondInstanceIsRefused()
    {
        QFETCH(int, answer);
        QFETCH(QString, message);
        ShellFixture f({"automatic"});
        f.instance.setOtherRunning(true, Presence(answer));
        QVERIFY(!f.shell->start());
        QCOMPARE(f.messages().size(), message.isEmpty() ? 0 : 1);
        QVERIFY(f.messages().join(QString()).contains(message));
        QVERIFY(!f.shell->mainWindow());
        QVERIFY(!f.shell->editor());
        QCOMPARE(f.keySourceStarts, 0);
        QVERIFY(f.login.calls().isEmpty());
    }

    void laterStartComesForward_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("answer");
        QTest::newRow("main window") << QStringList() << "Tarvex" << int(Presence::WindowRaised);
        QTest::newRow("editor") << QStringList() << "editor" << int(Presence::WindowRaised);
        // No tray here: the stand-in window holds the icon's place.
        QTest::newRow("hotkeys in the stand-in window")
            << QStringList{"automatic"} << "stand-in" << int(Presence::StandInWindow);
    }

    void laterStartComesForward()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, shown);
        QFETCH(int, answer);
        ShellFixture f(arguments);
        QVERIFY(f.shell->start());
        if (shown == QLatin1String("editor"))
            f.shell->configureHotkeys();
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QCOMPARE(int(f.instance.laterStart()), answer);
        QWidget* front = f.shell->mainWindow();
        if (shown == QLatin1String("editor"))
            front = f.shell->editor();
        else if (shown == QLatin1String("stand-in"))
            front = f.shell->trayIcon()->fallbackWindow();
        QTRY_COMPARE(QApplication::activeWindow(), front);
    }

    void activationNotificationNamesCombination_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("notifications");
        const QStringList shown{"notify (Ctrl)a | /tmp/a file"};
        QTest::newRow("absent: shown") << QString() << shown;
        QTest::newRow("ticked") << "1" << shown;
        QTest::newRow("unticked") << "0" << QStringList();
    }

    void activationNotificationNamesCombination()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, notifications);
        ShellFixture f({"automatic"});
        if (!stored.isNull())
            f.settings.writeText("Hotkey Activation", "Notification", stored);
        f.writeHotkeys("(Ctrl)a*/tmp/a file");
        QVERIFY(f.shell->start());
        f.keys.tap({17});
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a file"});
        QCOMPARE(f.notifier.calls(), notifications);
    }

    void startupBalloon_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("balloons");
        // The rule itself is tested with the settings; these rows check that the start follows it.
        QTest::newRow("absent") << QString() << 1;
        QTest::newRow("1") << "1" << 0;
    }

    void startupBalloon()
    {
        QFETCH(QString, note);
        QFETCH(int, balloons);
        ShellFixture f({"automatic"});
        if (!note.isNull())
            f.settings.writeText("Startup", "Note", note);
        // Offscreen has no tray: the stand-in window shows the balloon after this wait.
        ProgramTrayIcon::setDefaultFallbackDelay(200);
        QVERIFY(f.shell->start());
        ProgramTrayIcon::setDefaultFallbackDelay(0);
        QSignalSpy spy(f.shell->trayIcon(), &ProgramTrayIcon::balloonShown);
        QTRY_VERIFY(f.shell->trayIcon()->usesFallbackWindow());
        QTRY_COMPARE(spy.count(), balloons);
        if (balloons) {
            QCOMPARE(spy.first().at(0).toString(), QStringLiteral("Tarvex"));
            QCOMPARE(spy.first().at(1).toString(), ProgramTrayIcon::BalloonText());
        }
    }

    void trayDoubleClickHidesAndRestoresVisibleEditor()
    {
        ShellFixture f({"automatic"});
        QVERIFY(f.shell->start());
        f.shell->settingsFromTray();
        hkCORE* editor = f.shell->editor();
        editor->move(40, 50);
        const QRect placed = editor->geometry();
        editor->onTrayDoubleClicked();
        QVERIFY(!editor->isVisible());
        QVERIFY(editor->isMinimized());
        editor->onTrayDoubleClicked();
        QVERIFY(editor->isVisible());
        QVERIFY(!editor->isMinimized());
        QCOMPARE(editor->geometry(), placed);
        QCOMPARE(f.shell->editor(), editor);
    }

    // The hotkeys' icon is there whenever they run; the main window says whether they run.
    void mainWindowSaysWhetherHotkeysRun()
    {
        ShellFixture f;
        QVERIFY(f.shell->start());
        QLabel* state = f.shell->mainWindow()->hotkeyState();
        QCOMPARE(state->text(), Tarvex::HotkeysOffText());
        f.shell->startHotkeys(false);
        QVERIFY(f.trayShown());
        f.shell->editor()->onTrayDoubleClicked();
        QVERIFY(f.mainShown());
        QCOMPARE(state->text(), Tarvex::HotkeysOffText());
    }

    // "Open" after a start by the login entry shows the main window with the hotkeys running.
    void startingRunningHotkeysAgainChangesNothing()
    {
        ShellFixture f({"automatic"});
        f.writeHotkeys("a*/tmp/a file");
        QVERIFY(f.shell->start());
        f.shell->openFromTray();
        QVERIFY(f.mainShown());
        QCOMPARE(f.shell->mainWindow()->hotkeyState()->text(), Tarvex::HotkeysRunningText());
        // The keyboard starts on the first button.
        QCOMPARE(f.shell->mainWindow()->focusWidget(), f.shell->mainWindow()->startButton());
        const HotkeyDetection* detection = f.shell->hotkeyHost()->detection();
        QTest::mouseClick(f.shell->mainWindow()->startButton(), Qt::LeftButton);
        QVERIFY(!f.mainShown());
        QCOMPARE(f.shell->hotkeyHost()->detection(), detection);
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a file"});
        QCOMPARE(f.sound.calls(), QStringList{"play /opt/tarvex/Sounds/Bing.wav"});
    }

    void configureStopsHotkeysAndTheirIcon()
    {
        ShellFixture f({"automatic"});
        f.writeHotkeys("a*/tmp/a file");
        QVERIFY(f.shell->start());
        f.shell->openFromTray();
        QVERIFY(f.trayShown());
        QTest::mouseClick(f.shell->mainWindow()->configureButton(), Qt::LeftButton);
        QVERIFY(!HotkeysEnabled());
        QVERIFY(!f.trayShown());
        QVERIFY(f.shell->editor()->isVisible() && !f.mainShown());
        f.keys.tap({65});
        QVERIFY(f.opener.calls().isEmpty());
        QTest::mouseClick(f.shell->editor()->findChild<velbutton*>("saveButton"), Qt::LeftButton);
        QVERIFY(f.mainShown());
        QCOMPARE(f.shell->mainWindow()->hotkeyState()->text(), Tarvex::HotkeysOffText());
    }

    // However the editor is left from the tray's "Settings", the hotkeys and their icon return.
    void settingsFromTrayReturnsToRunningHotkeys_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("Save Settings") << true;
        QTest::newRow("Cancel") << false;
    }

    void settingsFromTrayReturnsToRunningHotkeys()
    {
        QFETCH(bool, save);
        ShellFixture f({"automatic"});
        f.writeHotkeys("a*/tmp/a file");
        QVERIFY(f.shell->start());
        f.shell->settingsFromTray();
        const HotkeyHost* host = f.shell->hotkeyHost();
        QPointer<hkCORE> editor = f.shell->editor();
        addUrlHotkey(editor, "q");
        f.dialogs.answer(QStringLiteral("No"));
        QTest::mouseClick(editor->findChild<velbutton*>(save ? "saveButton" : "cancelButton"),
                          Qt::LeftButton);
        QVERIFY(f.shell->editor() && !f.shell->editor()->isVisible());
        // Leaving without saving disposes of the editor; the hotkeys it paused run on.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(editor.isNull(), !save);
        QVERIFY(f.shell->hotkeyHost() == host);
        QVERIFY(HotkeysEnabled());
        QVERIFY(f.trayShown());
        QVERIFY(!f.mainShown());
        f.keys.tap({81});
        f.keys.tap({65});
        QStringList opened{"open /tmp/a file"};
        if (save)
            opened.prepend("open http://example.org");
        QCOMPARE(f.opener.calls(), opened);
    }

    // Qt's X11-only tray warning at every start away from X11 is filtered out.
    void trayIconWarnsOfNothing()
    {
        InstallQtMessageFilter();
        QTest::failOnWarning(QRegularExpression(QStringLiteral("systemTrayWindowChanged")));
        ShellFixture f({"automatic"});
        QVERIFY(f.shell->start());
        QVERIFY(f.trayShown());
    }

    void windowsArePlacedBeforeShowing_data()
    {
        QTest::addColumn<bool>("wizard");
        QTest::newRow("appearance window") << false;
        QTest::newRow("hotkey wizard") << true;
    }

    // A window moved while being shown can keep the screen's corner as its place in Qt under
    // an X11 window manager, its lists then opening off: each window is placed before showing.
    void windowsArePlacedBeforeShowing()
    {
        QFETCH(bool, wizard);
        ShellFixture f;
        QVERIFY(f.shell->start());
        PlaceAtShow watch;
        std::unique_ptr<FormWizard> dialog;
        QWidget* window = nullptr;
        if (wizard) {
            f.shell->configureHotkeys();
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

    // "Settings" from the tray while the main window is open shows the editor instead of it.
    void settingsFromTrayReplacesTheMainWindow()
    {
        ShellFixture f({"automatic"});
        QVERIFY(f.shell->start());
        f.shell->openFromTray();
        QVERIFY(f.mainShown());
        f.shell->settingsFromTray();
        QVERIFY(f.shell->editor()->isVisible());
        QVERIFY(!f.mainShown());
    }

    void trayMenuItems()
    {
        ShellFixture f({"automatic"});
        QVERIFY(f.shell->start());
        f.shell->popUpTrayMenu(QPoint(10, 10));
        hkPopupMenu* menu = f.shell->popupMenu();
        QVERIFY(menu && menu->isVisible());
        // The bold default item is what a double-click on the icon does.
        QCOMPARE(menu->defaultAction(), menu->msp());
        QVERIFY(menu->msp()->font().bold());
        QVERIFY(!menu->ms()->font().bold());
        menu->close();
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
        f.writeHotkeys("a*/tmp/a file");
        QVERIFY(f.shell->start());
        Tarvex* firstWindow = f.shell->mainWindow();
        f.shell->startHotkeys(false);
        f.shell->openFromTray();
        QVERIFY(f.mainShown());
        QVERIFY(f.shell->mainWindow() != firstWindow);
        QVERIFY(!f.shell->editor());
        f.keys.tap({65});
        QVERIFY(f.opener.calls().isEmpty());
    }

    void settingsKeepsHotkeysOnButPaused()
    {
        ShellFixture f({"automatic"});
        f.writeHotkeys("a*/tmp/a file");
        QVERIFY(f.shell->start());
        f.shell->settingsFromTray();
        QVERIFY(f.shell->editor()->isVisible());
        QVERIFY(!f.trayShown());
        QVERIFY(HotkeysEnabled());
        f.keys.tap({65});
        QVERIFY(f.opener.calls().isEmpty());
        f.shell->editor()->hide();
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a file"});
    }

    void exitRestoresHiddenWindows_data()
    {
        QTest::addColumn<int>("path");
        QTest::newRow("tray Exit") << 0;
        QTest::newRow("main window Exit") << 1;
        QTest::newRow("termination signal") << 2;
    }

    void exitRestoresHiddenWindows()
    {
        QFETCH(int, path);
        ShellFixture f({"automatic"});
        startAutomaticWithHideKey(f);
        f.keys.tap({72});
        QVERIFY(f.desktop.isHidden(7));
        if (path == 0)
            f.shell->exitFromTray();
        else if (path == 1)
            QTest::mouseClick(f.shell->mainWindow()->exitButton(), Qt::LeftButton);
        else
            f.shell->terminate();
        QVERIFY(f.shell->hasFinished());
        QVERIFY(ExitRequested());
        QVERIFY(!f.shell->editor() && !f.shell->mainWindow() && !f.shell->popupMenu());
        QVERIFY(!f.desktop.isHidden(7));
        QVERIFY(f.hiddenIcons.entries().isEmpty());
    }

    // Without a tray the stand-in and the main window list the hidden window and restore it.
    void hiddenWindowsListedWithoutTray()
    {
        ShellFixture f({"automatic"});
        f.desktop.setTitle(7, QStringLiteral("Notes"));
        startAutomaticWithHideKey(f);
        f.keys.tap({72});
        QTRY_VERIFY(f.shell->trayIcon()->usesFallbackWindow());
        HiddenWindowList* standIn = f.shell->trayIcon()->fallbackWindow()->hiddenWindows();
        QCOMPARE(standIn->entries(), (QList<HiddenWindowList::Entry>{{0, "Notes"}}));
        QVERIFY(standIn->isVisible());
        QTest::keyClick(standIn, Qt::Key_Return);
        QVERIFY(!f.desktop.isHidden(7));
        QVERIFY(standIn->isHidden());
        f.keys.tap({72});
        f.shell->openFromTray();
        HiddenWindowList* listed = f.shell->mainWindow()->hiddenWindows();
        QVERIFY(listed && listed->isVisible());
        QCOMPARE(listed->entries(), (QList<HiddenWindowList::Entry>{{1, "Notes"}}));
        QVERIFY(listed->geometry().bottom() < f.shell->mainWindow()->height());
        QTest::keyClick(listed, Qt::Key_Return);
        QVERIFY(!f.desktop.isHidden(7));
        QVERIFY(listed->isHidden());
    }

    void keyboardProblemIsShownUntilSolved()
    {
        ShellFixture f;
        const QString problem = QStringLiteral("No keyboard can be read.\n\nFix it, then start.");
        f.keys.setProblem(problem);
        QVERIFY(f.shell->start());
        Tarvex* window = f.shell->mainWindow();
        const int plainHeight = Tarvex(f.settings, f.dialogs).height(); // with no note
        QVERIFY(window->KeyboardNote() && window->KeyboardNote()->isVisible());
        QCOMPARE(window->KeyboardNote()->text(), problem);
        QVERIFY(window->height() > plainHeight);
        // Below the start-up options when they are shown, inside the window either way.
        window->toggleAdvancedOptions();
        QVERIFY(window->KeyboardNote()->y() >= window->noNotificationBox()->geometry().bottom());
        QVERIFY(window->KeyboardNote()->geometry().bottom() < window->height());
        window->toggleAdvancedOptions();
        QVERIFY(window->KeyboardNote()->geometry().bottom() < window->height());
        QTest::mouseClick(window->startButton(), Qt::LeftButton);
        QCOMPARE(f.keySourceStarts, 2);
        // The tip is its first paragraph.
        QCOMPARE(f.shell->trayIcon()->tip(), QStringLiteral("No keyboard can be read."));
        QCOMPARE(f.messages(), QStringList{problem});
        f.keys.setProblem(QString());
        QCOMPARE(f.shell->trayIcon()->tip(), QStringLiteral("Tarvex is running"));
        QVERIFY(!window->KeyboardNote()->isVisibleTo(window));
        QCOMPARE(window->height(), plainHeight);
        f.shell->startHotkeys(true);
        QCOMPARE(f.keySourceStarts, 2);
        QCOMPARE(f.messages().size(), 1);
    }

    // Chords through the desktop's shortcuts: bound, released in the editor, rebound, declined.
    void desktopShortcutsRunTheChords()
    {
        FakeGlobalShortcuts desktop; // outlives the shell, as the real services do
        ShellFixture f({"automatic"});
        startWithShortcuts(f, desktop, {"automatic"}, true);
        QCOMPARE(desktop.calls(), QStringList{"bind LOGO+e=LOGO+e (/tmp/e)"});
        desktop.answer(GlobalShortcuts::State::Bound);
        desktop.press("LOGO+e");
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/e"});
        f.shell->settingsFromTray();
        QCOMPARE(desktop.calls().last(), "bind");
        hkCORE* editor = f.shell->editor();
        addUrlHotkey(editor, "(Ctrl)(Alt)q");
        QTest::mouseClick(editor->findChild<velbutton*>("saveButton"), Qt::LeftButton);
        QCOMPARE(desktop.calls().last(), "bind LOGO+e=LOGO+e (/tmp/e), "
                                         "CTRL+ALT+q=CTRL+ALT+q (http://example.org)");
        QVERIFY(f.messages().isEmpty());
        // The file changed on disk while the hotkeys run: the desktop binds what it says now.
        f.writeHotkeys("(F12)*/tmp/f");
        f.shell->hotkeyHost()->followFile();
        QCOMPARE(desktop.calls().last(), "bind F12=F12 (/tmp/f)");
        desktop.answer(GlobalShortcuts::State::Declined);
        QCOMPARE(f.messages(), QStringList{"declined"});
        QCOMPARE(f.shell->trayIcon()->tip(), "declined");
        QCOMPARE(f.shell->mainWindow()->KeyboardNote()->text(), "declined");
    }

    // "auto": chords through the desktop, sequences (saved or on disk) through the keys.
    void autoRunsChordsThroughTheDesktopAndSequencesThroughTheKeys()
    {
        FakeGlobalShortcuts desktop;
        ShellFixture f({"automatic"});
        startWithShortcuts(f, desktop, {"automatic"});
        QCOMPARE(f.keySourceStarts, 0);
        QCOMPARE(desktop.calls(), QStringList{"bind LOGO+e=LOGO+e (/tmp/e)"});
        desktop.answer(GlobalShortcuts::State::Bound);
        f.writeHotkeys("(Win)e*/tmp/e|a*/tmp/a");
        f.shell->hotkeyHost()->followFile();
        QCOMPARE(desktop.calls().last(), "bind");
        QCOMPARE(f.keySourceStarts, 1);
        QVERIFY(f.keys.listening());
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a"});
        f.writeHotkeys("(F12)*/tmp/f");
        f.shell->hotkeyHost()->followFile();
        QCOMPARE(desktop.calls().last(), "bind F12=F12 (/tmp/f)");
        QVERIFY(!f.keys.listening());
        f.shell->settingsFromTray();
        hkCORE* editor = f.shell->editor();
        addUrlHotkey(editor, "q");
        QTest::mouseClick(editor->findChild<velbutton*>("saveButton"), Qt::LeftButton);
        QCOMPARE(desktop.calls().last(), "bind");
        QVERIFY(f.keys.listening());
        f.writeHotkeys("(F12)*/tmp/f");
        f.shell->hotkeyHost()->followFile();
        QCOMPARE(desktop.calls().last(), "bind F12=F12 (/tmp/f)");
        QVERIFY(f.messages().isEmpty());
        desktop.answer(GlobalShortcuts::State::Declined);
        QCOMPARE(f.messages().size(), 1);
        QVERIFY(f.messages().first().contains("watches the keyboard"));
        QVERIFY(f.keys.listening());
        QCOMPARE(desktop.calls().last(), "bind");
        f.writeHotkeys("(F11)*/tmp/f");
        f.shell->hotkeyHost()->followFile();
        QCOMPARE(desktop.calls().last(), "bind");
        QVERIFY(f.keys.listening());
    }

    // Chords where the desktop has no portal: the keys take over and ask for their permission.
    void startAsksForTheKeysWhereTheDesktopHasNoShortcuts()
    {
        FakeGlobalShortcuts desktop;
        ShellFixture f;
        f.keys.setProblem(QStringLiteral("Allow the key reader."));
        f.keys.setAskable(true);
        startWithShortcuts(f, desktop, {});
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
        QVERIFY(f.shell->start());
        Tarvex* window = f.shell->mainWindow();
        QVERIFY(window->KeyboardAccess() && window->KeyboardAccess()->isVisibleTo(window));
        QVERIFY(window->KeyboardAccess()->y() > window->KeyboardNote()->geometry().bottom());
        QVERIFY(window->KeyboardAccess()->geometry().bottom() < window->height());
        QTest::mouseClick(window->KeyboardAccess(), Qt::LeftButton);
        QCOMPARE(f.keys.asks(), 1);
        QVERIFY(!f.keys.listening());
        QTest::mouseClick(window->startButton(), Qt::LeftButton);
        QCOMPARE(f.keys.asks(), 2);
        QCOMPARE(f.messages(), QStringList());
        QVERIFY(f.keys.listening());
        f.keys.setAskable(false);
        QVERIFY(!window->KeyboardAccess()->isVisibleTo(window));
        f.shell->settingsFromTray();
        QVERIFY(!f.keys.listening());
        QTest::mouseClick(f.shell->editor()->findChild<velbutton*>("cancelButton"), Qt::LeftButton);
        QVERIFY(f.keys.listening());
        f.shell->openFromTray();
        QVERIFY(!f.keys.listening());
        f.keys.setAskable(true);
        f.shell->startHotkeys(true);
        QCOMPARE(f.keys.asks(), 2);
        QVERIFY(f.keys.listening());
    }

    // F1 in each window and the tray's "Help" open help; each window opens on its first control.
    void helpFromEveryWindow()
    {
        ShellFixture f;
        QVERIFY(f.shell->start());
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

    // The editor first shows inside the work area, a margin from its edges.
    void editorFirstPlacedInsideWorkArea()
    {
        ShellFixture f;
        QVERIFY(f.shell->start());
        f.shell->configureHotkeys();
        hkCORE* editor = f.shell->editor();
        const QRect area = editor->screen()->availableGeometry();
        const QRect frame = editor->frameGeometry();
        const int margin = hkCORE::ScreenMargin;
        QVERIFY(frame.left() >= area.left() + margin && frame.top() >= area.top() + margin);
        if (frame.width() <= area.width() - 2 * margin)
            QVERIFY(frame.right() <= area.right() - margin);
        if (frame.height() <= area.height() - 2 * margin)
            QVERIFY(frame.bottom() <= area.bottom() - margin);
        // Moved by the user, it stays there when shown again.
        editor->move(frame.topLeft() + QPoint(5, 7));
        editor->hide();
        editor->show();
        QCOMPARE(editor->frameGeometry().topLeft(), frame.topLeft() + QPoint(5, 7));
    }
};

QTEST_MAIN(TestTarvexShell)
#include "TestTarvexShell.moc"
