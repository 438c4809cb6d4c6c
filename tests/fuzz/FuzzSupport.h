#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cstdlib>

namespace tarvex::fuzz {

/// A path in this process's own folder, in /dev/shm where there is one (saves flush to disk).
inline QString ScratchPath(const QString& name)
{
    static const QString folder = [] {
        const QString base = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm")
                                 : QDir::tempPath();
        QByteArray pattern = QFile::encodeName(base) + "/tarvex-fuzz-XXXXXX";
        return QFile::decodeName(mkdtemp(pattern.data()));
    }();
    return folder + u'/' + name;
}

/// Replaces the file at `path` by `bytes`; false when it cannot be written.
inline bool WriteFile(const QString& path, QByteArrayView bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

/// The bytes of the file at `path`, or "<unreadable>".
inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

/// Takes the input apart byte by byte; past its end every byte reads as 0.
class FuzzInput final
{
public:
    explicit FuzzInput(QByteArrayView data) : m_data(data) {}

    bool atEnd() const { return m_pos >= m_data.size(); }
    quint8 byte() { return atEnd() ? 0 : quint8(m_data.at(m_pos++)); }
    /// A number from 0 to `count` - 1 taken from the next byte.
    int below(int count) { return count <= 0 ? 0 : byte() % count; }
    /// The next `length` bytes (fewer at the end).
    QByteArrayView take(qsizetype length)
    {
        const QByteArrayView part = m_data.sliced(m_pos, std::min(length, m_data.size() - m_pos));
        m_pos += part.size();
        return part;
    }
    /// Everything not taken yet.
    QByteArrayView rest() { return take(m_data.size() - m_pos); }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};

} // namespace tarvex::fuzz
