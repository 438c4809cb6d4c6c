// The arguments of a file row in the hotkey editor: the field under the row's fields, the line
// that shows what the hotkey runs, and the room the frame makes for both.
#include "editor/ArgumentsField.h"
#include "editor/HotkeyEditorPanel.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

#include <algorithm>

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

namespace {

// Twips: the frame's own row ends 885 below its top; the field starts at 800 and keeps 120
// free under it. The frame always grows by at least the room of one line of command, so the
// fields stand in the same place for every short command.
constexpr int FrameRows = 885;
constexpr int FieldTop = 800;
constexpr int FieldFoot = 120;
constexpr int MinimumRoom = 840;

} // namespace

// The room the frame grows by, upwards, taken from the foot of the list: the window and the
// buttons under the frame stay where they are.
int HotkeyEditorPanel::argumentsRoom() const
{
    const int field = m_arguments->heightFor(Twips::toPixels(10455));
    const int needed = Twips::toPixels(FieldTop + FieldFoot - FrameRows) + field;
    return std::max(Twips::toPixels(MinimumRoom), needed);
}

void HotkeyEditorPanel::layOutArguments()
{
    const int room = argumentsRoom();
    m_editFrame->setGeometry(m_editFrame->geometry().adjusted(0, -room, 0, 0));
    const QRect place = Twips::rect(120, FieldTop, 10455, 0);
    m_arguments->move(place.topLeft());
    m_arguments->layOutTo(place.width());
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
    if (result.value(3).isEmpty())
        return;
    m_arguments->setArguments(result.at(3));
    argumentsEdited(result.at(3));
}

} // namespace tarvex
