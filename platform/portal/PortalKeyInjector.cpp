#include "platform/portal/PortalKeyInjector.h"

#include "platform/common/KeysymTable.h"
#include "platform/portal/PortalRequest.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <xkbcommon/xkbcommon.h>

#include <utility>

namespace tarvex {
namespace {

const QString Service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString Path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString Interface = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString SessionInterface = QStringLiteral("org.freedesktop.portal.Session");
// Apart from the global shortcuts' session, which the same connection may hold.
const QString SessionToken = QStringLiteral("TarvexKeys");

constexpr uint Keyboard = 1;            // the device type bit
constexpr uint PersistUntilRevoked = 2; // SelectDevices' persist_mode
constexpr uint Cancelled = 1;           // a Response's code when the user declined

} // namespace

PortalKeyInjector::PortalKeyInjector(QString tokenFile, const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_tokenFile(std::move(tokenFile)), m_bus(bus)
{}

PortalKeyInjector::~PortalKeyInjector()
{
    closeSession();
}

bool PortalKeyInjector::isOffered(const QDBusConnection& bus, int timeoutMs)
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        Service, Path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << Interface << QStringLiteral("AvailableDeviceTypes");
    const QDBusMessage reply = bus.call(get, QDBus::Block, timeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage &&
           (reply.arguments().value(0).value<QDBusVariant>().variant().toUInt() & Keyboard);
}

bool PortalKeyInjector::available() const
{
    return m_bus.isConnected() && m_state != State::Declined && m_state != State::Failed;
}

QString PortalKeyInjector::unavailableReason() const
{
    if (m_state == State::Declined)
        return tr("Typing keys was not allowed when the desktop asked, so Tarvex cannot type "
                  "keys.");
    if (m_state == State::Failed)
        return tr("The desktop could not let Tarvex type keys (%1).").arg(m_detail);
    if (!m_bus.isConnected())
        return tr("Tarvex cannot reach the desktop portal to type keys.");
    return QString();
}

QList<int> PortalKeyInjector::pressBackspace(int count)
{
    if (count > 0)
        type(std::vector<uint32_t>(size_t(count), XKB_KEY_BackSpace));
    return {};
}

QList<int> PortalKeyInjector::typeText(const QString& text,
                                       const std::function<bool()>& stillFocused)
{
    // The focus is asked as each character goes out, which may be after the user's consent.
    type(keysymsOfText(text), stillFocused);
    return {};
}

void PortalKeyInjector::type(const std::vector<uint32_t>& keysyms,
                             const std::function<bool()>& stillFocused)
{
    if (!available() || keysyms.empty())
        return;
    const auto focus =
        stillFocused ? std::make_shared<const std::function<bool()>>(stillFocused) : nullptr;
    for (const uint32_t keysym : keysyms) {
        m_waiting.push_back({keysym, 1u, focus});
        m_waiting.push_back({keysym, 0u, focus});
    }
    if (m_state == State::Idle) {
        m_state = State::Starting;
        step(QStringLiteral("CreateSession"), {},
             {{QStringLiteral("session_handle_token"), SessionToken}},
             &PortalKeyInjector::onCreated);
    } else if (m_state == State::Started && !m_sending) {
        sendNext();
    }
}

// Calls `method`; `next` takes the results once the portal has answered it with success.
void PortalKeyInjector::step(const QString& method, const QVariantList& arguments,
                             const QVariantMap& options,
                             void (PortalKeyInjector::*next)(const QVariantMap&))
{
    PortalRequest::send(
        m_bus, Interface, method, arguments, options, this,
        [this, method, next](uint code, const QVariantMap& results, const QDBusError& error) {
            qCDebug(lcPortal) << method << "answered" << code << results << error.message();
            if (error.isValid())
                stop(State::Failed, error.message());
            else if (code == Cancelled)
                stop(State::Declined, QString());
            else if (code != 0)
                stop(State::Failed, tr("the portal answered %1").arg(code));
            else
                (this->*next)(results);
        });
}

void PortalKeyInjector::onCreated(const QVariantMap& results)
{
    // A text in the documented Response, an object path in some portals.
    const QVariant handle = results.value(QStringLiteral("session_handle"));
    m_session = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path()
                                                     : handle.toString();
    m_bus.connect(Service, m_session, SessionInterface, QStringLiteral("Closed"), this,
                  SLOT(onSessionClosed()));
    QVariantMap options{{QStringLiteral("types"), Keyboard},
                        {QStringLiteral("persist_mode"), PersistUntilRevoked}};
    QFile saved(m_tokenFile);
    const QString token =
        saved.open(QIODevice::ReadOnly) ? QString::fromUtf8(saved.read(4096)).trimmed() : QString();
    if (!token.isEmpty())
        options.insert(QStringLiteral("restore_token"), token);
    step(QStringLiteral("SelectDevices"), {QVariant::fromValue(QDBusObjectPath(m_session))},
         options, &PortalKeyInjector::onSelected);
}

void PortalKeyInjector::onSelected(const QVariantMap&)
{
    step(QStringLiteral("Start"), {QVariant::fromValue(QDBusObjectPath(m_session)), QString()}, {},
         &PortalKeyInjector::onStarted);
}

void PortalKeyInjector::onStarted(const QVariantMap& results)
{
    if (!(results.value(QStringLiteral("devices")).toUInt() & Keyboard)) {
        stop(State::Declined, QString());
        return;
    }
    // Each start hands out a new token; the one it was given is spent.
    const QString token = results.value(QStringLiteral("restore_token")).toString();
    if (token.isEmpty())
        QFile::remove(m_tokenFile);
    else
        keepToken(token);
    m_state = State::Started;
    if (!m_sending)
        sendNext();
}

void PortalKeyInjector::keepToken(const QString& token)
{
    QSaveFile file(m_tokenFile);
    const bool kept = QDir().mkpath(QFileInfo(m_tokenFile).absolutePath()) &&
                      file.open(QIODevice::WriteOnly) && file.write(token.toUtf8()) >= 0 &&
                      file.commit();
    if (!kept)
        qCWarning(lcPortal).noquote() << "cannot keep the remote control's restore token in"
                                      << m_tokenFile << "-" << file.errorString();
}

void PortalKeyInjector::stop(State state, const QString& detail)
{
    if (state == State::Failed)
        qCWarning(lcPortal) << "the RemoteDesktop portal:" << detail;
    m_state = state;
    m_detail = detail;
    m_waiting.clear();
    closeSession();
}

void PortalKeyInjector::closeSession()
{
    if (m_session.isEmpty())
        return;
    m_bus.disconnect(Service, m_session, SessionInterface, QStringLiteral("Closed"), this,
                     SLOT(onSessionClosed()));
    m_bus.asyncCall(QDBusMessage::createMethodCall(Service, std::exchange(m_session, QString()),
                                                   SessionInterface, QStringLiteral("Close")));
}

// The desktop ended the session (the user stopped the remote control, or the portal went):
// keys not sent yet are dropped, and the next key starts a session again. A session that never
// started is ended by the portal after its refusal, which the Response has already told.
void PortalKeyInjector::onSessionClosed()
{
    if (m_state != State::Started)
        return;
    qCDebug(lcPortal) << "the desktop ended the remote control session" << m_session;
    closeSession();
    m_waiting.clear();
    m_state = State::Idle;
}

// One key event at a time, each once the portal has taken the one before: the portal handles
// calls on several threads, so calls sent at once may reach the desktop in another order.
void PortalKeyInjector::sendNext()
{
    // A press whose window lost the focus drops the rest of its text (its key events share
    // the question); the release of a key already pressed has gone out before it.
    while (!m_waiting.empty() && m_waiting.front().state == 1 && m_waiting.front().stillFocused &&
           !(*m_waiting.front().stillFocused)()) {
        const auto focus = m_waiting.front().stillFocused;
        std::erase_if(m_waiting,
                      [&focus](const KeyEvent& key) { return key.stillFocused == focus; });
    }
    m_sending = m_state == State::Started && !m_waiting.empty();
    if (!m_sending)
        return;
    const auto [keysym, state, focus] = m_waiting.front();
    m_waiting.pop_front();
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface,
                                                       QStringLiteral("NotifyKeyboardKeysym"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariantMap() << int(keysym)
         << state;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        // Said once: a session the desktop ended fails every key after it.
        if (w->isError() && !std::exchange(m_sendFailed, true))
            qCWarning(lcPortal) << "a typed key was refused:" << w->error().message();
        sendNext();
    });
}

} // namespace tarvex
