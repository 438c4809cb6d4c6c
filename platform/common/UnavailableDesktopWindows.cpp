#include "platform/common/UnavailableDesktopWindows.h"

#include "platform/Dialogs.h"
#include "platform/Notifier.h"

#include <QCoreApplication>

namespace tarvex {

WindowId UnavailableDesktopWindows::foregroundWindow()
{
    if (!m_reported) {
        m_reported = true;
        report();
    }
    return 0;
}

void UnavailableDesktopWindows::report()
{
    const QString title = QStringLiteral("Tarvex");
    const QString text = QCoreApplication::translate(
        "tarvex::UnavailableDesktopWindows",
        "This desktop does not let programs act on other programs' windows, so the hotkeys "
        "that hide, close, minimize or maximize a window do nothing here. Opening files, "
        "programs, folders and web addresses, sounds and the log-off and shutdown actions "
        "work as usual.");
    m_notifier.report(title, text, [this, title, text] { m_dialogs.informLater(title, text); });
}

} // namespace tarvex
