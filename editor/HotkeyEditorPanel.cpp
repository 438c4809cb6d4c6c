#include "editor/HotkeyEditorPanel.h"

#include "activation/SpecialActionTable.h"
#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/InfoTip.h"
#include "editor/AppFilterRow.h"
#include "editor/ArgumentsField.h"
#include "editor/CaptureBox.h"
#include "editor/FormWizard.h"
#include "editor/HotkeyFilterModel.h"
#include "editor/HotkeyListModel.h"
#include "editor/HotkeyListView.h"
#include "editor/RowIcons.h"
#include "keys/KeyCapture.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTreeView>

#include <limits>

namespace tarvex {
namespace {

// The designed window is 11025 by 8475 twips, but its "Cancel" button sits at 8640 twips
// from the top: the window is made tall enough to show that button whole.
constexpr int FormWidth = 11025;
constexpr int FormHeight = 8640 + 495 + 120;
const char* const InfoTitle = QT_TRANSLATE_NOOP("tarvex::HotkeyEditorPanel", "Info");

} // namespace

HotkeyEditorPanel::HotkeyEditorPanel(QWidget* form, HotkeyList& list, ActiveHotkeyTable& table,
                                     Dialogs& dialogs, const QString& programFolder)
    : QObject(form), m_form(form), m_list(list), m_table(table), m_dialogs(dialogs),
      m_icons(std::make_unique<RowIcons>(programFolder)),
      m_runWizard([this, &dialogs](QWidget* owner) {
          FormWizard wizard(dialogs, owner);
          wizard.setKeyInjection(m_canInject, m_injectionProblem);
          connect(&wizard, &FormWizard::helpRequested, this, &HotkeyEditorPanel::helpRequested);
          wizard.exec();
          return wizard.result();
      })
{
    m_model = new HotkeyListModel(m_list, *m_icons, this);
    createControls();
    connectFields();
    connectOnOff();
    layOut();
    configCTRL(false);
}

HotkeyEditorPanel::~HotkeyEditorPanel()
{
    HideInfoTip();
}

void HotkeyEditorPanel::createControls()
{
    m_TForm = new velForms(m_form);
    m_TForm->setObjectName(QStringLiteral("TForm"));
    m_TForm->setMaxButton(false);
    createFilterBox();
    m_Hotkey = new HotkeyListView(m_TForm);
    m_Hotkey->setObjectName(QStringLiteral("Hotkey"));
    m_Hotkey->setAccessibleName(tr("Hotkeys"));
    m_Hotkey->setModel(m_filter);
    // Uniform rows and fixed column widths keep a list of tens of thousands of rows instant.
    m_Hotkey->setUniformRowHeights(true);
    m_Hotkey->setRootIsDecorated(false);
    m_Hotkey->setItemsExpandable(false);
    m_Hotkey->setAllColumnsShowFocus(true);
    m_Hotkey->setSelectionMode(QAbstractItemView::SingleSelection);
    m_Hotkey->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_Hotkey->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_Hotkey->setIconSize(QSize(16, 16));
    m_Hotkey->header()->setStretchLastSection(true);
    m_Hotkey->header()->setSectionsMovable(false);
    m_Hotkey->setColumnWidth(0, Twips::toPixels(3600));
    m_shadowLabel = new QLabel(m_TForm);
    m_shadowLabel->setObjectName(QStringLiteral("ShadowWarning"));
    m_shadowLabel->setStyleSheet(QStringLiteral("color: #a00000;"));
    m_shadowLabel->setWordWrap(true);
    m_shadowLabel->hide();
    createEditFrame();
    createArgumentsField();
    createAppFilterRow();
    createButtons();
}

void HotkeyEditorPanel::createEditFrame()
{
    m_editFrame = new QGroupBox(tr("Edit Hotkey"), m_TForm);
    m_editFrame->setObjectName(QStringLiteral("editFrame"));
    for (const auto& [name, caption] :
         {std::pair("typeLabel", tr("Type:")), std::pair("hotkeyLabel", tr("Hotkey:")),
          std::pair("actionLabel", tr("Action:"))})
        (new QLabel(caption, m_editFrame))->setObjectName(QLatin1String(name));
    m_hktype = new QComboBox(m_editFrame);
    m_hktype->setObjectName(QStringLiteral("hktype"));
    m_hktype->setAccessibleName(tr("Action"));
    m_hktype->addItems({tr("File"), tr("Website"), tr("Action")});
    m_hk = new CaptureBox(true, m_editFrame);
    m_hk->setObjectName(QStringLiteral("hk"));
    m_hk->setAccessibleName(tr("Hotkey"));
    m_hk->setText(KeyCapture::Placeholder());
    m_ws = new QLineEdit(m_editFrame);
    m_ws->setObjectName(QStringLiteral("ws"));
    // A target of any length is shown whole, never cut to 32767 characters.
    m_ws->setMaxLength(std::numeric_limits<int>::max());
    m_sp = new QComboBox(m_editFrame);
    m_sp->setObjectName(QStringLiteral("sp"));
    m_sp->addItem(tr("-None-"));
    // Each entry shows its name in the user's language and carries the name a row stores.
    for (const SpecialActionRow& row : SpecialActionTable())
        m_sp->addItem(SpecialActionDisplayName(row.action), QString(row.name));
    m_sp->hide();
    m_browse = makeButton(m_editFrame, "browse", QStringLiteral("..."),
                          tr("Want to browse for a program?"));
    createEraseBox();
    createTypedTextField();
}

void HotkeyEditorPanel::createButtons()
{
    m_cancelButton = makeButton(m_TForm, "cancelButton", tr("Cancel"),
                                tr("Click Here When You Are Done With Setting Up Your "
                                   "Hotkeys!"));
    m_saveButton = makeButton(m_TForm, "saveButton", tr("Save Settings"),
                              tr("Click Here to Save Your Hotkey List"));
    m_deleteButton = makeButton(m_TForm, "deleteButton", tr("&Delete Hotkey"),
                                tr("This Deletes the Selected Hotkey"));
    m_addButton =
        makeButton(m_TForm, "addButton", tr(" &Add New Hotkey"), tr("Click to Add a New Hotkey"));
    m_importButton = makeButton(m_TForm, "importButton", tr("&Import\u2026"),
                                tr("Add the hotkeys of a file to this list"));
    m_exportButton = makeButton(m_TForm, "exportButton", tr("E&xport\u2026"),
                                tr("Write these hotkeys to a file for another computer"));
}

velbutton* HotkeyEditorPanel::makeButton(QWidget* parent, const char* name, const QString& caption,
                                         const QString& tip)
{
    auto* button = new velbutton(parent, QLatin1String(name));
    button->setObjectName(QLatin1String(name));
    button->setCaption(caption);
    connect(button, &velbutton::pointerMoved, this,
            [button, tip] { ShowInfoTip(button, tip, tr(InfoTitle)); });
    return button;
}

void HotkeyEditorPanel::connectFields()
{
    connect(m_Hotkey->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_refiltering)
                    return;
                // Walking the list with the arrow keys keeps the focus in the list; a click
                // (or a selection made by the editor itself) moves it to the Hotkey box.
                const bool walking =
                    m_Hotkey->hasFocus() && QGuiApplication::mouseButtons() == Qt::NoButton;
                rowClicked(m_filter->positionOf(current), !walking);
            });
    // The kept key sequences of the hidden-hotkey check follow every change of the rows.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { m_shadowing.invalidate(); });
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] { m_shadowing.invalidate(); });
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, [this] { m_shadowing.invalidate(); });
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from) { m_shadowing.invalidate(from.row() + 1); });
    connect(m_hktype, &QComboBox::currentIndexChanged, this, &HotkeyEditorPanel::typeClicked);
    connect(m_hk, &CaptureBox::combinationChanged, this, &HotkeyEditorPanel::combinationChanged);
    connect(m_ws, &QLineEdit::textChanged, this, &HotkeyEditorPanel::targetChanged);
    connect(m_ws, &QLineEdit::textEdited, this, &HotkeyEditorPanel::targetEdited);
    connect(m_sp, &QComboBox::currentIndexChanged, this, &HotkeyEditorPanel::specialChosen);
    connect(m_browse, &velbutton::clicked, this, &HotkeyEditorPanel::browseClicked);
    connect(m_cancelButton, &velbutton::clicked, this, &HotkeyEditorPanel::requestClose);
    // Escape anywhere in the window is "Cancel" (a list's open drop-down takes it first), and
    // Enter is "Save Settings" unless a focused button takes it for itself.
    m_cancelButton->setCancel(true);
    m_saveButton->setDefault(true);
    auto* help = new QShortcut(QKeySequence::HelpContents, m_form);
    connect(help, &QShortcut::activated, this, &HotkeyEditorPanel::helpRequested);
    connect(m_saveButton, &velbutton::clicked, this, &HotkeyEditorPanel::saveSettings);
    connect(m_deleteButton, &velbutton::clicked, this, &HotkeyEditorPanel::deleteHotkey);
    connect(m_addButton, &velbutton::clicked, this, &HotkeyEditorPanel::addHotkey);
    connect(m_importButton, &velbutton::clicked, this, &HotkeyEditorPanel::importHotkeys);
    connect(m_exportButton, &velbutton::clicked, this, &HotkeyEditorPanel::exportHotkeys);
}

