#include "E2EHarness.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDirIterator>
#include <QtTest>

#include <fcntl.h>
#include <linux/input-event-codes.h>
#include <sys/stat.h>
#include <unistd.h>

// The whole program on KDE Plasma's compositor (headless KWin, run-in-kwin.sh) with
// "[Keyboard] Source=portal", and with "auto" and a table of chords: its chords are bound
// through the real portal frontend and KDE's own backend, which registers them with KWin's
// global shortcuts. A chord pressed through KWin's fake-input protocol, and one invoked on
// KWin's shortcut component, run their hotkeys; the program opens no keyboard.
class TestKWinPortalE2E final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY2(qEnvironmentVariableIsSet("KWIN_RUNTIME_DIR"), "run this test in run-in-kwin.sh");
        m_harness = std::make_unique<E2EHarness>();
        m_fifo = m_harness->home() + "/keyboard";
        QVERIFY(::mkfifo(QFile::encodeName(m_fifo).constData(), 0600) == 0);
        m_programFile = runnable(qEnvironmentVariable("TARVEX_PROGRAM"));
        m_fakeInput = runnable(qEnvironmentVariable("TARVEX_FAKE_INPUT"));
        QVERIFY(!m_programFile.isEmpty() && !m_fakeInput.isEmpty());
    }

    void cleanup()
    {
        if (m_program) {
            m_program->terminate();
            if (!m_program->waitForFinished(5000))
                m_program->kill();
            m_program->waitForFinished(5000);
        }
        m_program.reset();
        m_harness.reset();
    }

    // The session outlives a row: each row binds chords of its own, so the next row's bind shows.
    void chordsRunThroughTheDesktopWithNoDeviceOpen_data()
    {
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QStringList>("bindings"); // pressed, invoked, others
        QTest::addColumn<int>("key");              // pressed with Ctrl and Alt
        QTest::addColumn<QStringList>("bound");
        QTest::newRow("portal, with a sequence it cannot run")
            << QByteArray("portal") << QStringList{"(Ctrl)(Alt)k", "(Win)e", "gofb"} << KEY_K
            << QStringList{"CTRL+ALT+k", "LOGO+e"};
        QTest::newRow("auto, chords only")
            << QByteArray("auto") << QStringList{"(Ctrl)(Alt)j", "(Win)r"} << KEY_J
            << QStringList{"CTRL+ALT+j", "LOGO+r"};
    }

    void chordsRunThroughTheDesktopWithNoDeviceOpen()
    {
        QFETCH(QByteArray, source);
        QFETCH(QStringList, bindings);
        QFETCH(int, key);
        QFETCH(QStringList, bound);
        E2EHarness& h = *m_harness;
        QStringList records{bindings[0] + "*" + h.writeLoggingTarget("chord", "chord"),
                            bindings[1] + "*" + h.writeLoggingTarget("invoked", "invoked")};
        for (const QString& other : bindings.mid(2))
            records << other + "*other";
        QVERIFY(h.writeHotkeys(records));
        QVERIFY(startProgram(source));
        const auto isBound = [&] {
            const QStringList names = boundShortcuts();
            return names.contains(bound[0]) && names.contains(bound[1]);
        };
        QTRY_VERIFY_WITH_TIMEOUT(isBound() || m_program->state() != QProcess::Running, 30000);
        QCOMPARE(m_program->state(), QProcess::Running);

        // KWin offers its fake input only to programs of its own user.
        QStringList pressChord =
            asSessionUser({m_fakeInput, QString::number(KEY_LEFTCTRL), QString::number(KEY_LEFTALT),
                           QString::number(key)});
        // Each run of the presser is a new fake-input client, whose keyboard KWin sets up as the
        // keys come; on a loaded machine its first keys can be lost there before any shortcut is
        // looked at. The chord is pressed again until it has run, and it runs once.
        const QString presser = pressChord.takeFirst();
        for (int i = 0; i < 5 && h.logLines().isEmpty(); ++i) {
            QProcess keys;
            keys.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            keys.start(presser, pressChord);
            QVERIFY(keys.waitForFinished(10000));
            QCOMPARE(keys.exitCode(), 0);
            if (QTest::qWaitFor([&] { return !h.logLines().isEmpty(); }, 5000))
                break;
        }
        QCOMPARE(h.logLines(), QStringList{"chord"});

        QDBusMessage invoke =
            QDBusMessage::createMethodCall("org.kde.kglobalaccel", "/component/Tarvex",
                                           "org.kde.kglobalaccel.Component", "invokeShortcut");
        invoke << bound[1];
        QCOMPARE(QDBusConnection::sessionBus().call(invoke).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(h.logLines(), (QStringList{"chord", "invoked"}), 10000);

        // Nobody reads the FIFO a key source would read, and no input device is open.
        const QStringList files = openedFiles();
        QVERIFY(!files.isEmpty());
        QVERIFY2(!files.contains(m_fifo), qPrintable(files.join(' ')));
        for (const QString& file : files)
            QVERIFY2(!file.startsWith("/dev/input"), qPrintable(file));
        QVERIFY(::open(QFile::encodeName(m_fifo).constData(), O_WRONLY | O_NONBLOCK) < 0);
        QCOMPARE(errno, ENXIO);
        QCOMPARE(m_program->state(), QProcess::Running);
    }

private:
    bool startProgram(const QByteArray& source);
    static QStringList asSessionUser(const QStringList& command);
    QString runnable(const QString& program) const;
    QStringList boundShortcuts() const;
    QStringList openedFiles() const;

    std::unique_ptr<E2EHarness> m_harness;
    std::unique_ptr<QProcess> m_program;
    QString m_fifo;
    QString m_programFile;
    QString m_fakeInput;
};

