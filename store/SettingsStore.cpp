#include "store/SettingsStore.h"

#include "store/HotkeyFileIO.h"

#include <QSettings>

#include <cmath>
#include <limits>
#include <QCoreApplication>

namespace tarvex {
namespace {

constexpr qint64 MostSettingsFileBytes = 1024 * 1024;

// The value of `c` as a digit of `base` (8 or 16), or -1.
int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    const int value = u >= '0' && u <= '9'   ? u - '0'
                      : u >= 'a' && u <= 'f' ? u - 'a' + 10
                      : u >= 'A' && u <= 'F' ? u - 'A' + 10
                                             : -1;
    return value < base ? value : -1;
}

// Undoes the escape whose backslash stands before `i` in `line`: appends its character to
// `value` and returns the index of the escape's last character. Numbers wrap to 16 bits, as
// the settings library takes them.
qsizetype Unescape(QStringView line, qsizetype i, QString& value)
{
    const bool hex = line.at(i) == u'x';
    const int base = hex ? 16 : 8;
    const qsizetype start = hex ? i + 1 : i;
    qsizetype end = start;
    quint32 code = 0;
    for (; end < line.size() && DigitValue(line.at(end), base) >= 0; ++end)
        code = code * quint32(base) + quint32(DigitValue(line.at(end), base));
    if (end == start) {
        value += line.at(i);
        return i;
    }
    value += QChar(char16_t(code));
    return end - 1;
}

// The INI value of `line` with its escapes undone and its quotes dropped (continued lines are
// joined by the caller), or nothing for a line without "=". Comment and section lines are read
// like any other: a false alarm costs less than a value missed.
std::optional<QString> UnescapedValue(QStringView line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    QString value;
    for (qsizetype i = equals + 1; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'\\' && i + 1 < line.size())
            i = Unescape(line, i + 1, value);
        else if (c != u'"')
            value += c;
    }
    return value;
}

// True when the settings library would decode a value of the INI `text` as serialized data
// ("@Variant(...)", "@DateTime(...)"), also when escapes, quotes or a list hide it.
bool HoldsSerializedValue(const QByteArray& text)
{
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    QString line;
    for (const QString& part : lines) {
        line += part;
        if (line.endsWith(u'\\'))
            continue; // the value goes on in the next line
        const std::optional<QString> value = UnescapedValue(QStringView(line).trimmed());
        line.clear();
        if (!value)
            continue;
        for (const QString& element : value->split(u',')) {
            const QString item = element.trimmed();
            if (item.startsWith(u"@Variant(") || item.startsWith(u"@DateTime("))
                return true;
        }
    }
    return false;
}

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

QString SettingsStore::unusableReason() const
{
    const RegularFileRead file = ReadRegularFile(m_path, MostSettingsFileBytes);
    if (!file.reason.isEmpty())
        return file.reason;
    if (HoldsSerializedValue(file.bytes))
        return QCoreApplication::translate("tarvex::SettingsStore",
                                           "it holds a value that is not plain text.");
    return {};
}

std::optional<QString> SettingsStore::stored(const QString& section, const QString& key) const
{
    if (!unusableReason().isEmpty())
        return std::nullopt;
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
    if (!unusableReason().isEmpty())
        return false;
    return QSettings(m_path, QSettings::IniFormat).contains(KeyPath(section, key));
}

QString SettingsStore::writeText(const QString& section, const QString& key, const QString& text)
{
    IgnoreFileSizeSignal(); // a write past the file-size limit fails and is reported
    if (const QString reason = unusableReason(); !reason.isEmpty())
        return QCoreApplication::translate(
                   "tarvex::SettingsStore",
                   "The setting %1/%2 could not be saved to \"%3\": %4 It was left "
                   "as it is.")
            .arg(section, key, m_path, reason);
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(KeyPath(section, key), text);
    settings.sync();
    // A format error only says the file held lines that were not settings (they are dropped
    // by the rewrite); the value was written all the same.
    if (settings.status() != QSettings::AccessError)
        return {};
    return QCoreApplication::translate("tarvex::SettingsStore",
                                       "The setting %1/%2 could not be saved to \"%3\".")
        .arg(section, key, m_path);
}

} // namespace tarvex
