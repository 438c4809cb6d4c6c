#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QSystemTrayIcon>

namespace tarvex {

/// Which clicks on a tray icon open it, decided per tray.
///
/// An XEmbed tray embeds the icon as a window of this program: it reports a left press as
/// `Trigger` and a left double-click as `DoubleClick`, and only the double-click opens.
/// A StatusNotifierItem tray (KDE Plasma, GNOME's AppIndicator extension, waybar, every Wayland
/// tray) draws the icon itself and calls the item's Activate over D-Bus: Qt reports that as
/// `Trigger` and never reports a double-click, so there a single click opens. The two are told
/// apart by where the click happened: an XEmbed `Trigger` comes from a mouse press in this
/// program, so a button is down; an Activate from another program comes with no button down.
///
/// The rule holds for every tray whatever the back end, so the program's own tray icon and the
/// hidden windows' icons share it; it needs Qt Widgets, which whoever includes it links.
class TrayActivation final
{
public:
    /// True when the activation `reason` that arrives now opens the icon. A StatusNotifierItem
    /// tray may turn a double-click into two activations; the second one, within the desktop's
    /// double-click time, is dropped so a double-click acts once there too.
    bool opens(QSystemTrayIcon::ActivationReason reason)
    {
        if (reason == QSystemTrayIcon::DoubleClick)
            return true;
        // A press in this program's own icon window: an XEmbed tray, whose double-click follows.
        if (reason != QSystemTrayIcon::Trigger || QGuiApplication::mouseButtons() != Qt::NoButton)
            return false;
        const bool repeated = m_lastSingleClick.isValid() &&
                              m_lastSingleClick.elapsed() < QApplication::doubleClickInterval();
        m_lastSingleClick.start();
        return !repeated;
    }

private:
    QElapsedTimer m_lastSingleClick;
};

} // namespace tarvex
