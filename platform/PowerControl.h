#pragma once

namespace tarvex {

/// Ending the session and switching the computer off or restarting it. Each call returns true
/// when the request was accepted; the special actions do not act on the result.
class PowerControl
{
public:
    virtual ~PowerControl() = default;

    /// Ends the current user's session (log off).
    virtual bool logOff() = 0;
    /// Shuts the computer down in the ordinary way (programs may object).
    virtual bool shutDown() = 0;
    /// Restarts the computer in the ordinary way.
    virtual bool restart() = 0;
    /// Shuts down at once, as immediately as the user's rights allow, without asking programs.
    virtual bool instantShutdown() = 0;
    /// Restarts at once, without asking programs.
    virtual bool instantRestart() = 0;
    /// Powers off at once, without asking programs.
    virtual bool instantPoweroff() = 0;
};

} // namespace tarvex
