#include "platform/common/DesktopWindowsChoice.h"

namespace tarvex {

DesktopWindowsKind chooseDesktopWindows(const QString& sessionType,
                                        const std::optional<QStringList>& waylandGlobals)
{
    if (sessionType.trimmed().compare(u"x11", Qt::CaseInsensitive) == 0 || !waylandGlobals)
        return DesktopWindowsKind::Ewmh;
    if (waylandGlobals->contains(u"zwlr_foreign_toplevel_manager_v1"))
        return DesktopWindowsKind::WlrForeignToplevel;
    // KWin advertises protocols of its own to every client (server-side decorations, its
    // idle and output extensions); no other compositor names them.
    for (const QString& global : *waylandGlobals) {
        if (global.startsWith(u"org_kde_kwin_") || global.startsWith(u"org_kde_plasma_"))
            return DesktopWindowsKind::KWinScripting;
    }
    return DesktopWindowsKind::Unavailable;
}

} // namespace tarvex
