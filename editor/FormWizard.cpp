#include "editor/FormWizard.h"

#include "activation/SpecialActionTable.h"
#include "controls/button/velbutton.h"
#include "controls/frame/FrameHostWindow.h"
#include "controls/frame/velForms.h"
#include "editor/ArgumentsField.h"
#include "editor/CaptureBox.h"
#include "editor/TypedTextLimit.h"
#include "keys/KeyText.h"
#include "platform/Dialogs.h"
#include "store/HotkeyEntry.h"
#include "store/WebAddress.h"
#include "ui/ProgramIcon.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>

#include <algorithm>

namespace tarvex {
namespace {

// Pixels: the panels sit 120 twips (8 px) in from the frame's client corner, below its title bar.
constexpr int Margin = 8;
constexpr int PanelWidth = 600;
constexpr int PanelHeight = 190;
constexpr int ButtonWidth = 130;
constexpr int ButtonHeight = 30;
constexpr int RowHeight = 28;

const QString FileWord = QStringLiteral("File");
const QString UrlWord = QStringLiteral("URL");
const QString SpecialWord = QStringLiteral("Special");

} // namespace

const QString FormWizard::None = QStringLiteral("none");
const QString FormWizard::TextWord = QStringLiteral("Text");
const QString FormWizard::EraseWord = QStringLiteral("erase");

FormWizard::FormWizard(Dialogs& dialogs, QWidget* owner) : QDialog(owner), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormWizard"));
    setWindowTitle(tr("Hotkey Wizard"));
    if (owner)
        setWindowIcon(owner->windowIcon());
    m_frame = new velForms(this);
    m_frame->setMaxButton(false);
    m_frame->setMinButton(false);
    createStep1();
    createOpenFile();
    createEnterWebsite();
    createSpecialAction();
    createTypeText();
    createChooseTarget();
    createChooseKey();
    const int top = m_frame->TitleBarHeight() + Margin;
    setFixedSize(PanelWidth + 2 * Margin, top + PanelHeight + Margin);
    m_frame->setGeometry(rect());
    m_frame->refresh();
    setKeyInjection(false, QString()); // until told
    showPanel(m_step1);
    // F1 asks for the help document.
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &FormWizard::helpRequested);
}

FormWizard::~FormWizard() = default;

void FormWizard::setVisible(bool visible)
{
    // A dialog not placed by then centres itself while it is being shown.
    if (visible && !isVisible() && !testAttribute(Qt::WA_Moved))
        placeOverOwner();
    QDialog::setVisible(visible);
}

// Where the dialog would centre itself: over its owner's window, inside the owner's screen.
void FormWizard::placeOverOwner()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* place = owner ? owner->screen() : screen();
    if (!place || FrameHostWindow::compositorPlacesWindows())
        return;
    const QRect area = place->availableGeometry();
    QRect box(QPoint(), size());
    box.moveCenter(owner && owner->isVisible() ? owner->frameGeometry().center() : area.center());
    move(std::clamp(box.left(), area.left(), std::max(area.left(), area.right() - width() + 1)),
         std::clamp(box.top(), area.top(), std::max(area.top(), area.bottom() - height() + 1)));
}

QStringList FormWizard::GetUserHotkey(Dialogs& dialogs, QWidget* owner)
{
    FormWizard wizard(dialogs, owner);
    wizard.exec();
    return wizard.result();
}

QStringList FormWizard::result() const
{
    if (!m_finished)
        return {None, None, None};
    const bool erase = m_eraseBox->isEnabled() && m_eraseBox->isChecked();
    return {m_kindWord, m_target, m_combination, m_chosenArguments, erase ? EraseWord : QString()};
}

void FormWizard::setKeyInjection(bool available, const QString& reason)
{
    m_canInject = available;
    m_injectionProblem = available ? QString() : reason;
    m_typeTextOption->setEnabled(available);
    m_typeTextNote->setText(available          ? QString()
                            : reason.isEmpty() ? tr("This desktop cannot type keys.")
                                               : reason);
    m_eraseBox->setToolTip(m_injectionProblem);
    showEraseBox();
}

QWidget* FormWizard::addPanel(const char* name, const QString& caption)
{
    auto* panel = new QWidget(m_frame);
    panel->setObjectName(QLatin1String(name));
    panel->resize(PanelWidth, PanelHeight);
    panel->hide();
    auto* label = new QLabel(caption, panel);
    label->setObjectName(QStringLiteral("Caption"));
    label->setGeometry(0, 0, PanelWidth, RowHeight);
    return panel;
}

