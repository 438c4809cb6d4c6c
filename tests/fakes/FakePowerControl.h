#pragma once

#include "platform/PowerControl.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Records the power request by name ("logOff", "shutDown", ...) and accepts it.
class FakePowerControl final : public PowerControl, public CallLog
{
public:
    bool logOff() override { return done(QStringLiteral("logOff")); }
    bool shutDown() override { return done(QStringLiteral("shutDown")); }
    bool restart() override { return done(QStringLiteral("restart")); }
    bool instantShutdown() override { return done(QStringLiteral("instantShutdown")); }
    bool instantRestart() override { return done(QStringLiteral("instantRestart")); }
    bool instantPoweroff() override { return done(QStringLiteral("instantPoweroff")); }

private:
    bool done(const QString& name)
    {
        record(name);
        return true;
    }
};

} // namespace tarvex
