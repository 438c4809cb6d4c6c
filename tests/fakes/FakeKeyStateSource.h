#pragma once

#include "platform/KeyStateSource.h"

#include <array>
#include <initializer_list>

namespace tarvex {

/// A keyboard for tests. `press` latches one or more codes together, the way Windows reports a
/// modifier under its generic and its sided code at once (for example {17, 162} for left Ctrl),
/// then announces the press like the real source. `queries()` counts every state query.
class FakeKeyStateSource final : public KeyStateSource
{
public:
    quint16 keyState(int code) override;

    /// Marks `codes` down and newly pressed, then runs the press callback once (if announce).
    void press(std::initializer_list<int> codes, bool announce = true);
    /// Marks `codes` up; their pressed-since bits stay until queried.
    void release(std::initializer_list<int> codes);
    /// Presses and releases `codes` as one tap.
    void tap(std::initializer_list<int> codes);
    /// Returns how many state queries were made for `code` (0 = all codes together).
    int queries(int code = 0) const;

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
    std::array<bool, 256> m_pressedSince{};
    std::array<int, 256> m_queries{};
    int m_totalQueries = 0;
    QString m_problem;
    bool m_askable = false;
    int m_asks = 0;
    bool m_listening = false;
};

} // namespace tarvex
