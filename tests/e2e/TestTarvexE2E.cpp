#include "AppDriver.h"
#include "E2EHarness.h"
#include "StatusNotifierHost.h"
#include "tests/fakes/PrivateBus.h"

#include <QImage>
#include <QSettings>
#include <QtTest>
#include <QUrl>

#include <csignal>

// Twips: the top of the editor's "Edit Hotkey" frame, raised by the room of a program's
// arguments and a one-line command under its fields.
constexpr int EditFrameTop = 6800 - 840;

// The whole program, build/tarvex, on a private X session with a window manager (openbox)
// and an XEmbed tray (trayer): what a user sees and does in its tray and its windows (the main
// window, the editor and its wizard, the appearance options), observed with the X tools.
class TestTarvexE2E final : public AppTestCase
{
    Q_OBJECT

private slots:
    void automaticStartShowsOnlyTrayIcon()
    {
        m_app->start({"AUTOMATIC"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        QCOMPARE(m_app->managedWindows(), QStringList());
        // A first start on a clean settings store also writes the login entry.
        QFile entry(m_harness->home() + "/.config/autostart/tarvex.desktop");
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(entry.readAll()).contains(" automatic"));
    }

    void secondStartIsRefused_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("hotkeys in the notification area: a box says so") << true;
        QTest::newRow("main window open: it comes to the front, no box") << false;
    }

    void secondStartIsRefused()
    {
        QFETCH(bool, automatic);
        QProcess& first = m_app->start(automatic ? QStringList{"automatic"} : QStringList{});
        QString main;
        if (automatic) {
            QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        } else {
            QVERIFY(!(main = AppDriver::waitForWindow("Tarvex")).isEmpty());
            QVERIFY(!m_app->openVictim("Victim in front").isEmpty());
        }
        std::unique_ptr<QProcess> second = m_app->startAnother({});
        if (automatic) {
            const QString box =
                E2EHarness::findWindow({"--pid", QString::number(second->processId())});
            QVERIFY(!box.isEmpty());
            QCOMPARE(E2EHarness::xdotool({"getwindowname", box}).trimmed(), QString("Tarvex"));
            E2EHarness::xdotool({"windowactivate", "--sync", box});
            press("Return");
        }
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        if (automatic)
            QCOMPARE(m_app->managedWindows(), QStringList());
        else
            QTRY_COMPARE_WITH_TIMEOUT(E2EHarness::xdotool({"getactivewindow"}).trimmed(), main,
                                      5000);
    }

    // A confirmation box of the program is open (it waits for the user, who does not answer it):
    // the other hotkeys still fire. The box is never answered here: its Yes would restart the
    // machine where the system allows it.
    void hotkeysFireWhileAQuestionIsOpen()
    {
        const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
        QVERIFY(
            m_harness->writeHotkeys({"(Ctrl)(Alt)r*-Instant Restart-", "(Ctrl)(Alt)t*" + target}));
        m_app->start({"automatic"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        press("ctrl+alt+r");
        QVERIFY(!m_app->waitForNewWindow("Restart Computer").isEmpty());
        press("ctrl+alt+t");
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"fired"}, 5000);
        // Still waiting for its answer. One search of the window tree can miss it while another
        // client's window vanishes during the search: it is asked again before failing.
        QTRY_VERIFY_WITH_TIMEOUT(!AppDriver::windowGone("Restart Computer"), 3000);
    }

