// The "Applications:" row of the hotkey editor's "Edit Hotkey" frame: where the selected hotkey
// acts. The row sits at the top of the frame, which grows upwards for it (the list gives up the
// room), so every other field keeps its place.
#include "editor/AppFilterRow.h"
#include "editor/HotkeyEditorPanel.h"
#include "ui/Twips.h"

#include <QGroupBox>

namespace tarvex {

void HotkeyEditorPanel::createAppFilterRow()
{
    m_apps = new AppFilterRow(m_editFrame);
    m_apps->setObjectName(QStringLiteral("apps"));
    connect(m_apps, &AppFilterRow::edited, this, &HotkeyEditorPanel::appFilterEdited);
}

void HotkeyEditorPanel::layOutAppFilterRow()
{
    const int room = Twips::toPixels(AppFilterRow::HeightTwips);
    for (QWidget* field : m_editFrame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (field != m_apps)
            field->move(field->pos() + QPoint(0, room));
    }
    m_editFrame->setGeometry(m_editFrame->geometry().adjusted(0, -room, 0, 0));
    m_apps->setGeometry(QRect(QPoint(Twips::toPixels(120), Twips::toPixels(300)),
                              Twips::rect(0, 0, 10440, AppFilterRow::HeightTwips).size()));
}

void HotkeyEditorPanel::setDesktopApplications(const DesktopApplications& desktop)
{
    m_apps->setDesktop(desktop);
}

void HotkeyEditorPanel::showAppFilter(int position)
{
    m_apps->setEnabled(m_list.isValidPosition(position));
    m_apps->setFilter(m_list.at(position).apps);
}

void HotkeyEditorPanel::appFilterEdited()
{
    const int selected = selectedPosition();
    if (!m_list.isValidPosition(selected))
        return;
    HotkeyEntry entry = m_list.at(selected);
    entry.apps = m_apps->filter();
    m_list.replace(selected, entry);
}

} // namespace tarvex
