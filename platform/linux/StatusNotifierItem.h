#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

namespace tarvex {

/// A notification-area entry of its own on a StatusNotifierItem tray (KDE Plasma, GNOME's
/// AppIndicator extension, waybar), for a window hidden by "-Hide Window-": unlike the entries
/// Qt makes, which all carry the program's name, its Title is the hidden window's, so trays that
/// list their entries by title tell them apart. Each entry owns a bus connection and a name of
/// its own, so the tray drops it when it goes.
class StatusNotifierItem final : public QObject
{
    Q_OBJECT

public:
    /// True when the session bus has a StatusNotifierItem tray (a watcher with a host).
    static bool TrayAvailable();

    /// Registers entry number `id` with `title` and `icon` at the tray; it shows until destroyed.
    StatusNotifierItem(int id, const QString& title, const QIcon& icon, QObject* parent = nullptr);
    ~StatusNotifierItem() override;

    /// The name the entry holds on the session bus.
    const QString& serviceName() const { return m_service; }

Q_SIGNALS:
    /// The tray activated the entry (a click).
    void activated();

private:
    friend class StatusNotifierItemAdaptor;

    QString m_connectionName;
    QString m_service;
    QString m_title;
    QIcon m_icon;
};

} // namespace tarvex
