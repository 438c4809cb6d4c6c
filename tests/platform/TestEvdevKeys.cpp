#include "platform/common/KeySourceChoice.h"
#include "platform/evdev/EvdevKeyEventCodes.h"
#include "platform/evdev/EvdevKeyStateSource.h"
#include "platform/evdev/SessionKeymap.h"
#include "tests/fakes/PrivateBus.h"
#include "tests/platform/FifoKeyboard.h"
#include "tests/platform/LayoutKeys.h"

#include <QDBusPendingCall>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvex;

namespace {

// The source under test, with the codes of the presses it announced.
struct Rig
{
    QTemporaryDir folder;
    SessionKeymap keymap{QDBusConnection(QStringLiteral("no bus"))};
    std::unique_ptr<EvdevKeyStateSource> source;
    QList<int> polled;

    explicit Rig(const QStringList& devices = {})
    {
        source = std::make_unique<EvdevKeyStateSource>(keymap, folder.path(), devices);
        source->setPressCallback([this](int code) { polled << code; });
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    template <typename Condition> bool waitFor(Condition condition)
    {
        return QTest::qWaitFor(condition, 10000);
    }
    /// Starts the source as an ordinary user (root reads any file).
    bool startAsUser()
    {
        const bool root = ::geteuid() == 0;
        if (root && ::seteuid(65534) != 0)
            return false;
        const bool started = source->start();
        return (!root || ::seteuid(0) == 0) && started;
    }
};

} // namespace

// A stand-in for systemd-localed on a private bus: its three keyboard properties.
class MockLocale final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.locale1")
    Q_PROPERTY(QString X11Layout MEMBER layout)
    Q_PROPERTY(QString X11Variant MEMBER variant)
    Q_PROPERTY(QString X11Options MEMBER options)

public:
    QString layout, variant, options;
};

