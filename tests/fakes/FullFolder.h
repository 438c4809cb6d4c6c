#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace tarvex {

/// A real file system where writes fail, for the messages of failed saves: a 64 KiB tmpfs
/// mounted on a temporary folder (root only), filled up to the last byte or mounted read-only,
/// with `files` (name, bytes; a name ending in "/" is a folder) put there first. path() is empty
/// when it could not be made. It is unmounted when the object goes.
class FullFolder final
{
public:
    enum class Kind { Full, ReadOnly };

    explicit FullFolder(Kind kind, const QList<std::pair<QString, QByteArray>>& files = {})
    {
        const QByteArray where = QFile::encodeName(m_dir.path());
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
            return;
        m_mounted = true;
        for (const auto& [name, bytes] : files) {
            if (name.endsWith(u'/') && QDir(m_dir.path()).mkpath(name))
                continue;
            QFile file(m_dir.filePath(name));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                return;
        }
        if (kind == Kind::Full ? fill()
                               : ::mount("tmpfs", where.constData(), "tmpfs",
                                         MS_REMOUNT | MS_RDONLY, "size=64k") == 0)
            m_path = m_dir.path();
    }
    ~FullFolder()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    FullFolder(const FullFolder&) = delete;
    FullFolder& operator=(const FullFolder&) = delete;

    const QString& path() const { return m_path; }

private:
    bool fill() const
    {
        const QByteArray name = QFile::encodeName(m_dir.filePath(QStringLiteral(".filler")));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        const QByteArray block(4096, 'x');
        while (fd >= 0 && ::write(fd, block.constData(), size_t(block.size())) > 0) {
        }
        // Whatever room a page left, one byte at a time.
        while (fd >= 0 && ::write(fd, "x", 1) == 1) {
        }
        const bool full = fd >= 0 && errno == ENOSPC;
        if (fd >= 0)
            ::close(fd);
        return full;
    }

    QTemporaryDir m_dir;
    QString m_path;
    bool m_mounted = false;
};

} // namespace tarvex
