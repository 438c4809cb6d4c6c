#include "store/SettingsStore.h"

#include "store/HotkeyFileIO.h"
#include "store/IniDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cmath>
#include <limits>
#include <QCoreApplication>

namespace tarvex {
namespace {

constexpr qint64 MostSettingsFileBytes = 1024 * 1024;

QString DefaultStorePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tarvex/Tarvex.ini");
}

// Rounds `value` to an integer of type T; false when it does not fit.
template <typename T> bool ToInteger(double value, T& result)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<T>::min() && rounded <= std::numeric_limits<T>::max()))
        return false;
    result = T(rounded);
    return true;
}

} // namespace

SettingsStore::SettingsStore() : m_path(DefaultStorePath()) {}

SettingsStore::SettingsStore(QString iniPath) : m_path(std::move(iniPath)) {}

std::optional<QString> SettingsStore::stored(const QString& section, const QString& key) const
{
    const RegularFileRead file = ReadRegularFile(m_path, MostSettingsFileBytes);
    if (!file.reason.isEmpty())
        return std::nullopt;
    return IniDocument(file.bytes).value(section, key);
}

QString SettingsStore::readText(const QString& section, const QString& key,
                                const QString& defaultText) const
{
    return stored(section, key).value_or(defaultText);
}

bool SettingsStore::ParseNumber(const QString& text, double& value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

double SettingsStore::readNumber(const QString& section, const QString& key,
                                 double defaultValue) const
{
    const std::optional<QString> text = stored(section, key);
    double value = 0;
    return text && ParseNumber(*text, value) ? value : defaultValue;
}

qint16 SettingsStore::readInt16(const QString& section, const QString& key,
                                qint16 defaultValue) const
{
    qint16 result = defaultValue;
    return ToInteger(readNumber(section, key, defaultValue), result) ? result : defaultValue;
}

qint32 SettingsStore::readInt32(const QString& section, const QString& key,
                                qint32 defaultValue) const
{
    qint32 result = defaultValue;
    return ToInteger(readNumber(section, key, defaultValue), result) ? result : defaultValue;
}

bool SettingsStore::contains(const QString& section, const QString& key) const
{
    return stored(section, key).has_value();
}

// Only the key's own line changes, so no other key reads differently afterwards; the file is
// replaced whole, and a failure is reported in the system's words (a full disk, say).
QString SettingsStore::writeText(const QString& section, const QString& key, const QString& text)
{
    const RegularFileRead file = ReadRegularFile(m_path, MostSettingsFileBytes);
    IniDocument document(file.bytes);
    document.setValue(section, key, text);
    QString reason = file.reason;
    if (reason.isEmpty() && document.bytes().size() > MostSettingsFileBytes)
        reason =
            QCoreApplication::translate("tarvex::SettingsStore", "it would grow larger than 1 MB.");
    if (!reason.isEmpty())
        return QCoreApplication::translate(
                   "tarvex::SettingsStore",
                   "The setting %1/%2 could not be saved to \"%3\": %4 It was left as it is.")
            .arg(section, key, m_path, reason);
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        reason =
            QCoreApplication::translate("tarvex::SettingsStore", "the folder cannot be created.");
    else
        reason = ReplaceFile(m_path, document.bytes());
    if (reason.isEmpty())
        return {};
    return QCoreApplication::translate("tarvex::SettingsStore",
                                       "The setting %1/%2 could not be saved to \"%3\": %4")
        .arg(section, key, m_path, reason);
}

} // namespace tarvex
