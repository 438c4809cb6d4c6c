#include "keyreader/Grants.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace tarvex {

Q_DECLARE_LOGGING_CATEGORY(lcKeyReader)

namespace {

using Details = QMap<QString, QString>;
// The user may take their time over the dialog.
constexpr int AskTimeoutMs = 10 * 60 * 1000;
constexpr quint32 AllowUserInteraction = 1;

QByteArray userName(uint uid)
{
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return QByteArray(found->pw_name);
}

// When the process started (clock ticks after boot, field 22 of /proc/PID/stat): with the pid,
// it names the process so that a later process with the same pid is not taken for it.
quint64 startTimeOf(uint pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.read(4096);
    // The command name may hold spaces and parentheses: the fields after it follow the last ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 19 ? fields.at(19).toULongLong() : 0;
}

QDBusArgument processSubject(uint uid, uint pid)
{
    QDBusArgument subject;
    subject.beginStructure();
    subject << QStringLiteral("unix-process")
            << QVariantMap{{QStringLiteral("pid"), QVariant::fromValue(quint32(pid))},
                           {QStringLiteral("start-time"), QVariant::fromValue(startTimeOf(pid))},
                           {QStringLiteral("uid"), QVariant::fromValue(qint32(uid))}};
    subject.endStructure();
    return subject;
}

// CheckAuthorization's result, (bba{ss}): is_authorized first.
bool isAuthorised(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1)
        return false;
    const QDBusArgument result = reply.arguments().constFirst().value<QDBusArgument>();
    if (result.currentSignature() != u"(bba{ss})")
        return false;
    bool authorised = false;
    bool challenge = false;
    Details details;
    result.beginStructure();
    result >> authorised >> challenge >> details;
    result.endStructure();
    return authorised;
}

} // namespace

Grants::Grants(const QString& folder, const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_folder(folder), m_bus(bus)
{
    qDBusRegisterMetaType<Details>();
}

bool Grants::granted(uint uid) const
{
    QFile file(fileOf(uid));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // A file left by a removed user does not pass to the next owner of the uid.
    return file.read(256).trimmed() == userName(uid);
}

void Grants::ask(uint uid, uint pid)
{
    if (m_asking.contains(uid))
        return;
    m_asking.insert(uid);
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.PolicyKit1"),
                                       QStringLiteral("/org/freedesktop/PolicyKit1/Authority"),
                                       QStringLiteral("org.freedesktop.PolicyKit1.Authority"),
                                       QStringLiteral("CheckAuthorization"));
    call << QVariant::fromValue(processSubject(uid, pid)) << QString::fromLatin1(Action)
         << QVariant::fromValue(Details()) << AllowUserInteraction << QString();
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, AskTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, uid, watcher] {
        watcher->deleteLater();
        const QDBusMessage reply = watcher->reply();
        if (reply.type() == QDBusMessage::ErrorMessage)
            qCWarning(lcKeyReader, "polkit could not ask user %u: %s", uid,
                      qPrintable(reply.errorMessage()));
        record(uid, isAuthorised(reply));
    });
    qCInfo(lcKeyReader, "asking user %u through polkit", uid);
}

void Grants::revoke(uint uid)
{
    QFile::remove(fileOf(uid));
    qCInfo(lcKeyReader, "user %u took the permission back", uid);
}

QString Grants::fileOf(uint uid) const
{
    return m_folder + u'/' + QString::number(uid);
}

void Grants::record(uint uid, bool yes)
{
    m_asking.remove(uid);
    if (yes) {
        QDir().mkpath(m_folder);
        QSaveFile file(fileOf(uid));
        const bool written = file.open(QIODevice::WriteOnly) &&
                             file.write(userName(uid) + '\n') >= 0 && file.commit();
        if (!written)
            qCWarning(lcKeyReader, "cannot write down the permission of user %u in %s: %s", uid,
                      qPrintable(m_folder), qPrintable(file.errorString()));
    }
    qCInfo(lcKeyReader, "user %u %s", uid, yes ? "allowed it" : "did not allow it");
    Q_EMIT answered(uid, yes);
}

} // namespace tarvex
