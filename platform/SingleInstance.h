#pragma once

#include <functional>

namespace tarvex {

/// The one-instance-per-user rule: the first process to claim it keeps it until it ends. A later
/// start asks the holder to come forward and learns what the holder now shows the user.
class SingleInstance
{
public:
    /// What the running instance shows the user after a later start asked it to come forward.
    enum class Presence {
        NoAnswer,      // it did not answer (still starting, or busy)
        WindowRaised,  // one of its windows came to the front
        TrayIcon,      // it runs in the notification area
        StandInWindow, // it runs in the small window that stands in for a missing tray
    };

    virtual ~SingleInstance() = default;

    /// Claims the instance for this process; false when another running instance holds it.
    virtual bool tryClaim() = 0;
    /// On the holder: `comeForward` answers each later start (on the GUI thread); until it is
    /// set, a later start gets NoAnswer.
    virtual void setActivationHandler(std::function<Presence()> comeForward) = 0;
    /// After a refused claim: asks the holder to come forward and returns its answer, waiting a
    /// few seconds at most.
    virtual Presence activateRunning() = 0;
};

} // namespace tarvex
