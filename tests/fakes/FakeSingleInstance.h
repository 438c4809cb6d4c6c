#pragma once

#include "platform/SingleInstance.h"

namespace tarvex {

/// An instance check whose outcome the test chooses; laterStart() plays a later start.
class FakeSingleInstance final : public SingleInstance
{
public:
    bool tryClaim() override { return !m_otherRunning; }
    void setActivationHandler(std::function<Presence()> comeForward) override
    {
        m_comeForward = std::move(comeForward);
    }
    Presence activateRunning() override { return m_runningAnswer; }

    /// Pretends that another instance runs (or not), answering a later start with `answer`.
    void setOtherRunning(bool running, Presence answer = Presence::NoAnswer)
    {
        m_otherRunning = running;
        m_runningAnswer = answer;
    }
    /// A later start asks this holder to come forward; returns the holder's answer.
    Presence laterStart() { return m_comeForward ? m_comeForward() : Presence::NoAnswer; }

private:
    bool m_otherRunning = false;
    Presence m_runningAnswer = Presence::NoAnswer;
    std::function<Presence()> m_comeForward;
};

} // namespace tarvex
