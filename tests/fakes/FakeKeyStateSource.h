#pragma once

#include "platform/KeyStateSource.h"

#include <array>
#include <initializer_list>
#include <utility>

namespace tarvex {

/// A keyboard for tests. `press` announces one or more codes in the order given, the way a
/// source that knows a modifier's side announces its generic and its sided code (for example
/// {17, 162} for left Ctrl); a code still down is no new press, like a held key.
class FakeKeyStateSource final : public KeyStateSource
{
public:
    void press(std::initializer_list<int> codes)
    {
        for (int code : codes) {
            if (!std::exchange(m_down[code], true))
                notifyPressed(code);
        }
    }
    void release(std::initializer_list<int> codes)
    {
        for (int code : codes)
            m_down[code] = false;
    }
    void tap(std::initializer_list<int> codes)
    {
        press(codes);
        release(codes);
    }

    QString problem() const override { return m_problem; }
    /// Sets the text problem() returns and announces the change.
    void setProblem(const QString& problem)
    {
        m_problem = problem;
        notifyProblemChanged();
    }
    bool canAskForAccess() const override { return m_askable; }
    void setAskable(bool askable)
    {
        m_askable = askable;
        notifyProblemChanged();
    }
    void askForAccess() override { ++m_asks; }
    int asks() const { return m_asks; }
    void setListening(bool listening) override { m_listening = listening; }
    bool listening() const { return m_listening; }

private:
    std::array<bool, 256> m_down{};
    QString m_problem;
    bool m_askable = false;
    int m_asks = 0;
    bool m_listening = false;
};

} // namespace tarvex
