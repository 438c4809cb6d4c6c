#include "platform/portal/PortalGlobalShortcuts.h"

#include "platform/portal/PortalRequest.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QLoggingCategory>

#include <algorithm>
#include <utility>

// Debug lines (each answer of the portal) only when asked for with QT_LOGGING_RULES.
Q_LOGGING_CATEGORY(lcPortal, "tarvex.portal", QtInfoMsg)

namespace tarvex {
namespace {

using PortalShortcuts = QList<std::pair<QString, QVariantMap>>;

const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString Interface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
// Fixed, so a new session replaces the last one: KDE Plasma names the shortcut group after it.
const QString SessionToken = QStringLiteral("Tarvex");

// Response codes of a portal Request.
constexpr uint Success = 0;
constexpr uint Cancelled = 1;

// The errors of no session bus, of a bus without the portal, or of a portal without
// GlobalShortcuts.
bool MeansMissing(const QString& errorName)
{
    static const QStringList missing{
        QStringLiteral("org.freedesktop.DBus.Error.Disconnected"),
        QStringLiteral("org.freedesktop.DBus.Error.NoServer"),
        QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
        QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownInterface"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownObject"),
        QStringLiteral("org.freedesktop.DBus.Error.UnknownProperty"),
    };
    return missing.contains(errorName) ||
           errorName.startsWith(QLatin1StringView("org.freedesktop.DBus.Error.Spawn"));
}

// The list in a Response's results: shortcut id -> its description.
QHash<QString, QString> ListedShortcuts(const QVariantMap& results)
{
    PortalShortcuts listed;
    results.value(QStringLiteral("shortcuts")).value<QDBusArgument>() >> listed;
    QHash<QString, QString> descriptions;
    for (const auto& [id, properties] : std::as_const(listed))
        descriptions.insert(id, properties.value(QStringLiteral("description")).toString());
    return descriptions;
}

} // namespace

