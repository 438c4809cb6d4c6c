#include "E2EHarness.h"
#include "StatusNotifierHost.h"
#include "tests/platform/MockSystemBus.h"

#include "platform/evdev/devices/ReaderProtocol.h"
#include "platform/wayland/WlrKeyInjector.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/stat.h>
#include <unistd.h>

using tarvex::reader::Status;

namespace {

// The windows sway shows (`swaymsg -t get_tree`): every view, tiled or floating, with sway's
// "name" (title), "app_id", "pid", "focused" and "rect", and added to it "workspace" (the name
// of the workspace that holds it, "__i3_scratch" for the scratchpad) and "floating".
QList<QJsonObject> swayWindows()
{
    const QJsonDocument tree =
        QJsonDocument::fromJson(E2EHarness::run("swaymsg", {"-r", "-t", "get_tree"}).toUtf8());
    QList<QJsonObject> windows;
    QList<std::tuple<QJsonObject, QString, bool>> nodes{{tree.object(), QString(), false}};
    while (!nodes.isEmpty()) {
        auto [node, workspace, floating] = nodes.takeLast();
        if (node.value("type").toString() == "workspace")
            workspace = node.value("name").toString();
        if (node.contains("app_id") || node.value("pid").toInteger() > 0) {
            node.insert("workspace", workspace);
            node.insert("floating", floating);
            windows << node;
        }
        for (const QJsonValue& child : node.value("nodes").toArray())
            nodes.append({child.toObject(), workspace, floating});
        for (const QJsonValue& child : node.value("floating_nodes").toArray())
            nodes.append({child.toObject(), workspace, true});
    }
    return windows;
}

// The first of sway's windows whose `key` is `value`, or an empty object.
QJsonObject swayWindow(const QString& key, const QJsonValue& value)
{
    for (const QJsonObject& window : swayWindows()) {
        if (window.value(key) == value)
            return window;
    }
    return {};
}

// The window sway shows focused, or an empty object.
QJsonObject swayFocused()
{
    return swayWindow("focused", true);
}

// Where the window of `appId` is: its workspace, and whether it floats there.
QPair<QString, bool> swayPlaceOf(const QString& appId)
{
    const QJsonObject window = swayWindow("app_id", appId);
    return {window.value("workspace").toString(), window.value("floating").toBool()};
}

} // namespace

