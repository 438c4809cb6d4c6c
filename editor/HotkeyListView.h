#pragma once

#include <QTreeView>

namespace tarvex {

/// The editor's list of hotkeys: a tree view without branches whose current row carries a
/// focus ring while the list has the keyboard focus, drawn in the colour that stands
/// out against the row's own fill (selected or not), whatever the style draws itself. A row
/// whose check box is cleared (a hotkey switched off) is drawn in the disabled text colour,
/// and Space toggles the check box of the current row, whichever column has the focus.
class HotkeyListView final : public QTreeView
{
    Q_OBJECT

public:
    explicit HotkeyListView(QWidget* parent = nullptr);

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void drawRowDimmedWhenOff(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace tarvex
