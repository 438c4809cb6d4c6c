#pragma once

#include <QPersistentModelIndex>
#include <QSortFilterProxyModel>
#include <QStringList>

namespace tarvex {

class HotkeyListModel;

/// The rows of the editor's list that a filter text leaves shown: those whose combination (as
/// shown), target (as stored or shown) or type name contains the text, ignoring letter case.
/// Rows made visible on purpose (an added row, a row the editor selects) stay shown until the
/// text changes. Edits never hide a row: the filter is applied when the text changes only.
class HotkeyFilterModel final : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    /// Filters `source`, naming the types File, Website and Action by `typeNames` (in the order
    /// of the type selector).
    HotkeyFilterModel(HotkeyListModel& source, QStringList typeNames, QObject* parent = nullptr);

    /// Shows the rows matching `text` (all when empty); rows kept shown are let go.
    void setFilterText(const QString& text);
    QString filterText() const { return m_text; }
    /// Shows the row at 1-based `position` whatever the text, until the text changes.
    void keepShown(int position);
    /// The 1-based position in the list of the shown `row`, 0 when there is none.
    int positionOf(const QModelIndex& row) const;
    /// The shown row of 1-based `position`; invalid when the filter hides it.
    QModelIndex rowOf(int position) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    HotkeyListModel& m_source;
    QStringList m_typeNames;
    QString m_text;
    QList<QPersistentModelIndex> m_kept;
};

} // namespace tarvex