// The session's user may not reach the build folder: its programs run from a copy in HOME
// (the program finds no data files beside it, and needs none here).
QString TestKWinPortalE2E::runnable(const QString& program) const
{
    if (qEnvironmentVariableIsEmpty("KWIN_RUN_AS"))
        return program;
    const QString copy = m_harness->home() + '/' + QFileInfo(program).fileName();
    return QFile::copy(program, copy) ? copy : QString();
}

// The program as the session's user; "Devices" names a FIFO that a key source would read.
bool TestKWinPortalE2E::startProgram(const QByteArray& source)
{
    const QString home = m_harness->home();
    QFile settings(home + "/.config/Tarvex/Tarvex.ini");
    if (!settings.open(QIODevice::WriteOnly))
        return false;
    settings.write("[Hotkey%20Activation]\nSound=\nNotification=0\n[Startup]\nNote=1\nRun=0\n"
                   "[Keyboard]\nSource=" +
                   source + "\nDevices=" + m_fifo.toUtf8() + "\n");
    settings.close();
    QStringList command = asSessionUser({m_programFile, "automatic"});
    if (command.size() > 2 && QProcess::execute("chown", {"-R", "65534:65534", home}) != 0)
        return false;
    m_program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("XDG_RUNTIME_DIR", qEnvironmentVariable("KWIN_RUNTIME_DIR"));
    env.insert("QT_QPA_PLATFORM", "wayland");
    env.insert("XKB_DEFAULT_LAYOUT", "us");
    m_program->setProcessEnvironment(env);
    m_program->setProcessChannelMode(QProcess::ForwardedChannels);
    m_program->setWorkingDirectory(home);
    m_program->start(command.takeFirst(), command);
    return m_program->waitForStarted();
}

// `command` run as the user of the KWin session.
QStringList TestKWinPortalE2E::asSessionUser(const QStringList& command)
{
    return qEnvironmentVariable("KWIN_RUN_AS").split(' ', Qt::SkipEmptyParts) + command;
}

// The active shortcuts of KWin's component named after the program's portal session.
QStringList TestKWinPortalE2E::boundShortcuts() const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.kde.kglobalaccel", "/component/Tarvex",
                                       "org.kde.kglobalaccel.Component", "shortcutNames");
    const QDBusMessage reply = bus.call(call);
    return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toStringList()
                                                      : QStringList();
}

// The files the program has open, by their names.
QStringList TestKWinPortalE2E::openedFiles() const
{
    QStringList files;
    QDirIterator fds(QString("/proc/%1/fd").arg(m_program->processId()), QDir::System);
    while (fds.hasNext())
        files << QFileInfo(fds.next()).symLinkTarget();
    return files;
}

QTEST_GUILESS_MAIN(TestKWinPortalE2E)
#include "TestKWinPortalE2E.moc"
