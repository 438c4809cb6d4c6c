#include "controls/frame/WindowHook.h"

#include "controls/frame/SubclassOwner.h"

#include <QCloseEvent>

#include <algorithm>

namespace tarvex {

namespace {

// A consumed message ends here: a mouse or key event goes no further up the
// parents, and a consumed close leaves the window open.
void markConsumed(QEvent* event)
{
    event->setAccepted(event->type() != QEvent::Close);
}

} // namespace

WindowHook::WindowHook(QWidget* widget) : QObject(widget), m_widget(widget)
{
    setObjectName(QStringLiteral("WindowHook"));
}

WindowHook* WindowHook::attach(QWidget* widget)
{
    if (auto* hook = find(widget))
        return hook;
    return new WindowHook(widget);
}

WindowHook* WindowHook::find(QWidget* widget)
{
    return widget ? widget->findChild<WindowHook*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void WindowHook::install(std::shared_ptr<HookRecord> record)
{
    if (m_chain.empty() && m_widget)
        m_widget->installEventFilter(this);
    m_chain.push_back(std::move(record));
}

void WindowHook::uninstall(const HookRecord* record)
{
    std::erase_if(m_chain, [record](const auto& r) { return r.get() == record; });
    if (m_chain.empty() && m_widget)
        m_widget->removeEventFilter(this);
}

bool WindowHook::watches(qint32 uMsg) const
{
    return std::any_of(m_chain.begin(), m_chain.end(), [uMsg](const auto& r) {
        return r->before.contains(uMsg) || r->after.contains(uMsg);
    });
}

bool WindowHook::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_widget || m_chain.empty())
        return false;
    const std::optional<WindowMessage> message = WindowMessage::fromEvent(*event, *m_widget);
    if (!message || !watches(message->uMsg))
        return false;
    // A copy of the chain: a callback may unhook itself or others meanwhile.
    const Chain chain = m_chain;
    WindowMessage m = *message;
    bool consumed = false;
    run(chain, int(chain.size()) - 1, m, *message, event, consumed);
    if (consumed)
        markConsumed(event);
    return true; // delivered here (or consumed); Qt must not deliver it again
}

qint32 WindowHook::run(const Chain& chain, int level, WindowMessage& m,
                       const WindowMessage& original, QEvent* event, bool& consumed)
{
    if (level < 0)
        return deliver(m, original, event);
    HookRecord& record = *chain[size_t(level)];
    if (record.removed || !record.owner)
        return run(chain, level - 1, m, original, event, consumed);
    bool handled = false;
    qint32 ret = 0;
    if (record.before.contains(m.uMsg))
        ret = callOwner(record, true, handled, ret, m);
    if (handled)
        consumed = true;
    else
        ret = run(chain, level - 1, m, original, event, consumed);
    if (!record.removed && record.after.contains(m.uMsg))
        ret = callOwner(record, false, handled, ret, m);
    return ret;
}

qint32 WindowHook::callOwner(HookRecord& record, bool before, bool& handled, qint32 ret,
                             WindowMessage& m)
{
    qint32 hWnd = record.hWnd;
    record.owner->zSubclass_Proc(before, handled, ret, hWnd, m.uMsg, m.wParam, m.lParam);
    return ret;
}

qint32 WindowHook::deliver(WindowMessage& m, const WindowMessage& original, QEvent* event)
{
    if (!m_widget)
        return 0;
    if (m.uMsg == WM::SysCommand && (m.wParam & 0xFFF0) == WM::ScClose)
        return deliverClose(event);
    // A message changed on the way (or one sent without an event) is delivered
    // as the event it stands for, when it has one.
    std::unique_ptr<QEvent> rebuilt;
    if (!event || m != original)
        rebuilt = m.toEvent(*m_widget);
    QEvent* target = rebuilt ? rebuilt.get() : event;
    if (!target)
        return 0;
    const bool result = static_cast<QObject*>(m_widget.data())->event(target);
    if (rebuilt && event)
        event->setAccepted(rebuilt->isAccepted());
    return result ? 1 : 0;
}

qint32 WindowHook::deliverClose(QEvent* event)
{
    // The system close command becomes a WM_CLOSE sent through the whole chain,
    // as the default window procedure does.
    QCloseEvent own;
    QEvent* close = (event && event->type() == QEvent::Close) ? event : &own;
    const Chain chain = m_chain;
    WindowMessage m{WM::Close, 0, 0};
    bool consumed = false;
    const qint32 ret = run(chain, int(chain.size()) - 1, m, m, close, consumed);
    if (consumed)
        markConsumed(close);
    return ret;
}

qint32 WindowHook::callPrevious(const HookRecord* record, WindowMessage message)
{
    const auto it = std::find_if(m_chain.begin(), m_chain.end(),
                                 [record](const auto& r) { return r.get() == record; });
    if (it == m_chain.end())
        return 0;
    const Chain chain = m_chain;
    bool consumed = false;
    return run(chain, int(it - m_chain.begin()) - 1, message, message, nullptr, consumed);
}

} // namespace tarvex