// The whole program on a Wayland desktop (headless sway): started as the login
// entry starts it, as a Wayland client with no X display, reading its keys from
// the FIFO that "[Keyboard] Devices" names, or through tarvex-keyreader reading
// such a FIFO; records written into it, as a keyboard's device would give them,
// fire the hotkeys.
class TestWaylandE2E final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY2(qEnvironmentVariableIsSet("WAYLAND_DISPLAY"), "run this test in run-in-sway.sh");
        m_harness = std::make_unique<E2EHarness>();
        m_fifo = m_harness->home() + "/keyboard";
        QVERIFY(::mkfifo(QFile::encodeName(m_fifo).constData(), 0600) == 0);
    }

    void cleanup()
    {
        if (m_keyboard >= 0)
            ::close(m_keyboard);
        m_keyboard = -1;
        if (m_program) {
            programErrors();
            m_program->terminate();
            if (!m_program->waitForFinished(5000))
                m_program->kill();
            m_program->waitForFinished(5000);
        }
        m_program.reset();
        m_errors.clear();
        for (auto& foot : m_feet) {
            foot->kill();
            foot->waitForFinished(5000);
        }
        m_feet.clear();
        if (m_seatKeyboard) {
            m_seatKeyboard->kill();
            m_seatKeyboard->waitForFinished(5000);
        }
        m_seatKeyboard.reset();
        m_harness.reset();
    }

    // Each key its own: Ctrl+F4 is no Ctrl+S, keypad 1 is keypad 1 with the Num Lock light on.
    void hotkeysFireOnceEach()
    {
        E2EHarness& h = *m_harness;
        QStringList records;
        for (const QString word : {"gofb", "(Ctrl)s*ctrls", "(Ctrl)(F4)*ctrlf4", "(Num1)*num1"})
            records << word.section(u'*', 0, 0) + u'*' +
                           h.writeLoggingTarget(word.section(u'*', -1), word.section(u'*', -1));
        QVERIFY(h.writeHotkeys(records));
        QVERIFY(startProgram());
        QVERIFY2(openKeyboard(), "the program never read its keyboard");
        for (int key : {KEY_G, KEY_O, KEY_F, KEY_B})
            tap(key);
        QTRY_COMPARE_WITH_TIMEOUT(h.logLines(), QStringList{"gofb"}, 10000);
        chord({KEY_LEFTCTRL}, KEY_F4);
        QTRY_COMPARE_WITH_TIMEOUT(h.logLines().size(), 2, 10000);
        chord({KEY_LEFTCTRL}, KEY_S);
        QTRY_COMPARE_WITH_TIMEOUT(h.logLines().size(), 3, 10000);
        write(EV_LED, LED_NUML, 1);
        tap(KEY_KP1);
        QTRY_COMPARE_WITH_TIMEOUT(h.logLines(), (QStringList{"gofb", "ctrlf4", "ctrls", "num1"}),
                                  10000);
        QTRY_VERIFY_WITH_TIMEOUT(isWaylandClient(), 15000);
    }

    // "-Close Window-" through the compositor's foreign-toplevel protocol: the terminal sway
    // shows focused closes, the other one and the program stay.
    void closeWindowClosesTheFocusedOne()
    {
        E2EHarness& h = *m_harness;
        QVERIFY(h.writeHotkeys({"(Ctrl)(Alt)c*-Close Window-"}));
        QVERIFY(startProgram());
        QVERIFY2(openKeyboard(), "the program never read its keyboard");
        QTRY_VERIFY_WITH_TIMEOUT(isWaylandClient(), 15000);

        QVERIFY(openFoot("test.stays"));
        QVERIFY(openFoot("test.closed"));

        chord({KEY_LEFTCTRL, KEY_LEFTALT}, KEY_C);
        QTRY_VERIFY_WITH_TIMEOUT(swayWindow("app_id", "test.closed").isEmpty(), 10000);
        QVERIFY(!swayWindow("app_id", "test.stays").isEmpty());
        QVERIFY(isWaylandClient());
        QCOMPARE(m_program->state(), QProcess::Running);
    }

    // A hotkey limited to an app id in the editor's "Applications:" row (worked from the keyboard)
    // fires only while a window of that app id is in front; elsewhere the same keys run the next
    // hotkey, which acts everywhere.
    void hotkeyLimitedToAnApplication()
    {
        E2EHarness& h = *m_harness;
        QVERIFY(h.writeHotkeys({"(Ctrl)(Alt)t*" + h.writeLoggingTarget("limited", "limited"),
                                "(Ctrl)(Alt)t*" + h.writeLoggingTarget("other", "other")}));
        QVERIFY(startProgram(QString(), {}, {}));
        const auto focused = [this](const QString& name) {
            const QJsonObject window = swayFocused();
            return window.value("pid").toInteger() == m_program->processId() &&
                   window.value("name").toString() == name;
        };
        QTRY_VERIFY_WITH_TIMEOUT(focused("Tarvex"), 15000);
        // One virtual keyboard stays while the keys are typed (see the key reader's test).
        QProcess seatKeyboard;
        seatKeyboard.start("wtype", {"-s", "600000"});
        QVERIFY(seatKeyboard.waitForStarted());
        E2EHarness::run("wtype", {"-k", "Shift_L"});
        E2EHarness::run("wtype", {"-s", "300", "-k", "Tab", "-k", "Return"}); // Configure
        QTRY_VERIFY_WITH_TIMEOUT(focused("Configure Hotkeys"), 10000);
        // Alt+P: the row's choice; Down: "Only in"; Tab: the names; Return: "Save Settings".
        E2EHarness::run("wtype", {"-s", "300", "-M", "alt", "p", "-m", "alt", "-k", "Down", "-k",
                                  "Tab", "test.LIMITED", "-k", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(focused("Tarvex"), 10000);
        // The focus is back on " Configure Hotkeys": Shift+Tab and Space press " Start Tarvex".
        E2EHarness::run("wtype",
                        {"-s", "300", "-M", "shift", "-k", "Tab", "-m", "shift", "-k", "space"});
        seatKeyboard.kill();
        seatKeyboard.waitForFinished();
        QVERIFY2(openKeyboard(), "the program never read its keyboard");
        QVERIFY(openFoot("test.other"));
        chord({KEY_LEFTCTRL, KEY_LEFTALT}, KEY_T);
        QTRY_COMPARE_WITH_TIMEOUT(h.logLines(), QStringList{"other"}, 10000);
        QVERIFY(openFoot("test.limited"));
        chord({KEY_LEFTCTRL, KEY_LEFTALT}, KEY_T);
        QTRY_COMPARE_WITH_TIMEOUT(h.logLines(), (QStringList{"other", "limited"}), 10000);
    }

    // "gofb" typed into a terminal whose cat writes a file (wtype types there; the program reads
    // the same keys from its device) fires its hotkey, which erases the four letters through the
    // program's virtual keyboard before its target runs: the line then typed is alone in the file.
    void typedSequenceIsErased()
    {
        E2EHarness& h = *m_harness;
        const QString target = h.writeLoggingTarget("target", "fired");
        QVERIFY(m_harness->writeHotkeys({"gofb*" + target}, {"erase"}));
        QVERIFY(startProgram());
        QVERIFY2(openKeyboard(), "the program never read its keyboard");
        const QString typed = h.home() + "/typed.txt";
        QVERIFY(openFoot("test.typed", {"sh", "-c", "cat > \"$0\"", typed}));
        QVERIFY(keepSeatKeyboard());
        E2EHarness::run("wtype", {"gofb"});
        for (int key : {KEY_G, KEY_O, KEY_F, KEY_B})
            tap(key);
        QTRY_COMPARE_WITH_TIMEOUT(h.logLines(), QStringList{"fired"}, 10000);
        E2EHarness::run("wtype", {"x", "-k", "Return", "-M", "ctrl", "d", "-m", "ctrl"});
        QVERIFY(m_feet.back()->waitForFinished(10000));
        QCOMPARE(fileText(typed), "x\n");
    }

    void typeTextHotkeyTypesItsText_data()
    {
        QTest::addColumn<bool>("shift");
        QTest::newRow("plain") << false;
        QTest::newRow("Shift held") << true;
    }

    // A "Type text" hotkey (its sequence erased before it types) types its text, each character
    // as itself, line break and all, into a terminal whose cat writes a file; a Shift held while
    // the hotkey fires changes none of it.
    void typeTextHotkeyTypesItsText()
    {
        QFETCH(bool, shift);
        E2EHarness& h = *m_harness;
        const QString text = QString::fromUtf8("Gr\u00fc\u00dfe, \u20ac5 \u2014 ok\nline 2\n");
        QVERIFY(m_harness->writeHotkeys({"gofb*-Type Text-"},
                                        {"erase\ttext=" + QUrl::toPercentEncoding(text)}));
        QVERIFY(startProgram());
        QVERIFY2(openKeyboard(), "the program never read its keyboard");
        const QString typed = h.home() + "/typed.txt";
        QVERIFY(openFoot("test.typed", {"sh", "-c", "cat > \"$0\"", typed}));
        // Shift held where the program reads its keys, and on a keyboard of the seat.
        QVERIFY(keepSeatKeyboard(shift ? "shift" : ""));
        if (shift)
            press(KEY_LEFTSHIFT);
        E2EHarness::run("wtype", {shift ? "GOFB" : "gofb"});
        for (int key : {KEY_G, KEY_O, KEY_F, KEY_B})
            tap(key);
        QTRY_COMPARE_WITH_TIMEOUT(fileText(typed), text, 10000);
        if (shift)
            release(KEY_LEFTSHIFT);
    }

    // The virtual keyboard types each character as itself, letters and signs the seat's layout
    // (German here) lacks or has elsewhere too, and more different ones than one keymap holds;
    // it asks before each one whether to go on, and stops when told.
    void virtualKeyboardTypesAnyCharacter()
    {
        const QString typed = m_harness->home() + "/typed.txt";
        QVERIFY(openFoot("test.typed", {"sh", "-c", "cat > \"$0\"", typed}));
        E2EHarness::run("swaymsg", {"input", "type:keyboard", "xkb_layout", "de"});
        QVERIFY(keepSeatKeyboard());
        tarvex::WlrKeyInjector injector;
        QVERIFY(injector.available());
        int asked = 0;
        QVERIFY(injector.typeText("Grüße, €5\r\n", [&] { return ++asked > 0; }).isEmpty());
        QCOMPARE(asked, 10);
        QTRY_COMPARE_WITH_TIMEOUT(fileText(typed), "Grüße, €5\n", 10000);
        injector.typeText("ab\ncd\n", [&] { return ++asked <= 13; });
        QCOMPARE(asked, 14);
        QString many = "zy";
        for (char16_t c = u'\u4e00'; c < u'\u4e00' + 300; ++c)
            many += QChar(c);
        injector.typeText(many + "\n", {});
        QTRY_COMPARE_WITH_TIMEOUT(fileText(typed), "Grüße, €5\nab\n" + many + "\n", 10000);
    }

    // "-Hide Window-" on sway: the window goes to sway's scratchpad and gets its own icon in a
    // StatusNotifierItem tray; a click on the icon brings it back with the focus, and a window
    // still hidden when the program is ended (SIGTERM) comes back too.
    void hiddenWindowHasAnIconAndComesBack()
    {
        StatusNotifierHost tray;
        QVERIFY(tray.start());
        QVERIFY(m_harness->writeHotkeys({"(Ctrl)(Alt)h*-Hide Window-"}));
        QVERIFY(startProgram(tray.address()));
        QVERIFY2(openKeyboard(), "the program never read its keyboard");
        QTRY_COMPARE_WITH_TIMEOUT(tray.items().size(), 1, 15000); // the program's own icon
        QVERIFY(openFoot("test.other"));
        QVERIFY(openFoot("test.hidden"));
        const QString workspace = swayPlaceOf("test.hidden").first;

        const auto hide = [this] { chord({KEY_LEFTCTRL, KEY_LEFTALT}, KEY_H); };
        hide();
        QTRY_COMPARE_WITH_TIMEOUT(swayPlaceOf("test.hidden").first, "__i3_scratch", 10000);
        QTRY_COMPARE_WITH_TIMEOUT(tray.items().size(), 2, 10000);
        QVERIFY(tray.activate(tray.items().last()));
        QTRY_COMPARE_WITH_TIMEOUT(swayPlaceOf("test.hidden"), qMakePair(workspace, false), 10000);
        QTRY_COMPARE(swayFocused().value("app_id").toString(), "test.hidden");

        hide();
        QTRY_COMPARE_WITH_TIMEOUT(swayPlaceOf("test.hidden").first, "__i3_scratch", 10000);
        // The tray answers the program's calls on the way out: wait without blocking it.
        m_program->terminate();
        QTRY_COMPARE_WITH_TIMEOUT(m_program->state(), QProcess::NotRunning, 10000);
        QCOMPARE(swayPlaceOf("test.hidden"), qMakePair(workspace, false));
    }

    // With no tray on the desktop the program's stand-in window appears; sway floats it at its own
    // small size rather than tiling it over half the screen.
    void standInWindowFloatsSmall()
    {
        QVERIFY(m_harness->writeHotkeys({"gofb*-Close Window-"}));
        QVERIFY(startProgram());
        QTRY_VERIFY_WITH_TIMEOUT(isWaylandClient(), 15000);
        const QJsonObject window = swayWindow("pid", m_program->processId());
        const QJsonObject rect = window.value("rect").toObject();
        const QString seen = QJsonDocument(window).toJson(QJsonDocument::Compact).left(600);
        QVERIFY2(window.value("floating").toBool(), qPrintable(seen));
        // The output is 1280 x 800: a tiled window would have all of it or half of it.
        QVERIFY2(rect.value("width").toInt() < 400 && rect.value("height").toInt() < 200,
                 qPrintable(seen));
        QCOMPARE(window.value("name").toString(), "Tarvex");
        // Qt's tray warns of a signal only X11 has; the stand-in window makes it say nothing.
        QVERIFY2(!programErrors().contains("systemTrayWindowChanged"), m_errors.constData());
    }

    // With "Source=auto", a table with a sequence and no keyboard the program may read itself, the
    // keys come through tarvex-keyreader (here run as root against a FIFO, beside stand-ins for
    // logind and polkit on a private system bus) once the user has allowed it: the main window
    // says so and " Start Tarvex" asks (polkit's question), a hotkey of plain keys fires, and a
    // later start passes keys without asking again.
    void readerPassesKeysAfterOneAuthorisation()
    {
        E2EHarness& h = *m_harness;
        PrivateBus bus(PrivateBus::Kind::System);
        QVERIFY(!bus.address().isEmpty());
        QDBusConnection standIns = QDBusConnection::connectToBus(bus.address(), "standins");
        MockLogindSeat seat;
        seat.reset(::geteuid());
        MockPolkit polkit;
        QVERIFY(seat.serve(standIns) && polkit.serve(standIns));
        const QString devices = h.home() + "/devices";
        QVERIFY(QDir().mkpath(devices));
        m_fifo = devices + "/event0";
        QVERIFY(::mkfifo(QFile::encodeName(m_fifo).constData(), 0600) == 0);
        const QString socket = h.home() + "/reader.socket";
        QProcess reader;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SYSTEM_BUS_ADDRESS", bus.address());
        reader.setProcessEnvironment(environment);
        reader.setProcessChannelMode(QProcess::MergedChannels);
        reader.start(qEnvironmentVariable("TARVEX_KEYREADER"),
                     {"--socket", socket, "--folder", devices, "--state", h.home() + "/state"});
        QString log;
        const auto said = [&](Status status) {
            log += QString::fromUtf8(reader.readAll());
            return log.contains(QStringLiteral("caller %1: status %2")
                                    .arg(m_program->processId())
                                    .arg(int(status)));
        };
        QVERIFY(h.writeHotkeys({"gofb*" + h.writeLoggingTarget("gofb", "gofb")}));
        qputenv("TARVEX_KEYREADER_SOCKET", QFile::encodeName(socket));
        // "auto" (the default): a table with a sequence goes to the reader; the program itself can
        // read no keyboard.
        const QByteArray noDevices = "Devices=" + QFile::encodeName(h.home()) + "/no-keyboard\n";
        QVERIFY(startProgram(QString(), noDevices, {}));
        QTRY_VERIFY_WITH_TIMEOUT(said(Status::NotAuthorised), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(swayFocused().value("pid").toInteger(), m_program->processId(),
                                  15000);
        // The main window says so, below its buttons (it grows from its designed 305 pixels).
        const auto mainWindowFocused = [this] {
            const QJsonObject window = swayFocused();
            return window.value("pid").toInteger() == m_program->processId() &&
                   window.value("rect").toObject().value("height").toInt() > 400;
        };
        QTRY_VERIFY_WITH_TIMEOUT(mainWindowFocused(), 10000);
        // Space presses " Start Tarvex", which has the keyboard focus. One virtual keyboard stays
        // while the keys are pressed: each wtype brings a keyboard of its own and takes it away as
        // it ends, and a seat whose only keyboard comes and goes moves the focus as no desktop
        // does. Its first key only makes the keyboard known, and a key may come before the window
        // takes keys: pressed again while the window is there and polkit was not asked.
        QProcess seatKeyboard;
        seatKeyboard.start("wtype", {"-s", "600000"});
        QVERIFY(seatKeyboard.waitForStarted());
        E2EHarness::run("wtype", {"-k", "Shift_L"});
        for (int i = 0; i < 10 && polkit.calls.isEmpty() && mainWindowFocused(); ++i) {
            E2EHarness::run("wtype", {"-k", "space"});
            if (QTest::qWaitFor([&] { return !polkit.calls.isEmpty(); }, 1000))
                break;
        }
        QTRY_VERIFY_WITH_TIMEOUT(said(Status::Streaming), 15000);
        seatKeyboard.kill();
        seatKeyboard.waitForFinished();
        QCOMPARE(polkit.calls.size(), 1);
        QVERIFY2(openKeyboard(), "the reader never read its keyboard");
        for (int key : {KEY_G, KEY_O, KEY_F, KEY_B})
            tap(key);
        QTRY_COMPARE_WITH_TIMEOUT(h.logLines(), QStringList{"gofb"}, 10000);

        ::close(std::exchange(m_keyboard, -1));
        m_program->terminate();
        QVERIFY(m_program->waitForFinished(10000));
        QVERIFY(startProgram(QString(), noDevices));
        QTRY_VERIFY_WITH_TIMEOUT(said(Status::Streaming), 15000);
        QVERIFY2(openKeyboard(), "the reader never read its keyboard again");
        for (int key : {KEY_G, KEY_O, KEY_F, KEY_B})
            tap(key);
        QTRY_COMPARE_WITH_TIMEOUT(h.logLines().size(), 2, 10000);
        QCOMPARE(polkit.calls.size(), 1);
        qunsetenv("TARVEX_KEYREADER_SOCKET");
        reader.terminate();
        reader.waitForFinished();
    }

private:
    bool startProgram(const QString& busAddress = QString(), const QByteArray& keyboard = {},
                      const QStringList& arguments = {"automatic"});
    bool openFoot(const QString& appId, const QStringList& command = {"sleep", "600"});
    bool keepSeatKeyboard(const QString& heldModifier = {});
    static QString fileText(const QString& path)
    {
        return QString::fromUtf8(E2EHarness::readFile(path));
    }
    bool openKeyboard();
    void write(quint16 type, quint16 code, qint32 value);
    void press(int key) { key_(key, 1); }
    void release(int key) { key_(key, 0); }
    void tap(int key)
    {
        press(key);
        release(key);
    }
    void chord(const QList<int>& modifiers, int key)
    {
        for (int modifier : modifiers)
            press(modifier);
        tap(key);
        for (int modifier : modifiers)
            release(modifier);
    }
    void key_(int key, int value)
    {
        write(EV_KEY, quint16(key), value);
        write(EV_SYN, SYN_REPORT, 0);
    }
    // sway lists its clients' windows with their process; the program's stand-in tray window
    // (there is no tray here) makes it one of them.
    bool isWaylandClient() const { return !swayWindow("pid", m_program->processId()).isEmpty(); }
    QByteArray programErrors();

    std::unique_ptr<E2EHarness> m_harness;
    std::unique_ptr<QProcess> m_program;
    std::vector<std::unique_ptr<QProcess>> m_feet;
    std::unique_ptr<QProcess> m_seatKeyboard;
    QString m_fifo;
    QByteArray m_errors;
    int m_keyboard = -1;
};

// A foot terminal titled by its app id, running `command` (a quiet program unless given); true
// once sway focuses it.
bool TestWaylandE2E::openFoot(const QString& appId, const QStringList& command)
{
    auto foot = std::make_unique<QProcess>();
    foot->start("foot", QStringList{"--app-id=" + appId, "--title=" + appId} + command);
    if (!foot->waitForStarted())
        return false;
    m_feet.push_back(std::move(foot));
    return QTest::qWaitFor([&] { return swayFocused().value("app_id") == appId; }, 20000);
}

// A keyboard that stays on the seat, as a desktop's real one does: while the seat has none,
// each new virtual keyboard makes the clients take a keyboard anew and its first keys are lost.
bool TestWaylandE2E::keepSeatKeyboard(const QString& heldModifier)
{
    m_seatKeyboard = std::make_unique<QProcess>();
    const QStringList hold =
        heldModifier.isEmpty() ? QStringList() : QStringList{"-M", heldModifier};
    m_seatKeyboard->start("wtype", hold + QStringList{"-s", "600000"});
    if (!m_seatKeyboard->waitForStarted())
        return false;
    E2EHarness::run("wtype", {"-k", "Shift_L"});
    return true;
}

// What the program wrote on its standard error so far, also passed on to the test's.
QByteArray TestWaylandE2E::programErrors()
{
    const QByteArray more = m_program->readAllStandardError();
    std::fwrite(more.constData(), 1, size_t(more.size()), stderr);
    m_errors += more;
    return m_errors;
}

// With `busAddress`, the program's session bus (a tray); else it has none. `keyboard` is more
// of the settings' [Keyboard] section; the keyboard device is the test's FIFO unless it says.
bool TestWaylandE2E::startProgram(const QString& busAddress, const QByteArray& keyboard,
                                  const QStringList& arguments)
{
    const QString home = m_harness->home();
    QFile settings(home + "/.config/Tarvex/Tarvex.ini");
    if (!settings.open(QIODevice::WriteOnly))
        return false;
    const QByteArray devices = keyboard.contains("Devices=") ? "" : "Devices=" + m_fifo.toUtf8();
    settings.write("[Hotkey%20Activation]\nSound=\nNotification=0\n[Startup]\nNote=1\nRun=0\n"
                   "[Keyboard]\n" +
                   devices + "\n" + keyboard);
    settings.close();
    const QString runtime = home + "/runtime";
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    m_program = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("XDG_RUNTIME_DIR", runtime);
    env.insert("QT_QPA_PLATFORM", "wayland");
    env.insert("XKB_DEFAULT_LAYOUT", "us");
    env.remove("DISPLAY");
    env.remove("XDG_SESSION_TYPE");
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    if (!busAddress.isEmpty())
        env.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
    m_program->setProcessEnvironment(env);
    // The program's warnings are read (and passed on) by programErrors().
    m_program->setProcessChannelMode(QProcess::ForwardedOutputChannel);
    m_program->setWorkingDirectory(home);
    m_program->start(qEnvironmentVariable("TARVEX_PROGRAM"), arguments);
    return m_program->waitForStarted();
}

// The program reads the FIFO once it watches the keyboard: until then nobody reads it.
bool TestWaylandE2E::openKeyboard()
{
    return QTest::qWaitFor(
               [this] {
                   m_keyboard =
                       ::open(QFile::encodeName(m_fifo).constData(), O_WRONLY | O_NONBLOCK);
                   return m_keyboard >= 0 || m_program->state() != QProcess::Running;
               },
               20000) &&
           m_keyboard >= 0;
}

void TestWaylandE2E::write(quint16 type, quint16 code, qint32 value)
{
    const input_event event{{0, 0}, type, code, value};
    QVERIFY(::write(m_keyboard, &event, sizeof(event)) == ssize_t(sizeof(event)));
}

QTEST_GUILESS_MAIN(TestWaylandE2E)
#include "TestWaylandE2E.moc"
