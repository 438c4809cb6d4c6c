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
#include "tests/fakes/FakeKeyStateSource.h"
#include "tests/fakes/FakeOpener.h"
#include "tests/fakes/FakePowerControl.h"
#include "tests/fakes/FakeSoundPlayer.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <sys/stat.h>

using namespace tarvex;

class TestCoreWiring final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_log.clear();
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<SettingsStore>(m_dir->filePath(QStringLiteral("Tarvex.ini")));
        m_settings = std::make_unique<AppSettings>(*m_store);
        m_settings->setActivationSound(QStringLiteral("/s/bing.wav"));
        for (CallLog* fake : std::initializer_list<CallLog*>{&m_sound, &m_opener, &m_desktop,
                                                             &m_icons, &m_power, &m_dialogs})
            fake->shareWith(&m_log);
        m_slots = std::make_unique<HiddenWindowSlots>(m_desktop, m_icons);
        m_special = std::make_unique<SpecialActions>(m_desktop, m_power, m_dialogs, *m_slots);
        m_runner = std::make_unique<ActionRunner>(*m_settings, m_sound, m_opener, *m_special,
                                                  m_dir->path());
        m_detection = std::make_unique<HotkeyDetection>(
            m_keys, m_table, [this](const QString& target) { m_runner->RunHotkeyAction(target); });
        SetHK(true);
    }

    void cleanup()
    {
        SetHK(false);
        m_detection.reset();
        m_runner.reset();
        m_special.reset();
        m_slots.reset();
    }

    void hideAndRestoreThroughHotkeys()
    {
        save({{"(Ctrl)(Alt)h", "-hide window-"}});
        m_desktop.setForeground(42);
        m_desktop.setTitle(42, QStringLiteral("Terminal"));
        m_keys.tap({17, 162});
        m_keys.tap({18, 164}); // left Alt leaves 18 twice: "(Ctrl)(Alt)h" needs them side by side
        m_keys.tap({72});
        QVERIFY(m_log.isEmpty());
        m_keys.tap({17, 162});
        m_keys.tap({18}); // a source that reports the generic code only
        m_keys.tap({72});
        QCOMPARE(m_log, (QStringList{"play /s/bing.wav", "hide 42", "add 0 42 Terminal"}));
        m_icons.doubleClick(0);
        QCOMPARE(m_log.mid(3), (QStringList{"show 42", "remove 0"}));
    }

    void declinedQuestionStillEmptiesBuffer()
    {
        save({{"(Ctrl)q", "-Shut Down-"}});
        m_dialogs.answer(QStringLiteral("No"));
        m_keys.tap({17});
        m_keys.tap({81});
        QCOMPARE(m_log, (QStringList{
                            "play /s/bing.wav",
                            "ask later Shutdown Computer|Do you want to shutdown the computer?"}));
        QVERIFY(m_detection->buffer().isEmpty());
    }

    void savedEntryActiveOnlyAfterSave()
    {
        save({});
        m_list.append({"xy", "/bin/xy"}); // edited, not saved
        m_keys.tap({88});
        m_keys.tap({89});
        QVERIFY(m_log.isEmpty());
        QCOMPARE(HotkeyDatabase::InFolder(m_dir->path()).save(m_list, m_table), QString());
        m_keys.tap({32}); // "xy" was typed before it was saved: it does not fire now
        QVERIFY(m_log.isEmpty());
        m_keys.tap({88});
        m_keys.tap({89});
        QCOMPARE(m_log, (QStringList{"play /s/bing.wav", "open /bin/xy"}));
    }

    // A file replaced by a rename is followed while the editor is closed; unreadable, kept.
    void runningHotkeysFollowTheFile()
    {
        const QString path = m_dir->filePath(QStringLiteral("Hotkeys.TarvexDB"));
        const QByteArray staged = QFile::encodeName(path + QStringLiteral(".new"));
        const auto replace = [&](const QByteArray& bytes) {
            QFile file(QFile::decodeName(staged));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
            file.close();
            QCOMPARE(::rename(staged.constData(), QFile::encodeName(path).constData()), 0);
        };
        replace("a*/bin/a\r\n");
        bool editorVisible = false;
        HotkeyHost host(m_keys, {});
        host.setEditorVisibleQuery([&] { return editorVisible; });
        host.load(HotkeyDatabase(path));
        QSignalSpy reloaded(&host, &HotkeyHost::fileReloaded);
        // The host has handled a change once the watcher has reported it.
        QSignalSpy changes(host.findChild<HotkeyFileWatcher*>(), &HotkeyFileWatcher::changed);
        const auto settled = [&changes](int seen) { QTRY_VERIFY(changes.count() > seen); };
        replace("b*/bin/b\r\n");
        QTRY_COMPARE(host.table().records(), QStringList{"b*/bin/b"});
        QCOMPARE(reloaded.count(), 1);
        // No file that can be read: the last good table stays, and the log says so.
        int seen = changes.count();
        QCOMPARE(::mkfifo(staged.constData(), 0600), 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not a regular file.*keep running"));
        QCOMPARE(::rename(staged.constData(), QFile::encodeName(path).constData()), 0);
        settled(seen);
        QCOMPARE(host.table().records(), QStringList{"b*/bin/b"});
        editorVisible = true; // the editor's Save asks about the change instead
        seen = changes.count();
        replace("c*/bin/c\r\n");
        settled(seen);
        QCOMPARE(host.table().records(), QStringList{"b*/bin/b"});
        QCOMPARE(reloaded.count(), 1);
    }

    // Paused, no hotkey fires and no press is kept for later; resumed, they fire again. The
    // desktop's chords stay bound meanwhile.
    void pausedHostIgnoresPressesUntilResumed()
    {
        QStringList fired;
        const auto run = [&fired](const QString&, const QString& target) { fired << target; };
        FakeGlobalShortcuts desktop;
        HotkeyHost keys(m_keys, run), chords(desktop, run);
        for (HotkeyHost* host : {&keys, &chords}) {
            host->table().replace({"ab*/bin/ab", "(Ctrl)(Alt)k*/bin/k"});
            host->setPollingEnabled(true);
        }
        desktop.answer(GlobalShortcuts::State::Bound);
        for (bool paused : {true, false}) {
            keys.setPaused(paused);
            chords.setPaused(paused);
            m_keys.tap({66}); // after resuming, the "a" pressed while paused completes nothing
            m_keys.tap({65, 66});
            m_keys.tap({65});
            desktop.press("CTRL+ALT+k");
        }
        QCOMPARE(fired, (QStringList{"/bin/ab", "/bin/k"}));
        QCOMPARE(desktop.calls().size(), 1);
    }

private:
    void save(const QList<HotkeyEntry>& entries);

    QStringList m_log;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
    std::unique_ptr<AppSettings> m_settings;
    FakeKeyStateSource m_keys;
    FakeSoundPlayer m_sound;
    FakeOpener m_opener;
    FakeDesktopWindows m_desktop;
    FakeHiddenWindowIcons m_icons;
    FakePowerControl m_power;
    FakeDialogs m_dialogs;
    HotkeyList m_list;
    ActiveHotkeyTable m_table;
    std::unique_ptr<HiddenWindowSlots> m_slots;
    std::unique_ptr<SpecialActions> m_special;
    std::unique_ptr<ActionRunner> m_runner;
    std::unique_ptr<HotkeyDetection> m_detection;
};

void TestCoreWiring::save(const QList<HotkeyEntry>& entries)
{
    m_list.clear();
    for (const HotkeyEntry& entry : entries)
        m_list.append(entry);
    QCOMPARE(HotkeyDatabase::InFolder(m_dir->path()).save(m_list, m_table), QString());
}

QTEST_GUILESS_MAIN(TestCoreWiring)
#include "TestCoreWiring.moc"