// A row's check box switches its hotkey on or off (unsaved until "Save Settings"): an off
// hotkey neither hides another nor is warned about, so the warning is checked again.
void HotkeyEditorPanel::connectOnOff()
{
    connect(m_model, &HotkeyListModel::enabledChanged, this,
            &HotkeyEditorPanel::updateShadowWarning);
}

void HotkeyEditorPanel::layOut()
{
    layOutShadowWarning();
    // Every place is set afresh here: the rows added under and above the fields below move
    // what stands in the frame, and the layout runs again whenever the arguments need more room.
    m_editFrame->setGeometry(Twips::rect(150, 6800, 10695, 885));
    for (const auto& [name, place] : {std::pair("typeLabel", Twips::rect(120, 405, 615, 255)),
                                      std::pair("hotkeyLabel", Twips::rect(2400, 405, 735, 255)),
                                      std::pair("actionLabel", Twips::rect(5730, 405, 735, 255))})
        m_editFrame->findChild<QLabel*>(QLatin1String(name))->setGeometry(place);
    m_hktype->setGeometry(Twips::rect(720, 360, 1455, 360));
    m_hk->setGeometry(Twips::rect(3240, 360, 2295, 360));
    m_sp->setGeometry(Twips::rect(6480, 360, 3495, 360));
    m_ws->setGeometry(Twips::rect(6480, 360, 3495, 285));
    m_browse->setGeometry(Twips::rect(10080, 350, 495, 375));
    layOutEraseBox();
    m_addButton->setGeometry(Twips::rect(240, 7800, 2295, 495));
    m_deleteButton->setGeometry(Twips::rect(2640, 7800, 2295, 495));
    m_saveButton->setGeometry(Twips::rect(5040, 7800, 2295, 495));
    m_importButton->setGeometry(Twips::rect(240, 8640, 2295, 495));
    m_exportButton->setGeometry(Twips::rect(2640, 8640, 2295, 495));
    m_cancelButton->setGeometry(Twips::rect(8160, 8640, 2295, 495));
    // The frame grows upwards twice: for the arguments under its fields, then for the
    // applications row above them (which moves everything placed before it down).
    layOutArguments();
    layOutTypedText();
    layOutAppFilterRow();
    m_form->setFixedSize(Twips::toPixels(FormWidth), Twips::toPixels(FormHeight));
    m_TForm->setGeometry(m_form->rect());
}