PortalGlobalShortcuts::PortalGlobalShortcuts(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_bus(bus)
{
    qDBusRegisterMetaType<std::pair<QString, QVariantMap>>();
    qDBusRegisterMetaType<PortalShortcuts>();
    // The slots below name QDBusObjectPath; QtDBus finds them only once the type is registered
    // by name, which nothing else in the program may have done yet.
    qRegisterMetaType<QDBusObjectPath>();
    const bool watched =
        m_bus.connect(Service, Path, Interface, QStringLiteral("Activated"), this,
                      SLOT(onActivated(QDBusObjectPath, QString, qulonglong, QVariantMap))) &&
        m_bus.connect(Service, Path, Interface, QStringLiteral("Deactivated"), this,
                      SLOT(onDeactivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    // Without a session bus there is no portal: the first bind says so.
    if (!watched && m_bus.isConnected())
        qCWarning(lcPortal) << "cannot watch the portal's Activated signal";
}

PortalGlobalShortcuts::~PortalGlobalShortcuts()
{
    closeSession({});
}

bool PortalGlobalShortcuts::isOffered(const QDBusConnection& bus, int timeoutMs)
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << Interface << QStringLiteral("version");
    const QDBusMessage reply = bus.call(get, QDBus::Block, timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

void PortalGlobalShortcuts::bind(const QList<GlobalShortcut>& shortcuts)
{
    const bool same = shortcuts == m_wanted;
    m_wanted = shortcuts;
    const bool asked = m_state == State::Binding || m_state == State::Bound;
    if (same && (asked || (m_state == State::Idle && shortcuts.isEmpty())))
        return;
    m_pending = true;
    if (!m_busy)
        next();
}

QString PortalGlobalShortcuts::problem() const
{
    switch (m_state) {
    case State::Missing:
        return tr("This desktop does not offer global shortcuts to programs (the desktop "
                  "portal's GlobalShortcuts), so your hotkeys cannot run through it.");
    case State::Declined:
        return tr("Your hotkeys were not allowed in the desktop's shortcut dialog, so they will "
                  "not run. Choose \" Start Tarvex\" to be asked again.");
    case State::Failed:
        return tr("The desktop could not set up your hotkeys as its shortcuts (%1), so they will "
                  "not run.")
            .arg(m_detail);
    default:
        return {};
    }
}

// One bind at a time: the old session goes, then a new one is made for the wanted list.
void PortalGlobalShortcuts::next()
{
    m_pending = false;
    m_busy = true;
    if (!m_wanted.isEmpty() && m_state != State::Binding) {
        m_state = State::Binding;
        notifyStateChanged();
    }
    closeSession([this] { createSession(); });
}

void PortalGlobalShortcuts::createSession()
{
    if (m_wanted.isEmpty()) {
        finish(State::Idle);
        return;
    }
    m_asking = m_wanted;
    QVariantMap options{{QStringLiteral("session_handle_token"), SessionToken},
                        {QStringLiteral("shortcuts"), shortcutsArgument()}};
    request(Step::CreateSession, QStringLiteral("CreateSession"), {}, options);
}

// The portal closes the session when asked, and also when this connection ends. The next
// session takes the same path, so it is made once the portal has answered (`then`).
void PortalGlobalShortcuts::closeSession(const std::function<void()>& then)
{
    m_boundIds.clear();
    if (m_session.isEmpty()) {
        if (then)
            then();
        return;
    }
    const QDBusMessage close = QDBusMessage::createMethodCall(
        Service, std::exchange(m_session, QString()),
        QStringLiteral("org.freedesktop.portal.Session"), QStringLiteral("Close"));
    const QDBusPendingCall call = m_bus.asyncCall(close);
    if (!then)
        return;
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [then](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        if (w->isError())
            qCDebug(lcPortal) << "closing the session:" << w->error().message();
        then();
    });
}

void PortalGlobalShortcuts::request(Step step, const QString& method, const QVariantList& arguments,
                                    const QVariantMap& options)
{
    m_step = step;
    PortalRequest::send(m_bus, Interface, method, arguments, options, this,
                        [this](uint code, const QVariantMap& results, const QDBusError& error) {
                            if (error.isValid())
                                callFailed(error.name(), error.message());
                            else
                                onResponse(code, results);
                        });
}

void PortalGlobalShortcuts::onResponse(uint code, const QVariantMap& results)
{
    qCDebug(lcPortal) << "step" << int(m_step) << "answered" << code << results;
    // A portal that cannot list its shortcuts is asked to bind them all.
    if (code != Success && m_step == Step::ListShortcuts) {
        onListed({});
        return;
    }
    if (code == Cancelled && m_step == Step::BindShortcuts) {
        finish(State::Declined);
        return;
    }
    if (code != Success) {
        finish(State::Failed, tr("the portal answered %1").arg(code));
        return;
    }
    if (m_step == Step::CreateSession)
        onCreated(results);
    else if (m_step == Step::ListShortcuts)
        onListed(results);
    else
        finish(State::Bound);
}

void PortalGlobalShortcuts::onCreated(const QVariantMap& results)
{
    // A text in the documented Response, an object path in some portals.
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    m_session = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                     : handle.toString();
    request(Step::ListShortcuts, QStringLiteral("ListShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(m_session))}, {});
}

// Shortcuts the desktop already knows with the same description need no second asking.
void PortalGlobalShortcuts::onListed(const QVariantMap& results)
{
    const QHash<QString, QString> listed = ListedShortcuts(results);
    const bool known = std::all_of(m_asking.cbegin(), m_asking.cend(), [&](const auto& shortcut) {
        return listed.value(shortcut.id, QStringLiteral("\n")) == shortcut.description;
    });
    if (known) {
        finish(State::Bound);
        return;
    }
    request(Step::BindShortcuts, QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(m_session)), shortcutsArgument(), QString()}, {});
}

void PortalGlobalShortcuts::callFailed(const QString& errorName, const QString& message)
{
    qCWarning(lcPortal) << "the GlobalShortcuts portal:" << errorName << message;
    finish(MeansMissing(errorName) ? State::Missing : State::Failed, message);
}

void PortalGlobalShortcuts::finish(State state, const QString& detail)
{
    m_busy = false;
    if (state == State::Bound)
        for (const GlobalShortcut& shortcut : std::as_const(m_asking))
            m_boundIds.insert(shortcut.id);
    const bool changed = state != m_state || detail != m_detail;
    m_state = state;
    m_detail = detail;
    if (m_pending) {
        next();
        return;
    }
    if (changed)
        notifyStateChanged();
}

QVariant PortalGlobalShortcuts::shortcutsArgument() const
{
    PortalShortcuts shortcuts;
    for (const GlobalShortcut& shortcut : m_asking)
        shortcuts.append({shortcut.id,
                          {{QStringLiteral("description"), shortcut.description},
                           {QStringLiteral("preferred_trigger"), shortcut.trigger}}});
    return QVariant::fromValue(shortcuts);
}

void PortalGlobalShortcuts::onActivated(const QDBusObjectPath& session, const QString& id,
                                        qulonglong, const QVariantMap&)
{
    if (m_state != State::Bound || session.path() != m_session || !m_boundIds.contains(id)) {
        qCDebug(lcPortal) << "ignored activation of" << id << "in" << session.path();
        return;
    }
    notifyActivated(id);
}

void PortalGlobalShortcuts::onDeactivated(const QDBusObjectPath& session, const QString& id,
                                          qulonglong, const QVariantMap&)
{
    qCDebug(lcPortal) << "released" << id << "in" << session.path();
}

} // namespace tarvex
