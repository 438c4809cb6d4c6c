#pragma once

#include "store/HotkeyList.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace tarvex {

class RowIcons;

/// The editor's list `Hotkey` as a model over the HotkeyList: column 0 "Hotkey" is the
/// combination with the row's icon and a check box that switches the hotkey on or off,
/// column 1 "Action" the target. Rows are 0-based here and
/// 1-based positions in the list; the icon key of each row is kept beside the list.
class HotkeyListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    /// A model over `list` whose icons come from `icons` (both must outlive it).
    HotkeyListModel(HotkeyList& list, RowIcons& icons, QObject* parent = nullptr);

    /// Shows the list afresh (after it was loaded), each row with its kind's icon key.
    void reload();
    /// Appends `entry` (icon by its kind) and returns its 1-based position.
    int appendEntry(const HotkeyEntry& entry);
    /// Replaces the row at 1-based `position` by `entry` (icon by its kind).
    void replaceEntry(int position, const HotkeyEntry& entry);
    /// Removes the row at 1-based `position`.
    void removePosition(int position);
    /// Sets the combination of the row at `position`.
    void setCombination(int position, const QString& combination);
    /// Sets the target of the row at `position`.
    void setTarget(int position, const QString& target);
    /// Sets the icon key of the row at `position`.
    void setIconKey(int position, const QString& key);
    /// Switches the hotkey at `position` on or off.
    void setEnabled(int position, bool enabled);
    /// Returns the icon key of the row at `position`.
    QString iconKey(int position) const { return m_iconKeys.value(position - 1); }
    /// The list shown.
    const HotkeyList& list() const { return m_list; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

Q_SIGNALS:
    /// The hotkey at `position` was switched on or off.
    void enabledChanged(int position);

private:
    void changed(int position, int column, int role);

    HotkeyList& m_list;
    RowIcons& m_icons;
    QStringList m_iconKeys;
};

} // namespace tarvex
