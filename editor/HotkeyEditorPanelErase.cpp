// "Erase the typed keys": the check box of the "Edit Hotkey" frame that makes a sequence of
// printing keys erase what it typed before its target runs.
#include "editor/HotkeyEditorPanel.h"

#include "editor/FormWizard.h"
#include "keys/KeyText.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QGroupBox>

namespace tarvex {

void HotkeyEditorPanel::createEraseBox()
{
    m_eraseBox = new QCheckBox(tr("Erase the typed keys"), m_editFrame);
    m_eraseBox->setObjectName(QStringLiteral("eraseBox"));
    m_eraseBox->setAccessibleName(tr("Erase the typed keys"));
    // It sits on the frame's top edge beside the caption, and hides the edge behind it as the
    // caption does, so the fields keep their places.
    m_eraseBox->setAutoFillBackground(true);
    connect(m_eraseBox, &QCheckBox::clicked, this, &HotkeyEditorPanel::eraseClicked);
}

void HotkeyEditorPanel::layOutEraseBox()
{
    const QSize size = m_eraseBox->sizeHint();
    m_eraseBox->setGeometry(Twips::toPixels(6480), 0, size.width(), size.height());
}

void HotkeyEditorPanel::setKeyInjection(bool available, const QString& reason)
{
    m_canInject = available;
    m_injectionProblem = available ? QString() : reason;
    showEraseBox();
    showTypedText();
}

// Shows the selected row's choice; it can be changed only for a sequence that prints
// something, on a desktop that can type keys (else the tip says why).
void HotkeyEditorPanel::showEraseBox()
{
    const int selected = selectedPosition();
    const bool row = m_fieldsEnabled && m_list.isValidPosition(selected);
    const HotkeyEntry entry = row ? m_list.at(selected) : HotkeyEntry();
    m_eraseBox->setChecked(entry.eraseTyped);
    m_eraseBox->setEnabled(row && m_canInject && PrintedKeyCount(entry.combination) > 0);
    m_eraseBox->setToolTip(m_canInject ? QString() : m_injectionProblem);
}

void HotkeyEditorPanel::eraseClicked(bool erase)
{
    const int selected = selectedPosition();
    if (!m_list.isValidPosition(selected))
        return;
    HotkeyEntry entry = m_list.at(selected);
    entry.eraseTyped = erase;
    m_list.replace(selected, entry);
}

// The wizard's choice (its box for a sequence of printing keys, ticked unless the user unticked
// it); a result without one erases such a sequence where keys can be typed.
void HotkeyEditorPanel::offerErase(int position, const QStringList& wizardResult)
{
    if (!m_list.isValidPosition(position))
        return;
    HotkeyEntry entry = m_list.at(position);
    entry.eraseTyped = wizardResult.size() > FormWizard::ErasePosition
                           ? wizardResult.at(FormWizard::ErasePosition) == FormWizard::EraseWord
                           : m_canInject && PrintedKeyCount(entry.combination) > 0;
    m_list.replace(position, entry);
}

} // namespace tarvex
