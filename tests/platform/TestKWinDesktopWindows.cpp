#include "platform/kwin/KWinDesktopWindows.h"
#include "tests/fakes/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QJSEngine>
#include <QMutex>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>
#include <QUuid>

using namespace tarvex;

// One window as KWin's scripts see it.
class KWinWindow final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QUuid internalId MEMBER internalId CONSTANT)
    Q_PROPERTY(QString caption MEMBER caption CONSTANT)
    Q_PROPERTY(QString desktopFileName MEMBER desktopFileName CONSTANT)
    Q_PROPERTY(bool minimized READ isMinimized WRITE setMinimized)

public:
    std::function<void(const QString&)> record;
    QUuid internalId = QUuid::createUuid();
    QString caption, desktopFileName;
    bool minimized = false;

    bool isMinimized() const { return minimized; }
    void setMinimized(bool value)
    {
        minimized = value;
        record((value ? "minimize " : "unminimize ") + caption);
    }
    Q_INVOKABLE void closeWindow() { record("close " + caption); }
    Q_INVOKABLE void setMaximize(bool vertically, bool horizontally)
    {
        if (vertically && horizontally)
            record("maximize " + caption);
    }
};

// A stand-in for KWin's scripting service on a private bus. It lives on a thread of its own,
// since the client waits for a script's answer while the script runs. Each script loaded is
// run by a JavaScript engine against a workspace of windows laid out as Plasma 5
// (activeClient, clientList) or Plasma 6 (activeWindow, windowList) shows them; callDBus
// really calls over the bus. The log records "load <plugin>", "run <object path>",
// "unload <plugin>", what the scripts did to windows ("close <caption>", "minimize",
// "unminimize", "maximize", "activate") and script errors.
class MockKWin final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")

public:
    MockKWin(const QString& busAddress, bool six)
        : m_six(six), m_bus(QDBusConnection::connectToBus(busAddress, "kwin"))
    {
        moveToThread(&m_thread);
        m_thread.start();
        m_bus.registerObject("/Scripting", this, QDBusConnection::ExportAllSlots);
        m_bus.registerService("org.kde.KWin");
    }
    ~MockKWin() override
    {
        m_bus.unregisterService("org.kde.KWin");
        m_bus.unregisterObject("/Scripting");
        m_thread.quit();
        m_thread.wait();
        qDeleteAll(m_loaded);
        QDBusConnection::disconnectFromBus("kwin");
    }
    void addWindow(const QString& caption, const QString& desktopFileName)
    {
        QMutexLocker lock(&m_mutex);
        auto& window = m_windows.emplace_back(std::make_unique<KWinWindow>());
        window->record = [this](const QString& line) { record(line); };
        window->caption = caption;
        window->desktopFileName = desktopFileName;
        window->moveToThread(&m_thread);
    }
    /// Makes the window with `caption` active (none if there is no such window).
    void setActive(const QString& caption)
    {
        QMutexLocker lock(&m_mutex);
        m_active = nullptr;
        for (auto& window : m_windows) {
            if (window->caption == caption)
                m_active = window.get();
        }
    }
    QStringList log()
    {
        QMutexLocker lock(&m_mutex);
        return m_log;
    }
    void record(const QString& line)
    {
        QMutexLocker lock(&m_mutex);
        m_log << line;
    }
    void execute(const QString& script);
    // callDBus of KWin's scripts: service, path, interface, method, then the arguments.
    Q_INVOKABLE void call(const QVariantList& args)
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(args.value(0).toString(), args.value(1).toString(),
                                           args.value(2).toString(), args.value(3).toString());
        message.setArguments(args.mid(4));
        m_bus.send(message);
    }

public slots:
    int loadScript(const QString& path, const QString& plugin);
    bool unloadScript(const QString& plugin)
    {
        QObject* object = m_loaded.take(plugin);
        if (!object)
            return false;
        m_bus.unregisterObject(object->property("path").toString());
        delete object;
        record("unload " + plugin);
        return true;
    }

private:
    bool m_six;
    QDBusConnection m_bus;
    QThread m_thread;
    QMutex m_mutex;
    QStringList m_log;
    std::vector<std::unique_ptr<KWinWindow>> m_windows;
    KWinWindow* m_active = nullptr;
    int m_nextId = 0;
    QHash<QString, QObject*> m_loaded; // plugin name, its D-Bus object
};

// A loaded script's own object (org.kde.kwin.Script) with its run method.
class ScriptObject final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Script")

public:
    ScriptObject(MockKWin& kwin, QString text) : m_kwin(kwin), m_text(std::move(text)) {}

public slots:
    void run()
    {
        m_kwin.record("run " + property("path").toString());
        m_kwin.execute(m_text);
    }

private:
    MockKWin& m_kwin;
    QString m_text;
};

int MockKWin::loadScript(const QString& path, const QString& plugin)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const int id = m_nextId++;
    const QString objectPath =
        m_six ? QString("/Scripting/Script%1").arg(id) : QString("/%1").arg(id);
    auto* object = new ScriptObject(*this, QString::fromUtf8(file.readAll()));
    object->setProperty("path", objectPath);
    m_bus.registerObject(objectPath, object, QDBusConnection::ExportAllSlots);
    m_loaded.insert(plugin, object);
    record("load " + plugin);
    return id;
}

