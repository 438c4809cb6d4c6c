#pragma once

#include "platform/Notifier.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Records "notify <summary> | <body>" and "report <summary> | <body>"; without a service (see
/// setServiceMissing) a report's stand-in runs instead of being recorded.
class FakeNotifier final : public Notifier, public CallLog
{
public:
    void notify(const QString& summary, const QString& body) override
    {
        if (!m_serviceMissing)
            record(QStringLiteral("notify %1 | %2").arg(summary, body));
    }
    void report(const QString& summary, const QString& body,
                std::function<void()> notShown) override
    {
        if (!m_serviceMissing)
            record(QStringLiteral("report %1 | %2").arg(summary, body));
        else if (notShown)
            notShown();
    }
    void setServiceMissing(bool missing) { m_serviceMissing = missing; }

private:
    bool m_serviceMissing = false;
};

} // namespace tarvex
