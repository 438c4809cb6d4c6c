#include "editor/HotkeyFilterModel.h"

#include "editor/HotkeyListModel.h"
#include "keys/KeyNames.h"

namespace tarvex {

HotkeyFilterModel::HotkeyFilterModel(HotkeyListModel& source, QStringList typeNames,
                                     QObject* parent)
    : QSortFilterProxyModel(parent), m_source(source), m_typeNames(std::move(typeNames))
{
    // A row being edited must not vanish under the user's hands: rows are filtered when the
    // text changes, never when their data does.
    setDynamicSortFilter(false);
    setSourceModel(&source);
}

void HotkeyFilterModel::setFilterText(const QString& text)
{
    if (text == m_text && m_kept.isEmpty())
        return;
    m_text = text;
    m_kept.clear();
    // One layout change rebuilds the mapping in a single pass; filtering row by row would
    // announce every removed run of rows on its own, which is slow on tens of thousands.
    invalidate();
}

void HotkeyFilterModel::keepShown(int position)
{
    const QModelIndex source = m_source.index(position - 1, 0);
    if (!source.isValid() || mapFromSource(source).isValid())
        return;
    m_kept.append(source);
    invalidate();
}

int HotkeyFilterModel::positionOf(const QModelIndex& row) const
{
    return row.isValid() ? mapToSource(row).row() + 1 : 0;
}

QModelIndex HotkeyFilterModel::rowOf(int position) const
{
    return mapFromSource(m_source.index(position - 1, 0));
}

bool HotkeyFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (m_text.isEmpty())
        return true;
    for (const QPersistentModelIndex& kept : m_kept)
        if (kept.row() == sourceRow)
            return true;
    const HotkeyEntry& entry = m_source.list().entries().at(sourceRow);
    const auto has = [this](const QString& text) {
        return text.contains(m_text, Qt::CaseInsensitive);
    };
    const QString typeName =
        m_typeNames.value(TypeSelectorPosition(ClassifyTarget(entry.target), 0));
    // A special action is shown under its name in the user's language: both names match; a
    // row that types matches by its text.
    return has(entry.target) || has(typeName) || has(KeyNames::Displayed(entry.combination)) ||
           (entry.target.startsWith(u'-') && has(m_source.index(sourceRow, 1).data().toString())) ||
           has(entry.typedText);
}

} // namespace tarvex
