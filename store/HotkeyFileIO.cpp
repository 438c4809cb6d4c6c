#include "store/HotkeyFileIO.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <QCoreApplication>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvex {
namespace {

QString ErrnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)) + QLatin1Char('.');
}

QString Sentence(const QString& reason)
{
    return reason.endsWith(QLatin1Char('.')) ? reason : reason + QLatin1Char('.');
}

QString LimitText(qint64 limit)
{
    return QCoreApplication::translate("tarvex::HotkeyFileIO", "it is larger than %1 MB.")
        .arg(limit / (1024 * 1024));
}

// Opens `path` for reading when it is a regular file of at most `limit` bytes. The type is
// checked before opening (a device is never opened) and again on the open file (it may have
// been replaced meanwhile); O_NONBLOCK keeps a FIFO put there in between from blocking.
// Returns the descriptor with `info` of the open file, or -1 with `reason` set (empty when
// nothing is at the path).
int OpenRegularFile(const QString& path, qint64 limit, QString& reason, struct stat& info)
{
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &info) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            reason = ErrnoText(errno);
        return -1;
    }
    const int fd = S_ISREG(info.st_mode)
                       ? ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)
                       : -1;
    if (fd < 0 && S_ISREG(info.st_mode)) {
        reason = ErrnoText(errno);
        return -1;
    }
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = QCoreApplication::translate("tarvex::HotkeyFileIO", "it is not a regular file.");
    } else if (info.st_size > limit) {
        reason = LimitText(limit);
    } else {
        return fd;
    }
    if (fd >= 0)
        ::close(fd);
    return -1;
}

// Reads at most `limit` + 1 bytes, so a file that grew past the limit is noticed.
bool ReadAtMost(int fd, qint64 expected, qint64 limit, QByteArray& bytes, QString& reason)
{
    bytes.reserve(qsizetype(std::min(expected, limit)) + 1);
    char block[1 << 16];
    for (;;) {
        const qint64 wanted = std::min<qint64>(sizeof block, limit + 1 - bytes.size());
        const ssize_t got = ::read(fd, block, size_t(wanted));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            reason = ErrnoText(errno);
            return false;
        }
        if (got == 0)
            return true;
        bytes.append(block, qsizetype(got));
        if (bytes.size() > limit) {
            reason = LimitText(limit);
            return false;
        }
    }
}

} // namespace

RegularFileRead ReadRegularFile(const QString& path, qint64 limit)
{
    RegularFileRead result;
    struct stat info
    {};
    const int fd = OpenRegularFile(path, limit, result.reason, info);
    result.exists = fd >= 0 || !result.reason.isEmpty();
    if (fd < 0)
        return result;
    result.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    if (!ReadAtMost(fd, info.st_size, limit, result.bytes, result.reason))
        result.bytes.clear();
    ::close(fd);
    return result;
}

QString ReasonNotToReplace(const QString& path, qint64 limit)
{
    QString reason;
    struct stat info
    {};
    const int fd = OpenRegularFile(path, limit, reason, info);
    if (fd >= 0)
        ::close(fd);
    return reason;
}

HotkeyFileParts SplitHotkeyFile(const QByteArray& bytes)
{
    HotkeyFileParts parts;
    if (QByteArrayView(bytes).startsWith(Utf8Bom))
        parts.leader = bytes.left(Utf8Bom.size());
    const qsizetype start = parts.leader.size();
    const auto lineEnd = std::find_if(bytes.begin() + start, bytes.end(),
                                      [](char c) { return c == '\r' || c == '\n'; });
    const qsizetype end = qsizetype(lineEnd - bytes.begin());
    if (end > start)
        parts.records = bytes.mid(start, end - start).split('|');
    parts.trailer = bytes.mid(end);
    return parts;
}

QString DecodeRecord(QByteArrayView bytes)
{
    // Each record on its own: one record in an 8-bit code page must not turn every other
    // record's UTF-8 into mojibake.
    if (!bytes.isValidUtf8())
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return utf8(bytes);
}

QString ReplaceFile(const QString& path, QByteArrayView bytes)
{
    IgnoreFileSizeSignal();
    // Unbuffered, so each failed write says why at once: a buffered one is only found out when
    // the file is committed, and cancelling then replaces the reason by "Writing canceled".
    // A file that may not be written is kept as it is; the system says why (permission, a
    // read-only disk) better than the save file's own "is not writable".
    if (::access(QFile::encodeName(path).constData(), W_OK) != 0 && errno != ENOENT)
        return ErrnoText(errno);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Sentence(file.errorString());
    // A write may store only part (the disk fills up in the middle); the next one says why.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 wrote = file.write(bytes.data() + done, bytes.size() - done);
        if (wrote <= 0) {
            const QString reason = Sentence(file.errorString());
            file.cancelWriting();
            return reason;
        }
        done += qsizetype(wrote);
    }
    return file.commit() ? QString() : Sentence(file.errorString());
}

void IgnoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] { std::signal(SIGXFSZ, SIG_IGN); });
}

} // namespace tarvex
