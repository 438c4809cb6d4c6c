#pragma once

#include <QDBusConnection>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QUuid>

#include <memory>
#include <vector>

class QThread;

// A stand-in for KWin's scripting service on a private bus. It lives on a thread of its own,
// since the client waits for a script's answer while the script runs. Each script loaded is
// kept as text and, when run, is evaluated by a JavaScript engine against a workspace of a few
// windows laid out as Plasma 5 (activeClient, clientList) or Plasma 6 (activeWindow,
// windowList) shows them; callDBus really calls over the bus. The log records
// "load <plugin>", "run <object path>", "unload <plugin>", what the scripts did to windows
// ("close <caption>", "minimize", "unminimize", "maximize", "activate") and script errors.
class MockKWin final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")

public:
    enum class Plasma { Five, Six };

    MockKWin(const QString& busAddress, Plasma plasma);
    ~MockKWin() override;

    void addWindow(const QString& caption, const QString& desktopFileName);
    /// Makes the window with `caption` active (empty: none).
    void setActive(const QString& caption);
    QStringList log();
    QStringList scripts();

    struct Window;
    void record(const QString& line);
    /// Runs the script loaded as `plugin` (called on the mock's thread).
    void execute(const QString& plugin);

public slots:
    int loadScript(const QString& path, const QString& plugin);
    bool unloadScript(const QString& plugin);

private:
    Plasma m_plasma;
    QDBusConnection m_bus;
    std::unique_ptr<QThread> m_thread;
    QMutex m_mutex;
    QStringList m_log;
    QStringList m_scripts;
    std::vector<std::unique_ptr<Window>> m_windows;
    Window* m_active = nullptr;
    int m_nextId = 0;
    QList<QPair<QString, QObject*>> m_loaded; // plugin name, its D-Bus object
};