velbutton* FormWizard::addButton(QWidget* panel, const char* name, const QString& caption, int top)
{
    auto* button = new velbutton(panel, QLatin1String(name));
    button->setObjectName(QLatin1String(name));
    button->setCaption(caption);
    button->setGeometry(PanelWidth - ButtonWidth, top, ButtonWidth, ButtonHeight);
    // Each panel has one button, and Enter presses it: only the shown panel's button takes
    // the key, since a hidden button's keys do nothing.
    button->setDefault(true);
    return button;
}

void FormWizard::createStep1()
{
    m_step1 = addPanel("Step1", tr("What kind of action do you want this hotkey to do?"));
    const auto option = [this](const char* name, const QString& caption, int row) {
        auto* button = new QRadioButton(caption, m_step1);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(Margin, RowHeight * (row + 1), PanelWidth - Margin, RowHeight);
        return button;
    };
    QRadioButton* openOption = option("openOption", tr("Open a file, program or folder"), 0);
    QRadioButton* websiteOption =
        option("websiteOption", tr("Open a website (such as wikipedia.org, openstreetmap.org)"), 1);
    QRadioButton* specialOption = option("specialOption",
                                         tr("Perform a special action (such as minimizing a "
                                            "window, shutting down your computer, etc)"),
                                         2);
    m_typeTextOption = option("typeTextOption", tr("Type a text into the window in front"), 3);
    // Where the desktop cannot type keys, the note under the choices says why.
    m_typeTextNote = new QLabel(m_step1);
    m_typeTextNote->setObjectName(QStringLiteral("typeTextNote"));
    m_typeTextNote->setGeometry(3 * Margin, RowHeight * 5, PanelWidth - 3 * Margin, RowHeight);
    connect(m_typeTextOption, &QRadioButton::clicked, this, [this] { showPanel(m_typeText); });
    connect(websiteOption, &QRadioButton::clicked, this, [this] {
        showPanel(m_enterWebsite);
        m_txtURL->setFocus();
        m_txtURL->deselect();
        m_txtURL->end(false);
    });
    connect(openOption, &QRadioButton::clicked, this, [this] { showPanel(m_openFile); });
    connect(specialOption, &QRadioButton::clicked, this, [this] { showPanel(m_specialAction); });
}

void FormWizard::createOpenFile()
{
    m_openFile = addPanel("OpenFile", tr("Select the item you want your Hotkey to open"));
    auto* fileOption = new QRadioButton(
        tr("A file (such as programs, music, videos, documents, pictures, etc)"), m_openFile);
    fileOption->setObjectName(QStringLiteral("fileOption"));
    fileOption->setGeometry(Margin, RowHeight, PanelWidth - Margin, RowHeight);
    auto* folderOption = new QRadioButton(
        tr("A folder (such as your documents folder, your desktop, etc)"), m_openFile);
    folderOption->setObjectName(QStringLiteral("folderOption"));
    folderOption->setGeometry(Margin, 2 * RowHeight, PanelWidth - Margin, RowHeight);
    connect(fileOption, &QRadioButton::clicked, this, [this] { showPanel(m_sOpenFile); });
    connect(folderOption, &QRadioButton::clicked, this, [this] { showPanel(m_sOpenFolder); });
}

void FormWizard::createEnterWebsite()
{
    m_enterWebsite = addPanel("EnterWebsite",
                              tr("Enter the website address (URL) you want this hotkey to open"));
    m_txtURL = new QLineEdit(QStringLiteral("http://"), m_enterWebsite);
    m_txtURL->setObjectName(QStringLiteral("txtURL"));
    m_txtURL->setAccessibleName(tr("Website address"));
    m_txtURL->setGeometry(Margin, RowHeight + 4, PanelWidth - 2 * Margin, 24);
    // An address typed or pasted after the offered "http://" replaces it.
    connect(m_txtURL, &QLineEdit::textEdited, this, [this](const QString& text) {
        const QString address = WithoutDoubledWebPrefix(text);
        if (address != text)
            m_txtURL->setText(address);
    });
    velbutton* done = addButton(m_enterWebsite, "Done", tr("Done"), PanelHeight - 40);
    connect(done, &velbutton::clicked, this, &FormWizard::websiteDone);
}

