#pragma once

#include "platform/LoginEntry.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Records "login <name> <folder> on|off" and returns the error text the test chooses.
class FakeLoginEntry final : public LoginEntry, public CallLog
{
public:
    QString SetRunAtLogin(const QString& appName, const QString& appFolder, bool enable) override
    {
        record(QStringLiteral("login %1 %2 %3")
                   .arg(appName, appFolder, enable ? QStringLiteral("on") : QStringLiteral("off")));
        return m_error;
    }
    /// Sets the error text later calls return (empty = success).
    void setError(const QString& error) { m_error = error; }

private:
    QString m_error;
};

} // namespace tarvex
