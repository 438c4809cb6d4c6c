// The application's run: entry and command line, starting and stopping the hotkeys, the tray
// icon's double-click and menu, the exit paths, and the hidden windows across all of them.

#include "activation/HiddenWindowSlots.h"
#include "controls/button/velbutton.h"
#include "editor/hkCORE.h"
#include "editor/HotkeyHost.h"
#include "shell/CommandLine.h"
#include "shell/hkPopupMenu.h"
#include "shell/ProgramTrayIcon.h"
#include "shell/Tarvex.h"
#include "shell/Twips.h"
#include "tests/app/ShellFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

using namespace tarvex;

namespace {

// Counts every Show event of a main window, visible to the user or not.
class ShowCounter final : public QObject
{
public:
    int shows = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<Tarvex*>(watched))
            ++shows;
        return false;
    }
};

} // namespace

class TestTarvexShell final : public QObject
{
    Q_OBJECT

private:
    static bool mainWindowVisible(ShellFixture& f)
    {
        return f.shell->mainWindow() && f.shell->mainWindow()->isVisible();
    }

    static bool trayIconShown(ShellFixture& f)
    {
        return f.shell->editor() && f.shell->editor()->host().trayIcon().isShown();
    }

    // A start with the login argument and one hotkey: "h" hides the foreground window 7.
    static void startAutomaticWithHideKey(ShellFixture& f)
    {
        f.writeHotkeys("h*-Hide Window-|a*/tmp/a file");
        f.desktop.setForeground(7);
        QVERIFY(f.shell->start());
    }

private Q_SLOTS:
    void initTestCase()
    {
        ShellFixture::usePrivateHome();
        ProgramTrayIcon::setDefaultFallbackDelay(0);
    }

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
        QCOMPARE(mainWindowVisible(f), !automatic);
        QCOMPARE(HotkeysEnabled(), automatic);
        QCOMPARE(trayIconShown(f), automatic);
        if (automatic) {
            QVERIFY(!f.shell->editor()->isVisible());
            QCOMPARE(f.shell->editor()->host().trayIcon().tip(),
                     QStringLiteral("Tarvex is running"));
        }
    }

    void secondInstanceIsRefused()
    {
        ShellFixture f({"automatic"});
        f.instance.setOtherRunning(true);
        QVERIFY(!f.shell->start());
        QCOMPARE(f.messages, QStringList{TarvexShell::AlreadyRunningMessage});
        QVERIFY(!f.shell->mainWindow());
        QVERIFY(!f.shell->editor());
        QCOMPARE(f.keySourceStarts, 0);
        QVERIFY(f.login.calls().isEmpty());
    }

    void startButtonRunsHotkeys()
    {
        ShellFixture f;
        f.writeHotkeys("a*/tmp/a file");
        QVERIFY(f.shell->start());
        QTest::mouseClick(f.shell->mainWindow()->Command1(), Qt::LeftButton);
        QVERIFY(!mainWindowVisible(f));
        QVERIFY(HotkeysEnabled());
        QVERIFY(trayIconShown(f));
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a file"});
        QCOMPARE(f.sound.calls(), QStringList{"play /opt/tarvex/Sounds/Bing.wav"});
    }

    void startupBalloon_data()
    {
        QTest::addColumn<QString>("note");
        QTest::addColumn<int>("balloons");
        QTest::newRow("absent") << QString() << 1;
        QTest::newRow("0") << "0" << 1;
        QTest::newRow("1") << "1" << 0;
        QTest::newRow("1.0 reads as the number 1") << "1.0" << 0;
        QTest::newRow("2") << "2" << 1;
    }

    void startupBalloon()
    {
        QFETCH(QString, note);
        QFETCH(int, balloons);
        ShellFixture f({"automatic"});
        if (!note.isNull())
            f.settings.writeText("Startup", "Note", note);
        // No tray on the offscreen platform: the stand-in window shows the balloon once it
        // appears, after the wait set here.
        ProgramTrayIcon::setDefaultFallbackDelay(200);
        QVERIFY(f.shell->start());
        ProgramTrayIcon::setDefaultFallbackDelay(0);
        QSignalSpy spy(&f.shell->editor()->host().trayIcon(), &ProgramTrayIcon::balloonShown);
        QTest::qWait(1000);
        QCOMPARE(spy.count(), balloons);
        if (balloons) {
            QCOMPARE(spy.first().at(0).toString(), QStringLiteral("Tarvex"));
            QCOMPARE(spy.first().at(1).toString(), ProgramTrayIcon::BalloonText);
        }
    }

    void configureHotkeysPausesThem()
    {
        ShellFixture f;
        f.writeHotkeys("a*/tmp/a file");
        QVERIFY(f.shell->start());
        QTest::mouseClick(f.shell->mainWindow()->Command2(), Qt::LeftButton);
        QVERIFY(!HotkeysEnabled());
        QVERIFY(f.shell->editor()->isVisible());
        QVERIFY(!mainWindowVisible(f));
        f.keys.tap({65});
        QVERIFY(f.opener.calls().isEmpty());
    }

    void trayDoubleClickStopsHotkeys()
    {
        ShellFixture f({"automatic"});
        f.writeHotkeys("a*/tmp/a file");
        QVERIFY(f.shell->start());
        f.shell->editor()->onTrayDoubleClicked();
        QVERIFY(!f.shell->editor());
        QVERIFY(mainWindowVisible(f));
        f.keys.tap({65});
        QVERIFY(f.opener.calls().isEmpty());
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

    void trayMenuItems()
    {
        ShellFixture f({"automatic"});
        QVERIFY(f.shell->start());
        f.shell->popUpTrayMenu(QPoint(10, 10));
        hkPopupMenu* menu = f.shell->popupMenu();
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("Tarvex "));
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{"Open", "Settings", "Exit"}));
        QCOMPARE(menu->defaultAction(), menu->ms());
        QVERIFY(menu->ms()->font().bold());
        menu->close();
    }

    void trayExitDoesNotShowMainWindow()
    {
        ShellFixture f({"automatic"});
        ShowCounter counter;
        qApp->installEventFilter(&counter);
        QVERIFY(f.shell->start());
        QSignalSpy finished(f.shell.get(), &TarvexShell::finished);
        f.shell->popUpTrayMenu(QPoint(10, 10));
        f.shell->popupMenu()->me()->trigger();
        QTRY_COMPARE(finished.count(), 1);
        qApp->removeEventFilter(&counter);
        QCOMPARE(counter.shows, 0);
        QVERIFY(ExitRequested());
        QVERIFY(!f.shell->editor() && !f.shell->mainWindow() && !f.shell->popupMenu());
    }

    void mainWindowExitEndsProgram()
    {
        ShellFixture f;
        QVERIFY(f.shell->start());
        QSignalSpy finished(f.shell.get(), &TarvexShell::finished);
        QTest::mouseClick(f.shell->mainWindow()->Command4(), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QVERIFY(ExitRequested());
        QVERIFY(!f.shell->mainWindow());
    }

    // The documented quirk: the reloaded main window tests the command line again.
    void openAfterAutomaticStartsHotkeysAgain()
    {
        ShellFixture f({"automatic"});
        QVERIFY(f.shell->start());
        hkCORE* firstEditor = f.shell->editor();
        f.shell->openFromTray();
        QVERIFY(mainWindowVisible(f));
        QVERIFY(HotkeysEnabled());
        QVERIFY(trayIconShown(f));
        QVERIFY(f.shell->editor() != firstEditor);
    }

    void openAfterManualStartStopsHotkeys()
    {
        ShellFixture f;
        f.writeHotkeys("a*/tmp/a file");
        QVERIFY(f.shell->start());
        Tarvex* firstWindow = f.shell->mainWindow();
        f.shell->startHotkeys(false);
        f.shell->openFromTray();
        QVERIFY(mainWindowVisible(f));
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
        QVERIFY(!trayIconShown(f));
        QVERIFY(HotkeysEnabled());
        f.keys.tap({65});
        QVERIFY(f.opener.calls().isEmpty());
        f.shell->editor()->hide();
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a file"});
    }

    // One set of slots and one hook for the whole run: windows hidden before "Open" can
    // still be restored from their icons afterwards.
    void hiddenWindowsSurviveOpen()
    {
        ShellFixture f({"automatic"});
        startAutomaticWithHideKey(f);
        f.keys.tap({72});
        QVERIFY(f.desktop.isHidden(7));
        f.shell->openFromTray();
        f.hiddenIcons.doubleClick(0);
        QVERIFY(!f.desktop.isHidden(7));
        QCOMPARE(f.keySourceStarts, 1);
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
            f.shell->exitFromMainWindow();
        else
            f.shell->terminate();
        QVERIFY(f.shell->hasFinished());
        QVERIFY(!f.desktop.isHidden(7));
        QVERIFY(f.hiddenIcons.entries().isEmpty());
    }

    void mainWindowRoutesHiddenWindowClicks()
    {
        ShellFixture f({"automatic"});
        startAutomaticWithHideKey(f);
        f.keys.tap({72});
        f.shell->loadMainWindow().Tarvex_Mouse(2, 0, 0, 0);
        QVERIFY(f.desktop.isHidden(7));
        f.shell->loadMainWindow().Tarvex_Mouse(1, 0, 0, 0);
        QVERIFY(!f.desktop.isHidden(7));
    }

    // Without access to the keyboard the main window and the tray tip say so; starting the
    // hotkeys asks the key source again, and the texts go as soon as a keyboard can be read.
    void keyboardProblemIsShownUntilSolved()
    {
        ShellFixture f;
        const QString problem = QStringLiteral("No keyboard can be read: fix it, then start.");
        f.keys.setProblem(problem);
        QVERIFY(f.shell->start());
        Tarvex* window = f.shell->mainWindow();
        const int plainHeight = Twips::toPixels(Tarvex::DesignedHeight);
        QVERIFY(window->KeyboardNote() && window->KeyboardNote()->isVisible());
        QCOMPARE(window->KeyboardNote()->text(), problem);
        QVERIFY(window->height() > plainHeight);
        // Below the start-up options when they are shown, inside the window either way.
        window->Label3_Click();
        QVERIFY(window->KeyboardNote()->y() >= window->Check1()->geometry().bottom());
        QVERIFY(window->KeyboardNote()->geometry().bottom() < window->height());
        window->Label3_Click();
        QVERIFY(window->KeyboardNote()->geometry().bottom() < window->height());

        QTest::mouseClick(window->Command1(), Qt::LeftButton);
        QCOMPARE(f.keySourceStarts, 2);
        QCOMPARE(f.shell->editor()->host().trayIcon().tip(), problem);
        QCOMPARE(f.messages, QStringList{problem});

        f.keys.setProblem(QString());
        QCOMPARE(f.shell->editor()->host().trayIcon().tip(), QStringLiteral("Tarvex is running"));
        QVERIFY(!window->KeyboardNote()->isVisibleTo(window));
        QCOMPARE(window->height(), plainHeight);
        f.shell->startHotkeys(true);
        QCOMPARE(f.keySourceStarts, 2);
        QCOMPARE(f.messages.size(), 1);
    }

    void unreadableHotkeyFileIsReported()
    {
        ShellFixture f({"automatic"});
        QDir().mkpath(f.documents.documentsFolder() + "/Hotkeys.TarvexDB");
        QVERIFY(f.shell->start());
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(HotkeysEnabled());
    }
};

QTEST_MAIN(TestTarvexShell)
#include "tst_TarvexShell.moc"
