#pragma once

#include "platform/PowerControl.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Records the power request by name ("logOff", "shutDown", ...) and accepts it.
class FakePowerControl final : public PowerControl, public CallLog
{
public:
    bool logOff() override { return done("logOff"); }
    bool shutDown() override { return done("shutDown"); }
    bool restart() override { return done("restart"); }
    bool instantShutdown() override { return done("instantShutdown"); }
    bool instantRestart() override { return done("instantRestart"); }
    bool instantPoweroff() override { return done("instantPoweroff"); }

private:
    bool done(const char* name)
    {
        record(QLatin1String(name));
        return true;
    }
};

} // namespace tarvex
