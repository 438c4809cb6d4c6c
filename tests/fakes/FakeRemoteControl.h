#pragma once

#include "platform/RemoteControl.h"

namespace tarvex {

/// Other programs of the session: a test plays their requests through the handlers the run gave.
class FakeRemoteControl final : public RemoteControl
{
public:
    bool start(Handlers given) override
    {
        handlers = std::move(given);
        return true;
    }

    Handlers handlers;
};

} // namespace tarvex
