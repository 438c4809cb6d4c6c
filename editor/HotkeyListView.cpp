#include "editor/HotkeyListView.h"

#include <QKeyEvent>
#include <QPainter>

namespace tarvex {

HotkeyListView::HotkeyListView(QWidget* parent) : QTreeView(parent) {}

void HotkeyListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    drawRowDimmedWhenOff(painter, option, index);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() || index.row() != current.row() ||
        index.parent() != current.parent())
        return;
    // Many styles draw the focus of a row only after keyboard navigation, and then faintly
    // over the selection: a ring is drawn here, one pixel inside the row, across all columns.
    const bool selected = selectionModel() && selectionModel()->isRowSelected(index.row(), {});
    const QPalette::ColorGroup group = isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    const QPen pen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const QRect row(0, option.rect.y(), viewport()->width(), option.rect.height());
    painter->drawRect(row.adjusted(1, 1, -2, -2));
    painter->restore();
}

void HotkeyListView::drawRowDimmedWhenOff(QPainter* painter, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    if (index.siblingAtColumn(0).data(Qt::CheckStateRole).toInt() != Qt::Unchecked) {
        QTreeView::drawRow(painter, option, index);
        return;
    }
    QStyleOptionViewItem dimmed = option;
    const QColor off = palette().color(QPalette::Disabled, QPalette::Text);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        dimmed.palette.setColor(group, QPalette::Text, off);
    QTreeView::drawRow(painter, dimmed, index);
}

void HotkeyListView::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex check = currentIndex().siblingAtColumn(0);
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier ||
        !check.flags().testFlag(Qt::ItemIsUserCheckable)) {
        QTreeView::keyPressEvent(event);
        return;
    }
    const bool on = check.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    model()->setData(check, on ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

// The ring follows the focus at once.
void HotkeyListView::focusInEvent(QFocusEvent* event)
{
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void HotkeyListView::focusOutEvent(QFocusEvent* event)
{
    QTreeView::focusOutEvent(event);
    viewport()->update();
}

} // namespace tarvex
