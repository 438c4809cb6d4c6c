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
using namespace Qt::StringLiterals;

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

class TestActions final : public QObject
{
    Q_OBJECT

private slots:
    void dispatch_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("calls"); // after the sound
        QTest::newRow("file") << "/home/u/a.txt" << QStringList{"open /home/u/a.txt"};
        QTest::newRow("web without prefix")
            << "www.example.org" << QStringList{"open www.example.org"};
        QTest::newRow("program with arguments is one name")
            << "/usr/bin/xterm -e top" << QStringList{"open /usr/bin/xterm -e top"};
        QTest::newRow("unknown dash name opens") << "-Dance-" << QStringList{"open -Dance-"};
        QTest::newRow("name with space is no action")
            << "-Close Window- " << QStringList{"open -Close Window- "};
        QTest::newRow("empty target opens") << "" << QStringList{"open "};
        QTest::newRow("close") << "-Close Window-" << QStringList{"close 7"};
        QTest::newRow("minimize any case") << "-MINIMIZE window-" << QStringList{"minimize 7"};
        QTest::newRow("maximize") << "-Maximize Window-" << QStringList{"maximize 7"};
        QTest::newRow("hide, nothing opened")
            << "-Hide Window-" << QStringList{"hide 7", "add 0 7 Editor"};
        QTest::newRow("shut down lower case")
            << "-shut down-"
            << QStringList{"ask later Shutdown Computer|Do you want to shutdown the computer?"};
    }

    void dispatch()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, calls);
        ActionRig rig;
        rig.desktop.setTitle(7, QStringLiteral("Editor"));
        rig.runner.RunHotkeyAction(target);
        QCOMPARE(rig.log, QStringList{"play /opt/tarvex/Sounds/Bing.wav"} + calls);
    }

    void soundSetting_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("absent: default")
            << false << "" << QStringList{"play /opt/tarvex/Sounds/Bing.wav"};
        QTest::newRow("empty: none") << true << "" << QStringList{};
        QTest::newRow("chosen file") << true << "/s/ding.wav" << QStringList{"play /s/ding.wav"};
    }

    void soundSetting()
    {
        QFETCH(bool, stored);
        QFETCH(QString, value);
        QFETCH(QStringList, calls);
        ActionRig rig;
        rig.runner.RunHotkeyAction(QStringLiteral("/x")); // read anew on every activation
        if (stored)
            rig.settings.setActivationSound(value);
        rig.log.clear();
        rig.runner.RunHotkeyAction(QStringLiteral("/x"));
        QCOMPARE(rig.log, calls + QStringList{"open /x"});
    }

    // Each power action asks first (later, from the event loop) and acts only on "Yes".
    void confirmations_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("powerCall");
        QTest::newRow("log off") << u"-Log Off-"_s << u"logOff"_s;
        QTest::newRow("shut down") << u"-Shut Down-"_s << u"shutDown"_s;
        QTest::newRow("restart") << u"-Restart-"_s << u"restart"_s;
        QTest::newRow("instant shutdown") << u"-Instant Shutdown-"_s << u"instantShutdown"_s;
        QTest::newRow("instant restart") << u"-Instant Restart-"_s << u"instantRestart"_s;
        QTest::newRow("instant poweroff") << u"-Instant Poweroff-"_s << u"instantPoweroff"_s;
    }

    void confirmations()
    {
        QFETCH(QString, target);
        QFETCH(QString, powerCall);
        ActionRig declined;
        declined.settings.setActivationSound(QString());
        declined.dialogs.answer(QStringLiteral("No"));
        declined.runner.RunHotkeyAction(target);
        QCOMPARE(declined.log.size(), 1);
        QVERIFY(declined.log.first().startsWith(QStringLiteral("ask later ")));
        ActionRig accepted;
        accepted.settings.setActivationSound(QString());
        accepted.dialogs.answer(QStringLiteral("Yes"));
        accepted.runner.RunHotkeyAction(target);
        QCOMPARE(accepted.log, (QStringList{declined.log.first(), powerCall}));
    }

    // Every name reads back as its action in any letter case, in the order of the lists.
    void namesInListOrder()
    {
        QCOMPARE(SpecialActionNames().size(), 10);
        for (int row = 1; row <= 10; ++row)
            QCOMPARE(int(SpecialActionFor(SpecialActionNames().at(row - 1).toUpper())), row);
        QCOMPARE(SpecialActionFor(QStringLiteral("-None-")), SpecialAction::None);
    }

    void notificationBeforeAction_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("calls");
        const QString sound = "play /opt/tarvex/Sounds/Bing.wav";
        QTest::newRow("file") << "/home/u/a.txt"
                              << QStringList{sound, "notify (Ctrl)(Alt)k | /home/u/a.txt",
                                             "open /home/u/a.txt"};
        QTest::newRow("special action")
            << "-Close Window-"
            << QStringList{sound, "notify (Ctrl)(Alt)k | -Close Window-", "close 7"};
    }

    void notificationBeforeAction()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, calls);
        ActionRig rig;
        FakeNotifier notifier;
        notifier.shareWith(&rig.log);
        rig.runner.setNotifier(&notifier);
        rig.runner.RunHotkeyAction(target, "(Ctrl)(Alt)k");
        QCOMPARE(rig.log, calls);
        // Unticked in the options window: the next activation shows none.
        rig.log.clear();
        rig.settings.setActivationNotification(false);
        rig.runner.RunHotkeyAction(target, "(Ctrl)(Alt)k");
        QVERIFY(!rig.log.join('\n').contains("notify"));
    }
};

QTEST_GUILESS_MAIN(TestActions)
#include "TestActions.moc"
