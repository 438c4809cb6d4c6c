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

// One notification-area icon per hidden window (QSystemTrayIcon), showing the
// window's own icon and its title as the tip; a double-click (a single click on a
// StatusNotifierItem tray) reports the slot. An icon added while no tray runs appears
// when a tray starts.
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
    std::map<int, std::unique_ptr<QSystemTrayIcon>> m_icons;
};

} // namespace tarvex
