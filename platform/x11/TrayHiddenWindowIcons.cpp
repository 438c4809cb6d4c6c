#include "platform/x11/TrayHiddenWindowIcons.h"

#include "platform/linux/StatusNotifierItem.h"
#include "platform/TrayActivation.h"
#include "platform/x11/EwmhDesktopWindows.h"

#include <QApplication>
#include <QPixmap>
#include <QStyle>
#include <QSystemTrayIcon>

namespace tarvex {

TrayHiddenWindowIcons::TrayHiddenWindowIcons(EwmhDesktopWindows& windows, QObject* parent)
    : TrayHiddenWindowIcons(
          [&windows](WindowId window) {
              QIcon icon;
              for (const QImage& image : windows.windowIcons(window))
                  icon.addPixmap(QPixmap::fromImage(image));
              return icon;
          },
          parent)
{}

TrayHiddenWindowIcons::TrayHiddenWindowIcons(std::function<QIcon(WindowId)> iconsOf,
                                             QObject* parent)
    : QObject(parent), m_iconsOf(std::move(iconsOf))
{}

TrayHiddenWindowIcons::~TrayHiddenWindowIcons() = default;

void TrayHiddenWindowIcons::addIcon(int slot, WindowId window, const QString& tip)
{
    removeIcon(slot);
    if (StatusNotifierItem::TrayAvailable()) {
        auto item = std::make_unique<StatusNotifierItem>(slot, tip, iconOf(window));
        connect(item.get(), &StatusNotifierItem::activated, this,
                [this, slot] { notifyDoubleClicked(slot); });
        m_icons[slot] = std::move(item);
    } else {
        m_icons[slot].reset(trayIcon(slot, window, tip));
    }
    emit iconAdded(slot);
}

QObject* TrayHiddenWindowIcons::trayIcon(int slot, WindowId window, const QString& tip)
{
    auto* icon = new QSystemTrayIcon(iconOf(window));
    icon->setToolTip(tip);
    // A double-click on an XEmbed tray, a single click on a StatusNotifierItem tray.
    connect(icon, &QSystemTrayIcon::activated, this,
            [this, slot,
             activation = TrayActivation()](QSystemTrayIcon::ActivationReason reason) mutable {
                if (activation.opens(reason))
                    notifyDoubleClicked(slot);
            });
    icon->show();
    return icon;
}

void TrayHiddenWindowIcons::removeIcon(int slot)
{
    const auto it = m_icons.find(slot);
    if (it == m_icons.end())
        return;
    if (auto* icon = qobject_cast<QSystemTrayIcon*>(it->second.get()))
        icon->hide();
    // The double-click that removes the icon is still being delivered by it.
    it->second.release()->deleteLater();
    m_icons.erase(it);
}

// The window's own icons at every size it offers (the tray picks the best),
// else a generic program icon.
QIcon TrayHiddenWindowIcons::iconOf(WindowId window)
{
    const QIcon icon = m_iconsOf ? m_iconsOf(window) : QIcon();
    if (!icon.isNull())
        return icon;
    return QIcon::fromTheme(QStringLiteral("application-x-executable"),
                            QApplication::style()->standardIcon(QStyle::SP_DesktopIcon));
}

} // namespace tarvex
