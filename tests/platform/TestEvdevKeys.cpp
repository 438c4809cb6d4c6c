#include "platform/common/KeySourceChoice.h"
#include "platform/evdev/EvdevKeyEventCodes.h"
#include "platform/evdev/EvdevKeyStateSource.h"
#include "platform/evdev/SessionKeymap.h"
#include "tests/fakes/PrivateBus.h"
#include "tests/platform/FifoKeyboard.h"
#include "tests/platform/LayoutKeys.h"

#include <QKeyEvent>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvex;

// The source under test, with the codes of the presses it announced.
struct Rig
{
    QTemporaryDir folder;
    SessionKeymap keymap{QDBusConnection(QStringLiteral("no bus"))};
    std::unique_ptr<EvdevKeyStateSource> source;
    QList<int> polled;
    explicit Rig(const QStringList& devices = {})
        : source(std::make_unique<EvdevKeyStateSource>(keymap, folder.path(), devices))
    {
        source->setPressCallback([this](int code) { polled << code; });
    }
    QString path(const QString& name) const { return folder.filePath(name); }
    bool startAsUser() // as an ordinary user (root reads any file)
    {
        const bool root = ::geteuid() == 0;
        const bool started = (!root || ::seteuid(65534) == 0) && source->start();
        return (!root || ::seteuid(0) == 0) && started;
    }
};

// A stand-in for systemd-localed on a private bus: its keyboard layout.
class MockLocale final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.locale1")
    Q_PROPERTY(QString X11Layout MEMBER layout)
public:
    QString layout;
};

// The key source that reads the kernel's input devices, fed through FIFOs of
// input-event records in a folder standing in for /dev/input.
class TestEvdevKeys final : public QObject
{
    Q_OBJECT

private slots:
    void init() // each test starts from the US layout and sets the one it needs
    {
        qputenv("XKB_DEFAULT_LAYOUT", "us");
        qunsetenv("XKB_DEFAULT_OPTIONS");
    }

    // Steps: "1+30" keyboard 1 presses evdev key 30 (A), "1-30" releases it, "1=30" repeats it;
    // "1!" is SYN_DROPPED, "1." SYN_REPORT; "1x" removes keyboard 1; "p65,83" expects the codes
    // announced as new presses since the last "p" (empty: none).
    // Rows headed "us,de:" run on a keymap of two layouts that Alt+Shift switches.
    void streams_data()
    {
        QTest::addColumn<QString>("script");
        QTest::newRow("held, repeated, released") << "1+30 p65 1+30 1=30 p 1-30 1+30 p65";
        QTest::newRow("held on two keyboards") << "1+30 2+30 p65 1-30 1+30 p 1-30 2-30 2+30 p65";
        QTest::newRow("lost events: records up to the report are skipped, held keys go up")
            << "1+30 p65 1! 1+31 1-30 1+32 1. p 1+31 1+32 1+30 p83,68,65";
        QTest::newRow("keyboard removed mid-press") << "1+30 2+31 p65,83 1x 2+31 2+30 p65";
        QTest::newRow("codes past the tables are ignored") << "1+248 1+65535 p 1+30 p65";
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
        QVERIFY(rig.source->start() && rig.source->keyboards().size() == 2);
        const auto flush = [&] {
            return keyboards[0].waitUntilRead() & keyboards[1].waitUntilRead();
        };
        for (const QString& text : script.split(u' ')) {
            if (text.startsWith(u'p')) {
                QVERIFY(flush());
                QStringList polled;
                for (int code : std::exchange(rig.polled, {}))
                    polled << QString::number(code);
                QCOMPARE(polled.join(u','), text.mid(1));
                continue;
            }
            FifoKeyboard& keyboard = keyboards[text[0].digitValue() - 1];
            if (text[1] == u'x') {
                QVERIFY(flush());
                keyboard.remove();
                QVERIFY(QTest::qWaitFor([&] { return rig.source->keyboards().size() == 1; }));
                continue;
            }
            // "-+=" are the key's values 0 (up), 1 (down) and 2 (repeat).
            const bool written = text[1] == u'!' ? keyboard.write(EV_SYN, SYN_DROPPED, 0)
                                 : text[1] == u'.'
                                     ? keyboard.write(EV_SYN, SYN_REPORT, 0)
                                     : keyboard.write(EV_KEY, text.mid(2).toUShort(),
                                                      QStringView(u"-+=").indexOf(text[1]));
            // Keyboards are read one at a time as their records arrive, as real ones are.
            QVERIFY2(written && keyboard.waitUntilRead(), qPrintable(text));
        }
    }

    void regularFileIsReadAndFollowed()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("keys"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        const auto press = [&](quint16 key) {
            const input_event event{{0, 0}, EV_KEY, key, 1};
            return file.write(reinterpret_cast<const char*>(&event), sizeof(event)) && file.flush();
        };
        QVERIFY(press(KEY_X));
        Rig rig({file.fileName()});
        rig.source->start();
        QVERIFY(press(KEY_Y));
        QVERIFY(QTest::qWaitFor([&] { return rig.polled == QList<int>{88, 89}; }));
    }

