// The filter of the hotkey editor: a line edit above the list that narrows it to the rows
// containing its text, while the fields keep showing the selected row.
#include "controls/frame/velForms.h"
#include "editor/HotkeyEditorPanel.h"
#include "editor/HotkeyFilterModel.h"
#include "editor/HotkeyListModel.h"
#include "editor/HotkeyListView.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

namespace tarvex {
namespace {

// Escape in a filter holding text empties it; in an empty one it goes on to the window's
// "Cancel" as everywhere else in the editor.
class EscapeEmpties final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto type = event->type();
        if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
            return false;
        auto* box = static_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier ||
            box->text().isEmpty())
            return false;
        if (type == QEvent::ShortcutOverride) {
            event->accept(); // the key comes to the box instead of the shortcut
            return false;
        }
        box->clear();
        return true;
    }
};

} // namespace

void HotkeyEditorPanel::createFilterBox()
{
    // The names of the type selector, in its order.
    m_filter = new HotkeyFilterModel(
        *m_model, {tr("File"), tr("Website"), tr("Action"), tr("Type text")}, this);
    m_filterBox = new QLineEdit(m_TForm);
    m_filterBox->setObjectName(QStringLiteral("filter"));
    m_filterBox->setPlaceholderText(tr("Filter hotkeys"));
    m_filterBox->setAccessibleName(tr("Filter hotkeys"));
    m_filterBox->setClearButtonEnabled(true);
    m_filterBox->installEventFilter(new EscapeEmpties(m_filterBox));
    connect(m_filterBox, &QLineEdit::textChanged, this, &HotkeyEditorPanel::filterChanged);
    auto* find = new QShortcut(QKeySequence::Find, m_form);
    connect(find, &QShortcut::activated, this, [this] {
        m_filterBox->setFocus(Qt::ShortcutFocusReason);
        m_filterBox->selectAll();
    });
}

// The box takes the top of the list's place, as tall as its text needs; returns what is left
// for the list below it.
QRect HotkeyEditorPanel::layOutFilterBox(const QRect& listArea)
{
    const int height = m_filterBox->sizeHint().height();
    const int gap = 2;
    m_filterBox->setGeometry(listArea.x(), listArea.y(), listArea.width(), height);
    return listArea.adjusted(0, height + gap, 0, 0);
}

void HotkeyEditorPanel::filterChanged(const QString& text)
{
    const int selected = selectedPosition();
    m_refiltering = true;
    m_filter->setFilterText(text);
    m_refiltering = false;
    const QModelIndex shown = m_filter->rowOf(selected);
    if (shown.isValid()) {
        // Still shown: the fields already show it.
        if (m_Hotkey->currentIndex() != shown)
            m_Hotkey->setCurrentIndex(shown);
        m_Hotkey->scrollTo(shown);
        return;
    }
    showFirstShownRow();
}

// The selected row was filtered away: the first shown row is selected without taking the
// focus from the filter, or, with none shown, the fields are emptied and disabled.
void HotkeyEditorPanel::showFirstShownRow()
{
    const QModelIndex first = m_filter->index(0, 0);
    m_refiltering = true;
    m_Hotkey->setCurrentIndex(first);
    m_refiltering = false;
    if (first.isValid()) {
        m_Hotkey->scrollTo(first);
        rowClicked(m_filter->positionOf(first), false);
        return;
    }
    configCTRL(false);
    clearFields();
}

int HotkeyEditorPanel::shownPositionNear(int row) const
{
    const int shown = m_filter->rowCount();
    return shown > 0 ? m_filter->positionOf(m_filter->index(std::min(row, shown - 1), 0)) : 0;
}

} // namespace tarvex
