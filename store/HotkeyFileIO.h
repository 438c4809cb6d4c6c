#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace tarvex {

/// The most bytes a hotkey file may hold (64 MB, far beyond any real list): a larger file is
/// not read, so a link to an endless device cannot fill the memory.
inline constexpr qint64 MaxHotkeyFileSize = qint64(64) * 1024 * 1024;

/// What reading a file with ReadRegularFile gave.
struct RegularFileRead
{
    bool exists = false; // something is at the path
    QByteArray bytes;    // the whole file; empty when missing or not read
    qint64 modified = 0; // its modification time (nanoseconds since 1970) when it was opened
    QString reason;      // why the file was not read (for the user), else empty
};

/// Reads the file at `path` when it is a regular file (a link to one counts) of at most `limit`
/// bytes. A FIFO, socket or device is never read and opening never blocks; each is reported.
RegularFileRead ReadRegularFile(const QString& path, qint64 limit = MaxHotkeyFileSize);

/// Returns why the file at `path` may not be replaced by a save (it exists but is no regular
/// file, is over `limit` bytes or cannot be opened for reading), else an empty text.
QString ReasonNotToReplace(const QString& path, qint64 limit = MaxHotkeyFileSize);

/// The UTF-8 byte-order mark that some editors put at the start of a file.
inline constexpr QByteArrayView Utf8Bom{"\xef\xbb\xbf"};

/// The parts of a hotkey file's bytes.
struct HotkeyFileParts
{
    QByteArray leader;         // a byte-order mark at the start of the file, else empty
    QList<QByteArray> records; // the first line split at every "|"; none for an empty line
    QByteArray trailer;        // the line end of the first line and everything after it
};

/// Splits the bytes of a hotkey file into a leading byte-order mark, the records of its first
/// line and the rest.
HotkeyFileParts SplitHotkeyFile(const QByteArray& bytes);

/// Decodes the bytes of one record on their own: as UTF-8 when they are valid UTF-8, else as
/// Latin-1 (every byte kept).
QString DecodeRecord(QByteArrayView bytes);

/// Replaces the file at `path` by one holding `bytes`, atomically: a new file beside it is
/// written whole, then renamed over it (a link is followed to its file). Returns why it failed,
/// in the system's words ("No space left on device."), leaving the file as it was; else empty.
QString ReplaceFile(const QString& path, QByteArrayView bytes);

/// Makes a write beyond the file-size limit fail with an error instead of ending the process
/// (SIGXFSZ is ignored from then on), so every writer can report it. Safe to call often.
void IgnoreFileSizeSignal();

} // namespace tarvex
