#include "platform/wayland/SwayIpc.h"

#include "platform/wayland/WaylandLogging.h"

#include <QJsonArray>
#include <QJsonObject>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace tarvex {

namespace {

constexpr quint32 kRunCommand = 0;
constexpr quint32 kGetTree = 4;
constexpr int kTimeoutMs = 2000;
const QByteArray kMagic = QByteArrayLiteral("i3-ipc");

// Reads exactly `size` bytes within the time-out.
bool readAll(int fd, char* data, size_t size)
{
    while (size > 0) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, kTimeoutMs) <= 0)
            return false;
        const ssize_t got = read(fd, data, size);
        if (got <= 0)
            return false;
        data += got;
        size -= size_t(got);
    }
    return true;
}

} // namespace

std::optional<QByteArray> SwayIpc::request(quint32 type, const QByteArray& payload) const
{
    const QByteArray path = m_path.toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof(address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> answer;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        QByteArray message = kMagic;
        const quint32 header[2] = {quint32(payload.size()), type};
        message.append(reinterpret_cast<const char*>(header), sizeof header);
        message.append(payload);
        char reply[14];
        quint32 length = 0;
        if (write(fd, message.constData(), size_t(message.size())) == message.size() &&
            readAll(fd, reply, sizeof reply) && QByteArray(reply, 6) == kMagic) {
            std::memcpy(&length, reply + 6, sizeof length);
            QByteArray body(qsizetype(length), Qt::Uninitialized);
            if (readAll(fd, body.data(), length))
                answer = body;
        }
    }
    close(fd);
    if (!answer)
        qCWarning(lcWayland) << "sway did not answer on" << m_path;
    return answer;
}

bool SwayIpc::command(const QString& commands) const
{
    const std::optional<QByteArray> reply = request(kRunCommand, commands.toUtf8());
    if (!reply)
        return false;
    const QJsonArray results = QJsonDocument::fromJson(*reply).array();
    bool ok = !results.isEmpty();
    for (const QJsonValue& result : results) {
        if (!result.toObject().value(QStringLiteral("success")).toBool()) {
            qCWarning(lcWayland) << "sway refused" << commands << ":"
                                 << result.toObject().value(QStringLiteral("error")).toString();
            ok = false;
        }
    }
    return ok;
}

std::optional<QJsonDocument> SwayIpc::tree() const
{
    const std::optional<QByteArray> reply = request(kGetTree, {});
    if (!reply)
        return std::nullopt;
    return QJsonDocument::fromJson(*reply);
}

} // namespace tarvex
