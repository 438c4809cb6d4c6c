#include "keyreader/SeatWatch.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QLoggingCategory>

#include <utility>

namespace tarvex {

Q_DECLARE_LOGGING_CATEGORY(lcKeyReader)

namespace {

const QString Logind = QStringLiteral("org.freedesktop.login1");
const QString SeatPath = QStringLiteral("/org/freedesktop/login1/seat/seat0");
const QString Properties = QStringLiteral("org.freedesktop.DBus.Properties");
// A logind that does not answer in this time counts as "nobody in front".
constexpr int CallTimeoutMs = 3000;

// The two members of a (so) or (uo) structure, read only when the value has that form.
template <typename First, typename Second>
std::optional<std::pair<First, Second>> structure(const QVariant& value, const char* signature)
{
    if (!value.canConvert<QDBusArgument>())
        return std::nullopt;
    const QDBusArgument argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String(signature))
        return std::nullopt;
    std::pair<First, Second> members{};
    argument.beginStructure();
    argument >> members.first >> members.second;
    argument.endStructure();
    return members;
}

bool isTrue(const QVariant& value)
{
    return value.typeId() == QMetaType::Bool && value.toBool();
}

} // namespace

SeatWatch::SeatWatch(const QDBusConnection& bus, QObject* parent) : QObject(parent), m_bus(bus)
{
    // Every change logind announces (the seat's active session, a session's Active or
    // LockedHint) is a reason to ask again; so is logind starting anew.
    m_bus.connect(Logind, QString(), Properties, QStringLiteral("PropertiesChanged"), this,
                  SLOT(onPropertiesChanged()));
    auto* watcher =
        new QDBusServiceWatcher(Logind, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, &SeatWatch::refresh);
    m_activeUser = askLogind();
}

void SeatWatch::refresh()
{
    const std::optional<uint> user = askLogind();
    if (user == m_activeUser)
        return;
    m_activeUser = user;
    qCInfo(lcKeyReader, "user in front of seat0: %s",
           user ? qPrintable(QString::number(*user)) : "nobody");
    Q_EMIT changed();
}

void SeatWatch::onPropertiesChanged()
{
    refresh();
}

std::optional<uint> SeatWatch::askLogind() const
{
    const QVariantMap seat = properties(SeatPath, Logind + QStringLiteral(".Seat"));
    const auto session =
        structure<QString, QDBusObjectPath>(seat.value(QStringLiteral("ActiveSession")), "(so)");
    if (!session || session->second.path().isEmpty() || session->second.path() == u"/")
        return std::nullopt;
    const QVariantMap state =
        properties(session->second.path(), Logind + QStringLiteral(".Session"));
    const auto user = structure<uint, QDBusObjectPath>(state.value(QStringLiteral("User")), "(uo)");
    if (!user || !isTrue(state.value(QStringLiteral("Active"))) ||
        state.value(QStringLiteral("LockedHint")).typeId() != QMetaType::Bool ||
        isTrue(state.value(QStringLiteral("LockedHint"))))
        return std::nullopt;
    return user->first;
}

QVariantMap SeatWatch::properties(const QString& path, const QString& interface) const
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(Logind, path, Properties, QStringLiteral("GetAll"));
    call << interface;
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, CallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return {};
    const QVariant map = reply.arguments().constFirst();
    if (map.typeId() == QMetaType::QVariantMap)
        return map.toMap();
    QVariantMap result;
    if (map.canConvert<QDBusArgument>() &&
        map.value<QDBusArgument>().currentSignature() == u"a{sv}")
        map.value<QDBusArgument>() >> result;
    return result;
}

} // namespace tarvex
