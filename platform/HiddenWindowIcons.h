#pragma once

#include "platform/DesktopWindows.h"

#include <QString>

#include <functional>
#include <utility>

namespace tarvex {

/// Notification-area entries of the windows that "-Hide Window-" has hidden, one per slot 0-10.
/// The implementation reads the window's own icon itself (large icon, else small, else a
/// generic icon), because the core holds no images. A left double-click on an entry (a single
/// click on trays that report no double-clicks) is reported through the double-click callback
/// with the entry's slot number.
class HiddenWindowIcons
{
public:
    virtual ~HiddenWindowIcons() = default;

    /// Adds (or replaces) the entry of `slot` showing `window`'s icon with `tip` as its tooltip.
    virtual void addIcon(int slot, WindowId window, const QString& tip) = 0;
    /// Removes the entry of `slot`; nothing happens when it has none.
    virtual void removeIcon(int slot) = 0;

    /// Sets the function called with the slot number when an entry is double-clicked.
    void setDoubleClickCallback(std::function<void(int slot)> callback)
    {
        m_doubleClickCallback = std::move(callback);
    }

protected:
    /// Runs the double-click callback, if any, for `slot`.
    void notifyDoubleClicked(int slot)
    {
        // A copy, so the callback may replace or clear itself while it runs.
        const std::function<void(int)> callback = m_doubleClickCallback;
        if (callback)
            callback(slot);
    }

private:
    std::function<void(int)> m_doubleClickCallback;
};

} // namespace tarvex
