#pragma once

#include "platform/HiddenWindowIcons.h"

#include <QIcon>
#include <QImage>
#include <QList>
#include <QObject>

#include <functional>
#include <map>
#include <memory>

class QSystemTrayIcon;

namespace tarvex {

class EwmhDesktopWindows;

// One notification-area icon per hidden window, showing the window's own icon and
// its title as the tip; a double-click (a single click on a StatusNotifierItem tray)
// reports the slot. On a StatusNotifierItem tray each icon is an entry of its own
// titled like the window (StatusNotifierItem); elsewhere a QSystemTrayIcon, which
// appears when a tray starts if none runs yet.
class TrayHiddenWindowIcons final : public QObject, public HiddenWindowIcons
{
    Q_OBJECT

public:
    /// Reads the windows' icons through `windows`.
    explicit TrayHiddenWindowIcons(EwmhDesktopWindows& windows, QObject* parent = nullptr);
    /// Takes a window's icons from `iconsOf` (every size it has; none: a generic icon).
    explicit TrayHiddenWindowIcons(std::function<QIcon(WindowId)> iconsOf,
                                   QObject* parent = nullptr);
    ~TrayHiddenWindowIcons() override;

    /// Shows the icon of `slot` with `window`'s icon and the tip `tip`.
    void addIcon(int slot, WindowId window, const QString& tip) override;
    /// Removes the icon of `slot`, if any.
    void removeIcon(int slot) override;

signals:
    /// An icon was added for `slot`.
    void iconAdded(int slot);

private:
    QIcon iconOf(WindowId window);

    std::function<QIcon(WindowId)> m_iconsOf;
    QObject* trayIcon(int slot, WindowId window, const QString& tip);

    std::map<int, std::unique_ptr<QObject>> m_icons;
};

} // namespace tarvex