    // In the language of the user's environment: Spanish when LANGUAGE asks for it (even under
    // a C locale), English for a language it has no translation for. The editor's title tells.
    void languageFromEnvironment_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("editorTitle");
        QTest::newRow("Spanish") << "es"
                                 << "C.UTF-8"
                                 << "Configurar atajos";
        QTest::newRow("unknown") << "xx"
                                 << "xx_XX.UTF-8"
                                 << "Configure Hotkeys";
    }

    void languageFromEnvironment()
    {
        QFETCH(QString, language);
        QFETCH(QString, lang);
        QFETCH(QString, editorTitle);
        m_app->setEnvironment("LANGUAGE", language);
        m_app->setEnvironment("LANG", lang);
        m_app->setEnvironment("LC_ALL", QString());
        m_app->setEnvironment("LC_MESSAGES", QString());
        m_app->start({});
        const QString main = AppDriver::waitForWindow("Tarvex");
        QVERIFY(!main.isEmpty());
        AppDriver::clickIn(main, AppDriver::designed(360, 2090, 4215, 585)); // " Configure Hotkeys"
        QVERIFY2(!AppDriver::waitForWindow(editorTitle).isEmpty(), qPrintable(editorTitle));
    }

    // The hotkey editor and the add-hotkey wizard: a user opens the editor from the main window,
    // adds a hotkey through the wizard with real key presses in its capture box (leaving the
    // "..." question with Escape), saves, starts the hotkeys and presses the combination.
    void addedHotkeyRunsItsTarget()
    {
        const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
        m_app->start({});
        const QString editor = openEditor();
        QVERIFY(!editor.isEmpty());
        AppDriver::clickIn(editor, AppDriver::designed(240, 7800, 2295, 495)); // " &Add New Hotkey"
        const QString wizard = AppDriver::waitForWindow("Hotkey Wizard");
        QVERIFY(!wizard.isEmpty());
        // Panels stand 8 px in from the sides and above the foot, below the title bar; the first
        // option of a step is its second row of 28 px, the step's button at the right.
        const int panelTop = AppDriver::geometryOf(wizard).height() - 8 - 190;
        AppDriver::clickIn(wizard, {60, panelTop + 28 + 14}); // "Open a file, program or folder"
        AppDriver::clickIn(wizard, {60, panelTop + 28 + 14}); // "A file (...)"
        AppDriver::clickIn(wizard, {8 + 600 - 65, panelTop + 28 + 15}); // "Choose File"
        const QString dialog = AppDriver::waitForWindow("Select a file/program to open");
        QVERIFY(!dialog.isEmpty());
        E2EHarness::xdotool({"type", "--delay", "20", target});
        E2EHarness::xdotool({"key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Select a file/program to open"), 5000);
        AppDriver::settled(wizard); // the capture box has the keys again
        // The capture box has the focus: real key presses, modifiers included, in press order;
        // F4, keypad 1 (KP_End with Num Lock off), Tab and an arrow are keys like the others.
        const QStringList keys{"ctrl+alt+t", "F4", "KP_End", "Tab", "Left"};
        E2EHarness::xdotool(QStringList{"key", "--delay", "80"} + keys);
        AppDriver::clickIn(wizard, {8 + 600 - 65, panelTop + 150 + 15}); // "Done"
        QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Hotkey Wizard"), 5000);
        AppDriver::settled(editor);
        // Escape on the file-or-folder question of "..." chooses neither.
        AppDriver::clickIn(editor, AppDriver::designed(150 + 10080, EditFrameTop + 350, 495, 375));
        QVERIFY(!AppDriver::waitForWindow("Add File or Folder").isEmpty());
        E2EHarness::xdotool({"key", "Escape"});
        QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Add File or Folder"), 5000);
        AppDriver::settled(editor); // no folder question came instead
        QVERIFY(AppDriver::windowGone("Please Select A Folder"));
        AppDriver::clickIn(editor, AppDriver::designed(5040, 7800, 2295, 495)); // "Save Settings"
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(E2EHarness::readFile(m_harness->hotkeyFile())),
                                  "(Ctrl)(Alt)t(F4)(Num1)(Tab)(Left)*" + target + "\r\n", 5000);
        const QString shown = AppDriver::waitForWindow("Tarvex");
        QVERIFY(!shown.isEmpty());
        AppDriver::clickIn(shown, AppDriver::designed(360, 1380, 4215, 615)); // " Start Tarvex"
        QVERIFY(!m_app->waitForProgramIcon().isEmpty()); // the hotkeys run in the tray
        QCOMPARE(m_harness->logLines(), QStringList());
        E2EHarness::xdotool(QStringList{"key", "--delay", "80"} + keys);
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"fired"}, 5000);
    }

    // A hotkey switched off in the editor (Space on its row) and saved does not fire; back from
    // the tray, switched on again and saved, it fires.
    void hotkeySwitchedOffDoesNotFire()
    {
        const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)t*" + target}));
        const auto switchedOff = [this] {
            return E2EHarness::readFile(m_harness->hotkeyFile()).contains("\toff\r\n");
        };
        m_app->start({});
        for (const bool on : {false, true}) {
            const QString editor = openEditor();
            QVERIFY(!editor.isEmpty());
            press("space"); // the list has the focus, its first row current
            AppDriver::clickIn(editor, AppDriver::designed(5040, 7800, 2295, 495)); // Save
            QTRY_COMPARE_WITH_TIMEOUT(switchedOff(), !on, 5000);
            const QString shown = AppDriver::waitForWindow("Tarvex");
            QVERIFY(!shown.isEmpty());
            AppDriver::clickIn(shown, AppDriver::designed(360, 1380, 4215, 615)); // " Start Tarvex"
            const QString icon = m_app->waitForProgramIcon();
            QVERIFY(!icon.isEmpty());
            press("ctrl+alt+t");
            if (on) {
                QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"fired"}, 5000);
            } else {
                QVERIFY(!QTest::qWaitFor([&] { return !m_harness->logLines().isEmpty(); }, 1000));
                AppDriver::doubleClick(AppDriver::centreOf(icon)); // the main window comes back
                QTRY_COMPARE_WITH_TIMEOUT(m_app->managedWindows(), QStringList{"Tarvex"}, 5000);
            }
        }
    }

    // "gofb" typed into a terminal whose cat writes a file fires its hotkey, which erases the
    // four letters before its target runs: the line then typed ends up alone in the file.
    void typedSequenceIsErased()
    {
        const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
        QVERIFY(m_harness->writeHotkeys({"gofb*" + target}, {"erase"}));
        m_app->start({"automatic"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        const QString typed = m_harness->home() + "/typed.txt";
        QProcess terminal;
        QVERIFY(!typingTerminal(terminal, typed).isEmpty());
        E2EHarness::xdotool({"key", "g", "o", "f", "b"});
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"fired"}, 5000);
        E2EHarness::xdotool({"key", "x", "Return", "ctrl+d"});
        QVERIFY(terminal.waitForFinished(10000));
        QCOMPARE(E2EHarness::readFile(typed), QByteArray("x\n"));
    }

    // A "Type text" hotkey (a sequence erased before it types) types its text, each character
    // as itself, line break and all, into a terminal whose cat writes a file; neither a Shift
    // held while the hotkey fires nor Caps Lock changes any of it.
    void typeTextHotkeyTypesItsText()
    {
        const QString text = QString::fromUtf8("Gr\u00fc\u00dfe, \u20ac5 \u2014 ok\nline 2\n");
        QVERIFY(m_harness->writeHotkeys({"gofb*-Type Text-"},
                                        {"erase\ttext=" + QUrl::toPercentEncoding(text)}));
        m_app->start({"automatic"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        const std::pair<QStringList, QStringList> keys[] = {
            {{}, {}},
            {{"keydown", "Shift_R"}, {"keyup", "Shift_R"}},
            {{"key", "Caps_Lock"}, {"key", "Caps_Lock"}}};
        for (const auto& [before, after] : keys) {
            const QString typed = m_harness->home() + "/typed" + before.join(u'-') + ".txt";
            QProcess terminal;
            QVERIFY(!typingTerminal(terminal, typed).isEmpty());
            if (!before.isEmpty())
                E2EHarness::xdotool(before);
            E2EHarness::xdotool({"key", "g", "o", "f", "b"});
            QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(E2EHarness::readFile(typed)), text, 10000);
            if (!after.isEmpty())
                E2EHarness::xdotool(after);
            E2EHarness::xdotool({"key", "ctrl+d"});
            QVERIFY(terminal.waitForFinished(10000));
        }
    }

    // With 500 hotkeys, a typed filter leaves the one row holding it: End in the list picks the
    // last row shown, and the hotkey deleted and saved from there is that row.
    void filterLeavesTheMatchingRow()
    {
        QStringList rows;
        for (int i = 1; i <= 500; ++i)
            rows.append(QString("(Ctrl)(Alt)k%1*/opt/tool-%1").arg(i));
        rows[249] = "(Ctrl)(Alt)k250*/opt/needle";
        QVERIFY(m_harness->writeHotkeys(rows));
        m_app->start({});
        const QString editor = openEditor();
        QVERIFY(!editor.isEmpty());
        // Ctrl+F takes the focus from the list to the filter, Tab back to the list; Alt+D deletes,
        // Enter saves.
        E2EHarness::xdotool({"key", "ctrl+f"});
        E2EHarness::xdotool({"type", "--delay", "20", "NEEDLE"});
        E2EHarness::xdotool({"key", "--delay", "60", "Tab", "End", "alt+d", "Return"});
        rows.removeAt(249);
        QTRY_COMPARE_WITH_TIMEOUT(E2EHarness::readFile(m_harness->hotkeyFile()),
                                  rows.join('|').toUtf8() + "\r\n", 5000);
    }

    // Arguments typed in the editor reach the program exactly, one each: a quoted one keeps its
    // space, and nothing reads them as a shell would.
    void programGetsItsArguments()
    {
        const QString listed = m_harness->home() + "/argv";
        QFile script(m_harness->home() + "/argv.sh");
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + listed + "'\n").toUtf8());
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        script.close();
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)t*" + script.fileName()}));
        m_app->start({});
        const QString editor = openEditor();
        QVERIFY(!editor.isEmpty());
        // "Arguments:" of the selected first row, under the frame's fields (xdotool would take a
        // leading "-v" as its own option).
        AppDriver::clickIn(editor, AppDriver::designed(150 + 1500, EditFrameTop + 800, 9000, 360));
        E2EHarness::xdotool({"type", "--delay", "20", "\"two words\" -v \"\\$HOME;x\" 50%%"});
        AppDriver::clickIn(editor, AppDriver::designed(5040, 7800, 2295, 495)); // Save
        const QString shown = AppDriver::waitForWindow("Tarvex");
        QVERIFY(!shown.isEmpty());
        AppDriver::clickIn(shown, AppDriver::designed(360, 1380, 4215, 615)); // " Start Tarvex"
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        press("ctrl+alt+t");
        QTRY_COMPARE_WITH_TIMEOUT(E2EHarness::readFile(listed),
                                  QByteArray("two words\n-v\n$HOME;x\n50%\n"), 5000);
    }

    // A hotkey limited to xterm in the editor's "Applications:" row fires only while an xterm is
    // in front; elsewhere the same keys run the next hotkey, which acts everywhere.
    void hotkeyLimitedToAnApplication()
    {
        const QString inXterm = m_harness->writeLoggingTarget("xterm.sh", "xterm");
        const QString elsewhere = m_harness->writeLoggingTarget("other.sh", "other");
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)t*" + inXterm, "(Ctrl)(Alt)t*" + elsewhere}));
        m_app->start({});
        const QString editor = openEditor();
        QVERIFY(!editor.isEmpty());
        // The row sits atop the "Edit Hotkey" frame, which grows upwards by 840 twips for the
        // arguments and by 660 more for it.
        const int row = 6800 - 840 - 660 + 300;
        AppDriver::clickIn(editor, AppDriver::designed(270 + 1200, row, 1815, 360));
        E2EHarness::xdotool({"key", "--delay", "80", "Down", "Return"}); // "Only in"
        AppDriver::clickIn(editor, AppDriver::designed(270 + 3120, row + 30, 5880, 300));
        E2EHarness::xdotool({"type", "--delay", "20", "XTerm"});
        AppDriver::clickIn(editor, AppDriver::designed(5040, 7800, 2295, 495)); // "Save Settings"
        const QString shown = AppDriver::waitForWindow("Tarvex");
        QVERIFY(!shown.isEmpty());
        AppDriver::clickIn(shown, AppDriver::designed(360, 1380, 4215, 615)); // " Start Tarvex"
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        QVERIFY(!m_app->openVictim("Not an xterm").isEmpty());
        press("ctrl+alt+t");
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"other"}, 5000);
        QVERIFY(!m_app->openVictim("An xterm", "xterm").isEmpty());
        press("ctrl+alt+t");
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), (QStringList{"other", "xterm"}), 5000);
    }

    // The appearance options: a user opens them from the main window, picks another button
    // style and frame colour with the mouse and keyboard, presses OK, and the main window comes
    // back drawn in the new look, which it keeps after a restart, where the user had put it.
    void chosenLookRedrawsMainWindow();
    // Tab takes the focus from " Start Tarvex" to " Configure Hotkeys": both buttons show it.
    void keyboardFocusShows();

    void trayExitEndsWithoutMainWindowAndRestoresHidden()
    {
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        QProcess& program = m_app->start({"automatic"});
        const QString icon = m_app->waitForProgramIcon();
        QVERIFY(!icon.isEmpty());
        const QString victim = m_app->openVictim("Victim exit");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsUnMapped"), 5000);
        m_app->chooseFromTrayMenu(icon, 5); // "Exit"
        // Watch the task list until the program has ended: the main window never appears.
        QStringList seen;
        const QDeadlineTimer deadline(8000);
        while (program.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            seen << m_app->managedWindows();
            program.waitForFinished(20);
        }
        QCOMPARE(program.state(), QProcess::NotRunning);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(seen, QStringList());
        QCOMPARE(AppDriver::mapState(victim), QString("IsViewable"));
    }

    // On an XEmbed tray a single click does nothing; the double-click opens.
    void trayDoubleClickStopsHotkeysAndShowsMainWindow()
    {
        const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)t*" + target}));
        m_app->start({"automatic"});
        const QString icon = m_app->waitForProgramIcon();
        QVERIFY(!icon.isEmpty());
        AppDriver::click(AppDriver::centreOf(icon));
        QVERIFY(!QTest::qWaitFor([&] { return !m_app->managedWindows().isEmpty(); }, 1000));
        AppDriver::doubleClick(AppDriver::centreOf(icon));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->managedWindows(), QStringList{"Tarvex"}, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_app->embeddedIcons().isEmpty(), 5000);
        press("ctrl+alt+t");
        QVERIFY(!QTest::qWaitFor([&] { return !m_harness->logLines().isEmpty(); }, 1000));
    }

    // One set of hidden-window slots for the whole run: a window hidden before the tray menu's
    // "Open" reloads the main window still comes back from its icon, and at the program's end.
    void hiddenWindowsComeBackAfterOpenAndAtExit()
    {
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        QProcess& program = m_app->start({"automatic"});
        const QString programIcon = m_app->waitForProgramIcon();
        QVERIFY(!programIcon.isEmpty());
        const QString first = m_app->openVictim("Victim one");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(first), QString("IsUnMapped"), 5000);
        // The icons are read from the tray's window tree, which a busy tray may be laying out anew
        // at the moment of one reading: read until both are there.
        QStringList hiddenIcons;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                hiddenIcons = m_app->embeddedIcons();
                return hiddenIcons.removeAll(programIcon) == 1 && hiddenIcons.size() == 1;
            }(),
            30000);

        m_app->chooseFromTrayMenu(programIcon, 1);
        QTRY_COMPARE_WITH_TIMEOUT(m_app->managedWindows(), QStringList{"Tarvex"}, 5000);
        // Started with "automatic", the reloaded main window starts the hotkeys again.
        QTRY_COMPARE_WITH_TIMEOUT(m_app->embeddedIcons().size(), 2, 10000);
        AppDriver::doubleClick(AppDriver::centreOf(hiddenIcons.first()));
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(first), QString("IsViewable"), 5000);

        const QString second = m_app->openVictim("Victim two");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(second), QString("IsUnMapped"), 5000);
        ::kill(pid_t(program.processId()), SIGTERM);
        QVERIFY(program.waitForFinished(5000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(AppDriver::mapState(second), QString("IsViewable"));
    }

    // A run killed while it holds a maximized window hidden leaves it unmapped; the next start
    // brings it back, still maximized.
    void windowHiddenByAKilledRunComesBackMaximized()
    {
        const auto maximized = [](const QString& window) {
            const QString state = E2EHarness::run("xprop", {"-id", window, "_NET_WM_STATE"});
            return state.contains("_NET_WM_STATE_MAXIMIZED_VERT") &&
                   state.contains("_NET_WM_STATE_MAXIMIZED_HORZ");
        };
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        QProcess& killed = m_app->start({"automatic"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        const QString victim = m_app->openVictim("Victim killed");
        E2EHarness::run("wmctrl", {"-i", "-r", victim, "-b", "add,maximized_vert,maximized_horz"});
        QTRY_VERIFY_WITH_TIMEOUT(maximized(victim), 5000);
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsUnMapped"), 5000);
        ::kill(pid_t(killed.processId()), SIGKILL);
        QVERIFY(killed.waitForFinished(5000));
        QCOMPARE(AppDriver::mapState(victim), QString("IsUnMapped"));
        m_app->start({"automatic"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsViewable"), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(maximized(victim), 10000);
    }

    // A StatusNotifierItem tray (here one written for the test, on a private session bus) draws
    // the icons itself and reports a click as an activation, never a double-click: one click on a
    // hidden window's icon brings the window back, one on the program's icon opens the main window.
    void statusNotifierTrayOpensOnSingleClick()
    {
        StatusNotifierHost tray;
        QVERIFY(tray.start());
        m_app->setSessionBus(tray.address());
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        m_app->start({"automatic"});
        QTRY_COMPARE_WITH_TIMEOUT(tray.items().size(), 1, 15000);
        const QString programItem = tray.items().first();
        const QString victim = m_app->openVictim("Victim tray");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsUnMapped"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(tray.items().size(), 2, 10000);
        // The icons live in the D-Bus tray only, never in the session's XEmbed tray.
        QCOMPARE(m_app->embeddedIcons(), QStringList());
        // A tray that lists its entries by title tells the hidden window from the program.
        QCOMPARE(tray.property(tray.items().last(), "Title").toString(), QString("Victim tray"));
        QCOMPARE(tray.property(programItem, "Title").toString(), QString("Tarvex"));
        QVERIFY(!tray.property(tray.items().last(), "IconPixmap").isNull());

        QVERIFY(tray.activate(tray.items().last()));
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsViewable"), 5000);
        QVERIFY(tray.activate(programItem));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->managedWindows(), QStringList{"Tarvex"}, 5000);
    }

    // "Pause Hotkeys" in the tray menu: the icon is drawn greyed and a hotkey does not fire; chosen
    // again, the icon is as before and the hotkey fires. `tarvex --list` prints the hotkeys and
    // `tarvex --pause` pauses them, starting no second program; with none running, they say so.
    void pauseFromTrayMenuAndCommandLine()
    {
        PrivateBus bus(PrivateBus::Kind::Bare); // no StatusNotifierItem tray: the icon embeds
        m_app->setSessionBus(bus.address());
        const QString target = m_harness->writeLoggingTarget("target.sh", "fired");
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)t*" + target, "ab*/no/such file"}));
        QCOMPARE(request("--pause"), (QStringList{"1", "", "Tarvex is not running.\n"}));
        m_app->start({"automatic"});
        const QString icon = m_app->waitForProgramIcon();
        QVERIFY(!icon.isEmpty());
        QImage running;
        QTRY_VERIFY_WITH_TIMEOUT(!greyed(running = picture(icon)), 10000);
        m_app->chooseFromTrayMenu(icon, 3); // "Pause Hotkeys"
        QTRY_VERIFY_WITH_TIMEOUT(greyed(picture(icon)), 5000);
        press("ctrl+alt+t");
        QVERIFY(!QTest::qWaitFor([&] { return !m_harness->logLines().isEmpty(); }, 1000));
        m_app->chooseFromTrayMenu(icon, 3);
        QTRY_COMPARE_WITH_TIMEOUT(picture(icon), running, 5000);
        press("ctrl+alt+t");
        QTRY_COMPARE_WITH_TIMEOUT(m_harness->logLines(), QStringList{"fired"}, 5000);
        // Exit status, standard output, standard error.
        QCOMPARE(request("--list"),
                 (QStringList{"0", "(Ctrl)(Alt)t\t" + target + "\nab\t/no/such file\n", ""}));
        QCOMPARE(request("--pause"), (QStringList{"0", "", ""}));
        press("ctrl+alt+t");
        QVERIFY(!QTest::qWaitFor([&] { return m_harness->logLines().size() > 1; }, 1000));
        QVERIFY(AppDriver::windowGone("Tarvex")); // no "already running" box
    }

    // "Export…" then "Import…" into a profile without hotkeys, through the real file dialogs:
    // after "Save Settings" the new hotkey file holds what the first one held.
    void exportThenImportIntoAnEmptyProfile()
    {
        // One hotkey switched off, one with arguments limited to an application.
        const QByteArray original =
            "(Ctrl)(Alt)t*/usr/bin/xterm|gofb*http://example.org|x*-Restart-"
            "\r\ntarvex-hotkey 1 %28Ctrl%29%28Alt%29t%2A%2Fusr%2Fbin%2Fxterm"
            "\targs=-e%20top\tonly=kate\r\ntarvex-hotkey 3 x%2A-Restart-\toff\r\n";
        QFile hotkeys(m_harness->home() + "/Documents/Hotkeys.TarvexDB");
        QVERIFY(hotkeys.open(QIODevice::WriteOnly));
        hotkeys.write(original);
        hotkeys.close();
        const QString exported = m_harness->home() + "/moved.TarvexDB";
        // Types `path` into the file dialog titled `title` that opens after the windows `before`.
        const auto useFileDialog = [this, &exported](const QString& title, QStringList before) {
            const QString dialog = m_app->waitForNewWindow(title, before);
            E2EHarness::xdotool({"key", "ctrl+a"});
            E2EHarness::xdotool({"type", "--delay", "20", exported});
            E2EHarness::xdotool({"key", "Return"});
            return dialog;
        };
        for (const bool exporting : {true, false}) {
            m_app->start({});
            const QString editor = openEditor();
            QVERIFY(!editor.isEmpty());
            AppDriver::clickIn(editor,
                               AppDriver::designed(exporting ? 2640 : 240, 8640, 2295, 495));
            if (exporting) {
                // "All Hotkeys" is the question's default answer.
                const QString question = AppDriver::waitForWindow("Export Hotkeys");
                QVERIFY(!question.isEmpty());
                E2EHarness::xdotool({"key", "Return"});
                QVERIFY(!useFileDialog("Export Hotkeys", {question}).isEmpty());
                QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(exported), 5000);
                m_app->stop();
                QVERIFY(hotkeys.remove());
                continue;
            }
            const QString dialog = useFileDialog("Import Hotkeys", {});
            QVERIFY(!dialog.isEmpty());
            QVERIFY(!m_app->waitForNewWindow("Import Hotkeys", {dialog}).isEmpty()); // summary
            E2EHarness::xdotool({"key", "Return"});
            QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Import Hotkeys"), 5000);
            QVERIFY(!hotkeys.exists()); // nothing written before Save
            AppDriver::clickIn(editor, AppDriver::designed(5040, 7800, 2295, 495));
            QTRY_VERIFY_WITH_TIMEOUT(hotkeys.exists(), 5000);
            QVERIFY(hotkeys.open(QIODevice::ReadOnly));
            QCOMPARE(hotkeys.readAll(), original);
        }
    }

    // Run in a session without a tray: a small window of the program's own keeps the icon's
    // double-click (and menu, tip and balloon) available.
    void standInWindowWithoutTray()
    {
        if (qEnvironmentVariable("XSESSION_NO_TRAY") != "1")
            QSKIP("runs in the session that starts without a tray");
        m_app->start({"automatic"});
        QString standIn;
        QTRY_VERIFY_WITH_TIMEOUT(!(standIn = standInWindow()).isEmpty(), 10000);
        QVERIFY(!m_app->mainWindowShown());
        AppDriver::doubleClick(AppDriver::centreOf(standIn));
        QTRY_VERIFY_WITH_TIMEOUT(m_app->mainWindowShown(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(standInWindow().isEmpty(), 5000);
    }

    // Run in a session without a tray: a tray started later (as at login) receives the icon, and
    // the stand-in window goes away.
    void trayStartedLaterTakesTheIcon()
    {
        if (qEnvironmentVariable("XSESSION_NO_TRAY") != "1")
            QSKIP("runs in the session that starts without a tray");
        m_app->start({"automatic"});
        QString standIn;
        QTRY_VERIFY_WITH_TIMEOUT(!(standIn = standInWindow()).isEmpty(), 10000);
        QProcess tray;
        tray.start("trayer", {"--edge", "bottom", "--align", "right", "--widthtype", "pixel",
                              "--width", "200", "--height", "24"});
        QTRY_COMPARE_WITH_TIMEOUT(m_app->embeddedIcons().size(), 1, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(standInWindow().isEmpty(), 10000);
        tray.terminate();
        tray.waitForFinished();
    }

    // Run in a session without a tray: the stand-in window grows a list of the hidden window, and
    // Enter there brings it back.
    void hiddenWindowListedWithoutTray()
    {
        if (qEnvironmentVariable("XSESSION_NO_TRAY") != "1")
            QSKIP("runs in the session that starts without a tray");
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        m_app->start({"automatic"});
        QString standIn;
        QTRY_VERIFY_WITH_TIMEOUT(!(standIn = standInWindow()).isEmpty(), 10000);
        const int smallHeight = AppDriver::geometryOf(standIn).height();
        const QString victim = m_app->openVictim("Victim listed");
        press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsUnMapped"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(AppDriver::geometryOf(standIn).height() > smallHeight, 5000);
        E2EHarness::xdotool({"windowactivate", "--sync", standIn});
        press("Return");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsViewable"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::geometryOf(standIn).height(), smallHeight, 5000);
    }

    // How the program ends: on a termination signal whatever dialog is open (the everyday
    // case is logging out), and at once for --help and --version, never reaching the instance
    // that already runs.
    void informationOptionsLeaveRunningInstanceAlone()
    {
        QProcess& first = m_app->start({"automatic"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        for (const QString option : {"--help", "-h", "--version"}) {
            std::unique_ptr<QProcess> asked =
                m_app->startAnother({option}, QProcess::SeparateChannels);
            QVERIFY2(asked->waitForFinished(5000), qPrintable(option));
            QCOMPARE(asked->exitStatus(), QProcess::NormalExit);
            QCOMPARE(asked->exitCode(), 0);
            const QString output = outputOf(*asked, QProcess::StandardOutput);
            QVERIFY2(output.startsWith(option == "--version" ? "Tarvex " : "Usage: tarvex"),
                     qPrintable(output));
        }
        QCOMPARE(first.state(), QProcess::Running);
        QCOMPARE(m_app->managedWindows(), QStringList());
        // The icon is read from the tray's window tree, which a busy tray host may be re-laying out
        // at the moment of one snapshot; it must be there (once) within a few seconds.
        QTRY_COMPARE_WITH_TIMEOUT(m_app->embeddedIcons().size(), 1, 5000);
    }

    void withoutHomeTheAccountsHomeIsUsed()
    {
        const QString home = m_harness->home() + "/account";
        QVERIFY(QDir().mkpath(home + "/Documents"));
        QFile hotkeys(home + "/Documents/Hotkeys.TarvexDB");
        QVERIFY(hotkeys.open(QIODevice::WriteOnly));
        hotkeys.write("gofb*/bin/true\r\n");
        hotkeys.close();
        useAccountHome(home);
        QProcess& program = m_app->start({"automatic"});
        QVERIFY(!m_app->waitForProgramIcon().isEmpty());
        QCOMPARE(program.state(), QProcess::Running);
        // The first start writes the login entry and its choice, both below the account's home.
        QTRY_VERIFY(QFile::exists(home + "/.config/autostart/tarvex.desktop"));
        QVERIFY(QFile::exists(home + "/.config/Tarvex/Tarvex.ini"));
        QVERIFY(!QFile::exists("/.config/Tarvex/Tarvex.ini"));
    }

    void withoutAnyHomeTheProgramRefuses()
    {
        useAccountHome("/nonexistent/home");
        std::unique_ptr<QProcess> program = m_app->startAnother({}, QProcess::SeparateChannels);
        const QString box =
            E2EHarness::findWindow({"--pid", QString::number(program->processId())});
        QVERIFY(!box.isEmpty());
        QVERIFY(!QFile::exists("/.config/Tarvex/Tarvex.ini"));
        E2EHarness::xdotool({"windowactivate", "--sync", box});
        AppDriver::press("Return");
        QVERIFY(program->waitForFinished(5000));
        QCOMPARE(program->exitCode(), 1);
        const QString errors = outputOf(*program, QProcess::StandardError);
        QVERIFY2(errors.contains("HOME is not set") && errors.contains("\"/nonexistent/home\""),
                 qPrintable(errors));
    }

    // The hotkey file cannot be read (a folder stands at its place): the box that says so opens
    // while the program starts, before its main loop runs; Ctrl+C (SIGINT) ends it.
    void signalDuringStartupBox()
    {
        QVERIFY(QDir(m_harness->home()).mkpath("Documents/Hotkeys.TarvexDB"));
        QProcess& program = m_app->start({"automatic"});
        QVERIFY(!m_app->waitForNewWindow("Tarvex").isEmpty());
        ::kill(pid_t(program.processId()), SIGINT);
        expectCleanEnd(program);
    }

    void signalWhileDialogOpen_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("main window's help question") << "help";
        QTest::newRow("editor's warning box") << "warning";
        QTest::newRow("add-hotkey wizard") << "wizard";
    }

    // Each dialog runs its own event loop, on the stack with a window as its parent. A window the
    // program hid earlier comes back when it ends.
    void signalWhileDialogOpen()
    {
        QFETCH(QString, dialog);
        QVERIFY(
            m_harness->writeHotkeys({"(Ctrl)(Alt)q*/tmp/nothing", "(Ctrl)(Alt)h*-Hide Window-"}));
        QProcess& program = m_app->start({"automatic"});
        const QString icon = m_app->waitForProgramIcon();
        QVERIFY(!icon.isEmpty());
        const QString victim = m_app->openVictim("Victim signal");
        AppDriver::press("ctrl+alt+h");
        QTRY_COMPARE_WITH_TIMEOUT(AppDriver::mapState(victim), QString("IsUnMapped"), 15000);
        AppDriver::doubleClick(AppDriver::centreOf(icon));
        const QString main = m_app->waitForNewWindow("Tarvex");
        QVERIFY(!main.isEmpty());

        QString open;
        if (dialog == "help") {
            AppDriver::clickIn(main, AppDriver::designed(1800, 750, 2535, 495)); // "Tarvex"
            open = m_app->waitForNewWindow("Tarvex", {main});
        } else {
            AppDriver::clickIn(main, AppDriver::designed(360, 2090, 4215, 585)); // Configure
            const QString editor = m_app->waitForNewWindow("Configure Hotkeys");
            QVERIFY(!editor.isEmpty());
            if (dialog == "warning") {
                // The "Edit Hotkey" frame's target box: "|" would break the file, so a box says so.
                AppDriver::clickIn(editor,
                                   AppDriver::designed(150 + 6480, EditFrameTop + 360, 3495, 285));
                AppDriver::press("bar");
                open = m_app->waitForNewWindow("Tarvex", {main});
            } else {
                AppDriver::clickIn(editor, AppDriver::designed(240, 7800, 2295, 495)); // Add
                open = m_app->waitForNewWindow("Hotkey Wizard");
            }
        }
        QVERIFY2(!open.isEmpty(), "the dialog did not open");
        ::kill(pid_t(program.processId()), SIGTERM);
        expectCleanEnd(program);
        QCOMPARE(AppDriver::mapState(victim), QString("IsViewable"));
    }

private:
    QImage screenshot(const QString& window) const;
    QImage picture(const QString& window) const;
    static bool greyed(const QImage& image);
    QStringList request(const QString& option) const;
    void pickEntry(const QString& window, QPoint list, const QString& keys) const;
    QString standInWindow() const { return m_app->programWindow(40, 200); }
    static void press(const QString& keys) { AppDriver::press(keys); }
    // Starts an xterm that writes what is typed into it to `file` (UTF-8) and makes it the
    // active window; returns the window, "" when it never became active.
    static QString typingTerminal(QProcess& terminal, const QString& file)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C.UTF-8");
        terminal.setProcessEnvironment(environment);
        terminal.start("xterm", {"-title", "Typed", "-e", "sh", "-c", "cat > \"$0\"", file});
        const QString window = E2EHarness::findWindow({"--name", "^Typed$"});
        const bool active = QTest::qWaitFor(
            [&] {
                E2EHarness::xdotool({"windowactivate", window});
                return QTest::qWaitFor(
                    [&] { return AppDriver::activeWindow() == window.toULongLong(); }, 500);
            },
            10000);
        return active ? window : QString();
    }
    // Clicks " Configure Hotkeys" in the main window once it shows; returns the editor's
    // window, "" when none came.
    static QString openEditor()
    {
        const QString main = AppDriver::waitForWindow("Tarvex");
        if (!main.isEmpty())
            AppDriver::clickIn(main, AppDriver::designed(360, 2090, 4215, 585));
        return main.isEmpty() ? QString() : AppDriver::waitForWindow("Configure Hotkeys");
    }
    static QString outputOf(QProcess& process, QProcess::ProcessChannel channel);
    void useAccountHome(const QString& home);
    void expectCleanEnd(QProcess& process);
};

namespace {

// Regions of the main window (pixels): its title bar, and the " Start Tarvex" button.
const QRect TitleBar(40, 4, 200, 20);
const QRect StartButton(24 + 4, 92 + 4, 281 - 8, 41 - 8);

bool sameRegion(const QImage& a, const QImage& b, const QRect& region)
{
    return a.copy(region) == b.copy(region);
}

} // namespace

// The frame draws its title bar paler while inactive: every shot is of the active window, taken
// once two shots in a row agree (the repaint in the active look is done).
QImage TestTarvexE2E::screenshot(const QString& window) const
{
    E2EHarness::xdotool({"windowactivate", "--sync", window});
    const QString file = m_harness->home() + "/shot.png";
    QImage last;
    QImage shot;
    (void)QTest::qWaitFor(
        [&] {
            last = std::exchange(shot, QImage());
            E2EHarness::run("import", {"-window", window, file});
            shot = QImage(file).convertToFormat(QImage::Format_RGB32);
            return !shot.isNull() && shot == last;
        },
        5000);
    return shot;
}

// The window's pixels as they are on the screen now.
QImage TestTarvexE2E::picture(const QString& window) const
{
    const QString file = m_harness->home() + "/picture.png";
    E2EHarness::run("import", {"-window", window, file});
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

// True for a picture without a clear colour.
bool TestTarvexE2E::greyed(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - pixel.blue()) > 40 ||
                std::abs(pixel.green() - pixel.blue()) > 40)
                return false;
        }
    }
    return !image.isNull();
}

// Runs `tarvex option` to its end: exit status, standard output, standard error.
QStringList TestTarvexE2E::request(const QString& option) const
{
    std::unique_ptr<QProcess> process = m_app->startAnother({option}, QProcess::SeparateChannels);
    (void)QTest::qWaitFor([&] { return process->state() == QProcess::NotRunning; }, 15000);
    // Qt 6.4's bus thread may warn of "an invalid type" as the process ends (more often in the
    // slower sanitizer build): those lines are Qt's, not the program's, and are left out.
    QStringList errors = QString::fromUtf8(process->readAllStandardError()).split(u'\n');
    errors.removeIf([](const QString& line) {
        return line.startsWith("Trying to construct an instance of an invalid type");
    });
    return {QString::number(process->exitCode()),
            QString::fromUtf8(process->readAllStandardOutput()), errors.join(u'\n')};
}

// Opens the drop-down list at `list` and moves through its entries with `keys`, then Return,
// each once the list's pop-up is there, and waits for the pop-up to go.
void TestTarvexE2E::pickEntry(const QString& window, QPoint list, const QString& keys) const
{
    const QString pid = QString::number(m_app->program().processId());
    const auto shown = [&pid] {
        return E2EHarness::xdotool({"search", "--onlyvisible", "--pid", pid});
    };
    const QString before = shown();
    AppDriver::clickIn(window, list);
    QTRY_VERIFY_WITH_TIMEOUT(shown() != before, 5000);
    E2EHarness::xdotool(QStringList{"key", "--delay", "60"} + keys.split(' ') +
                        QStringList{"Return"});
    QTRY_COMPARE_WITH_TIMEOUT(shown(), before, 5000);
}

void TestTarvexE2E::chosenLookRedrawsMainWindow()
{
    m_app->start({});
    const QString main = AppDriver::waitForWindow("Tarvex");
    QVERIFY(!main.isEmpty());
    // Moved by the user away from where it first appeared, the window stays there.
    E2EHarness::xdotool({"windowmove", "--sync", main, "173", "121"});
    const QPoint place = AppDriver::geometryOf(main).topLeft();
    const QImage before = screenshot(main);
    QVERIFY(!before.isNull());
    AppDriver::clickIn(main, AppDriver::designed(360, 2760, 4215, 615)); // " Customize Appearance"
    const QString options = AppDriver::waitForWindow("Customize Tarvex Appearance");
    QVERIFY(!options.isEmpty());
    QVERIFY(AppDriver::windowGone("Tarvex")); // the main window hides while the options are open
    // Lists in their frames: the button options at 240, 2520 hold their list at 120, 360; the
    // window options at 240, 720 hold the colour list at 120, 600.
    pickEntry(options, AppDriver::designed(240 + 120, 2520 + 360, 5295, 315),
              "Up Up"); // "3D Hover" -> "Flat"
    pickEntry(options, AppDriver::designed(240 + 120, 720 + 600, 5295, 315),
              "Down Down");                                                  // "Blue" -> "Olive"
    AppDriver::clickIn(options, AppDriver::designed(3120, 4575, 1335, 375)); // "OK"
    const QString shown = AppDriver::waitForWindow("Tarvex");
    QVERIFY(!shown.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(AppDriver::windowGone("Customize Tarvex Appearance"), 5000);
    const QSettings stored(m_harness->home() + "/.config/Tarvex/Tarvex.ini", QSettings::IniFormat);
    QCOMPARE(stored.value("ButtonTheme/Color").toString(), QStringLiteral("1"));
    QCOMPARE(stored.value("Theme/Color").toString(), QStringLiteral("2"));
    QCOMPARE(AppDriver::geometryOf(shown).topLeft(), place);
    const QImage after = screenshot(shown);
    QCOMPARE(after.size(), before.size());
    QVERIFY2(!sameRegion(before, after, TitleBar), "the frame colour did not change");
    QVERIFY2(!sameRegion(before, after, StartButton), "the button style did not change");
    // A new start draws the same look from the store.
    m_app->stop();
    m_app->start({});
    const QString restarted = AppDriver::waitForWindow("Tarvex");
    QVERIFY(!restarted.isEmpty());
    const QImage again = screenshot(restarted);
    QVERIFY(sameRegion(after, again, TitleBar) && sameRegion(after, again, StartButton));
}

void TestTarvexE2E::keyboardFocusShows()
{
    m_app->start({});
    const QString main = AppDriver::waitForWindow("Tarvex");
    QVERIFY(!main.isEmpty());
    E2EHarness::xdotool({"mousemove", "0", "799"}); // no button under the pointer
    const QImage before = screenshot(main);
    QVERIFY(!before.isNull());
    AppDriver::press("Tab");
    QImage after;
    QTRY_VERIFY_WITH_TIMEOUT((after = screenshot(main)) != before, 5000);
    QCOMPARE(after.size(), before.size());
    // The buttons as designed (twips / 15).
    const QRect start(24, 92, 281, 41), configure(24, 139, 281, 39);
    QVERIFY2(!sameRegion(before, after, start), "the focus leaving does not show");
    QVERIFY2(!sameRegion(before, after, configure), "the focus coming does not show");
}

QString TestTarvexE2E::outputOf(QProcess& process, QProcess::ProcessChannel channel)
{
    process.setReadChannel(channel);
    return QString::fromUtf8(process.readAll());
}

// Ended by itself within a few seconds, without a crash or a sanitizer report, with status 0.
void TestTarvexE2E::expectCleanEnd(QProcess& process)
{
    QVERIFY2(process.waitForFinished(10000), "the program did not end");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

// The program starts without HOME (and without the XDG folders set from it), as a service or a
// bare login shell starts it; the password database (a private one) gives `home`.
void TestTarvexE2E::useAccountHome(const QString& home)
{
    QFile passwd(m_harness->home() + "/passwd");
    QVERIFY(passwd.open(QIODevice::WriteOnly));
    passwd.write("root:x:0:0:root:" + QFile::encodeName(home) + ":/bin/sh\n");
    passwd.close();
    QFile group(m_harness->home() + "/group");
    QVERIFY(group.open(QIODevice::WriteOnly));
    group.write("root:x:0:\n");
    group.close();
    m_app->setEnvironment("LD_PRELOAD", "libnss_wrapper.so");
    // A sanitized build wants its runtime loaded first, and no library opened with
    // RTLD_DEEPBIND: the preloaded library comes before it and opens the C library so.
    m_app->setEnvironment("ASAN_OPTIONS",
                          qEnvironmentVariable("ASAN_OPTIONS") + ":verify_asan_link_order=0");
    m_app->setEnvironment("NSS_WRAPPER_DISABLE_DEEPBIND", "1");
    m_app->setEnvironment("NSS_WRAPPER_PASSWD", passwd.fileName());
    m_app->setEnvironment("NSS_WRAPPER_GROUP", group.fileName());
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        m_app->setEnvironment(name, QString());
}

QTEST_GUILESS_MAIN(TestTarvexE2E)
#include "TestTarvexE2E.moc"
