#pragma once

#include "controls/ColorOps.h"

#include <QByteArray>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace tarvex {

// A persisted set of named property values, as every skinned control keeps
// its design-time properties: names match without regard to letter case, a
// missing name reads as the caller's default, and a value equal to the
// default is not written. Values are booleans, integers, texts or bytes.
class PropertyBag final
{
public:
    PropertyBag() = default;

    // The stored value of name, or defaultValue when the name is absent.
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;

    // Stores value under name, or removes name when value equals defaultValue.
    void WriteProperty(const QString& name, const QVariant& value,
                       const QVariant& defaultValue = {});

    // Typed reads through ReadProperty, shared by the controls' property code: a missing
    // name gives `missing`, and so does a stored value that is not of the type (a number
    // outside 0 to 0xFFFFFFFF for a colour, a text that is no font description).
    int ReadInt(const QString& name, int missing) const;
    bool ReadBool(const QString& name, bool missing) const;
    QString ReadText(const QString& name, const QString& missing) const;
    OleColor ReadColor(const QString& name, OleColor missing) const;
    QFont ReadFont(const QString& name, const QFont& missing) const;
    // Stores a colour as the number ReadColor reads back (left out when equal to missing).
    void WriteColor(const QString& name, OleColor value, OleColor missing);

    // True when name is stored (any letter case).
    bool contains(const QString& name) const;

    // Stored names, in the letter case and order they were first written.
    QStringList names() const;

    // Number of stored names.
    int size() const { return int(m_entries.size()); }

    // The set as a JSON object text; bytes are base64 under {"bytes": ...}.
    QByteArray toJson() const;

    // Parses toJson() output into bag; on failure returns false, leaves bag
    // unchanged and puts a readable reason in error (when given).
    static bool fromJson(const QByteArray& json, PropertyBag& bag, QString* error = nullptr);

    // Same names (any case) with equal values.
    bool operator==(const PropertyBag& other) const;

private:
    struct Entry
    {
        QString name;
        QVariant value;
    };
    int indexOf(const QString& name) const;
    static bool sameValue(const QVariant& a, const QVariant& b);

    QVector<Entry> m_entries;
};

} // namespace tarvex
