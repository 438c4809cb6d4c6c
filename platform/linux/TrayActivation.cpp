#include "platform/linux/TrayActivation.h"

#include <QApplication>

namespace tarvex {

bool TrayActivation::opens(QSystemTrayIcon::ActivationReason reason)
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

} // namespace tarvex
