#include "tests/platform/MockKWin.h"

#include <QDBusMessage>
#include <QFile>
#include <QJSEngine>
#include <QThread>

// One window as KWin's scripts see it.
struct MockKWin::Window : QObject
{
    Q_OBJECT
    Q_PROPERTY(QUuid internalId MEMBER internalId CONSTANT)
    Q_PROPERTY(QString caption MEMBER caption CONSTANT)
    Q_PROPERTY(QString desktopFileName MEMBER desktopFileName CONSTANT)
    Q_PROPERTY(bool minimized READ isMinimized WRITE setMinimized)

public:
    MockKWin* kwin = nullptr;
    QUuid internalId = QUuid::createUuid();
    QString caption, desktopFileName;
    bool minimized = false;

    bool isMinimized() const { return minimized; }
    void setMinimized(bool value)
    {
        minimized = value;
        kwin->record((value ? "minimize " : "unminimize ") + caption);
    }
    Q_INVOKABLE void closeWindow() { kwin->record("close " + caption); }
    Q_INVOKABLE void setMaximize(bool vertically, bool horizontally)
    {
        if (vertically && horizontally)
            kwin->record("maximize " + caption);
    }
};

namespace {

// A loaded script's own object (org.kde.kwin.Script) with its run method.
class ScriptObject final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Script")

public:
    ScriptObject(MockKWin& kwin, QString plugin, QString path)
        : m_kwin(kwin), m_plugin(std::move(plugin)), m_path(std::move(path))
    {}

public slots:
    void run()
    {
        m_kwin.record("run " + m_path);
        m_kwin.execute(m_plugin);
    }

private:
    MockKWin& m_kwin;
    QString m_plugin, m_path;
};

// callDBus of KWin's scripts: service, path, interface, method, then the arguments.
class Bridge final : public QObject
{
    Q_OBJECT

public:
    explicit Bridge(QDBusConnection bus) : m_bus(std::move(bus)) {}
    Q_INVOKABLE void call(const QVariantList& args)
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(args.value(0).toString(), args.value(1).toString(),
                                           args.value(2).toString(), args.value(3).toString());
        message.setArguments(args.mid(4));
        m_bus.send(message);
    }

private:
    QDBusConnection m_bus;
};

} // namespace

MockKWin::MockKWin(const QString& busAddress, Plasma plasma)
    : m_plasma(plasma), m_bus(QDBusConnection::connectToBus(busAddress, "kwin")),
      m_thread(std::make_unique<QThread>())
{
    moveToThread(m_thread.get());
    m_thread->start();
    m_bus.registerObject("/Scripting", this, QDBusConnection::ExportAllSlots);
    m_bus.registerService("org.kde.KWin");
}

MockKWin::~MockKWin()
{
    m_bus.unregisterService("org.kde.KWin");
    m_bus.unregisterObject("/Scripting");
    m_thread->quit();
    m_thread->wait();
    for (auto& [plugin, object] : m_loaded)
        delete object;
    QDBusConnection::disconnectFromBus("kwin");
}

void MockKWin::addWindow(const QString& caption, const QString& desktopFileName)
{
    QMutexLocker lock(&m_mutex);
    auto window = std::make_unique<Window>();
    window->kwin = this;
    window->caption = caption;
    window->desktopFileName = desktopFileName;
    window->moveToThread(m_thread.get());
    m_windows.push_back(std::move(window));
}

void MockKWin::setActive(const QString& caption)
{
    QMutexLocker lock(&m_mutex);
    m_active = nullptr;
    for (auto& window : m_windows) {
        if (window->caption == caption)
            m_active = window.get();
    }
}

QStringList MockKWin::log()
{
    QMutexLocker lock(&m_mutex);
    return m_log;
}

QStringList MockKWin::scripts()
{
    QMutexLocker lock(&m_mutex);
    return m_scripts;
}

void MockKWin::record(const QString& line)
{
    QMutexLocker lock(&m_mutex);
    m_log << line;
}

int MockKWin::loadScript(const QString& path, const QString& plugin)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const int id = m_nextId++;
    const QString objectPath =
        m_plasma == Plasma::Six ? QString("/Scripting/Script%1").arg(id) : QString("/%1").arg(id);
    auto* object = new ScriptObject(*this, plugin, objectPath);
    m_bus.registerObject(objectPath, object, QDBusConnection::ExportAllSlots);
    object->setProperty("path", objectPath);
    object->setObjectName(QString::fromUtf8(file.readAll()));
    {
        QMutexLocker lock(&m_mutex);
        m_log << "load " + plugin;
        m_scripts << object->objectName();
        m_loaded.append({plugin, object});
    }
    return id;
}

bool MockKWin::unloadScript(const QString& plugin)
{
    QMutexLocker lock(&m_mutex);
    for (qsizetype n = 0; n < m_loaded.size(); ++n) {
        if (m_loaded[n].first == plugin) {
            m_bus.unregisterObject(m_loaded[n].second->property("path").toString());
            delete m_loaded[n].second;
            m_loaded.removeAt(n);
            m_log << "unload " + plugin;
            return true;
        }
    }
    return false;
}

void MockKWin::execute(const QString& plugin)
{
    QString text;
    QList<Window*> windows;
    Window* active = nullptr;
    {
        QMutexLocker lock(&m_mutex);
        for (auto& [name, object] : m_loaded) {
            if (name == plugin)
                text = object->objectName();
        }
        for (auto& window : m_windows)
            windows << window.get();
        active = m_active;
    }
    QJSEngine engine;
    Bridge bridge(m_bus);
    const auto wrap = [&engine](QObject* object) {
        QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
        return engine.newQObject(object);
    };
    engine.globalObject().setProperty("__bridge", wrap(&bridge));
    engine.evaluate("var callDBus = function () {"
                    " __bridge.call(Array.prototype.slice.call(arguments)); };");
    QJSValue list = engine.newArray(uint(windows.size()));
    for (qsizetype n = 0; n < windows.size(); ++n)
        list.setProperty(quint32(n), wrap(windows[n]));
    const QJSValue returning =
        engine.evaluate("(function (v) { return function () { return v; }; })");
    const bool six = m_plasma == Plasma::Six;
    const QString activeName = six ? "activeWindow" : "activeClient";
    QJSValue workspace = engine.newObject();
    workspace.setProperty(six ? "windowList" : "clientList", returning.call({list}));
    workspace.setProperty(activeName, active ? wrap(active) : QJSValue(QJSValue::NullValue));
    engine.globalObject().setProperty("workspace", workspace);

    const QJSValue result = engine.evaluate(text, "script.js");
    if (result.isError())
        record("error " + result.toString());
    auto* nowActive = qobject_cast<Window*>(workspace.property(activeName).toQObject());
    if (nowActive && nowActive != active) {
        record("activate " + nowActive->caption);
        QMutexLocker lock(&m_mutex);
        m_active = nowActive;
    }
}

#include "MockKWin.moc"
