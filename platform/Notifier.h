#pragma once

#include <QString>

namespace tarvex {

/// Desktop notifications: a short message the desktop shows for a moment and then hides.
class Notifier
{
public:
    virtual ~Notifier() = default;

    /// Shows `summary` with the plain text `body` and returns at once. Without a notification
    /// service nothing is shown and nothing fails.
    virtual void notify(const QString& summary, const QString& body) = 0;
};

} // namespace tarvex
