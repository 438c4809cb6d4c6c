#pragma once

#include "platform/KeyStateSource.h"

#include <functional>
#include <memory>
#include <vector>

namespace tarvex {

/// Several key sources tried in order, seen as one: the first that delivers keys (no problem)
/// is used; none starts before the chain does, a later one only when every one before it has a
/// problem, and the first again takes over as soon as its problem is gone. While none delivers
/// keys, problem() is that of the first one whose user may be asked for access (its button mends
/// it), else the first's.
class KeySourceChain final : public KeyStateSource
{
public:
    KeySourceChain() = default;
    ~KeySourceChain() override;
    KeySourceChain(const KeySourceChain&) = delete;
    KeySourceChain& operator=(const KeySourceChain&) = delete;

    /// Adds `source`, tried after those added before; `start` starts it (again).
    void add(std::unique_ptr<KeyStateSource> source, std::function<bool()> start);
    /// Starts the sources in order until one delivers keys; a source with a problem looks
    /// again. Returns true when any of them started.
    bool start();
    /// The source used now, or nullptr while none delivers keys.
    KeyStateSource* active() const;

    QString problem() const override { return m_problem; }
    bool canAskForAccess() const override;
    void askForAccess() override;
    void setListening(bool listening) override;

private:
    struct Member
    {
        std::unique_ptr<KeyStateSource> source;
        std::function<bool()> start;
        bool started = false;
    };

    void settle();
    void chooseActive();
    QString problemOfNone() const;

    std::vector<Member> m_members;
    int m_active = -1;
    bool m_listening = false;
    bool m_started = false;
    bool m_settling = false;
    bool m_settleAgain = false;
    QString m_problem;
    bool m_askable = false;
};

} // namespace tarvex
