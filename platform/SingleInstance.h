#pragma once

namespace tarvex {

/// The one-instance-per-user rule: the first process to claim it keeps it until it ends.
class SingleInstance
{
public:
    virtual ~SingleInstance() = default;

    /// Claims the instance for this process; false when another running instance holds it.
    virtual bool tryClaim() = 0;
};

} // namespace tarvex
