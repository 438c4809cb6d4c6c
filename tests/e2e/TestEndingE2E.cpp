#include "AppDriver.h"
#include "E2EHarness.h"

#include <QtTest>

#include <csignal>

// How the whole program, build/tarvex, ends: on a termination signal whatever dialog is open
// (the everyday case is logging out), and at once for --help and --version, never reaching the
// instance that already runs.
class TestEndingE2E final : public AppTestCase
{
    Q_OBJECT

private slots:
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
                AppDriver::clickIn(editor, AppDriver::designed(150 + 6480, 6800 + 360, 3495, 285));
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
    static QString outputOf(QProcess& process, QProcess::ProcessChannel channel);
    void useAccountHome(const QString& home);
    void expectCleanEnd(QProcess& process);
};

QString TestEndingE2E::outputOf(QProcess& process, QProcess::ProcessChannel channel)
{
    process.setReadChannel(channel);
    return QString::fromUtf8(process.readAll());
}

// Ended by itself within a few seconds, without a crash or a sanitizer report, with status 0.
void TestEndingE2E::expectCleanEnd(QProcess& process)
{
    QVERIFY2(process.waitForFinished(10000), "the program did not end");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

// The program starts without HOME (and without the XDG folders set from it), as a service or a
// bare login shell starts it; the password database (a private one) gives `home`.
void TestEndingE2E::useAccountHome(const QString& home)
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

QTEST_GUILESS_MAIN(TestEndingE2E)
#include "TestEndingE2E.moc"
