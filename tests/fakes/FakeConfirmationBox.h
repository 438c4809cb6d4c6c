#pragma once

#include "platform/ConfirmationBox.h"
#include "tests/fakes/CallLog.h"

#include <functional>
#include <utility>

namespace tarvex {

/// A question box that a test answers in advance. Records "ask <title>|<question>"; runs an
/// optional hook while "open", so a test can act as if the user typed into the box.
class FakeConfirmationBox final : public ConfirmationBox, public CallLog
{
public:
    bool askYesNo(const QString& question, const QString& title) override
    {
        record(QStringLiteral("ask %1|%2").arg(title, question));
        if (m_whileOpen)
            m_whileOpen();
        return m_answer;
    }
    /// Sets the answer to every later question (true = Yes).
    void setAnswer(bool yes) { m_answer = yes; }
    /// Sets a function run while the box is open (empty = none).
    void setWhileOpen(std::function<void()> hook) { m_whileOpen = std::move(hook); }

private:
    bool m_answer = false;
    std::function<void()> m_whileOpen;
};

} // namespace tarvex