void FormWizard::createSpecialAction()
{
    m_specialAction =
        addPanel("SpecialAction", tr("What action do you want the hotkey to perform"));
    m_sp = new QComboBox(m_specialAction);
    m_sp->setObjectName(QStringLiteral("sp"));
    m_sp->setAccessibleName(tr("Special action"));
    m_sp->setEditable(false);
    for (const SpecialActionRow& row : SpecialActionTable())
        m_sp->addItem(SpecialActionDisplayName(row.action));
    m_sp->setCurrentIndex(-1);
    m_sp->setGeometry(Margin, RowHeight + 4, 300, 26);
    velbutton* done = addButton(m_specialAction, "Done", tr("Done"), PanelHeight - 40);
    connect(done, &velbutton::clicked, this, &FormWizard::specialDone);
}

void FormWizard::createTypeText()
{
    m_typeText =
        addPanel("TypeText", tr("Enter the text you want this hotkey to type (up to %1 characters)")
                                 .arg(MaxTypedTextLength));
    m_typedText = new QPlainTextEdit(m_typeText);
    m_typedText->setObjectName(QStringLiteral("typedText"));
    m_typedText->setAccessibleName(tr("Text to type"));
    // Enter starts a new line: Tab goes on to Done.
    m_typedText->setTabChangesFocus(true);
    m_typedText->setGeometry(Margin, RowHeight + 4, PanelWidth - 2 * Margin,
                             PanelHeight - RowHeight - 56);
    m_typedCount = new QLabel(m_typeText);
    m_typedCount->setObjectName(QStringLiteral("typedCount"));
    m_typedCount->setGeometry(Margin, PanelHeight - 36, PanelWidth - ButtonWidth - 2 * Margin, 24);
    m_typedDone = addButton(m_typeText, "Done", tr("Done"), PanelHeight - 40);
    connect(m_typedText, &QPlainTextEdit::textChanged, this, &FormWizard::typedTextEdited);
    connect(m_typedDone, &velbutton::clicked, this,
            [this] { chooseTarget(TextWord, m_typedText->toPlainText()); });
    typedTextEdited();
}

// A paste past the limit keeps what fits; the count shows how much room is left, and Done
// waits for a text.
void FormWizard::typedTextEdited()
{
    const QString text = LimitTypedText(*m_typedText);
    m_typedCount->setText(tr("%1 of %2 characters").arg(text.size()).arg(MaxTypedTextLength));
    m_typedDone->setEnabled(!text.isEmpty());
}

void FormWizard::createChooseTarget()
{
    m_sOpenFile = addPanel("sOpenFile", tr("Choose a file that you want the hotkey to open"));
    velbutton* file = addButton(m_sOpenFile, "ChooseFile", tr("Choose File"), RowHeight);
    connect(file, &velbutton::clicked, this, &FormWizard::chooseFileClicked);
    addArgumentsField();
    m_sOpenFolder = addPanel("sOpenFolder", tr("Choose a folder that you want the hotkey to open"));
    velbutton* folder = addButton(m_sOpenFolder, "ChooseFolder", tr("Choose Folder"), RowHeight);
    connect(folder, &velbutton::clicked, this, &FormWizard::chooseFolderClicked);
}

// A program's arguments are typed before its file is chosen: the chooser ends the step.
void FormWizard::addArgumentsField()
{
    m_arguments = new ArgumentsField(m_sOpenFile);
    m_arguments->move(Margin, 2 * RowHeight + 8);
    m_arguments->layOutTo(PanelWidth - Margin);
    connect(m_arguments, &ArgumentsField::heightChanged, this,
            [this] { m_arguments->layOutTo(PanelWidth - Margin); });
}

