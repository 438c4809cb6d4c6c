#pragma once

#include <QTreeView>

namespace tarvex {

/// The editor's list of hotkeys: a tree view without branches whose current row carries a
/// focus ring while the list has the keyboard focus, drawn in the colour that stands
/// out against the row's own fill (selected or not), whatever the style draws itself.
class HotkeyListView final : public QTreeView
{
    Q_OBJECT

public:
    explicit HotkeyListView(QWidget* parent = nullptr);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace tarvex
