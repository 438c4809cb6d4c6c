#pragma once

#include <QObject>

#include <initializer_list>

class QSocketNotifier;

namespace tarvex {

/// Turns the termination signals (SIGTERM, SIGINT, SIGHUP) into a Qt signal on the GUI thread.
///
/// The handler only writes the signal number into a pipe; the notifier reads it in the event
/// loop, so the orderly exit (restoring hidden windows, removing tray icons) runs as normal
/// code. Only one watcher may exist at a time.
class SignalWatcher final : public QObject
{
    Q_OBJECT

public:
    /// Installs the handlers for `signalNumbers`; the previous handlers come back on destruction.
    explicit SignalWatcher(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
    ~SignalWatcher() override;

    /// True when the pipe and the handlers were installed.
    bool isActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    /// A watched signal arrived (reported once per delivery, in arrival order).
    void signalReceived(int signalNumber);

private:
    void onReadable();

    QList<int> m_signals;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace tarvex
