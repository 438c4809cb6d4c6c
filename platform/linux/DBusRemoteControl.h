#pragma once

#include "platform/RemoteControl.h"

#include <QObject>
#include <QString>

#include <optional>

class QDBusConnection;

namespace tarvex {

/// The program's D-Bus interface on the session bus: service org.tarvex.Tarvex, object
/// /org/tarvex/Tarvex, interface org.tarvex.Tarvex, with the methods
///
///     Pause()                no hotkey fires until Resume() (or until the program ends)
///     Resume()
///     Reload()               reads the hotkey file again into the running hotkeys
///     ShowMainWindow()
///     ListHotkeys() -> as    one "combination<TAB>target" string per hotkey, in file order
///
/// for example `busctl --user call org.tarvex.Tarvex /org/tarvex/Tarvex org.tarvex.Tarvex
/// ListHotkeys`. Without a session bus (or with the name taken) start() says so once in the log
/// ("tarvex.remote", debug) and nothing is offered.
class DBusRemoteControl final : public QObject, public RemoteControl
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarvex.Tarvex")

public:
    static constexpr const char* ServiceName = "org.tarvex.Tarvex";
    static constexpr const char* ObjectPath = "/org/tarvex/Tarvex";
    static constexpr const char* InterfaceName = "org.tarvex.Tarvex";

    /// Offers the interface on the session bus.
    explicit DBusRemoteControl(QObject* parent = nullptr);
    /// Offers it on `bus` (a private bus in tests).
    explicit DBusRemoteControl(const QDBusConnection& bus, QObject* parent = nullptr);
    /// Takes the interface off the bus.
    ~DBusRemoteControl() override;

    bool start(Handlers handlers) override;

    /// Calls `method` of the interface on the program running in this session and returns its
    /// answer (ListHotkeys' list; empty for the others), or nothing when no program answers.
    /// It never starts one.
    static std::optional<QStringList> call(const QString& method);
    /// The same on `bus`.
    static std::optional<QStringList> call(const QDBusConnection& bus, const QString& method);

public Q_SLOTS:
    Q_SCRIPTABLE void Pause();
    Q_SCRIPTABLE void Resume();
    Q_SCRIPTABLE void Reload();
    Q_SCRIPTABLE void ShowMainWindow();
    Q_SCRIPTABLE QStringList ListHotkeys();

private:
    QDBusConnection bus() const;

    QString m_busName; // the connection's name; the connection itself lives in QtDBus
    Handlers m_handlers;
    bool m_offered = false;
};

} // namespace tarvex
