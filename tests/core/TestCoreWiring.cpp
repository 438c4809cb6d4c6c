// The core wired as the program wires it: file -> table -> detection -> actions, with fakes.
#include "activation/ActionRunner.h"
#include "activation/GlobalFlags.h"
#include "activation/HotkeyDetection.h"
#include "activation/HotkeyHost.h"
#include "store/HotkeyDatabase.h"
#include "store/HotkeyFileWatcher.h"
#include "tests/fakes/FakeDesktopWindows.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakeGlobalShortcuts.h"
#include "tests/fakes/FakeHiddenWindowIcons.h"
#include "tests/fakes/FakeKeyInjector.h"
#include "tests/fakes/FakeKeyStateSource.h"
#include "tests/fakes/FakeOpener.h"
#include "tests/fakes/FakePowerControl.h"
#include "tests/fakes/FakeSoundPlayer.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace tarvex;

namespace {

// The running hotkeys over a saved file, their actions logged in one list by the fakes.
struct Core
{
    QStringList log; // first: the slots still report while the rest is torn down
    QTemporaryDir dir;
    SettingsStore store{dir.filePath(QStringLiteral("Tarvex.ini"))};
    AppSettings settings{store};
    FakeKeyStateSource keys;
    FakeSoundPlayer sound;
    FakeOpener opener;
    FakeDesktopWindows desktop;
    FakeHiddenWindowIcons icons;
    FakePowerControl power;
    FakeDialogs dialogs;
    HotkeyList list;
    ActiveHotkeyTable table;
    HiddenWindowSlots hidden{desktop, icons};
    SpecialActions special{desktop, power, dialogs, hidden};
    ActionRunner runner{settings, sound, opener, special, dir.path()};
    HotkeyDetection detection{keys, table,
                              [this](const QString& target) { runner.RunHotkeyAction(target); }};

    explicit Core(const QList<HotkeyEntry>& entries)
    {
        settings.setActivationSound(QStringLiteral("/s/bing.wav"));
        for (CallLog* fake :
             std::initializer_list<CallLog*>{&sound, &opener, &desktop, &icons, &power, &dialogs})
            fake->shareWith(&log);
        SetHK(true);
        for (const HotkeyEntry& entry : entries)
            list.append(entry);
        QCOMPARE(save(), QString());
    }
    ~Core() { SetHK(false); }
    QString save() { return HotkeyDatabase::InFolder(dir.path()).save(list, table); }
};

} // namespace

class TestCoreWiring final : public QObject
{
    Q_OBJECT

private slots:
    void hideAndRestoreThroughHotkeys()
    {
        Core core(QList<HotkeyEntry>{{"(Ctrl)(Alt)h", "-hide window-"}});
        core.desktop.setForeground(42);
        core.desktop.setTitle(42, QStringLiteral("Terminal"));
        core.keys.tap({17, 162});
        core.keys.tap({18, 164}); // left Alt leaves 18 twice: "(Ctrl)(Alt)h" needs them together
        core.keys.tap({72});
        QVERIFY(core.log.isEmpty());
        core.keys.tap({17, 162});
        core.keys.tap({18}); // a source that reports the generic code only
        core.keys.tap({72});
        QCOMPARE(core.log, (QStringList{"play /s/bing.wav", "hide 42", "add 0 42 Terminal"}));
        core.icons.doubleClick(0);
        QCOMPARE(core.log.mid(3), (QStringList{"show 42", "remove 0"}));
        // A special action's declined question still empties the buffer.
        core.list.append({"(Ctrl)q", "-Shut Down-"});
        QCOMPARE(core.save(), QString());
        core.dialogs.answer(QStringLiteral("No"));
        core.keys.tap({17});
        core.keys.tap({81});
        QCOMPARE(std::tuple(core.log.size(), core.detection.buffer().isEmpty()),
                 std::tuple(7, true));
        // Answered Yes, the computer shuts down.
        core.dialogs.answer(QStringLiteral("Yes"));
        core.keys.tap({17});
        core.keys.tap({81});
        QCOMPARE(core.log.last(), QStringLiteral("shutDown"));
    }

    // A program gets its arguments taken apart; malformed ones start nothing.
    void programArguments()
    {
        Core core(QList<HotkeyEntry>{});
        core.runner.RunHotkeyAction("/bin/p", "a", "-x \"a b\"");
        core.runner.RunHotkeyAction("/bin/p", "a", "\"a b");
        QCOMPARE(core.log,
                 (QStringList{"play /s/bing.wav", "open /bin/p [-x] [a b]", "play /s/bing.wav"}));
        QVERIFY(!core.runner.lastOpenResult());
    }

