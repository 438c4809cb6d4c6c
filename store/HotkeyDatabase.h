#pragma once

#include "store/ActiveHotkeyTable.h"
#include "store/HotkeyList.h"

#include <QByteArray>
#include <QString>

namespace tarvex {

struct RegularFileRead;

/// Joins folder `a` and name `b` with one "/": a trailing "/" of `a` and a leading "/" of `b`
/// are dropped first (one each). An empty folder gives "/" followed by `b`.
QString JoinPath(QString a, QString b);

/// What the hotkey file held when the program last read or wrote it: enough to tell whether
/// someone else changed it since (a hand edit, a second editor, a sync client).
struct FileStamp
{
    bool exists = false;
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds since 1970
    QByteArray hash;     // of the whole file

    /// Returns the stamp of a file that holds `bytes` and was modified at `modified`.
    static FileStamp Of(const QByteArray& bytes, qint64 modified);
    /// True when both stamps stand for the same bytes (the time alone may differ).
    bool sameContent(const FileStamp& other) const;
};

/// The hotkey file "Hotkeys.TarvexDB": one line of records "combination*target" joined by "|",
/// ended by CR LF, UTF-8, then the option lines of the hotkeys that have options (see
/// HotkeyOptionLines.h). Each record is decoded on its own (UTF-8, else Latin-1); records that
/// were not edited are written back byte for byte, and every other line after the first line
/// is kept. Saving replaces the file atomically.
class HotkeyDatabase final
{
public:
    /// The file name inside the Documents folder.
    static constexpr QLatin1StringView FileName{"Hotkeys.TarvexDB"};

    /// Uses the file at `path`.
    explicit HotkeyDatabase(QString path);
    /// Returns the database of the Documents folder `documentsFolder`.
    static HotkeyDatabase InFolder(const QString& documentsFolder);

    /// Returns the file path.
    const QString& path() const { return m_path; }
    /// Fills `list` and `table` from the file (a missing file gives both empty). Returns a
    /// message for the user when the file exists but was not read (it is left alone), or when
    /// it holds hotkeys that the running hotkeys ignore (each named), else an empty text.
    QString load(HotkeyList& list, ActiveHotkeyTable& table);
    /// Writes `list` to the file atomically (creating the folder if needed), then hands the
    /// records written to `table`; when the write fails, `table` follows what the file still
    /// holds. A file there that could not have been read (no regular file, too large,
    /// unreadable) is not replaced. Returns a message on failure, else empty.
    QString save(const HotkeyList& list, ActiveHotkeyTable& table);
    /// True when the file on disk no longer holds what it held when last loaded or saved.
    bool changedOnDisk() const;
    /// What became of a refresh().
    enum class Refresh { Unchanged, Reloaded, KeptLastGood };
    /// Loads the file again when it changed on disk. A file that cannot be read now (gone,
    /// unreadable, no regular file) leaves `list` and `table` as they are (the last good
    /// ones), with the reason in `problem`; so does `problem` name ignored hotkeys.
    Refresh refresh(HotkeyList& list, ActiveHotkeyTable& table, QString& problem);

    /// Returns the first line of `path`, each record decoded on its own; empty when missing.
    /// Sets `error` (if given) when the file exists but was not read.
    static QString ReadFirstLine(const QString& path, QString* error = nullptr);
    /// Returns the file bytes of `list`: its records joined by "|", then its trailer with the
    /// option lines of its entries in place of the old ones. A record whose stored bytes still
    /// decode to its entry's combination and target is written as those bytes.
    static QByteArray Serialize(const HotkeyList& list);
    /// Returns a message naming the entries of `list` that the running hotkeys ignore (at most
    /// ten, then how many more), or an empty text when every entry can run.
    static QString NotRunReport(const HotkeyList& list);

private:
    QString fill(const RegularFileRead& file, HotkeyList& list, ActiveHotkeyTable& table);
    QString write(const QByteArray& bytes) const;

    QString m_path;
    FileStamp m_stamp;
};

} // namespace tarvex
