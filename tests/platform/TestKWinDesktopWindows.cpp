#include "platform/kwin/KWinDesktopWindows.h"
#include "tests/fakes/PrivateBus.h"

#include <QJSEngine>
#include <QtDBus>
#include <QtTest>

using namespace tarvex;

// A stand-in for Plasma 6's KWin scripting, on a thread of its own as the client blocks meanwhile:
// scripts run in a JavaScript engine, callDBus really calls, `log` records what they did.
class MockKWin final : public QDBusVirtualObject
{
    Q_OBJECT
    Q_PROPERTY(int active MEMBER active)

public:
    int active = 1; // index of the active window, -1 for none
    QStringList log;
    explicit MockKWin(const QString& address)
        : m_bus(QDBusConnection::connectToBus(address, "kwin"))
    {
        m_bus.registerVirtualObject("/Scripting", this, QDBusConnection::SubPath);
        m_bus.registerService("org.kde.KWin");
        moveToThread(&m_thread);
        m_thread.start();
    }
    ~MockKWin() override { m_thread.quit(), m_thread.wait(); }
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        QVariant reply = true; // loadScript answers the script's number, 0
        if (QFile file(message.arguments().value(0).toString());
            message.member() == "loadScript" && file.open(QIODevice::ReadOnly))
            m_text = file.readAll(), reply = 0;
        else if (message.member() == "run")
            execute();
        return bus.send(message.createReply(reply));
    }
    Q_INVOKABLE void record(const QString& line) { log << line; }
    Q_INVOKABLE void call(const QVariantList& args) // service, path, interface, method, args
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(args.value(0).toString(), args.value(1).toString(),
                                           args.value(2).toString(), args.value(3).toString());
        message.setArguments(args.mid(4));
        m_bus.send(message);
    }
    void execute()
    {
        QJSEngine engine;
        QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);
        engine.globalObject().setProperty("kwin", engine.newQObject(this));
        engine.evaluate(QString(R"(
var callDBus = function () { kwin.call([].slice.call(arguments)); };
function win(id, caption, app) { return {internalId: id, caption: caption, desktopFileName: app,
    resourceClass: app.split('.').pop(), normalWindow: true,
    set minimized(v) { kwin.record((v ? 'minimize ' : 'unminimize ') + id); },
    closeWindow: function () { kwin.record('close ' + id); }}; }
var list = [win('{e}', 'Editor', 'org.kde.kate'), win('{t}', '%1', 'org.kde.konsole')];
var workspace = {windowList: function () { return list; }, activeWindow: list[kwin.active] || null};
)")
                            .arg(QString(60, 'T')) +
                        m_text);
    }

private:
    QDBusConnection m_bus;
    QThread m_thread;
    QString m_text;
};

class TestKWinDesktopWindows final : public QObject
{
    Q_OBJECT

private slots:
    void actionsReachTheActiveWindow()
    {
        PrivateBus bus;
        std::optional<MockKWin> kwin;
        KWinDesktopWindows windows(QDBusConnection::connectToBus(bus.address(), "client"));
        QCOMPARE(windows.foregroundWindow(), WindowId(0)); // no KWin on the bus yet
        kwin.emplace(bus.address());
        const WindowId terminal = windows.foregroundWindow();
        QVERIFY(terminal != 0);
        QCOMPARE(QStringList({windows.windowTitle(terminal), windows.windowAppId(terminal)}),
                 QStringList({QString(50, 'T'), "org.kde.konsole"}));
        QCOMPARE(std::tuple(windows.applicationNames(terminal), windows.runningApplications()),
                 std::tuple(QStringList{"org.kde.konsole", "konsole"},
                            QStringList{"org.kde.kate", "org.kde.konsole"}));
        windows.minimizeWindow(terminal);
        windows.showWindow(terminal);
        windows.closeWindow(terminal);
        QCOMPARE(kwin->log, QStringList({"minimize {t}", "unminimize {t}", "close {t}"}));
        QCOMPARE(windows.foregroundWindow(), terminal); // the same window keeps its id
        kwin->active = -1;
        QCOMPARE(windows.foregroundWindow(), WindowId(0));
    }
};

QTEST_GUILESS_MAIN(TestKWinDesktopWindows)
#include "TestKWinDesktopWindows.moc"
