#pragma once

#include "platform/Notifier.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Records "notify <summary> | <body>".
class FakeNotifier final : public Notifier, public CallLog
{
public:
    void notify(const QString& summary, const QString& body) override
    {
        record(QStringLiteral("notify %1 | %2").arg(summary, body));
    }
};

} // namespace tarvex
