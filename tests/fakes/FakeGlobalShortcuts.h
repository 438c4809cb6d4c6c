#pragma once

#include "platform/GlobalShortcuts.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// A desktop that binds shortcuts. Records "bind id=trigger (description), ..." per bind
/// ("bind" alone for a release); a bind waits in Binding until answer() says how it ended.
/// press() reports a shortcut pressed, bound or not, as a desktop could.
class FakeGlobalShortcuts final : public GlobalShortcuts, public CallLog
{
public:
    void bind(const QList<GlobalShortcut>& shortcuts) override
    {
        QStringList parts;
        for (const GlobalShortcut& s : shortcuts)
            parts.append(QStringLiteral("%1=%2 (%3)").arg(s.id, s.trigger, s.description));
        record((QStringLiteral("bind ") + parts.join(QStringLiteral(", "))).trimmed());
        m_state = shortcuts.isEmpty() ? State::Idle : State::Binding;
    }
    State state() const override { return m_state; }
    QString problem() const override
    {
        return m_state == State::Declined ? QStringLiteral("declined") : QString();
    }
    void answer(State state)
    {
        m_state = state;
        notifyStateChanged();
    }
    void press(const QString& id) { notifyActivated(id); }

private:
    State m_state = State::Idle;
};

} // namespace tarvex
