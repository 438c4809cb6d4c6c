#pragma once

#include "controls/frame/HookRecord.h"
#include "controls/frame/WindowMessage.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

namespace tarvex {

// The hook in front of one widget's own event handling: an event filter that
// turns each event into its window message and, when some owner watches it,
// runs the chain of hooks as window procedures would: the newest hook's
// before call first, then the older hooks, then the widget's own handling,
// then the after calls in the opposite order. A hook that consumes a message
// stops it there. Events nobody watches pass through untouched. The hook
// stands in for the widget's own handling of watched events, so an event
// filter installed on the same widget before the first hook does not see
// them; filters installed later, and application-wide filters, do.
class WindowHook final : public QObject
{
    Q_OBJECT

public:
    // The hook of widget, created (as a child of widget) on first use.
    static WindowHook* attach(QWidget* widget);

    // The hook of widget, or null when it has none (or it is already gone).
    static WindowHook* find(QWidget* widget);

    // Puts record in front of the chain.
    void install(std::shared_ptr<HookRecord> record);

    // Takes record out of the chain.
    void uninstall(const HookRecord* record);

    // Runs the message through what lies behind record: older hooks, then the
    // widget's own handling (with an event built from the message).
    qint32 callPrevious(const HookRecord* record, WindowMessage message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using Chain = std::vector<std::shared_ptr<HookRecord>>;

    explicit WindowHook(QWidget* widget);
    bool watches(qint32 uMsg) const;
    qint32 run(const Chain& chain, int level, WindowMessage& m, const WindowMessage& original,
               QEvent* event, bool& consumed);
    qint32 callOwner(HookRecord& record, bool before, bool& handled, qint32 ret, WindowMessage& m);
    qint32 deliver(WindowMessage& m, const WindowMessage& original, QEvent* event);
    qint32 deliverClose(QEvent* event);

    QPointer<QWidget> m_widget;
    Chain m_chain; // oldest first
};

} // namespace tarvex
