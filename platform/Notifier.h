#pragma once

#include <QString>

#include <functional>

namespace tarvex {

/// Desktop notifications: a short message the desktop shows for a moment and then hides.
class Notifier
{
public:
    virtual ~Notifier() = default;

    /// Shows `summary` with the plain text `body` and returns at once; it takes the place of the
    /// one this call showed before. Without a notification service nothing is shown and nothing
    /// fails.
    virtual void notify(const QString& summary, const QString& body) = 0;
    /// Shows `summary` with the plain text `body` as a notice of its own, which later
    /// notifications never replace, and returns at once. When no notification service takes
    /// it, `notShown` runs instead (from the event loop, or before this returns).
    virtual void report(const QString& summary, const QString& body,
                        std::function<void()> notShown) = 0;
};

} // namespace tarvex
