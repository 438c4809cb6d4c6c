// "Type text": the type of the hotkey editor whose row types a text into the window in front.
// Its text field stands under the row's fields where a file row's arguments stand; in the
// place of the target a note says where the text goes, or that this desktop cannot type keys.
#include "controls/button/velbutton.h"
#include "editor/HotkeyEditorPanel.h"
#include "editor/TypedTextLimit.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace tarvex {

namespace {

// The place of "Type text" in the type selector, after "File", "Website" and "Action".
constexpr int TypeTextPosition = 3;
// Twips: the text field starts where the arguments do and keeps 120 free under it.
constexpr int FieldTop = 800;
constexpr int FieldFoot = 120;

} // namespace

void HotkeyEditorPanel::createTypedTextField()
{
    m_hktype->addItem(tr("Type text"));
    m_typedText = new QPlainTextEdit(m_editFrame);
    m_typedText->setObjectName(QStringLiteral("typedText"));
    m_typedText->setAccessibleName(tr("Text to type"));
    m_typedText->setTabChangesFocus(true);
    m_typedText->hide();
    m_typedTextNote = new QLabel(m_editFrame);
    m_typedTextNote->setObjectName(QStringLiteral("typedTextNote"));
    m_typedTextNote->hide();
    connect(m_typedText, &QPlainTextEdit::textChanged, this, &HotkeyEditorPanel::typedTextEdited);
    connect(m_hktype, &QComboBox::currentIndexChanged, this, &HotkeyEditorPanel::showTypedText);
}

void HotkeyEditorPanel::layOutTypedText()
{
    m_typedTextNote->setGeometry(Twips::rect(6480, 360, 4095, 360));
    const int top = Twips::toPixels(FieldTop);
    m_typedText->setGeometry(Twips::toPixels(120), top, Twips::toPixels(10455),
                             m_editFrame->height() - top - Twips::toPixels(FieldFoot));
}

// Shows the field with the selected row's text while "Type text" is chosen; the target's own
// fields then give way to the note.
void HotkeyEditorPanel::showTypedText()
{
    const bool typing = m_hktype->currentIndex() == TypeTextPosition;
    const int selected = selectedPosition();
    const bool row = m_fieldsEnabled && m_list.isValidPosition(selected);
    const QString text = row ? m_list.at(selected).typedText : QString();
    if (m_typedText->toPlainText() != text)
        m_typedText->setPlainText(text);
    m_typedText->setEnabled(row);
    m_typedText->setVisible(typing);
    m_typedTextNote->setVisible(typing);
    m_typedTextNote->setText(m_canInject ? tr("Typed into the window in front:")
                                         : tr("This desktop cannot type keys."));
    m_typedTextNote->setToolTip(m_canInject ? QString() : m_injectionProblem);
    if (typing) {
        m_ws->hide();
        m_sp->hide();
        m_browse->setEnabled(false);
    }
}

void HotkeyEditorPanel::typedTextEdited()
{
    const QString text = LimitTypedText(*m_typedText);
    const int selected = selectedPosition();
    if (!m_list.isValidPosition(selected) || m_list.at(selected).typedText == text)
        return;
    HotkeyEntry entry = m_list.at(selected);
    entry.typedText = text;
    m_list.replace(selected, entry);
}

// The wizard's "Type text" hotkey: the added row types the wizard's text.
void HotkeyEditorPanel::addWizardText(const QString& text)
{
    // Through another type, so the selector's click runs even where it showed "Type text".
    for (int type : {0, TypeTextPosition})
        m_hktype->setCurrentIndex(type);
    m_typedText->setPlainText(text);
}

} // namespace tarvex
