#include "controls/PropertyBag.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvex {

int PropertyBag::indexOf(const QString& name) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool PropertyBag::sameValue(const QVariant& a, const QVariant& b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    // Integers of different widths (a colour as quint32, a style as int) compare by value.
    const bool aNumber = a.canConvert<qlonglong>() && a.typeId() != QMetaType::QString;
    const bool bNumber = b.canConvert<qlonglong>() && b.typeId() != QMetaType::QString;
    if (aNumber && bNumber && a.typeId() != QMetaType::QByteArray &&
        b.typeId() != QMetaType::QByteArray)
        return a.toLongLong() == b.toLongLong();
    return a == b;
}

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const
{
    const int i = indexOf(name);
    return i < 0 ? defaultValue : m_entries[i].value;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value,
                                const QVariant& defaultValue)
{
    const int i = indexOf(name);
    if (sameValue(value, defaultValue)) {
        if (i >= 0)
            m_entries.remove(i);
    } else if (i >= 0) {
        m_entries[i].value = value;
    } else {
        m_entries.append({name, value});
    }
}

int PropertyBag::ReadInt(const QString& name, int missing) const
{
    bool ok = false;
    const int v = ReadProperty(name, missing).toInt(&ok);
    return ok ? v : missing;
}

bool PropertyBag::ReadBool(const QString& name, bool missing) const
{
    return ReadProperty(name, missing).toBool();
}

QString PropertyBag::ReadText(const QString& name, const QString& missing) const
{
    return ReadProperty(name, missing).toString();
}

OleColor PropertyBag::ReadColor(const QString& name, OleColor missing) const
{
    bool ok = false;
    const qlonglong v = ReadProperty(name, qlonglong(missing)).toLongLong(&ok);
    return ok && v >= 0 && v <= 0xFFFFFFFFLL ? OleColor(v) : missing;
}

QFont PropertyBag::ReadFont(const QString& name, const QFont& missing) const
{
    QFont font = missing;
    if (!font.fromString(ReadText(name, missing.toString())))
        return missing;
    return font;
}

void PropertyBag::WriteColor(const QString& name, OleColor value, OleColor missing)
{
    WriteProperty(name, qlonglong(value), qlonglong(missing));
}

bool PropertyBag::contains(const QString& name) const
{
    return indexOf(name) >= 0;
}

QStringList PropertyBag::names() const
{
    QStringList out;
    for (const Entry& e : m_entries)
        out << e.name;
    return out;
}

QByteArray PropertyBag::toJson() const
{
    QJsonArray items;
    for (const Entry& e : m_entries) {
        QJsonObject item{{"name", e.name}};
        if (e.value.typeId() == QMetaType::QByteArray)
            item["bytes"] = QString::fromLatin1(e.value.toByteArray().toBase64());
        else
            item["value"] = QJsonValue::fromVariant(e.value);
        items.append(item);
    }
    return QJsonDocument(QJsonObject{{"properties", items}}).toJson(QJsonDocument::Compact);
}

namespace {

bool ParseItem(const QJsonValue& value, QString& name, QVariant& out)
{
    const QJsonObject item = value.toObject();
    name = item.value("name").toString();
    if (name.isEmpty())
        return false;
    if (item.contains("bytes")) {
        const auto decoded = QByteArray::fromBase64Encoding(
            item.value("bytes").toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        out = decoded.decoded;
        return bool(decoded);
    }
    const QJsonValue v = item.value("value");
    if (v.isDouble() && v.toDouble() == double(qint64(v.toDouble())))
        out = qint64(v.toDouble()); // whole numbers come back as integers
    else
        out = v.toVariant();
    return !v.isUndefined() && !v.isNull() && !v.isArray() && !v.isObject();
}

} // namespace

bool PropertyBag::fromJson(const QByteArray& json, PropertyBag& bag, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (doc.isNull())
        return fail(QStringLiteral("not a property set: %1").arg(parse.errorString()));
    const QJsonValue items = doc.object().value("properties");
    if (!items.isArray())
        return fail(QStringLiteral("not a property set: no \"properties\" list"));
    PropertyBag result;
    for (const QJsonValue& v : items.toArray()) {
        QString name;
        QVariant value;
        if (!ParseItem(v, name, value))
            return fail(QStringLiteral("property \"%1\" has no readable value").arg(name));
        result.m_entries.append({name, value});
    }
    bag = result;
    return true;
}

bool PropertyBag::operator==(const PropertyBag& other) const
{
    if (m_entries.size() != other.m_entries.size())
        return false;
    for (const Entry& e : m_entries) {
        const int j = other.indexOf(e.name);
        if (j < 0 || !sameValue(e.value, other.m_entries[j].value))
            return false;
    }
    return true;
}

} // namespace tarvex
