#pragma once

#include "platform/KeyStateSource.h"

#include <array>
#include <initializer_list>

namespace tarvex {

/// A keyboard for tests. `press` announces one or more codes in the order given, the way a
/// source that knows a modifier's side announces its generic and its sided code (for example
/// {17, 162} for left Ctrl); a code still down is no new press, like a held key.
class FakeKeyStateSource final : public KeyStateSource
{
public:
    /// Marks `codes` down and announces each that was up.
    void press(std::initializer_list<int> codes);
    /// Marks `codes` up.
    void release(std::initializer_list<int> codes);
    /// Presses and releases `codes` as one tap.
    void tap(std::initializer_list<int> codes);

    QString problem() const override { return m_problem; }
    /// Sets the text problem() returns and announces the change.
    void setProblem(const QString& problem);
    bool canAskForAccess() const override { return m_askable; }
    /// Sets what canAskForAccess() returns and announces the change.
    void setAskable(bool askable);
    void askForAccess() override { ++m_asks; }
    /// How many times askForAccess() was called.
    int asks() const { return m_asks; }
    void setListening(bool listening) override { m_listening = listening; }
    /// What setListening() was told last.
    bool listening() const { return m_listening; }

private:
    std::array<bool, 256> m_down{};
    QString m_problem;
    bool m_askable = false;
    int m_asks = 0;
    bool m_listening = false;
};

} // namespace tarvex
