#pragma once

#include <QStringList>

namespace tarvex {

/// What a recording fake was asked to do, one line per call ("open /tmp/a", "hide 7", ...).
/// Several fakes may share one log, so that a test can check the order across them.
class CallLog
{
public:
    const QStringList& calls() const { return m_calls; }
    void clearCalls() { m_calls.clear(); }
    /// Also appends every later call to `shared` (nullptr = stop sharing).
    void shareWith(QStringList* shared) { m_shared = shared; }

protected:
    void record(const QString& call)
    {
        m_calls.append(call);
        if (m_shared)
            m_shared->append(call);
    }

private:
    QStringList m_calls;
    QStringList* m_shared = nullptr;
};

} // namespace tarvex
