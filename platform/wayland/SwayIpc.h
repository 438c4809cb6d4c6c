#pragma once

#include <QJsonDocument>
#include <QString>

#include <optional>

namespace tarvex {

// sway's own IPC socket (SWAYSOCK): one short connection per request, so nothing is left
// open between hotkeys. Used for what the Wayland protocols cannot do on sway.
class SwayIpc final
{
public:
    /// Talks to the socket at `path` (empty: there is no sway).
    explicit SwayIpc(QString path) : m_path(std::move(path)) {}

    /// True when a socket path is known.
    bool isKnown() const { return !m_path.isEmpty(); }
    /// Runs sway commands; true when sway ran all of them.
    bool command(const QString& commands) const;
    /// The window tree (GET_TREE), or nothing when sway does not answer.
    std::optional<QJsonDocument> tree() const;

private:
    std::optional<QByteArray> request(quint32 type, const QByteArray& payload) const;

    QString m_path;
};

} // namespace tarvex
