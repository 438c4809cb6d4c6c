#pragma once

#include "platform/Opener.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Records "open <target>" and answers with a result the test chooses.
class FakeOpener final : public Opener, public CallLog
{
public:
    bool open(const QString& target) override
    {
        record(QStringLiteral("open ") + target);
        return m_result;
    }
    /// Sets what later open requests return.
    void setResult(bool result) { m_result = result; }

private:
    bool m_result = true;
};

} // namespace tarvex
