#pragma once

#include "platform/LoginEntry.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Records "login <name> <folder> on|off" and returns the error text the test chooses; the
/// entry exists after a successful "on" until a successful "off" (or setExists).
class FakeLoginEntry final : public LoginEntry, public CallLog
{
public:
    QString SetRunAtLogin(const QString& appName, const QString& appFolder, bool enable) override
    {
        record(QStringLiteral("login %1 %2 %3")
                   .arg(appName, appFolder, QLatin1String(enable ? "on" : "off")));
        if (m_error.isEmpty())
            m_exists = enable;
        return m_error;
    }
    bool runsAtLogin(const QString&) override { return m_exists; }
    void setError(const QString& error) { m_error = error; }
    void setExists(bool exists) { m_exists = exists; }

private:
    QString m_error;
    bool m_exists = false;
};

} // namespace tarvex
