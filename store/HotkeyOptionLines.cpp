#include "store/HotkeyOptionLines.h"

#include <QUrl>

#include <vector>

namespace tarvex {
namespace {

constexpr QByteArrayView LineEnd{"\r\n"};
constexpr QByteArrayView OffWord{"off"};
constexpr QByteArrayView EraseWord{"erase"};
constexpr QByteArrayView ArgumentsKey{"args="};
constexpr QByteArrayView TextKey{"text="};
constexpr QByteArrayView OnlyKey{"only="};
constexpr QByteArrayView ExceptKey{"except="};

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Decodes one percent-encoded text; nothing when it holds a blank, a control character, a "%"
// without two hex digits, or bytes that are not UTF-8.
std::optional<QString> Decoded(QByteArrayView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (uchar(c) <= ' ' || uchar(c) == 127)
            return std::nullopt;
        if (c == '%' &&
            (i + 2 >= text.size() || !IsHexDigit(text[i + 1]) || !IsHexDigit(text[i + 2])))
            return std::nullopt;
    }
    const QByteArray bytes = QByteArray::fromPercentEncoding(text.toByteArray());
    if (!QByteArrayView(bytes).isValidUtf8())
        return std::nullopt;
    return QString::fromUtf8(bytes);
}

std::optional<QStringList> DecodedApps(QByteArrayView text)
{
    QStringList apps;
    if (text.isEmpty())
        return apps;
    for (const QByteArray& part : text.toByteArray().split(',')) {
        const std::optional<QString> app = Decoded(part);
        if (!app)
            return std::nullopt;
        apps.append(*app);
    }
    return apps;
}

// The lines of `bytes`, each with its line end (CR LF, LF or CR; the last may have none).
QList<QByteArrayView> Lines(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end < bytes.size())
            end += (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
        lines.append(bytes.sliced(start, end - start));
        start = end;
    }
    return lines;
}

// The line end of the first line, which a trailer begins with (empty when the file has none).
qsizetype FirstLineEndSize(QByteArrayView trailer)
{
    if (trailer.startsWith("\r\n"))
        return 2;
    return (trailer.startsWith('\r') || trailer.startsWith('\n')) ? 1 : 0;
}

QByteArrayView WithoutLineEnd(QByteArrayView line)
{
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

void GiveOptions(HotkeyEntry& entry, const HotkeyEntry& options)
{
    entry.enabled = options.enabled;
    entry.arguments = options.arguments;
    entry.apps = options.apps;
    entry.eraseTyped = options.eraseTyped;
    entry.typedText = options.typedText;
    entry.otherOptions = options.otherOptions;
}

} // namespace

bool HasOptions(const HotkeyEntry& entry)
{
    return !entry.enabled || !entry.arguments.isEmpty() ||
           entry.apps.mode != AppFilter::Mode::Everywhere || entry.eraseTyped ||
           !entry.typedText.isEmpty() || !entry.otherOptions.isEmpty();
}

QByteArray OptionLine(int position, const QString& record, const HotkeyEntry& entry)
{
    QByteArray line = OptionLinePrefix.toByteArray() + QByteArray::number(position) + ' ' +
                      QUrl::toPercentEncoding(record);
    if (!entry.enabled)
        line += '\t' + OffWord.toByteArray();
    if (entry.eraseTyped)
        line += '\t' + EraseWord.toByteArray();
    if (!entry.arguments.isEmpty())
        line += '\t' + ArgumentsKey.toByteArray() + QUrl::toPercentEncoding(entry.arguments);
    if (!entry.typedText.isEmpty())
        line += '\t' + TextKey.toByteArray() + QUrl::toPercentEncoding(entry.typedText);
    if (entry.apps.mode != AppFilter::Mode::Everywhere) {
        QByteArrayList apps;
        for (const QString& app : entry.apps.apps)
            apps.append(QUrl::toPercentEncoding(app));
        const QByteArrayView key = entry.apps.mode == AppFilter::Mode::OnlyIn ? OnlyKey : ExceptKey;
        line += '\t' + key.toByteArray() + apps.join(',');
    }
    for (const QByteArray& other : entry.otherOptions)
        line += '\t' + other;
    return line + LineEnd.toByteArray();
}