    // Each key of the table on a US and a German keymap; Num Lock as the user turns it on: its
    // key, then its light.
    void layouts()
    {
        for (const bool de : {false, true}) {
            qputenv("XKB_DEFAULT_LAYOUT", de ? "de" : "us");
            Rig rig;
            FifoKeyboard keyboard(rig.path("event0"));
            rig.source->start();
            QList<int> expected;
            for (const LayoutKey& k : LayoutKeys) {
                if (k.numLock)
                    QVERIFY(keyboard.type({KEY_NUMLOCK}) && keyboard.write(EV_LED, LED_NUML, 1));
                QVERIFY(keyboard.type({k.evdevCode}));
                expected << QList<int>{144}.mid(0, k.numLock) << (de ? k.de : k.us);
            }
            QVERIFY(keyboard.waitUntilRead());
            QCOMPARE(rig.polled, expected);
        }
    }

    // Without the environment's, the session's layout comes from localed.
    void layoutFromLocale()
    {
        qunsetenv("XKB_DEFAULT_LAYOUT");
        MockLocale locale;
        locale.layout = "de";
        QDBusConnection service = QDBusConnection::connectToBus(m_bus.address(), "localed");
        QVERIFY(service.registerObject("/org/freedesktop/locale1", &locale,
                                       QDBusConnection::ExportAllProperties));
        QVERIFY(service.registerService("org.freedesktop.locale1"));
        SessionKeymap keymap(QDBusConnection::connectToBus(m_bus.address(), "client"));
        QTRY_COMPARE(keymap.codeFor(21 + 8), 90); // the key right of T is Z
    }

    // Keyboards plugged in are picked up (and read again after each writer), removed ones dropped.
    void hotPlug()
    {
        Rig rig;
        rig.source->start();
        FifoKeyboard mouse(rig.path("mouse0")), first(rig.path("event4")),
            second(rig.path("event7"));
        QVERIFY(QTest::qWaitFor([&] { return rig.source->keyboards().size() == 2; }));
        for (int key : {KEY_A, KEY_B}) {
            QVERIFY(first.type({key}) && first.waitUntilRead());
            first.close();
        }
        QVERIFY(second.type({KEY_C}) && second.waitUntilRead());
        QCOMPARE(rig.polled, (QList<int>{65, 66, 67}));
        first.remove();
        QTRY_COMPARE(rig.source->keyboards(), QStringList{second.path()});
    }

