#include "store/IniDocument.h"

#include "store/HotkeyFileIO.h"

#include <algorithm>

namespace tarvex {
namespace {

constexpr int MostHexDigits = 4;
constexpr int MostOctalDigits = 3;

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

// Reads at most `most` digits of `base` from `text` at `i`; returns how many it read.
int ReadNumber(QStringView text, qsizetype i, int base, int most, uint& code)
{
    int read = 0;
    code = 0;
    for (; read < most && i + read < text.size(); ++read) {
        const int digit = DigitValue(text.at(i + read), base);
        if (digit < 0)
            break;
        code = code * uint(base) + uint(digit);
    }
    return read;
}

// Appends the character of the escape whose letter is at `i` and returns the index of the
// escape's last character.
qsizetype Unescape(QStringView text, qsizetype i, QString& out)
{
    static const QString Letters = QStringLiteral("abfnrtv");
    static const QString Codes = QStringLiteral("\a\b\f\n\r\t\v");
    const QChar c = text.at(i);
    uint code = 0;
    if (const qsizetype letter = Letters.indexOf(c); letter >= 0) {
        out += Codes.at(letter);
    } else if (c == u'x' && ReadNumber(text, i + 1, 16, MostHexDigits, code) > 0) {
        out += QChar(char16_t(code));
        return i + ReadNumber(text, i + 1, 16, MostHexDigits, code);
    } else if (const int digits = ReadNumber(text, i, 8, MostOctalDigits, code); digits > 0) {
        out += QChar(char16_t(code));
        return i + digits - 1;
    } else {
        out += c; // \\, \", \' and any other character stand for themselves
    }
    return i;
}

// The text of a value: quotes dropped, escapes undone, one "@" of a leading "@@" dropped (the
// settings library writes a text starting with "@" so).
QString DecodeValue(const QByteArray& raw)
{
    const QString text = QString::fromUtf8(raw).trimmed();
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size())
            i = Unescape(text, i + 1, out);
        else if (c != u'"')
            out += c;
    }
    if (out.startsWith(u"@@"))
        out.remove(0, 1);
    return out;
}

// A section or key name with its "%XX" and "%UXXXX" escapes undone.
QString DecodeName(const QByteArray& raw)
{
    const QString text = QString::fromUtf8(raw).trimmed();
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool wide = i + 1 < text.size() && text.at(i + 1) == u'U';
        uint code = 0;
        const int most = wide ? 4 : 2;
        const qsizetype from = i + (wide ? 2 : 1);
        if (text.at(i) == u'%' && ReadNumber(text, from, 16, most, code) == most) {
            out += QChar(char16_t(code));
            i = from + most - 1;
        } else {
            out += text.at(i);
        }
    }
    return out;
}

// A name as the settings library writes it: letters, digits and "-_." as they are, every other
// character escaped ("Hotkey Activation" is "Hotkey%20Activation").
QByteArray EncodeName(const QString& name)
{
    QByteArray out;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u < 128 && (QChar::isLetterOrNumber(u) || u == '-' || u == '_' || u == '.'))
            out += char(u);
        else if (u < 256)
            out += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        else
            out += "%U" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
    }
    return out;
}

// True when the line goes on in the next one: it ends in a backslash that escapes nothing.
bool EndsContinued(QByteArrayView line)
{
    qsizetype backslashes = 0;
    while (backslashes < line.size() && line.at(line.size() - 1 - backslashes) == '\\')
        ++backslashes;
    return backslashes % 2 == 1;
}

// The end of the line starting at `pos`: a line ends at "\n", "\r" or "\r\n", or at the end.
qsizetype LineEnd(const QByteArray& bytes, qsizetype pos)
{
    while (pos < bytes.size() && bytes.at(pos) != '\n' && bytes.at(pos) != '\r')
        ++pos;
    return pos;
}

// The line starting at `pos`, with the lines it goes on in joined to it. Only an entry goes on
// in the next line; a header or comment ends where it ends.
IniDocument::LogicalLine ReadLogicalLine(const QByteArray& bytes, qsizetype pos)
{
    IniDocument::LogicalLine logical{pos, pos, {}, false};
    bool continued = false;
    do {
        const qsizetype end = LineEnd(bytes, pos);
        const QByteArray line = bytes.mid(pos, end - pos);
        pos = bytes.mid(end, 2) == "\r\n" ? end + 2 : std::min(end + 1, bytes.size());
        const QByteArray trimmed = line.trimmed();
        const bool entry = continued || (!trimmed.isEmpty() && trimmed.contains('=') &&
                                         !QByteArrayView(";#[").contains(trimmed.at(0)));
        continued = entry && EndsContinued(line);
        logical.text += continued ? line.chopped(1) : line;
    } while (continued && pos < bytes.size());
    logical.end = pos;
    logical.continuedToEnd = continued;
    return logical;
}

} // namespace

