#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace tarvex {

/// The per-user settings store of application "Tarvex": text values addressed by section and
/// key, kept in an INI file in the XDG config folder ("~/.config/Tarvex/Tarvex.ini"). Every read
/// passes its own default; a number that cannot be read falls back to that default.
///
/// Writing a key changes only that key's line (IniDocument), so no other key reads differently
/// afterwards, even in a file whose sections repeat. A file that is no regular file or is
/// larger than 1 MB is not used: every read gives its default, and a write is refused with a
/// message, leaving the file as it is.
class SettingsStore final
{
public:
    /// Uses the user's store of application "Tarvex".
    SettingsStore();
    /// Uses the INI file at `iniPath` (tests, portable set-ups).
    explicit SettingsStore(QString iniPath);

    /// Returns the INI file path.
    const QString& fileName() const { return m_path; }
    /// Returns the stored text, or `defaultText` when the key is absent.
    QString readText(const QString& section, const QString& key, const QString& defaultText) const;
    /// Returns the stored value as a 16-bit integer, or `defaultValue` when absent or not one.
    qint16 readInt16(const QString& section, const QString& key, qint16 defaultValue) const;
    /// Returns the stored value as a 32-bit integer, or `defaultValue` when absent or not one.
    qint32 readInt32(const QString& section, const QString& key, qint32 defaultValue) const;
    /// Returns the stored value as a number, or `defaultValue` when absent or not a number.
    double readNumber(const QString& section, const QString& key, double defaultValue) const;
    /// Returns true when the key is present.
    bool contains(const QString& section, const QString& key) const;
    /// Stores `text` (creating section and key); returns a message on failure, else empty.
    QString writeText(const QString& section, const QString& key, const QString& text);

    /// Converts stored text to a number like the readers do; false when it is not a number.
    static bool ParseNumber(const QString& text, double& value);

private:
    std::optional<QString> stored(const QString& section, const QString& key) const;

    QString m_path;
};

} // namespace tarvex