    // A device that is no keyboard is asked again once something new takes its path.
    void replacedNonKeyboardIsAskedAgain()
    {
        Rig rig;
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), rig.path("event3")));
        rig.source->start();
        QVERIFY(rig.source->keyboards().isEmpty());
        FifoKeyboard keyboard(rig.path("new"));
        const QByteArray from = QFile::encodeName(keyboard.path()),
                         to = QFile::encodeName(rig.path("event3"));
        QVERIFY(::rename(from.constData(), to.constData()) == 0);
        QTRY_COMPARE(rig.source->keyboards(), QStringList{rig.path("event3")});
    }

    // A listed keyboard whose folder is missing at start, or goes and comes back (udev removes
    // /dev/input/by-id with the last USB keyboard), is read whenever it is there.
    void listedKeyboardInAFolderThatComesAndGoes()
    {
        QTemporaryDir root;
        const QString top = root.filePath("by-id"), path = top + "/usb/kbd";
        Rig rig({path});
        rig.source->start();
        QCOMPARE(rig.source->problem(), EvdevKeyStateSource::NoKeyboardProblem());
        for (int key : {KEY_A, KEY_B}) {
            QVERIFY(QDir().mkpath(top + "/usb"));
            FifoKeyboard keyboard(path);
            QVERIFY(QTest::qWaitFor([&] { return rig.source->keyboards() == QStringList{path}; }));
            QVERIFY(keyboard.write(EV_KEY, quint16(key), 1) && keyboard.waitUntilRead());
            keyboard.remove();
            QVERIFY(QDir(top).removeRecursively());
            QVERIFY(QTest::qWaitFor([&] { return rig.source->keyboards().isEmpty(); }));
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
        QVERIFY(::chmod(QFile::encodeName(keyboard.path()).constData(), 0644) == 0);
        QVERIFY(rig.startAsUser());
        QVERIFY(rig.source->problem().isEmpty() && announced == 2);
        QVERIFY(keyboard.type({KEY_K}) && keyboard.waitUntilRead());
        QCOMPARE(rig.polled, QList<int>{75});
    }

    // A link to a device that cannot be read, whose device then goes, is refused no more.
    void goneDeviceIsNoLongerRefused()
    {
        Rig rig;
        QTemporaryDir elsewhere;
        for (const QString& folder : {rig.folder.path(), elsewhere.path()})
            QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0755) == 0);
        FifoKeyboard keyboard(elsewhere.filePath("kbd"));
        QVERIFY(::chmod(QFile::encodeName(keyboard.path()).constData(), 0) == 0);
        QVERIFY(QFile::link(keyboard.path(), rig.path("event0")) && rig.startAsUser());
        QCOMPARE(rig.source->problem(), EvdevKeyStateSource::NoAccessProblem());
        keyboard.remove();
        QVERIFY(rig.startAsUser());
        QCOMPARE(rig.source->problem(), EvdevKeyStateSource::NoKeyboardProblem());
    }

    // The capture box names a key by the event's keysym, so a virtual keyboard with a keymap of
    // its own (wtype types "g" with keycode 10) records what it types; else the source's table.
    void captureBoxUsesTheSourcesTable()
    {
        const int keyRightOfT = 21 + 8, keyOne = 2 + 8, keyOfSharpS = 12 + 8;
        qputenv("XKB_DEFAULT_LAYOUT", "de");
        Rig rig;
        EvdevKeyEventCodes codes(rig.keymap);
        const auto codeOf = [&codes](int key, int keycode, quint32 keysym,
                                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            return codes.codeFor(
                QKeyEvent(QEvent::KeyPress, key, modifiers, quint32(keycode), keysym, 0));
        };
        QCOMPARE(
            QList({codeOf(Qt::Key_Z, keyRightOfT, 'z'), codeOf(Qt::Key_G, keyOne, 'g'),
                   codeOf(Qt::Key_Exclam, keyOne, '!'), codeOf(Qt::Key_ssharp, keyOfSharpS, 0xdf),
                   codeOf(Qt::Key_Y, 0, 0), codeOf(Qt::Key_Home, 0, 0),
                   codeOf(Qt::Key_Home, 0, 0, Qt::KeypadModifier),
                   codeOf(Qt::Key_9, 0, 0, Qt::KeypadModifier), rig.keymap.codeFor(256)}),
            QList({90, 71, 49, 191, 89, 36, 103, 105, 0})); // no keycode: the key symbol decides
    }

    // As sysfs lists them: whether a device is a keyboard, and whether it has any key.
    void unreadableDevicesShowWhetherTheyAreKeyboards()
    {
        const QByteArray keyboard =
            "1000000000007 ff9f207ac14057ff febeffdfffefffff fffffffffffffffe\n";
        const std::tuple<QByteArray, bool, bool> rows[] = {
            {keyboard, true, true},
            {"1f0000 0 0 0 0\n", false, true}, // a mouse
            {"0 0 0 0 0\n", false, false},
            // Q, P, A, L, Z and M alone make a keyboard, each one bit up none; nor one without A.
            {"4104042010000\n", true, true},
            {"8208084020000\n", false, true},
            {"1000000000007 ff9f207ac14057ff febeffdfffefffff ffffffffbffffffe\n", false, true},
        };
        for (const auto& [capabilities, keyboard, anyKey] : rows)
            QCOMPARE(QList({InputStream::capabilitiesShowKeyboard(capabilities, false),
                            InputStream::capabilitiesShowKeyboard(capabilities, true)}),
                     QList({keyboard, anyKey}));
    }

    void choice() // setting, session type, Wayland display, X11 usable: the source
    {
        using K = KeySourceKind;
        const std::tuple<const char*, const char*, const char*, bool, K> rows[] = {
            {"auto", "wayland", "wayland-0", true, K::Wayland}, // with Xwayland
            {"", "tty", "wayland-0", true, K::X11}, // a Wayland display beside a usable X11 one
            {"auto", "", "", false, K::X11},        // nothing usable stays with X11
            {"auto", "tty", "wayland-0", false, K::Wayland},
            {"auto", "x11", "wayland-0", false, K::X11},
            {"Reader", "x11", "", true, K::Reader},
            {" X11 ", "wayland", "wayland-0", true, K::X11},
        };
        for (const auto& [setting, type, display, usable, kind] : rows)
            QCOMPARE(chooseKeySource(setting, type, display, [u = usable] { return u; }), kind);
        // Where "auto" offers both on Wayland, the facts (keys, shortcuts, chords only, refused)
        // decide; a way that is all there is stays.
        const HotkeyWay keys = HotkeyWay::Keys, shortcuts = HotkeyWay::Shortcuts;
        const std::pair<HotkeyWayFacts, HotkeyWay> ways[] = {
            {{true, true, true, false}, shortcuts},
            {{true, true, false, false}, keys},
            {{true, true, true, true}, keys},
            {{false, true, false, false}, shortcuts}};
        for (const auto& [facts, way] : ways)
            QCOMPARE(chooseHotkeyWay(facts), way);
    }

private:
    PrivateBus m_bus;
};

QTEST_GUILESS_MAIN(TestEvdevKeys)
#include "TestEvdevKeys.moc"
