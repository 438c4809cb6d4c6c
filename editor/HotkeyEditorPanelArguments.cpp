// The arguments of a file row in the hotkey editor: the field under the row's fields, the line
// that shows what the hotkey runs, and the room the frame makes for both.
#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "editor/ArgumentsField.h"
#include "editor/HotkeyEditorPanel.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

namespace tarvex {

void HotkeyEditorPanel::createArgumentsField()
{
    m_arguments = new ArgumentsField(m_editFrame);
    connect(m_arguments, &ArgumentsField::argumentsEdited, this,
            &HotkeyEditorPanel::argumentsEdited);
    connect(m_arguments, &ArgumentsField::heightChanged, this, &HotkeyEditorPanel::layOut);
    connect(m_ws, &QLineEdit::textChanged, m_arguments, &ArgumentsField::setTarget);
    // Only a file row can name a program.
    connect(m_hktype, &QComboBox::currentIndexChanged, m_arguments,
            [this](int type) { m_arguments->setVisible(type == 0); });
}

// The frame grows by the height of the field and its command line, and what lies below the
// frame (the buttons) moves down as far, the window with it.
void HotkeyEditorPanel::layOutArguments()
{
    const QRect frame = m_editFrame->geometry();
    const QRect place = Twips::rect(120, 800, 10455, 0);
    m_arguments->move(place.topLeft());
    const int bottom = place.top() + m_arguments->layOutTo(place.width()) + Twips::toPixels(120);
    const int grown = std::max(0, bottom - frame.height());
    m_editFrame->resize(frame.width(), frame.height() + grown);
    for (QWidget* below :
         std::initializer_list<QWidget*>{m_addButton, m_deleteButton, m_saveButton, m_cancelButton})
        below->move(below->x(), below->y() + grown);
    m_form->setFixedSize(m_form->width(), m_form->height() + grown);
    m_TForm->setGeometry(m_form->rect());
}

void HotkeyEditorPanel::argumentsEdited(const QString& text)
{
    const int selected = selectedPosition();
    if (!selected || m_filling)
        return;
    HotkeyEntry entry = m_list.at(selected);
    entry.arguments = text;
    m_list.replace(selected, entry);
}

// A file chosen in the wizard with arguments: the new row, selected, takes them.
void HotkeyEditorPanel::addWizardArguments(const QStringList& result)
{
    if (result.size() < 4)
        return;
    m_arguments->setArguments(result.at(3));
    argumentsEdited(result.at(3));
}

} // namespace tarvex
