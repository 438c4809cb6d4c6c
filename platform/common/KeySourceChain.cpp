#include "platform/common/KeySourceChain.h"

#include <algorithm>
#include <utility>

namespace tarvex {

KeySourceChain::~KeySourceChain()
{
    for (Member& member : m_members) {
        member.source->setPressCallback({});
        member.source->setProblemCallback({});
    }
}

void KeySourceChain::add(std::unique_ptr<KeyStateSource> source, std::function<bool()> start)
{
    const int index = int(m_members.size());
    source->setPressCallback([this, index](int code) {
        if (index == m_active)
            notifyPressed(code);
    });
    source->setProblemCallback([this] { settle(); });
    m_members.push_back({std::move(source), std::move(start)});
}

bool KeySourceChain::start()
{
    m_started = true;
    for (Member& member : m_members) {
        if (member.started && !member.source->problem().isEmpty())
            member.started = member.start();
    }
    settle();
    return std::any_of(m_members.begin(), m_members.end(),
                       [](const Member& member) { return member.started; });
}

KeyStateSource* KeySourceChain::active() const
{
    return m_active >= 0 ? m_members[size_t(m_active)].source.get() : nullptr;
}

bool KeySourceChain::canAskForAccess() const
{
    return !active() && std::any_of(m_members.begin(), m_members.end(), [](const Member& m) {
        return m.started && m.source->canAskForAccess();
    });
}

void KeySourceChain::askForAccess()
{
    for (Member& member : m_members) {
        if (member.started && member.source->canAskForAccess()) {
            member.source->askForAccess();
            return;
        }
    }
}

void KeySourceChain::setListening(bool listening)
{
    m_listening = listening;
    settle();
}

// A source may announce a change while the chain settles (starting it, or telling it whether
// to listen): the chain then settles once more.
void KeySourceChain::settle()
{
    if (m_settling) {
        m_settleAgain = true;
        return;
    }
    m_settling = true;
    for (int round = 0; round < 4 && (round == 0 || m_settleAgain); ++round) {
        m_settleAgain = false;
        chooseActive();
    }
    m_settling = false;
    const QString problem = m_active >= 0 ? QString() : problemOfNone();
    const bool askable = canAskForAccess();
    if (problem != std::exchange(m_problem, problem) ||
        askable != std::exchange(m_askable, askable))
        notifyProblemChanged();
}

// No member starts before the chain does: until then nobody needs the keys.
void KeySourceChain::chooseActive()
{
    m_active = -1;
    for (size_t i = 0; i < m_members.size() && m_active < 0; ++i) {
        Member& member = m_members[i];
        if (!member.started && m_started)
            member.started = member.start();
        if (member.started && member.source->problem().isEmpty())
            m_active = int(i);
    }
    for (size_t i = 0; i < m_members.size(); ++i)
        m_members[i].source->setListening(m_listening && int(i) == m_active);
}

QString KeySourceChain::problemOfNone() const
{
    for (const Member& member : m_members) {
        if (member.started && member.source->canAskForAccess())
            return member.source->problem();
    }
    for (const Member& member : m_members) {
        if (member.started && !member.source->problem().isEmpty())
            return member.source->problem();
    }
    return {};
}

} // namespace tarvex
