#include "store/SettingsStore.h"

#include "store/HotkeyFileIO.h"

#include <QSettings>

#include <cmath>
#include <limits>

namespace tarvex {
namespace {

QString KeyPath(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

QString DefaultStorePath()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tarvex"),
                     QStringLiteral("Tarvex"))
        .fileName();
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
    const QVariant value = QSettings(m_path, QSettings::IniFormat).value(KeyPath(section, key));
    if (!value.isValid())
        return std::nullopt;
    // A hand-written value with an unquoted comma comes back as a list; keep it as one text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
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
    return QSettings(m_path, QSettings::IniFormat).contains(KeyPath(section, key));
}

QString SettingsStore::writeText(const QString& section, const QString& key, const QString& text)
{
    IgnoreFileSizeSignal(); // a write past the file-size limit fails and is reported
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(KeyPath(section, key), text);
    settings.sync();
    // A format error only says the file held lines that were not settings (they are dropped
    // by the rewrite); the value was written all the same.
    if (settings.status() != QSettings::AccessError)
        return {};
    return QStringLiteral("The setting %1/%2 could not be saved to \"%3\".")
        .arg(section, key, m_path);
}

} // namespace tarvex
