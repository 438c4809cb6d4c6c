#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tarvex {

/// The text of an INI file, read and changed one entry at a time. Reading takes the last entry
/// of a key in any group of its section (a section may appear more than once, as hand edits and
/// merges leave it); writing a key rewrites only that entry's lines, or adds one line to the
/// section's last group, and keeps every other byte. So writing one key never changes what
/// another key reads.
///
/// Understands what the settings library writes and what people type: "%20" and "%U0041"
/// escapes in section and key names, values in double quotes, backslash escapes, a line that
/// ends in a backslash going on in the next one, comments starting with ";" or "#".
class IniDocument final
{
public:
    /// Reads `bytes` (UTF-8).
    explicit IniDocument(QByteArray bytes = {});

    /// Returns the value of `key` in `section`, or nothing when it is absent.
    std::optional<QString> value(const QString& section, const QString& key) const;
    /// Sets `key` in `section` to `text`, adding the key (and the section) when absent.
    void setValue(const QString& section, const QString& key, const QString& text);
    /// Returns the file's bytes.
    const QByteArray& bytes() const { return m_bytes; }

    /// Returns `text` as an INI value that reads back as `text`.
    static QByteArray EncodeValue(const QString& text);

    /// One line as the reader takes it: an entry's lines joined where they go on.
    struct LogicalLine
    {
        qsizetype start = 0;         // its first byte
        qsizetype end = 0;           // the first byte after its last line end
        QByteArray text;             // without the line ends and the joining backslashes
        bool continuedToEnd = false; // it ends in a backslash at the end of the file
    };

private:
    // One entry "key=value": where its lines lie in the bytes.
    struct Entry
    {
        QString section;
        QString key;
        QString value;
        qsizetype start = 0; // first byte of its first line
        qsizetype end = 0;   // first byte after its last line's end
    };
    // One "[section]" header line, with the end of the group's last entry.
    struct Group
    {
        QString section;
        qsizetype bodyEnd = 0; // where a new entry of the group goes
    };

    void parse();
    void take(const LogicalLine& line, QString& section);
    std::optional<qsizetype> lastEntry(const QString& section, const QString& key) const;
    void insertLine(qsizetype at, const QByteArray& line);

    QByteArray m_bytes;
    QList<Entry> m_entries;
    QList<Group> m_groups;
    bool m_endsContinued = false;
};

} // namespace tarvex
