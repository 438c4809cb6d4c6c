#pragma once

#include <QString>

namespace tarvex {

/// The entry that starts the program at the user's login with the single argument "automatic"
/// (an XDG autostart desktop file named after the executable, on Linux).
class LoginEntry
{
public:
    virtual ~LoginEntry() = default;

    /// Creates (enable) or removes the entry for program `appName` in folder `appFolder`.
    /// Returns an error text to show the user, or an empty text on success; removing an
    /// absent entry is a success.
    virtual QString SetRunAtLogin(const QString& appName, const QString& appFolder,
                                  bool enable) = 0;
    /// True when the entry for program `appName` exists now (whoever wrote or removed it).
    virtual bool runsAtLogin(const QString& appName) = 0;
};

} // namespace tarvex
