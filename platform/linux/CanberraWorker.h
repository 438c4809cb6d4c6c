#pragma once

#include <QObject>

struct ca_context;

namespace tarvex {

// The libcanberra context, used only on the sound player's thread.
class CanberraWorker final : public QObject
{
    Q_OBJECT

public:
    ~CanberraWorker() override;

    /// Stops the sound still playing and starts `path`; errors are ignored.
    void play(const QString& path);
    /// The result code of the last play request (0 = started), for tests.
    int lastResult() const { return m_lastResult; }

private:
    bool ensureContext();

    ca_context* m_context = nullptr;
    int m_lastResult = 0;
};

} // namespace tarvex
