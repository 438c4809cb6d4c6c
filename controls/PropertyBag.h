#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

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

    // True when name is stored (any letter case).
    bool contains(const QString& name) const;

    // Stored names, in the letter case and order they were first written.
    QStringList names() const;

    // Number of stored names.
    int size() const { return int(m_entries.size()); }

    // Names asked for by ReadProperty, in order (shows the read order of a load).
    const QStringList& readLog() const { return m_readLog; }

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
    mutable QStringList m_readLog;
};
