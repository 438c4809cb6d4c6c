#pragma once

#include "store/HotkeyEntry.h"

#include <QStringList>

#include <functional>

namespace tarvex {

/// The application of the window in front, as the desktop names it: its app id or window
/// class (an X11 window gives two names, its instance and its class). `known` is false where
/// the desktop cannot tell; `names` is empty when no window is in front.
struct ForegroundApp
{
    bool known = false;
    QStringList names;
};

/// Asks the desktop for the application in front; called only when a hotkey that is limited
/// to applications is about to fire.
using ForegroundAppQuery = std::function<ForegroundApp()>;

/// True when a hotkey limited by `filter` acts while `app` is in front: always for Everywhere;
/// for OnlyIn when one of its applications is one of the names; for NotIn when none is. Where
/// the desktop cannot tell, OnlyIn hotkeys never act and NotIn hotkeys always do. Names are
/// compared without regard to letter case.
bool AppFilterAllows(const AppFilter& filter, const ForegroundApp& app);

} // namespace tarvex
