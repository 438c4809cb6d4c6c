#pragma once

#include "platform/LoginEntry.h"

namespace tarvex {

// The login entry of an XDG desktop: the autostart file
// $XDG_CONFIG_HOME/autostart/<appName>.desktop, whose Exec line starts the
// program with the single argument "automatic". The file is replaced atomically.
class XdgLoginEntry final : public LoginEntry
{
public:
    /// Writes (enable) or removes the autostart file; returns the error text to show, or "".
    QString SetRunAtLogin(const QString& appName, const QString& appFolder, bool enable) override;
    /// True when the autostart file of `appName` exists.
    bool runsAtLogin(const QString& appName) override;

    /// The path of the autostart file of `appName`.
    static QString entryPath(const QString& appName);
    /// The whole text of the autostart file for the program `appFolder`/`appName`.
    static QString entryText(const QString& appName, const QString& appFolder);

private:
    static QString writeEntry(const QString& appName, const QString& appFolder);
    static QString removeEntry(const QString& appName);
};

} // namespace tarvex
