#include "controls/frame/Subclasser.h"

#include "controls/frame/ErrorReport.h"
#include "controls/frame/WindowHandles.h"
#include "controls/frame/WindowHook.h"

#include <QThread>
#include <QWidget>

#include <cerrno>
#include <new>

namespace tarvex {

Subclasser::Subclasser(QString typeName, SubclassOwner* owner)
    : m_typeName(std::move(typeName)), m_owner(owner)
{}

Subclasser::~Subclasser()
{
    sc_UnsubclassAll();
}

QString Subclasser::zKey(qint32 hWnd)
{
    return QString::number(hWnd) + QLatin1Char('h');
}

void Subclasser::zError(const QString& routine, const QString& message) const
{
    ErrorReport::zReportError(m_typeName, routine, message);
}

QString Subclasser::checkWindow(QWidget* widget, int ordinal, SubclassOwner* callbackOwner) const
{
    if (!widget)
        return QStringLiteral("Invalid window handle");
    // Events of a widget living in another thread cannot be filtered from here.
    if (widget->thread() != QThread::currentThread())
        return QStringLiteral("Window handle belongs to another process");
    if (ordinal != 1 || !callbackOwner)
        return QStringLiteral("Callback method not found");
    return {};
}

bool Subclasser::sc_Subclass(qint32 hWnd, qint32 userValue, int ordinal,
                             SubclassOwner* callbackOwner)
{
    if (!m_registry)
        m_registry = std::make_unique<Registry>();
    QWidget* widget = WindowHandles::widgetOf(hWnd);
    SubclassOwner* owner = callbackOwner ? callbackOwner : m_owner;
    if (const QString error = checkWindow(widget, ordinal, owner); !error.isEmpty()) {
        zError(QStringLiteral("sc_Subclass"), error);
        return false;
    }
    std::shared_ptr<HookRecord> record;
    try {
        record = std::make_shared<HookRecord>();
    } catch (const std::bad_alloc&) {
        zError(QStringLiteral("sc_Subclass"),
               QStringLiteral("VirtualAlloc failed, error: %1").arg(ENOMEM));
        return false;
    }
    if (m_registry->count(zKey(hWnd))) {
        zError(QStringLiteral("sc_Subclass"),
               QStringLiteral("Window handle is already subclassed"));
        return false;
    }
    *record = HookRecord{hWnd, widget, owner, userValue, {}, {}, false};
    m_registry->emplace(zKey(hWnd), record);
    WindowHook::attach(widget)->install(record);
    return true;
}

void Subclasser::unhook(HookRecord& record)
{
    record.removed = true;
    record.before.clear();
    record.after.clear();
    // While the window is being torn down its hook may already be gone.
    if (WindowHook* hook = WindowHook::find(record.widget))
        hook->uninstall(&record);
}

void Subclasser::sc_UnSubclass(qint32 hWnd)
{
    const auto it = m_registry ? m_registry->find(zKey(hWnd)) : Registry::iterator{};
    if (!m_registry || it == m_registry->end()) {
        zError(QStringLiteral("sc_UnSubclass"), QStringLiteral("Window handle isn't subclassed"));
        return;
    }
    unhook(*it->second);
    m_registry->erase(it);
}

void Subclasser::sc_UnsubclassAll()
{
    if (!m_registry)
        return;
    for (auto& [key, record] : *m_registry)
        unhook(*record);
    m_registry->clear();
}

HookRecord* Subclasser::zLookup(const QString& routine, qint32 hWnd)
{
    if (!m_registry) {
        zError(routine, QStringLiteral("Subclassing hasn't been started"));
        return nullptr;
    }
    const auto it = m_registry->find(zKey(hWnd));
    if (it == m_registry->end()) {
        zError(routine, QStringLiteral("Window handle isn't subclassed"));
        return nullptr;
    }
    // A hook whose window is gone is skipped without a word.
    return it->second->widget ? it->second.get() : nullptr;
}

void Subclasser::zAddMsg(MessageTable& table, qint32 uMsg)
{
    if (const QString error = table.add(uMsg); !error.isEmpty())
        zError(QStringLiteral("zAddMsg"), error);
}

void Subclasser::zDelMsg(MessageTable& table, qint32 uMsg)
{
    if (const QString error = table.remove(uMsg); !error.isEmpty())
        zError(QStringLiteral("zDelMsg"), error);
}

void Subclasser::sc_WatchMessage(qint32 hWnd, qint32 uMsg, int timing)
{
    HookRecord* record = zLookup(QStringLiteral("sc_WatchMessage"), hWnd);
    if (record && (timing & MSG_BEFORE))
        zAddMsg(record->before, uMsg);
    if (record && (timing & MSG_AFTER))
        zAddMsg(record->after, uMsg);
}

void Subclasser::sc_UnwatchMessage(qint32 hWnd, qint32 uMsg, int timing)
{
    HookRecord* record = zLookup(QStringLiteral("sc_UnwatchMessage"), hWnd);
    if (record && (timing & MSG_BEFORE))
        zDelMsg(record->before, uMsg);
    if (record && (timing & MSG_AFTER))
        zDelMsg(record->after, uMsg);
}

qint32 Subclasser::sc_CallPreviousProc(qint32 hWnd, qint32 uMsg, qint32 wParam, qint32 lParam)
{
    HookRecord* record = zLookup(QStringLiteral("sc_CallPreviousProc"), hWnd);
    if (!record)
        return 0;
    WindowHook* hook = WindowHook::find(record->widget);
    return hook ? hook->callPrevious(record, {uMsg, wParam, lParam}) : 0;
}

qint32 Subclasser::sc_UserValue(qint32 hWnd)
{
    const HookRecord* record = zLookup(QStringLiteral("sc_UserValue"), hWnd);
    return record ? record->userValue : 0;
}

void Subclasser::setSc_UserValue(qint32 hWnd, qint32 value)
{
    if (HookRecord* record = zLookup(QStringLiteral("sc_UserValue"), hWnd))
        record->userValue = value;
}

const MessageTable* Subclasser::table(qint32 hWnd, Timing timing) const
{
    if (!m_registry)
        return nullptr;
    const auto it = m_registry->find(zKey(hWnd));
    if (it == m_registry->end())
        return nullptr;
    return timing == MSG_BEFORE ? &it->second->before : &it->second->after;
}

} // namespace tarvex
