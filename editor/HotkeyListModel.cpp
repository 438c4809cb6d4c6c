#include "editor/HotkeyListModel.h"

#include "activation/SpecialActionTable.h"
#include "editor/RowIcons.h"
#include "keys/KeyNames.h"

namespace tarvex {

HotkeyListModel::HotkeyListModel(HotkeyList& list, RowIcons& icons, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_icons(icons)
{
    reload();
}

void HotkeyListModel::reload()
{
    beginResetModel();
    m_iconKeys.clear();
    m_iconKeys.reserve(m_list.count());
    for (const HotkeyEntry& entry : m_list.entries())
        m_iconKeys.append(IconKeyFor(entry));
    endResetModel();
}

int HotkeyListModel::appendEntry(const HotkeyEntry& entry)
{
    const int row = m_list.count();
    beginInsertRows(QModelIndex(), row, row);
    m_list.append(entry);
    m_iconKeys.append(IconKeyFor(entry));
    endInsertRows();
    return row + 1;
}

void HotkeyListModel::removePosition(int position)
{
    if (!m_list.isValidPosition(position))
        return;
    beginRemoveRows(QModelIndex(), position - 1, position - 1);
    m_list.remove(position);
    m_iconKeys.removeAt(position - 1);
    endRemoveRows();
}

void HotkeyListModel::replaceEntry(int position, const HotkeyEntry& entry)
{
    if (!m_list.isValidPosition(position))
        return;
    m_list.replace(position, entry);
    m_iconKeys[position - 1] = IconKeyFor(entry);
    Q_EMIT dataChanged(index(position - 1, 0), index(position - 1, columnCount() - 1));
}

void HotkeyListModel::setCombination(int position, const QString& combination)
{
    HotkeyEntry entry = m_list.at(position);
    if (!m_list.isValidPosition(position) || entry.combination == combination)
        return;
    entry.combination = combination;
    m_list.replace(position, entry);
    changed(position, 0, Qt::DisplayRole);
}

void HotkeyListModel::setTarget(int position, const QString& target)
{
    HotkeyEntry entry = m_list.at(position);
    if (!m_list.isValidPosition(position) || entry.target == target)
        return;
    entry.target = target;
    m_list.replace(position, entry);
    changed(position, 1, Qt::DisplayRole);
}

void HotkeyListModel::setIconKey(int position, const QString& key)
{
    if (!m_list.isValidPosition(position) || m_iconKeys.at(position - 1) == key)
        return;
    m_iconKeys[position - 1] = key;
    changed(position, 0, Qt::DecorationRole);
}

void HotkeyListModel::setEnabled(int position, bool enabled)
{
    HotkeyEntry entry = m_list.at(position);
    if (!m_list.isValidPosition(position) || entry.enabled == enabled)
        return;
    entry.enabled = enabled;
    m_list.replace(position, entry);
    // The whole row is drawn dimmed or not.
    Q_EMIT dataChanged(index(position - 1, 0), index(position - 1, 1),
                       {Qt::CheckStateRole, Qt::DisplayRole});
    Q_EMIT enabledChanged(position);
}

bool HotkeyListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != 0 || index.row() >= m_list.count())
        return false;
    setEnabled(index.row() + 1, value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags HotkeyListModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == 0 ? flags | Qt::ItemIsUserCheckable : flags;
}

int HotkeyListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list.count();
}

int HotkeyListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant HotkeyListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_list.count())
        return {};
    const HotkeyEntry& entry = m_list.entries().at(index.row());
    if ((role == Qt::DisplayRole || role == Qt::ToolTipRole) && index.column() == 0)
        return KeyNames::Displayed(entry.combination);
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        // A row that types shows its text: the first line in the list, the whole in the tip.
        if (entry.target == TypeTextTarget)
            return role == Qt::ToolTipRole
                       ? entry.typedText
                       : tr("Types \"%1\"").arg(entry.typedText.section(u'\n', 0, 0));
        // A special action shows under its name in the user's language.
        const SpecialAction action =
            entry.target.startsWith(u'-') ? SpecialActionFor(entry.target) : SpecialAction::None;
        return action == SpecialAction::None ? entry.target : SpecialActionDisplayName(action);
    }
    if (role == Qt::DecorationRole && index.column() == 0)
        return m_icons.icon(m_iconKeys.at(index.row()));
    if (role == Qt::CheckStateRole && index.column() == 0)
        return entry.enabled ? Qt::Checked : Qt::Unchecked;
    return {};
}

QVariant HotkeyListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::ToolTipRole && section == 0)
        return tr("A hotkey runs only while its box is checked.");
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? tr("Hotkey") : tr("Action");
}

void HotkeyListModel::changed(int position, int column, int role)
{
    const QModelIndex index = this->index(position - 1, column);
    Q_EMIT dataChanged(index, index, {role});
}

} // namespace tarvex