IniDocument::IniDocument(QByteArray bytes) : m_bytes(std::move(bytes))
{
    parse();
}

QByteArray IniDocument::EncodeValue(const QString& text)
{
    const QString value = text.startsWith(u'@') ? u'@' + text : text;
    QString out;
    for (const QChar c : value) {
        const int special = QStringView(u"\\\"\n\r\t").indexOf(c);
        if (special >= 0)
            out += u'\\' + QStringView(u"\\\"nrt").at(special);
        else if (c.unicode() < 32 || c.unicode() == 127)
            out += QStringLiteral("\\x%1").arg(c.unicode(), MostHexDigits, 16, QChar(u'0'));
        else
            out += c;
    }
    // Quotes keep spaces at the ends, and keep other readers from splitting a list at a comma
    // or taking a ";" for a comment.
    const bool quoted = value != value.trimmed() || value.contains(u',') || value.contains(u';');
    return (quoted ? u'"' + out + u'"' : out).toUtf8();
}

void IniDocument::parse()
{
    m_entries.clear();
    m_groups.clear();
    m_endsContinued = false;
    QString section;
    qsizetype pos = QByteArrayView(m_bytes).startsWith(Utf8Bom) ? Utf8Bom.size() : 0;
    while (pos < m_bytes.size()) {
        const LogicalLine line = ReadLogicalLine(m_bytes, pos);
        pos = line.end;
        m_endsContinued = line.continuedToEnd;
        take(line, section);
    }
}

// Takes one line: a header starts a group of `section`, an entry joins the current group;
// comments and stray lines hold no setting.
void IniDocument::take(const LogicalLine& line, QString& section)
{
    const QByteArray text = line.text.trimmed();
    if (text.isEmpty() || text.startsWith(';') || text.startsWith('#'))
        return;
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        section = DecodeName(text.mid(1, close < 0 ? -1 : close - 1));
        if (section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0)
            section.clear();
        m_groups.append({section, line.end});
        return;
    }
    const qsizetype equals = text.indexOf('=');
    if (equals < 0)
        return;
    m_entries.append({section, DecodeName(text.left(equals)), DecodeValue(text.mid(equals + 1)),
                      line.start, line.end});
    if (!m_groups.isEmpty())
        m_groups.last().bodyEnd = line.end;
}

std::optional<qsizetype> IniDocument::lastEntry(const QString& section, const QString& key) const
{
    for (qsizetype i = m_entries.size() - 1; i >= 0; --i) {
        if (m_entries.at(i).section == section && m_entries.at(i).key == key)
            return i;
    }
    return std::nullopt;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const std::optional<qsizetype> entry = lastEntry(section, key);
    if (!entry)
        return std::nullopt;
    return m_entries.at(*entry).value;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& text)
{
    const QByteArray line = EncodeName(key) + '=' + EncodeValue(text) + '\n';
    if (const std::optional<qsizetype> entry = lastEntry(section, key)) {
        const Entry& old = m_entries.at(*entry);
        m_bytes.replace(old.start, old.end - old.start, line);
    } else {
        qsizetype group = m_groups.size() - 1;
        while (group >= 0 && m_groups.at(group).section != section)
            --group;
        if (group >= 0)
            insertLine(m_groups.at(group).bodyEnd, line);
        else
            insertLine(m_bytes.size(), '[' + EncodeName(section) + "]\n" + line);
    }
    parse();
}

// Inserts `line` at `at`, after a line end of its own: a last line without one gets one, and a
// last entry that goes on past the end of the file gets an empty line to end it. After a lone
// "\r" one "\n" would only make that line's end a "\r\n", so the empty line takes two.
void IniDocument::insertLine(qsizetype at, const QByteArray& line)
{
    QByteArray text = line;
    const char before = at > 0 ? m_bytes.at(at - 1) : '\n';
    if (at == m_bytes.size() && m_endsContinued)
        text.prepend(before == '\r' ? "\n\n" : "\n");
    if (before != '\n' && before != '\r')
        text.prepend('\n');
    m_bytes.insert(at, text);
}

} // namespace tarvex
