#include "keys/HotkeyShadowing.h"

#include "keys/KeyText.h"

#include <algorithm>

namespace tarvex {
namespace {

bool MatchesAt(const char16_t* outer, const char16_t* inner, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        if (FoldKeyCode(outer[i]) != FoldKeyCode(inner[i]))
            return false;
    }
    return true;
}

// The matcher never fires a sequence holding a character above 255 (not a key code).
bool IsMatchable(const QString& codes)
{
    return !codes.isEmpty() &&
           std::all_of(codes.cbegin(), codes.cend(), [](QChar c) { return c.unicode() <= 255; });
}

} // namespace

void HotkeyShadowing::CodesInto(const QString& text, QString& codes)
{
    codes.resize(0);
    for (qsizetype i = 0; i < text.size();) {
        const KeyToken* token = nullptr;
        if (text.at(i) == QLatin1Char('(')) {
            for (const KeyToken& candidate : KeyTokens) {
                if (QStringView(text).sliced(i).startsWith(candidate.text))
                    token = &candidate;
            }
        }
        codes.append(token ? QChar(token->code) : text.at(i));
        i += token ? token->text.size() : 1;
    }
}

int HotkeyShadowing::FirstEnd(const QString& outer, const QString& inner)
{
    const char16_t* outerCodes = reinterpret_cast<const char16_t*>(outer.constData());
    const char16_t* innerCodes = reinterpret_cast<const char16_t*>(inner.constData());
    for (qsizetype start = 0; start + inner.size() <= outer.size(); ++start) {
        if (MatchesAt(outerCodes + start, innerCodes, inner.size()))
            return int(start + inner.size());
    }
    return -1;
}

int HotkeyShadowing::WinnerOver(const QList<HotkeyEntry>& entries, int position)
{
    HotkeyShadowing shadowing;
    return shadowing.winnerOver(entries, position);
}

int HotkeyShadowing::winnerOver(const QList<HotkeyEntry>& entries, int position)
{
    if (position < 1 || position > entries.size())
        return 0;
    const QString typed = codesAt(entries, position);
    if (typed.isEmpty())
        return 0;
    int winner = position;
    int winnerEnd = int(typed.size());
    for (int row = 1; row <= entries.size(); ++row) {
        const QString& codes = codesAt(entries, row);
        if (row == position || codes.isEmpty() || codes.size() > typed.size())
            continue;
        const int end = FirstEnd(typed, codes);
        if (end >= 0 && (end < winnerEnd || (end == winnerEnd && row < winner))) {
            winner = row;
            winnerEnd = end;
        }
    }
    return winner == position ? 0 : winner;
}

void HotkeyShadowing::invalidate(int position)
{
    if (position >= 1 && size_t(position) <= m_valid.size())
        m_valid[size_t(position - 1)] = false;
}

const QString& HotkeyShadowing::codesAt(const QList<HotkeyEntry>& entries, int position)
{
    const size_t index = size_t(position - 1);
    if (m_valid.size() != size_t(entries.size())) {
        m_valid.assign(size_t(entries.size()), false);
        m_codes.resize(entries.size());
    }
    if (!m_valid[index]) {
        QString& codes = m_codes[qsizetype(index)];
        CodesInto(entries.at(position - 1).combination, codes);
        // A row the matcher can never fire is kept as an empty sequence, which is skipped.
        if (!IsMatchable(codes))
            codes.resize(0);
        m_valid[index] = true;
    }
    return m_codes.at(qsizetype(index));
}

} // namespace tarvex