    // A "Type text" hotkey types its text into the window in front and stops once another
    // window has the focus; its presses are handed on; without key typing nothing is typed.
    void typeTextHotkey()
    {
        Core core(QList<HotkeyEntry>{});
        FakeKeyInjector injector;
        QList<int> handed;
        core.runner.setTyping(
            &injector, [&] { return core.desktop.foregroundWindow(); },
            [&](const QList<int>& presses) { handed += presses; });
        core.desktop.setForeground(42);
        core.runner.RunHotkeyAction("-Type Text-", "t", QString(), "a\n\u00e9");
        QCOMPARE(std::tuple(injector.typed, handed),
                 std::tuple(QString("a\n\u00e9"), QList<int>{'a', '\n', 0xe9}));
        injector.afterCharacter = [&] { core.desktop.setForeground(injector.typed.size() + 40); };
        core.runner.RunHotkeyAction("-Type Text-", "t", QString(), "bcd");
        QCOMPARE(injector.typed, QString("a\n\u00e9b"));
        injector.canType = false;
        core.runner.RunHotkeyAction("-Type Text-", "t", QString(), "x");
        QCOMPARE(injector.typed, QString("a\n\u00e9b"));
        QCOMPARE(core.log, QStringList(3, "play /s/bing.wav"));
    }

    // A file renamed into place, where none was at first, is followed while the editor is closed;
    // so are changes in place of a file that replaced one still linked elsewhere.
    void runningHotkeysFollowTheFile()
    {
        const QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Hotkeys.TarvexDB"));
        const QByteArray staged = QFile::encodeName(path + QStringLiteral(".new"));
        const auto replace = [&](const QByteArray& bytes, bool inPlace = false) {
            QFile file(inPlace ? path : QFile::decodeName(staged));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            file.close();
            QVERIFY(inPlace ||
                    ::rename(staged.constData(), QFile::encodeName(path).constData()) == 0);
        };
        bool editorVisible = false;
        FakeKeyStateSource keys;
        HotkeyHost host(keys, {});
        host.setEditorVisibleQuery([&] { return editorVisible; });
        host.load(HotkeyDatabase(path));
        QSignalSpy reloaded(&host, &HotkeyHost::fileReloaded);
        // The host has handled a change once the watcher has reported it.
        QSignalSpy changes(host.findChild<HotkeyFileWatcher*>(), &HotkeyFileWatcher::changed);
        replace("b*/bin/b\r\n");
        QTRY_COMPARE(host.table().records(), QStringList{"b*/bin/b"});
        QCOMPARE(reloaded.count(), 1);
        QCOMPARE(::link(QFile::encodeName(path).constData(), (staged + ".old").constData()), 0);
        replace("c*/bin/c\r\n");
        QTRY_COMPARE(host.table().records(), QStringList{"c*/bin/c"});
        replace("d*/bin/d\r\n", true);
        QTRY_COMPARE(host.table().records(), QStringList{"d*/bin/d"});
        const qsizetype loads = reloaded.count();
        editorVisible = true; // the editor's Save asks about the change instead
        const int seen = changes.count();
        replace("e*/bin/e\r\n");
        QTRY_VERIFY(changes.count() > seen);
        QCOMPARE(std::tuple(host.table().records(), reloaded.count()),
                 std::tuple(QStringList{"d*/bin/d"}, loads));
    }

    // Paused, no hotkey fires and no press is kept for later; resumed, they fire again. The
    // desktop's chords stay bound meanwhile.
    void pausedHostIgnoresPressesUntilResumed()
    {
        QStringList fired;
        FakeKeyStateSource source;
        SetHK(true);
        const auto run = [&fired](const HotkeyEntry& hotkey) { fired << hotkey.target; };
        FakeGlobalShortcuts desktop;
        HotkeyHost keys(source, run), chords(desktop, run);
        // Both hosts hand the key injector and the application query to their detection.
        FakeKeyInjector injector;
        HotkeyEntry erasing, notInKate;
        erasing.eraseTyped = true;
        notInKate.apps = {AppFilter::Mode::NotIn, {"kate"}};
        for (HotkeyHost* host : {&keys, &chords}) {
            host->table().replace({"ab*/bin/ab", "(Ctrl)(Alt)k*/bin/k", "x*/x", "(Ctrl)(Alt)j*/j"},
                                  {erasing, {}, notInKate, notInKate});
            host->setKeyInjector(&injector);
            host->setForegroundAppQuery([] { return ForegroundApp{true, {"kate"}}; });
            host->setPollingEnabled(true);
        }
        desktop.answer(GlobalShortcuts::State::Bound);
        for (bool paused : {true, false}) {
            keys.setPaused(paused);
            chords.setPaused(paused);
            source.tap({66}); // after resuming, the "a" pressed while paused completes nothing
            source.tap({65, 66});
            source.tap({65});
            desktop.press("CTRL+ALT+k");
        }
        source.tap({88});
        desktop.press("CTRL+ALT+j");
        SetHK(false);
        QCOMPARE(std::tuple(fired, injector.counts),
                 std::tuple(QStringList{"/bin/ab", "/bin/k"}, QList<int>{2}));
        QCOMPARE(desktop.calls().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCoreWiring)
#include "TestCoreWiring.moc"
