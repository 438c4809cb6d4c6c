#pragma once

#include "store/ActiveHotkeyTable.h"
#include "store/HotkeyList.h"

#include <QByteArray>
#include <QString>

namespace tarvex {

/// Joins folder `a` and name `b` with one "/": a trailing "/" of `a` and a leading "/" of `b`
/// are dropped first (one each). An empty folder gives "/" followed by `b`.
QString JoinPath(QString a, QString b);

/// The hotkey file "Hotkeys.TarvexDB": one line of records "combination*target" joined by "|",
/// ended by CR LF, UTF-8. Only the first line is read. Saving replaces the file atomically.
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
    /// message when the file exists but cannot be read, else an empty text.
    QString load(HotkeyList& list, ActiveHotkeyTable& table) const;
    /// Writes `list` to the file atomically (creating the folder if needed), then refreshes
    /// `table` from what is on disk. Returns a message for the user on failure, else empty.
    QString save(const HotkeyList& list, ActiveHotkeyTable& table) const;

    /// Returns the first line of `path` decoded (UTF-8, or Latin-1 for bytes that are not UTF-8),
    /// empty when missing. Sets `error` (if given) when the file exists but cannot be read.
    static QString ReadFirstLine(const QString& path, QString* error = nullptr);
    /// Returns the file bytes of `list`: records joined by "|", then CR LF.
    static QByteArray Serialize(const HotkeyList& list);
    /// Returns the entry of one record: text before the first "*", text up to the next "*".
    static HotkeyEntry EntryFromRecord(const QString& record);

private:
    QString m_path;
};

} // namespace tarvex
