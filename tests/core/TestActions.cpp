#include "activation/ActionRunner.h"
#include "activation/SpecialActionTable.h"
#include "tests/fakes/FakeDesktopWindows.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakeHiddenWindowIcons.h"
#include "tests/fakes/FakeNotifier.h"
#include "tests/fakes/FakeOpener.h"
#include "tests/fakes/FakePowerControl.h"
#include "tests/fakes/FakeSoundPlayer.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tarvex;

namespace {

const QString Chime = QStringLiteral("play /opt/tarvex/Sounds/Bing.wav");

/// Everything RunHotkeyAction needs, wired to fakes that share one call log.
struct ActionRig
{
    QStringList log; // first: the slots still report while the rig is torn down
    QTemporaryDir dir;
    SettingsStore store{dir.filePath(QStringLiteral("Tarvex.ini"))};
    AppSettings settings{store};
    FakeSoundPlayer sound;
    FakeOpener opener;
    FakeDesktopWindows desktop;
    FakeHiddenWindowIcons icons;
    FakePowerControl power;
    FakeDialogs dialogs;
    HiddenWindowSlots hidden{desktop, icons};
    SpecialActions special{desktop, power, dialogs, hidden};
    ActionRunner runner{settings, sound, opener, special, QStringLiteral("/opt/tarvex")};

    ActionRig()
    {
        for (CallLog* fake :
             std::initializer_list<CallLog*>{&sound, &opener, &desktop, &icons, &power, &dialogs})
            fake->shareWith(&log);
        desktop.setForeground(7);
    }
};

} // namespace

class TestActions final : public QObject
{
    Q_OBJECT

private slots:
    // What a target does after the chime: names of actions in any case, anything else opened.
    void dispatch()
    {
        const std::pair<const char*, QStringList> rows[] = {
            {"/home/u/a.txt", {"open /home/u/a.txt"}},
            {"www.example.org", {"open www.example.org"}},
            {"/usr/bin/xterm -e top", {"open /usr/bin/xterm -e top"}},
            {"-Dance-", {"open -Dance-"}},
            {"-Close Window- ", {"open -Close Window- "}},
            {"", {"open "}},
            {"-Close Window-", {"close 7"}},
            {"-MINIMIZE window-", {"minimize 7"}},
            {"-Maximize Window-", {"maximize 7"}},
            {"-Hide Window-", {"hide 7", "add 0 7 Editor"}},
            {"-shut down-", {"ask later Shutdown Computer|Do you want to shutdown the computer?"}}};
        for (const auto& [target, calls] : rows) {
            ActionRig rig;
            rig.desktop.setTitle(7, QStringLiteral("Editor"));
            rig.runner.RunHotkeyAction(target);
            QCOMPARE(rig.log, QStringList{Chime} + calls);
        }
    }

    // The sound is read anew on every activation: absent is the chime, empty is none.
    void soundSetting()
    {
        const std::tuple<bool, const char*, QStringList> rows[] = {
            {false, "", {Chime}}, {true, "", {}}, {true, "/s/ding.wav", {"play /s/ding.wav"}}};
        for (const auto& [stored, value, calls] : rows) {
            ActionRig rig;
            rig.runner.RunHotkeyAction(QStringLiteral("/x"));
            if (stored)
                rig.settings.setActivationSound(value);
            rig.log.clear();
            rig.runner.RunHotkeyAction(QStringLiteral("/x"));
            QCOMPARE(rig.log, calls + QStringList{"open /x"});
        }
    }

    // Each power action asks first (later, from the event loop) and acts only on "Yes".
    void confirmations()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"-Log Off-", "logOff"},
            {"-Shut Down-", "shutDown"},
            {"-Restart-", "restart"},
            {"-Instant Shutdown-", "instantShutdown"},
            {"-Instant Restart-", "instantRestart"},
            {"-Instant Poweroff-", "instantPoweroff"},
        };
        for (const auto& [target, powerCall] : rows) {
            QStringList logs[2];
            for (bool yes : {false, true}) {
                ActionRig rig;
                rig.settings.setActivationSound(QString());
                rig.dialogs.answer(yes ? QStringLiteral("Yes") : QStringLiteral("No"));
                rig.runner.RunHotkeyAction(target);
                logs[yes] = rig.log;
            }
            QCOMPARE(logs[0].size(), 1);
            QVERIFY(logs[0].first().startsWith(QStringLiteral("ask later ")));
            QCOMPARE(logs[1], (QStringList{logs[0].first(), powerCall}));
        }
    }

    // Every name reads back as its action in any letter case, in the order of the lists.
    void namesInListOrder()
    {
        QCOMPARE(SpecialActionNames().size(), 10);
        for (int row = 1; row <= 10; ++row)
            QCOMPARE(int(SpecialActionFor(SpecialActionNames().at(row - 1).toUpper())), row);
        QCOMPARE(SpecialActionFor(QStringLiteral("-None-")), SpecialAction::None);
    }

    // The notification comes after the chime, before the action; unticked, none is shown.
    void notificationBeforeAction()
    {
        const std::pair<const char*, const char*> rows[] = {{"/home/u/a.txt", "open /home/u/a.txt"},
                                                            {"-Close Window-", "close 7"}};
        for (const auto& [target, call] : rows) {
            ActionRig rig;
            FakeNotifier notifier;
            notifier.shareWith(&rig.log);
            rig.runner.setNotifier(&notifier);
            rig.runner.RunHotkeyAction(target, "(Ctrl)(Alt)k");
            QCOMPARE(rig.log,
                     (QStringList{Chime, "notify (Ctrl)(Alt)k | " + QString(target), call}));
            rig.log.clear();
            rig.settings.setActivationNotification(false);
            rig.runner.RunHotkeyAction(target, "(Ctrl)(Alt)k");
            QVERIFY(!rig.log.join('\n').contains("notify"));
        }
    }
};

QTEST_GUILESS_MAIN(TestActions)
#include "TestActions.moc"
