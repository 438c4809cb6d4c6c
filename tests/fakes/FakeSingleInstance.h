#pragma once

#include "platform/SingleInstance.h"

namespace tarvex {

/// An instance check whose outcome the test chooses.
class FakeSingleInstance final : public SingleInstance
{
public:
    bool tryClaim() override { return !m_otherRunning; }
    /// Pretends that another instance runs (or not).
    void setOtherRunning(bool running) { m_otherRunning = running; }

private:
    bool m_otherRunning = false;
};

} // namespace tarvex