std::optional<ParsedOptionLine> ParseOptionLine(QByteArrayView line)
{
    if (!line.startsWith(OptionLinePrefix))
        return std::nullopt;
    const QByteArrayList fields = line.sliced(OptionLinePrefix.size()).toByteArray().split('\t');
    const QByteArrayList place = fields.first().split(' ');
    bool isNumber = false;
    ParsedOptionLine parsed;
    parsed.position = place.size() == 2 ? place.first().toInt(&isNumber) : 0;
    const std::optional<QString> record =
        isNumber && parsed.position > 0 ? Decoded(place.last()) : std::nullopt;
    if (!record)
        return std::nullopt;
    parsed.record = *record;
    HotkeyEntry& options = parsed.options;
    for (qsizetype i = 1; i < fields.size(); ++i) {
        const QByteArrayView field = fields.at(i);
        if (field == OffWord) {
            options.enabled = false;
        } else if (field == EraseWord) {
            options.eraseTyped = true;
        } else if (field.startsWith(ArgumentsKey)) {
            const std::optional<QString> arguments = Decoded(field.sliced(ArgumentsKey.size()));
            if (!arguments)
                return std::nullopt;
            options.arguments = *arguments;
        } else if (field.startsWith(TextKey)) {
            const std::optional<QString> text = Decoded(field.sliced(TextKey.size()));
            if (!text)
                return std::nullopt;
            options.typedText = *text;
        } else if (field.startsWith(OnlyKey) || field.startsWith(ExceptKey)) {
            const bool only = field.startsWith(OnlyKey);
            const std::optional<QStringList> apps =
                DecodedApps(field.sliced((only ? OnlyKey : ExceptKey).size()));
            if (!apps)
                return std::nullopt;
            options.apps = {only ? AppFilter::Mode::OnlyIn : AppFilter::Mode::NotIn, *apps};
        } else if (!field.isEmpty()) {
            options.otherOptions.append(field.toByteArray());
        }
    }
    return parsed;
}

void ApplyOptionLines(QByteArrayView trailer, const QStringList& records,
                      QList<HotkeyEntry>& entries)
{
    std::vector<ParsedOptionLine> lines;
    for (const QByteArrayView line : Lines(trailer.sliced(FirstLineEndSize(trailer)))) {
        if (std::optional<ParsedOptionLine> parsed = ParseOptionLine(WithoutLineEnd(line)))
            lines.push_back(std::move(*parsed));
    }
    const qsizetype rows = std::min(records.size(), entries.size());
    std::vector<bool> given(size_t(rows), false);
    std::vector<bool> placed(lines.size(), false);
    // First every line whose row is still where it was, then the moved ones by their record,
    // so a moved line never takes the row of one that stayed.
    for (size_t i = 0; i < lines.size(); ++i) {
        const qsizetype row = lines[i].position - 1;
        if (row < rows && records.at(row) == lines[i].record && !given[size_t(row)]) {
            GiveOptions(entries[row], lines[i].options);
            given[size_t(row)] = placed[i] = true;
        }
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        for (qsizetype row = 0; row < rows && !placed[i]; ++row) {
            if (!given[size_t(row)] && records.at(row) == lines[i].record) {
                GiveOptions(entries[row], lines[i].options);
                given[size_t(row)] = placed[i] = true;
            }
        }
    }
}

QByteArray WithOptionLines(const QByteArray& trailer, const QByteArray& lines)
{
    const qsizetype endSize = FirstLineEndSize(trailer);
    const QList<QByteArrayView> rest = Lines(QByteArrayView(trailer).sliced(endSize));
    const auto isOptionLine = [](QByteArrayView line) { return line.startsWith(OptionLinePrefix); };
    const bool hadLines = std::any_of(rest.begin(), rest.end(), isOptionLine);
    if (!hadLines && lines.isEmpty())
        return trailer;
    QByteArray result = endSize > 0 ? trailer.left(endSize) : LineEnd.toByteArray();
    bool written = !hadLines;
    if (written)
        result += lines;
    for (const QByteArrayView line : rest) {
        if (!isOptionLine(line)) {
            result += line;
        } else if (!written) {
            result += lines;
            written = true;
        }
    }
    return result;
}

} // namespace tarvex
