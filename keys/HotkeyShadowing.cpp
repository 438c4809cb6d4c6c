#include "keys/HotkeyShadowing.h"

#include "keys/KeyText.h"

#include <algorithm>

namespace tarvex {
namespace {

bool MatchesAt(const QString& outer, qsizetype start, const QString& inner)
{
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (!KeyCodesMatch(outer.at(start + i).unicode(), inner.at(i).unicode()))
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

int HotkeyShadowing::FirstEnd(const QString& outer, const QString& inner)
{
    for (qsizetype start = 0; start + inner.size() <= outer.size(); ++start) {
        if (MatchesAt(outer, start, inner))
            return int(start + inner.size());
    }
    return -1;
}

int HotkeyShadowing::WinnerOver(const QList<HotkeyEntry>& entries, int position)
{
    if (position < 1 || position > entries.size())
        return 0;
    const QString typed = KeyCodesFromText(entries.at(position - 1).combination);
    if (!IsMatchable(typed))
        return 0;
    int winner = position;
    int winnerEnd = int(typed.size());
    for (int row = 1; row <= entries.size(); ++row) {
        const QString codes = KeyCodesFromText(entries.at(row - 1).combination);
        if (row == position || !IsMatchable(codes))
            continue;
        const int end = FirstEnd(typed, codes);
        if (end >= 0 && (end < winnerEnd || (end == winnerEnd && row < winner))) {
            winner = row;
            winnerEnd = end;
        }
    }
    return winner == position ? 0 : winner;
}

} // namespace tarvex
