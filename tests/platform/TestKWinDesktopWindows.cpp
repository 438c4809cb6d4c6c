#include "platform/kwin/KWinDesktopWindows.h"
#include "tests/platform/MockKWin.h"

#include "tests/fakes/PrivateBus.h"
#include <QDBusConnection>
#include <QProcess>
#include <QRegularExpression>

#include <QtTest>

using namespace tarvex;

Q_DECLARE_METATYPE(MockKWin::Plasma)

// KWin's scripting as a stand-in KWin on a private bus receives it: the scripts are run by a
// JavaScript engine against windows laid out as Plasma 5 and Plasma 6 show them.
class TestKWinDesktopWindows final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_address = m_bus.address();
        QVERIFY2(!m_address.isEmpty(), "dbus-daemon did not start");
    }

    void actionsReachTheActiveWindow_data()
    {
        QTest::addColumn<MockKWin::Plasma>("plasma");
        QTest::addColumn<QString>("scriptPath");
        QTest::newRow("Plasma 6") << MockKWin::Plasma::Six << "/Scripting/Script";
        QTest::newRow("Plasma 5") << MockKWin::Plasma::Five << "/";
    }

    void actionsReachTheActiveWindow()
    {
        QFETCH(MockKWin::Plasma, plasma);
        QFETCH(QString, scriptPath);
        MockKWin kwin(m_address, plasma);
        kwin.addWindow("Editor", "org.kde.kate");
        kwin.addWindow(QString(60, 'T'), "org.kde.konsole");
        kwin.setActive(QString(60, 'T'));
        KWinDesktopWindows windows(client(QTest::currentDataTag()));

        const WindowId active = windows.foregroundWindow();
        QVERIFY(active != 0);
        QCOMPARE(windows.windowTitle(active), QString(50, 'T'));
        QCOMPARE(windows.windowAppId(active), "org.kde.konsole");
        windows.minimizeWindow(active);
        windows.maximizeWindow(active);
        windows.closeWindow(active);

        const QString konsole = QString(60, 'T');
        QStringList effects = kwin.log().filter(QRegularExpression("^(?!load|run|unload)"));
        QCOMPARE(effects,
                 (QStringList{"minimize " + konsole, "maximize " + konsole, "close " + konsole}));
        // Four scripts, each loaded, run at the object path of this Plasma and unloaded again.
        const QStringList steps = kwin.log().filter(QRegularExpression("^(load|run|unload) "));
        QCOMPARE(steps.size(), 12);
        for (int n = 0; n < 4; ++n) {
            const QString plugin = steps[3 * n].mid(5);
            QCOMPARE(steps[3 * n + 1], "run " + scriptPath + QString::number(n));
            QCOMPARE(steps[3 * n + 2], "unload " + plugin);
        }
        QCOMPARE(kwin.scripts().size(), 4);
        QDBusConnection::disconnectFromBus(QTest::currentDataTag());
    }
    void hiddenWindowComesBackActive_data() { actionsReachTheActiveWindow_data(); }

    void hiddenWindowComesBackActive()
    {
        QFETCH(MockKWin::Plasma, plasma);
        MockKWin kwin(m_address, plasma);
        kwin.addWindow("Editor", "org.kde.kate");
        kwin.addWindow("Terminal", "org.kde.konsole");
        kwin.setActive("Terminal");
        KWinDesktopWindows windows(client("hide"));
        const WindowId terminal = windows.foregroundWindow();
        windows.hideWindow(terminal);
        kwin.setActive("Editor");
        const WindowId editor = windows.foregroundWindow();
        QVERIFY(editor != terminal);
        windows.showWindow(terminal);
        QCOMPARE(kwin.log().filter(QRegularExpression("^(?!load|run|unload)")),
                 (QStringList{"minimize Terminal", "unminimize Terminal", "activate Terminal"}));
        QCOMPARE(windows.foregroundWindow(), terminal); // the same window keeps its id
        QDBusConnection::disconnectFromBus("hide");
    }

    void noActiveWindowAndNoKWin()
    {
        {
            MockKWin kwin(m_address, MockKWin::Plasma::Six);
            kwin.addWindow("Editor", "org.kde.kate");
            KWinDesktopWindows windows(client("none active"));
            QCOMPARE(windows.foregroundWindow(), WindowId(0));
            QCOMPARE(kwin.log().filter("error"), QStringList());
            QDBusConnection::disconnectFromBus("none active");
        }
        // Without KWin on the bus the calls fail at once and nothing is found.
        KWinDesktopWindows windows(client("no kwin"));
        QCOMPARE(windows.foregroundWindow(), WindowId(0));
        windows.closeWindow(1);
        QCOMPARE(windows.windowTitle(1), QString());
        QDBusConnection::disconnectFromBus("no kwin");
    }

private:
    QDBusConnection client(const QString& name) const
    {
        return QDBusConnection::connectToBus(m_address, name);
    }
    PrivateBus m_bus;
    QString m_address;
};

QTEST_GUILESS_MAIN(TestKWinDesktopWindows)
#include "TestKWinDesktopWindows.moc"