// The key source that reads the kernel's input devices, fed through FIFOs of
// input-event records in a folder standing in for /dev/input.
class TestEvdevKeys final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_address = m_bus.address();
        QVERIFY2(!m_address.isEmpty(), "dbus-daemon did not start");
        QDBusConnection service = QDBusConnection::connectToBus(m_address, "localed");
        QVERIFY(service.isConnected());
        QVERIFY(service.registerObject("/org/freedesktop/locale1", &m_locale,
                                       QDBusConnection::ExportAllProperties));
        QVERIFY(service.registerService("org.freedesktop.locale1"));
    }

    // Each test starts from the US layout and sets the one it needs.
    void init()
    {
        qputenv("XKB_DEFAULT_LAYOUT", "us");
        qunsetenv("XKB_DEFAULT_VARIANT");
        qunsetenv("XKB_DEFAULT_OPTIONS");
    }
    void cleanupTestCase()
    {
        QDBusConnection::disconnectFromBus("localed");
        QDBusConnection::disconnectFromBus("client");
    }

    // Steps: "1+30" keyboard 1 presses evdev key 30 (A), "1-30" releases it, "1=30"
    // repeats it; "1!" is SYN_DROPPED, "1." SYN_REPORT; "1n1"/"1n0" its Num Lock light;
    // "1x" removes keyboard 1. "p65,83" expects the codes announced as new presses since the
    // last "p" (empty: none); a key still down is no new press, so pressing it again shows it is.
    // Rows headed "us,de:" run on a keymap of two layouts that Alt+Shift switches.
    void streams_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("press once, held, released") << "1+30 p65 1+30 p 1-30 1+30 p65";
        QTest::newRow("auto-repeat is no press") << "1+30 1=30 1=30 p65";
        QTest::newRow("tap") << "1+30 1-30 p65 1+30 p65";
        QTest::newRow("release without press") << "1-30 1-30 p 1+30 p65";
        QTest::newRow("held on one keyboard, pressed on another: one press")
            << "1+30 2+30 p65 1-30 1+30 p 1-30 2-30 2+30 p65";
        QTest::newRow("keyboards interleaved") << "1+29 2+46 1+30 2-46 1-29 2+31 p17,67,65,83";
        QTest::newRow("either Shift is the one Shift")
            << "1+42 1+54 p16 1-42 1+42 p 1-42 1-54 1+54 p16";
        QTest::newRow("Alt, Ctrl and the Windows keys of both sides")
            << "1+56 1+100 1+29 1+97 1+125 1+126 p18,17,91,92";
        QTest::newRow("lost events: records up to the report are skipped, held keys go up")
            << "1+30 p65 1! 1+31 1-30 1+32 1. p 1+31 1+32 1+30 p83,68,65";
        QTest::newRow("lost events on one keyboard leave the other's keys")
            << "1+30 2+31 p65,83 1! 1. 2+31 1+30 p65";
        QTest::newRow("keyboard removed mid-press") << "1+30 2+31 p65,83 1x 2+31 2+30 p65";
        QTest::newRow("keyboard removed, key held on another stays down")
            << "1+30 2+30 p65 1x 2-30 2+30 p65";
        QTest::newRow("keypad 1 is one key whatever the Num Lock light says")
            << "1+79 p97 1-79 1n1 1+79 p97 1-79 1n0 1+79 p97";
        // Key codes past the tables (248 and up: buttons, or anything a device may send) are
        // ignored without reaching them, and the keys after them still count.
        QTest::newRow("keys without a number are ignored")
            << "1+240 1+0 1+248 1+255 1+256 1+272 1+767 1+65535 p 1+30 p65";
        // Num Lock on (its key and its light) leaves every key the key it is: the navigation
        // keys, the digits and the letters are no keypad keys, the keypad keys stay theirs.
        QTest::newRow("Num Lock changes no key")
            << "1+69 1-69 1n1 p144 1+102 1+103 1+111 1+2 1+16 1+79 1+71 p36,38,46,49,81,97,103";
        QTest::newRow("a layout switch is followed at once")
            << "us,de: 1+21 1-21 p89 1+56 1+42 1-42 1-56 p18,16 1+21 1-21 p90 1+56 1+42 1-42 1-56 "
               "1+21 p18,16,89";
    }
    void streams()
    {
        QFETCH(QString, script);
        if (script.startsWith(u"us,de: ")) {
            qputenv("XKB_DEFAULT_LAYOUT", "us,de");
            qputenv("XKB_DEFAULT_OPTIONS", "grp:alt_shift_toggle");
            script = script.mid(7);
        }
        Rig rig;
        FifoKeyboard keyboards[] = {FifoKeyboard(rig.path("event1")),
                                    FifoKeyboard(rig.path("event2"))};
        QVERIFY(rig.source->start());
        QCOMPARE(rig.source->keyboards().size(), 2);
        const auto flush = [&] {
            return keyboards[0].waitUntilRead() & keyboards[1].waitUntilRead();
        };
        const QRegularExpression step(QStringLiteral("^(?:(\\d)([-+=n!.x])(\\d*)|p([\\d,]*))$"));
        for (const QString& text : script.split(u' ')) {
            const QRegularExpressionMatch m = step.match(text);
            QVERIFY2(m.hasMatch(), qPrintable(text));
            if (!m.captured(1).isEmpty()) {
                FifoKeyboard& keyboard = keyboards[m.captured(1).toInt() - 1];
                const QChar action = m.captured(2).at(0);
                const int number = m.captured(3).toInt();
                if (action == u'x') {
                    QVERIFY(flush());
                    keyboard.remove();
                    QVERIFY(rig.waitFor([&] { return rig.source->keyboards().size() == 1; }));
                    continue;
                }
                // "-+=" are the key's values 0 (up), 1 (down) and 2 (repeat).
                const bool written =
                    action == u'n'   ? keyboard.write(EV_LED, LED_NUML, number)
                    : action == u'!' ? keyboard.write(EV_SYN, SYN_DROPPED, 0)
                    : action == u'.'
                        ? keyboard.write(EV_SYN, SYN_REPORT, 0)
                        : keyboard.write(EV_KEY, number, QStringView(u"-+=").indexOf(action));
                // Keyboards are read one at a time as their records arrive, like real ones typed
                // on.
                QVERIFY2(written && keyboard.waitUntilRead(), qPrintable(text));
                continue;
            }
            QVERIFY(flush());
            QStringList polled;
            for (int code : std::as_const(rig.polled))
                polled << QString::number(code);
            QCOMPARE(polled.join(u','), m.captured(4));
            rig.polled.clear();
        }
    }

    // Each press is announced, also when its release is read in the same go; test feeders and
    // benchmarks open, write and close: the FIFO is read again after each.
    void streamOutlivesItsWriters()
    {
        Rig rig;
        FifoKeyboard keyboard(rig.path("event0"));
        rig.source->start();
        for (int i = 0; i < 3; ++i) {
            keyboard.write(EV_KEY, KEY_A, 1);
            keyboard.write(EV_SYN, SYN_REPORT, 0);
            keyboard.write(EV_KEY, KEY_A, 0);
            keyboard.write(EV_SYN, SYN_REPORT, 0);
        }
        QVERIFY(keyboard.waitUntilRead());
        QCOMPARE(rig.polled, (QList<int>{65, 65, 65}));
        rig.polled.clear();
        for (int key : {KEY_G, KEY_O, KEY_F, KEY_B}) {
            QVERIFY(keyboard.type({key}) && keyboard.waitUntilRead());
            keyboard.close();
        }
        QCOMPARE(rig.polled, (QList<int>{71, 79, 70, 66}));
        QCOMPARE(rig.source->keyboards(), QStringList{keyboard.path()});
    }

    void regularFileIsReadAndFollowed()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("keys");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const auto append = [&](quint16 key, qint32 value) {
            const input_event event{{0, 0}, EV_KEY, key, value};
            file.write(reinterpret_cast<const char*>(&event), sizeof(event));
            file.flush();
        };
        append(KEY_X, 1);
        append(KEY_X, 0);
        Rig rig({path});
        rig.source->start();
        QCOMPARE(rig.polled, QList<int>{88});
        append(KEY_Y, 1);
        QVERIFY(rig.waitFor([&] { return rig.polled.size() == 2; }));
        QCOMPARE(rig.polled, (QList<int>{88, 89}));
    }

    void layouts_data()
    {
        QTest::addColumn<bool>("de");
        QTest::addColumn<int>("key");
        for (int n = 0; n < int(std::size(LayoutKeys)); ++n) {
            QTest::addRow("us %s", LayoutKeys[n].name) << false << n;
            QTest::addRow("de %s", LayoutKeys[n].name) << true << n;
        }
    }
    void layouts()
    {
        QFETCH(bool, de);
        QFETCH(int, key);
        const LayoutKey& k = LayoutKeys[key];
        qputenv("XKB_DEFAULT_LAYOUT", de ? "de" : "us");
        Rig rig;
        FifoKeyboard keyboard(rig.path("event0"));
        rig.source->start();
        // Num Lock as the user turns it on: its key, then its light.
        if (k.numLock)
            QVERIFY(keyboard.type({KEY_NUMLOCK}) && keyboard.write(EV_LED, LED_NUML, 1));
        QVERIFY(keyboard.type({k.evdevCode}) && keyboard.waitUntilRead());
        const int code = de ? k.de : k.us;
        QCOMPARE(rig.polled, k.numLock ? (QList<int>{144, code}) : (QList<int>{code}));
    }

    // The session's layout comes from localed and follows its changes; what the environment
    // sets wins.
    void layoutFromLocaleAndEnvironment()
    {
        const int keyRightOfT = 21 + 8;
        qunsetenv("XKB_DEFAULT_LAYOUT");
        QDBusConnection bus = QDBusConnection::connectToBus(m_address, "client");
        m_locale.layout = "de";
        m_locale.variant = "nodeadkeys";
        SessionKeymap keymap(bus);
        QTRY_COMPARE(keymap.names().layout, QStringLiteral("de"));
        QCOMPARE(keymap.names().variant, QStringLiteral("nodeadkeys"));
        QCOMPARE(keymap.codeFor(keyRightOfT), 90);
        QSignalSpy changed(&keymap, &SessionKeymap::changed);
        m_locale.layout = "us";
        m_locale.variant.clear();
        QDBusMessage signal = QDBusMessage::createSignal(
            "/org/freedesktop/locale1", "org.freedesktop.DBus.Properties", "PropertiesChanged");
        signal << QStringLiteral("org.freedesktop.locale1") << QVariantMap{}
               << QStringList{"X11Layout", "X11Variant"};
        QVERIFY(QDBusConnection(QStringLiteral("localed")).send(signal));
        QVERIFY(changed.wait(5000));
        QCOMPARE(keymap.names().layout, QStringLiteral("us"));
        QCOMPARE(keymap.codeFor(keyRightOfT), 89);
        qputenv("XKB_DEFAULT_LAYOUT", "de");
        SessionKeymap overridden(bus);
        // Replies come in order: once a later question is answered, the keymap's (us) has come.
        QDBusMessage ask =
            QDBusMessage::createMethodCall("org.freedesktop.locale1", "/org/freedesktop/locale1",
                                           "org.freedesktop.DBus.Properties", "GetAll");
        ask << QStringLiteral("org.freedesktop.locale1");
        const QDBusPendingCall later = bus.asyncCall(ask);
        QTRY_VERIFY_WITH_TIMEOUT(later.isFinished(), 10000);
        QCoreApplication::processEvents();
        QCOMPARE(overridden.names().layout, QStringLiteral("de"));
        QCOMPARE(overridden.codeFor(keyRightOfT), 90);
    }

    // Keyboards plugged in are picked up, removed ones dropped; other devices never count.
    void hotPlug()
    {
        Rig rig;
        rig.source->start();
        QCOMPARE(rig.source->keyboards(), QStringList{});
        FifoKeyboard mouse(rig.path("mouse0"));
        FifoKeyboard first(rig.path("event4"));
        QVERIFY(rig.waitFor([&] { return rig.source->keyboards() == QStringList{first.path()}; }));
        FifoKeyboard second(rig.path("event7"));
        QVERIFY(rig.waitFor([&] { return rig.source->keyboards().size() == 2; }));
        first.write(EV_KEY, KEY_A, 1);
        second.write(EV_KEY, KEY_B, 1);
        QVERIFY(first.waitUntilRead() && second.waitUntilRead());
        QCOMPARE(rig.polled, (QList<int>{65, 66}));
        first.remove();
        QVERIFY(rig.waitFor([&] { return rig.source->keyboards() == QStringList{second.path()}; }));
        QVERIFY(rig.source->problem().isEmpty());
    }

    // A listed keyboard whose folder is missing at start, or goes and comes back (udev removes
    // /dev/input/by-id with the last USB keyboard), is read whenever it is there.
    void listedKeyboardInAFolderThatComesAndGoes()
    {
        QTemporaryDir root;
        const QString top = root.filePath("by-id");
        const QString path = top + "/usb/kbd";
        Rig rig({path});
        rig.source->start();
        QCOMPARE(rig.source->problem(), EvdevKeyStateSource::NoKeyboardProblem());
        for (int key : {KEY_A, KEY_B}) {
            QVERIFY(QDir().mkpath(top + "/usb"));
            FifoKeyboard keyboard(path);
            QVERIFY(rig.waitFor([&] { return rig.source->keyboards() == QStringList{path}; }));
            QVERIFY(keyboard.write(EV_KEY, quint16(key), 1) && keyboard.waitUntilRead());
            keyboard.remove();
            QVERIFY(QDir(top).removeRecursively());
            QVERIFY(rig.waitFor([&] { return rig.source->keyboards().isEmpty(); }));
        }
        QCOMPARE(rig.polled, (QList<int>{65, 66}));
    }

    // Without access to any keyboard the source says so (and nothing fails); once the user has
    // access, starting again reads the keyboard.
    void unreadableKeyboardSaysSoUntilReadable()
    {
        Rig rig;
        QVERIFY(::chmod(QFile::encodeName(rig.folder.path()).constData(), 0755) == 0);
        FifoKeyboard keyboard(rig.path("event0"));
        QVERIFY(::chmod(QFile::encodeName(keyboard.path()).constData(), 0) == 0);
        int announced = 0;
        rig.source->setProblemCallback([&] { ++announced; });
        QVERIFY(rig.startAsUser());
        QCOMPARE(rig.source->problem(), EvdevKeyStateSource::NoAccessProblem());
        QCOMPARE(announced, 1);
        QCOMPARE(rig.source->keyboards(), QStringList{});
        QVERIFY(::chmod(QFile::encodeName(keyboard.path()).constData(), 0644) == 0);
        QVERIFY(rig.startAsUser());
        QCOMPARE(rig.source->keyboards(), QStringList{keyboard.path()});
        QVERIFY(rig.source->problem().isEmpty());
        QCOMPARE(announced, 2);
        keyboard.write(EV_KEY, KEY_K, 1);
        QVERIFY(keyboard.waitUntilRead());
        QCOMPARE(rig.polled, QList<int>{75});
    }

    // The capture box names a key by the event's keysym, so a virtual keyboard with a keymap of
    // its own (wtype types "g" with keycode 10, the "1" of the session's layout) records what it
    // types; a keysym that names no key goes by the source's table, in the source's state.
    void captureBoxUsesTheSourcesTable()
    {
        const int keyRightOfT = 21 + 8;
        const int keyOne = 2 + 8;
        const int keyOfSharpS = 12 + 8;
        qputenv("XKB_DEFAULT_LAYOUT", "de");
        Rig rig;
        EvdevKeyEventCodes codes(rig.keymap);
        const auto codeOf = [&codes](int key, int keycode, quint32 keysym,
                                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            return codes.codeFor(
                QKeyEvent(QEvent::KeyPress, key, modifiers, quint32(keycode), keysym, 0));
        };
        QCOMPARE(codeOf(Qt::Key_Z, keyRightOfT, 'z'), 90);
        QCOMPARE(codeOf(Qt::Key_G, keyOne, 'g'), 71);
        QCOMPARE(codeOf(Qt::Key_Exclam, keyOne, '!'), 49);
        QCOMPARE(codeOf(Qt::Key_ssharp, keyOfSharpS, 0xdf), 191);
        // A synthesised event has no keycode: its key symbol decides.
        QCOMPARE(codeOf(Qt::Key_Y, 0, 0), 89);
        // Only what Qt marks as the keypad's is a keypad key.
        QCOMPARE(codeOf(Qt::Key_Home, 0, 0), 36);
        QCOMPARE(codeOf(Qt::Key_1, 0, 0), 49);
        QCOMPARE(codeOf(Qt::Key_Home, 0, 0, Qt::KeypadModifier), 103);
        QCOMPARE(codeOf(Qt::Key_1, 0, 0, Qt::KeypadModifier), 97);
        // Codes past the keymap's table name no key.
        QCOMPARE(QList({rig.keymap.codeFor(256), rig.keymap.codeFor(0x10000)}), QList({0, 0}));
    }

    // As sysfs lists them: whether a device is a keyboard, and whether it has any key.
    void unreadableDevicesShowWhetherTheyAreKeyboards()
    {
        const QByteArray keyboard =
            "1000000000007 ff9f207ac14057ff febeffdfffefffff fffffffffffffffe\n";
        const struct
        {
            QByteArray capabilities;
            bool keyboard, anyKey;
        } rows[] = {
            {keyboard, true, true},
            {"1f0000 0 0 0 0\n", false, true},   // a mouse
            {"10000000000000 0\n", false, true}, // a power button
            {"0\n", false, false},
            {"0 0 0 0 0\n", false, false},
            // Q, P, A, L, Z and M alone make a keyboard; each one bit further up, or one word
            // further up, makes none; a keyboard without A is none.
            {"4104042010000\n", true, true},
            {"8208084020000\n", false, true},
            {"4104042010000 0\n", false, true},
            {"1000000000007 ff9f207ac14057ff febeffdfffefffff ffffffffbffffffe\n", false, true},
        };
        for (const auto& row : rows) {
            QCOMPARE(QList({InputStream::capabilitiesShowKeyboard(row.capabilities, false),
                            InputStream::capabilitiesShowKeyboard(row.capabilities, true)}),
                     QList({row.keyboard, row.anyKey}));
        }
    }

    void choice()
    {
        using K = KeySourceKind;
        const struct
        {
            const char *setting, *type, *display;
            bool x11Usable;
            K kind;
        } rows[] = {
            {"auto", "x11", "", true, K::X11},
            {"auto", "wayland", "wayland-0", true, K::Wayland}, // with Xwayland
            {"", "", "wayland-0", false, K::Wayland},
            {"", "tty", "wayland-0", true, K::X11}, // a Wayland display beside a usable X11 one
            {"auto", "", "", true, K::X11},
            {"auto", "", "", false, K::X11}, // nothing usable stays with X11
            {"evdev", "x11", "", true, K::Evdev},
            {"Reader", "x11", "", true, K::Reader},
            {" X11 ", "wayland", "wayland-0", true, K::X11},
            {"kernel", "wayland", "", false, K::Wayland}, // an unknown setting is auto
        };
        for (const auto& r : rows) {
            const bool usable = r.x11Usable;
            QCOMPARE(chooseKeySource(r.setting, r.type, r.display, [=] { return usable; }), r.kind);
        }
    }

    // Where "auto" offers both on Wayland, the table decides; a way that is all there is stays.
    void way()
    {
        const HotkeyWay keys = HotkeyWay::Keys, shortcuts = HotkeyWay::Shortcuts;
        // Facts: keys, shortcuts, chords only, refused.
        const std::pair<HotkeyWayFacts, HotkeyWay> rows[] = {
            {{true, true, true, false}, shortcuts},  {{true, true, false, false}, keys},
            {{true, true, true, true}, keys},        {{true, false, true, false}, keys},
            {{false, true, false, true}, shortcuts}, {{false, true, false, false}, shortcuts},
        };
        for (const auto& [facts, way] : rows)
            QCOMPARE(chooseHotkeyWay(facts), way);
    }

private:
    PrivateBus m_bus;
    QString m_address;
    MockLocale m_locale;
};

QTEST_GUILESS_MAIN(TestEvdevKeys)
#include "TestEvdevKeys.moc"