// The list gives up 330 twips at its foot to the line that warns of a hidden hotkey; a
// warning that needs more lines takes more of the list's foot, so it is never cut. Both give
// way to the room of a program's arguments in the frame under them.
void HotkeyEditorPanel::layOutShadowWarning()
{
    const QRect list =
        layOutFilterBox(Twips::rect(120, 600, 10695, 5805 - AppFilterRow::HeightTwips)
                            .adjusted(0, 0, 0, -argumentsRoom()));
    const QRect line = Twips::rect(150, 6430 - AppFilterRow::HeightTwips, 10695, 330)
                           .translated(0, -argumentsRoom());
    int height = line.height();
    if (!m_shadowLabel->text().isEmpty())
        height = std::max(height, m_shadowLabel->heightForWidth(line.width()));
    const int top = std::max(line.bottom() + 1 - height, list.top() + list.height() / 2);
    m_shadowLabel->setGeometry(line.x(), top, line.width(), line.bottom() + 1 - top);
    const int gap = line.top() - list.bottom() - 1;
    m_Hotkey->setGeometry(list.x(), list.y(), list.width(),
                          std::min(list.height(), top - gap - list.y()));
}

void HotkeyEditorPanel::focusFirstControl()
{
    if (m_list.count() > 0)
        m_Hotkey->setFocus();
    else
        m_addButton->setFocus();
}

