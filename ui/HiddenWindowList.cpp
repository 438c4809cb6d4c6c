#include "ui/HiddenWindowList.h"

#include <algorithm>

namespace tarvex {

namespace {
constexpr int MostRowsShown = 5;
} // namespace

HiddenWindowList::HiddenWindowList(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("HiddenWindowList"));
    setAccessibleName(tr("Hidden windows"));
    setToolTip(tr("Double-click a hidden window, or press Enter, to show it again."));
    setVisible(false);
    connect(this, &QListWidget::activated, this, [this](const QModelIndex& index) {
        if (index.row() >= 0 && index.row() < m_entries.size())
            Q_EMIT windowChosen(m_entries.at(index.row()).slot);
    });
}

void HiddenWindowList::setEntries(const QList<Entry>& entries)
{
    if (entries == m_entries)
        return;
    m_entries = entries;
    clear();
    for (const Entry& entry : entries)
        addItem(entry.title.isEmpty() ? tr("(window without a title)") : entry.title);
    if (entries.isEmpty())
        return;
    setCurrentRow(0);
    const int rows = std::min(int(entries.size()), MostRowsShown);
    setFixedHeight(rows * sizeHintForRow(0) + 2 * frameWidth());
}

} // namespace tarvex
