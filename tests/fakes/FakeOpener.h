#pragma once

#include "platform/Opener.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Records "open <target>", each argument after it in brackets, and succeeds.
class FakeOpener final : public Opener, public CallLog
{
public:
    using Opener::open;
    bool open(const QString& target, const QStringList& arguments) override
    {
        QString call = QStringLiteral("open ") + target;
        for (const QString& argument : arguments)
            call += QStringLiteral(" [%1]").arg(argument);
        record(call);
        return true;
    }
};

} // namespace tarvex