void FormWizard::createChooseKey()
{
    m_chooseKey =
        addPanel("ChooseKey", tr("Type in a keyboard combination that will activate this hotkey"));
    auto* example = new QLabel(tr("e.g. gofb, gogoogle, Control+i, etc"), m_chooseKey);
    example->setGeometry(Margin, RowHeight, PanelWidth - Margin, RowHeight);
    auto* meaning = new QLabel(
        tr("A keyboard combination is a set of keys you press to execute the hotkey"), m_chooseKey);
    meaning->setGeometry(Margin, 2 * RowHeight, PanelWidth - Margin, RowHeight);
    m_txtKey = new CaptureBox(false, m_chooseKey);
    m_txtKey->setObjectName(QStringLiteral("txtKey"));
    m_txtKey->setAccessibleName(tr("Hotkey"));
    m_txtKey->setGeometry(Margin, 3 * RowHeight + 8, 300, 24);
    m_eraseBox = new QCheckBox(tr("Erase the typed keys"), m_chooseKey);
    m_eraseBox->setObjectName(QStringLiteral("eraseBox"));
    m_eraseBox->setAccessibleName(tr("Erase the typed keys"));
    m_eraseBox->setGeometry(Margin, 4 * RowHeight + 12, 300, RowHeight);
    connect(m_eraseBox, &QCheckBox::clicked, this, [this](bool erase) { m_eraseChosen = erase; });
    connect(m_txtKey, &CaptureBox::combinationChanged, this, &FormWizard::showEraseBox);
    velbutton* done = addButton(m_chooseKey, "Done", tr("Done"), PanelHeight - 40);
    connect(done, &velbutton::clicked, this, &FormWizard::keyDone);
}

// A sequence of printing keys can erase them where keys can be typed, ticked unless the user
// unticked it; a chord or a sequence of modifiers cannot.
void FormWizard::showEraseBox()
{
    const bool printing = m_canInject && PrintedKeyCount(m_txtKey->combination()) > 0;
    m_eraseBox->setEnabled(printing);
    m_eraseBox->setChecked(printing && m_eraseChosen);
}

void FormWizard::showPanel(QWidget* panel)
{
    panel->move(Margin, m_frame->TitleBarHeight() + Margin);
    panel->show();
    if (m_current && m_current != panel)
        m_current->hide();
    m_current = panel;
    // The keyboard moves on with the steps: the panel's first control (the first choice, the
    // list, the box or the button) takes the focus.
    for (QWidget* child : panel->findChildren<QWidget*>()) {
        if ((child->focusPolicy() & Qt::TabFocus) && child->isEnabled()) {
            child->setFocus();
            break;
        }
    }
}

void FormWizard::chooseTarget(const QString& kindWord, const QString& target)
{
    // "*" and "|" separate the records of the hotkey file: such a target would not survive
    // a save, so it is refused here and the user stays on the step. A text to type is kept on
    // its option line, where any character survives.
    const QString problem = kindWord == TextWord ? QString() : ValidateTarget(target);
    if (!problem.isEmpty()) {
        m_dialogs.warn(this, ProgramTitle, problem);
        return;
    }
    m_kindWord = kindWord;
    m_target = target;
    showPanel(m_chooseKey);
    m_txtKey->setFocus();
}

void FormWizard::websiteDone()
{
    // An address without a host could open nothing: the user stays here to complete it.
    const QString problem = ValidateWebAddress(m_txtURL->text());
    if (!problem.isEmpty()) {
        m_dialogs.warn(this, ProgramTitle, problem);
        m_txtURL->setFocus();
        return;
    }
    chooseTarget(UrlWord, m_txtURL->text());
}

void FormWizard::specialDone()
{
    if (m_sp->currentIndex() < 0) {
        m_dialogs.inform(this, ProgramTitle, tr("Please select a special action"));
        m_sp->setFocus();
        return;
    }
    chooseTarget(SpecialWord, QString::number(m_sp->currentIndex() + 1));
}

void FormWizard::chooseFileClicked()
{
    if (const QString problem = m_arguments->problem(); !problem.isEmpty()) {
        m_dialogs.warn(this, ProgramTitle, problem);
        m_arguments->setFocus();
        return;
    }
    const QString file = m_dialogs.chooseFile(this, tr("Select a file/program to open"));
    if (file.trimmed().isEmpty())
        return;
    m_chosenArguments = m_arguments->arguments();
    chooseTarget(FileWord, file);
}

void FormWizard::chooseFolderClicked()
{
    const QString folder = m_dialogs.chooseFolder(this, tr("Please Select A Folder"));
    if (!folder.trimmed().isEmpty())
        chooseTarget(FileWord, folder);
}

void FormWizard::keyDone()
{
    if (m_txtKey->text().trimmed().isEmpty()) {
        m_dialogs.inform(this, ProgramTitle,
                         tr("Please enter a keyboard combination to activate this hotkey."));
        m_txtKey->setFocus();
        return;
    }
    m_combination = m_txtKey->combination();
    m_finished = true;
    accept();
}

} // namespace tarvex
