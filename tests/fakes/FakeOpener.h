#pragma once

#include "platform/Opener.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Records "open <target>" and succeeds.
class FakeOpener final : public Opener, public CallLog
{
public:
    bool open(const QString& target) override
    {
        record(QStringLiteral("open ") + target);
        return true;
    }
};

} // namespace tarvex