void MockKWin::execute(const QString& script)
{
    QList<KWinWindow*> windows;
    KWinWindow* active = nullptr;
    {
        QMutexLocker lock(&m_mutex);
        for (auto& window : m_windows)
            windows << window.get();
        active = m_active;
    }
    QJSEngine engine;
    const auto wrap = [&engine](QObject* object) {
        QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
        return engine.newQObject(object);
    };
    engine.globalObject().setProperty("__bridge", wrap(this));
    engine.evaluate("var callDBus = function () {"
                    " __bridge.call(Array.prototype.slice.call(arguments)); };");
    QJSValue list = engine.newArray(uint(windows.size()));
    for (qsizetype n = 0; n < windows.size(); ++n)
        list.setProperty(quint32(n), wrap(windows[n]));
    const QJSValue returning =
        engine.evaluate("(function (v) { return function () { return v; }; })");
    const QString activeName = m_six ? "activeWindow" : "activeClient";
    QJSValue workspace = engine.newObject();
    workspace.setProperty(m_six ? "windowList" : "clientList", returning.call({list}));
    workspace.setProperty(activeName, active ? wrap(active) : QJSValue(QJSValue::NullValue));
    engine.globalObject().setProperty("workspace", workspace);
    const QJSValue result = engine.evaluate(script, "script.js");
    if (result.isError())
        record("error " + result.toString());
    auto* nowActive = qobject_cast<KWinWindow*>(workspace.property(activeName).toQObject());
    if (nowActive && nowActive != active) {
        record("activate " + nowActive->caption);
        QMutexLocker lock(&m_mutex);
        m_active = nowActive;
    }
}

// KWin's scripting as a stand-in KWin on a private bus receives it: the scripts are run by a
// JavaScript engine against windows laid out as Plasma 5 and Plasma 6 show them.
class TestKWinDesktopWindows final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(!m_bus.address().isEmpty(), "dbus-daemon did not start"); }
    void cleanup() { QDBusConnection::disconnectFromBus("client"); }

    void actionsReachTheActiveWindow_data()
    {
        QTest::addColumn<bool>("six");
        QTest::addColumn<QString>("scriptPath");
        QTest::newRow("Plasma 6") << true << "/Scripting/Script";
        QTest::newRow("Plasma 5") << false << "/";
    }
    void actionsReachTheActiveWindow()
    {
        QFETCH(bool, six);
        QFETCH(QString, scriptPath);
        const QString konsole = QString(60, 'T');
        MockKWin kwin(m_bus.address(), six);
        kwin.addWindow("Editor", "org.kde.kate");
        kwin.addWindow(konsole, "org.kde.konsole");
        kwin.setActive(konsole);
        KWinDesktopWindows windows(client());
        const WindowId active = windows.foregroundWindow();
        QVERIFY(active != 0);
        QCOMPARE(windows.windowTitle(active), QString(50, 'T'));
        QCOMPARE(windows.windowAppId(active), "org.kde.konsole");
        windows.minimizeWindow(active);
        windows.maximizeWindow(active);
        windows.closeWindow(active);
        QCOMPARE(effects(kwin),
                 (QStringList{"minimize " + konsole, "maximize " + konsole, "close " + konsole}));
        // Four scripts, each loaded, run at the object path of this Plasma and unloaded again.
        const QStringList steps = kwin.log().filter(QRegularExpression("^(load|run|unload) "));
        QCOMPARE(steps.size(), 12);
        for (int n = 0; n < 4; ++n) {
            QVERIFY(steps[3 * n].startsWith("load "));
            QCOMPARE(steps[3 * n + 1], "run " + scriptPath + QString::number(n));
            QCOMPARE(steps[3 * n + 2], "unload " + steps[3 * n].mid(5));
        }
    }

    void hiddenWindowComesBackActive_data() { actionsReachTheActiveWindow_data(); }
    void hiddenWindowComesBackActive()
    {
        QFETCH(bool, six);
        MockKWin kwin(m_bus.address(), six);
        kwin.addWindow("Editor", "org.kde.kate");
        kwin.addWindow("Terminal", "org.kde.konsole");
        kwin.setActive("Terminal");
        KWinDesktopWindows windows(client());
        const WindowId terminal = windows.foregroundWindow();
        windows.hideWindow(terminal);
        kwin.setActive("Editor");
        QVERIFY(windows.foregroundWindow() != terminal);
        windows.showWindow(terminal);
        QCOMPARE(effects(kwin),
                 (QStringList{"minimize Terminal", "unminimize Terminal", "activate Terminal"}));
        QCOMPARE(windows.foregroundWindow(), terminal); // the same window keeps its id
    }

    void noActiveWindowAndNoKWin()
    {
        {
            MockKWin kwin(m_bus.address(), true);
            kwin.addWindow("Editor", "org.kde.kate");
            KWinDesktopWindows windows(client());
            QCOMPARE(windows.foregroundWindow(), WindowId(0));
            QCOMPARE(kwin.log().filter("error"), QStringList());
        }
        // Without KWin on the bus the calls fail at once and nothing is found.
        KWinDesktopWindows windows(client("no kwin"));
        QCOMPARE(windows.foregroundWindow(), WindowId(0));
        windows.closeWindow(1);
        QCOMPARE(windows.windowTitle(1), QString());
        QDBusConnection::disconnectFromBus("no kwin");
    }

private:
    QDBusConnection client(const QString& name = "client") const
    {
        return QDBusConnection::connectToBus(m_bus.address(), name);
    }
    // What the scripts did to windows, in order.
    static QStringList effects(MockKWin& kwin)
    {
        return kwin.log().filter(QRegularExpression("^(?!load|run|unload)"));
    }
    PrivateBus m_bus;
};

QTEST_GUILESS_MAIN(TestKWinDesktopWindows)
#include "TestKWinDesktopWindows.moc"