void HotkeyEditorPanel::load(HotkeyDatabase& database, const EditorLook& look)
{
    m_database = &database;
    ButtonCfg(look.buttonStyle);
    m_TForm->setStyle(look.frameStyle);
    m_TForm->setThemeColor(look.themeColor);
    showRows();
}

// Shows the list as it stands, the first row selected, with nothing unsaved.
void HotkeyEditorPanel::showRows()
{
    m_filterBox->clear();
    m_model->reload();
    const bool hasRows = m_list.count() > 0;
    if (hasRows)
        selectPosition(1);
    else
        rowClicked(1);
    configCTRL(hasRows);
    m_sp->setCurrentIndex(0);
    ConfigAction(ActionFor(m_hktype->currentIndex()));
    focusFirstControl();
    updateShadowWarning();
    m_savedEntries = m_list.entries();
}

void HotkeyEditorPanel::configCTRL(bool CT)
{
    m_fieldsEnabled = CT;
    for (QWidget* field :
         std::initializer_list<QWidget*>{m_hk, m_ws, m_sp, m_hktype, m_arguments, m_deleteButton})
        field->setEnabled(CT);
    // Browsing picks a file or a folder: it belongs to file rows only.
    m_browse->setEnabled(CT && m_hktype->currentIndex() == 0);
    showEraseBox();
    showTypedText();
    // "Save Settings" stays enabled: an emptied list must be savable, or the last hotkey
    // could never be removed from the file.
    m_saveButton->setEnabled(true);
}

void HotkeyEditorPanel::ConfigAction(int s)
{
    if (s < 0 || s > 2)
        return;
    m_browse->setEnabled(s == 1 && m_fieldsEnabled);
    m_sp->setVisible(s == 0);
    m_ws->setVisible(s != 0);
    if (s != 0) {
        m_sp->setCurrentIndex(0);
        return;
    }
    // Action names are matched without regard to letter case, as a hotkey runs them.
    if (const SpecialAction action = SpecialActionFor(m_ws->text()); action != SpecialAction::None)
        m_sp->setCurrentIndex(int(action));
}

void HotkeyEditorPanel::ButtonCfg(int s)
{
    for (velbutton* button : {m_cancelButton, m_saveButton, m_deleteButton, m_addButton, m_browse,
                              m_importButton, m_exportButton})
        button->setButtonStyle(ButtonStyleKind(s));
}

int HotkeyEditorPanel::ActionFor(int typePosition)
{
    switch (typePosition) {
    case 0:
        return 1;
    case 1:
        return 2;
    case 2:
        return 0;
    default:
        return -1;
    }
}

} // namespace tarvex
