#include "activation/HotkeyShadowing.h"

#include "keys/KeyText.h"

namespace tarvex {
namespace {

// The matcher never fires a sequence holding an item that names no key (code 0).
bool IsMatchable(const QString& codes)
{
    return !codes.isEmpty() && !codes.contains(QChar(0));
}

} // namespace

int HotkeyShadowing::FirstEnd(const QString& outer, const QString& inner)
{
    const qsizetype start = outer.indexOf(inner);
    return start < 0 ? -1 : int(start + inner.size());
}

int HotkeyShadowing::WinnerOver(const QList<HotkeyEntry>& entries, int position)
{
    HotkeyShadowing shadowing;
    return shadowing.winnerOver(entries, position);
}

int HotkeyShadowing::winnerOver(const QList<HotkeyEntry>& entries, int position)
{
    // A hotkey switched off neither fires nor hides another.
    if (position < 1 || position > entries.size() || !entries.at(position - 1).enabled)
        return 0;
    const QString typed = codesAt(entries, position);
    if (typed.isEmpty())
        return 0;
    int winner = position;
    int winnerEnd = int(typed.size());
    for (int row = 1; row <= entries.size(); ++row) {
        const QString& codes = codesAt(entries, row);
        if (row == position || !entries.at(row - 1).enabled || codes.isEmpty() ||
            codes.size() > typed.size())
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
        KeyCodesInto(entries.at(position - 1).combination, codes);
        // A row the matcher can never fire is kept as an empty sequence, which is skipped.
        if (!IsMatchable(codes))
            codes.resize(0);
        m_valid[index] = true;
    }
    return m_codes.at(qsizetype(index));
}

} // namespace tarvex
