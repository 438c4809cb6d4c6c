#include "shell/Tarvex.h"

#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "controls/tips/InfoTip.h"
#include "platform/Dialogs.h"
#include "store/AppSettings.h"
#include "ui/AppearanceChoices.h"
#include "ui/ProgramIcon.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QShortcut>
#include <QWindow>

namespace tarvex {

namespace {
const char* const ShowAdvanced = QT_TRANSLATE_NOOP("tarvex::Tarvex", "Show Advanced Settings");
const char* const HideAdvanced = QT_TRANSLATE_NOOP("tarvex::Tarvex", "Hide Advanced Settings");
const char* const InfoTitle = QT_TRANSLATE_NOOP("tarvex::Tarvex", "Info");
} // namespace

QString Tarvex::HotkeysRunningText()
{
    return tr("Hotkeys are running");
}

QString Tarvex::HotkeysOffText()
{
    return tr("Hotkeys are off");
}

Tarvex::Tarvex(SettingsStore& settings, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Tarvex"));
    setWindowTitle(QStringLiteral("Tarvex"));
    setFixedSize(Twips::toPixels(DesignedWidth), Twips::toPixels(DesignedHeight));
    SetWindowIcons(this);
    createFrame();
    createButtons();
    createLabels();
    createOptions();
    // The keyboard starts on the first button; F1 opens the help document without asking.
    m_command1->setFocus();
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &Tarvex::helpRequested);
}

Tarvex::~Tarvex()
{
    HideInfoTip();
}

// The frame as placed on this window: no caption buttons (Exit is the way out), style 5
// until the stored look replaces colour and style at load.
void Tarvex::createFrame()
{
    m_themeForm = new velForms(this);
    m_themeForm->setObjectName(QStringLiteral("ThemeForm"));
    m_themeForm->setCloseButton(false);
    m_themeForm->setMaxButton(false);
    m_themeForm->setMinButton(false);
    m_themeForm->setBorderStyle(0);
    m_themeForm->setCustomBackColor(0xF0F0F0);
    m_themeForm->setThemeColor(0);
    m_themeForm->setStyle(5);
}

void Tarvex::createButtons()
{
    const auto make = [this](const char* name, const QString& caption, QRect place) {
        auto* button = new velbutton(m_themeForm, QLatin1String(name));
        button->setObjectName(QLatin1String(name));
        button->setCaption(caption);
        button->setGeometry(place);
        return button;
    };
    m_command1 = make("Command1", tr(" Start Tarvex"), Twips::rect(360, 1380, 4215, 615));
    m_command2 = make("Command2", tr(" Configure Hotkeys"), Twips::rect(360, 2090, 4215, 585));
    m_command3 = make("Command3", tr(" Customize Appearance"), Twips::rect(360, 2760, 4215, 615));
    m_command4 = make("Command4", tr("  Exit Tarvex"), Twips::rect(360, 3480, 4215, 615));
    connect(m_command1, &velbutton::clicked, this, &Tarvex::startRequested);
    connect(m_command2, &velbutton::clicked, this, &Tarvex::configureRequested);
    connect(m_command3, &velbutton::clicked, this, &Tarvex::appearanceRequested);
    connect(m_command4, &velbutton::clicked, this, &Tarvex::exitRequested);
    connect(m_command2, &velbutton::pointerMoved, this, [this] {
        ShowInfoTip(m_command2, tr("Click Me to Edit Your Hotkeys!"), tr(InfoTitle));
    });
    connect(m_command4, &velbutton::pointerMoved, this, [this] {
        ShowInfoTip(m_command4, tr("Finishing using Tarvex Already?"), tr(InfoTitle));
    });
}

void Tarvex::createLabels()
{
    m_label1 = new QLabel(QStringLiteral("Tarvex"), m_themeForm);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(Twips::rect(1800, 750, 2535, 495));
    m_label1->setFont(QFont(QStringLiteral("Tahoma"), 15.75 * 1, QFont::Normal));
    m_label1->setCursor(Qt::PointingHandCursor);
    m_label1->installEventFilter(this);
    m_image1 = new QLabel(m_themeForm);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(Twips::rect(1200, 720, 480, 480));
    m_image1->setPixmap(ProgramIcon::icon().pixmap(32, 32));
    // Label2 sits on the form itself, beneath the frame that covers the whole window, so
    // its one-pixel strip of text never shows.
    m_label2 = new QLabel(tr("Show Advanced Options"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setGeometry(Twips::rect(0, 0, 2295, 15));
    m_label2->lower();
    // Never seen, so hidden: screen readers would otherwise read it out as showing.
    m_label2->hide();
    m_label3 = new Hyperlink(m_themeForm, QStringLiteral("Label3"));
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->SetCaption(tr(ShowAdvanced));
    // Sized to its text: the caption grows to "Hide Advanced Settings".
    m_label3->SetAutoSize(true);
    m_label3->move(Twips::rect(240, 4230, 1800, 195).topLeft());
    connect(m_label3, &Hyperlink::Jump, this, &Tarvex::Label3_Click);
    // Whether the hotkeys run, at the foot across from "Show Advanced Settings".
    m_hotkeyState = new QLabel(HotkeysOffText(), m_themeForm);
    m_hotkeyState->setObjectName(QStringLiteral("HotkeyState"));
    m_hotkeyState->setGeometry(Twips::rect(2520, 4215, 2055, 225));
    m_hotkeyState->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void Tarvex::createOptions()
{
    m_hks = new QCheckBox(tr("Run Tarvex When I Login"), m_themeForm);
    m_hks->setObjectName(QStringLiteral("hks"));
    m_hks->setGeometry(Twips::rect(360, 4540, 3735, 255));
    m_hks->hide();
    m_check1 = new QCheckBox(tr("Disable Notification"), m_themeForm);
    m_check1->setObjectName(QStringLiteral("Check1"));
    m_check1->setGeometry(Twips::rect(360, 4800, 1815, 255));
    m_check1->hide();
    // A desktop font wider than the designed one would cut the captions: the boxes grow to
    // their text (there is room to the right).
    for (QCheckBox* box : {m_hks, m_check1}) {
        const QSize text = box->sizeHint();
        box->resize(std::max(box->width(), text.width()), std::max(box->height(), text.height()));
    }
    // `clicked` comes from the user only, so setting the boxes at load stores nothing.
    connect(m_hks, &QCheckBox::clicked, this, &Tarvex::hks_Click);
    connect(m_check1, &QCheckBox::clicked, this, &Tarvex::Check1_Click);
}

// Hidden while another window is used and shown again afterwards, the window comes back where
// the user left it: shown again without a position of its own, the window manager places it
// like a new window.
void Tarvex::setVisible(bool visible)
{
    if (!visible && isVisible()) {
        m_hiddenAt = pos();
        m_wasShown = true;
    } else if (visible && !isVisible() && m_wasShown && windowHandle()) {
        // Set on the window itself: a move to the position the widget still holds does nothing.
        windowHandle()->setFramePosition(m_hiddenAt);
    }
    QWidget::setVisible(visible);
}

void Tarvex::load()
{
    QCoreApplication::processEvents();
    applyStoredLook();
    const AppSettings settings(m_settings);
    m_check1->setChecked(settings.startupNote() == 1);
    if (!settings.runChoiceStored()) {
        m_hks->setChecked(true);
        hks_Click();
    }
    SetWindowIcons(this);
    m_themeForm->refresh();
}

// Codes outside their lists read as the defaults, as the appearance window reads them.
void Tarvex::applyStoredLook()
{
    setThemeColor(AppearanceChoices::StoredThemeColor(m_settings));
    cStyle(AppearanceChoices::StoredFrameStyle(m_settings));
    ButtonCfg(qint16(AppearanceChoices::StoredButtonStyle(m_settings)));
}

void Tarvex::ButtonCfg(qint16 s)
{
    for (velbutton* button : {m_command1, m_command2, m_command3, m_command4})
        button->setButtonStyle(ButtonStyleKind(s));
    if (m_keyboardAccess)
        m_keyboardAccess->setButtonStyle(ButtonStyleKind(s));
}

void Tarvex::cStyle(qint32 s)
{
    m_themeForm->setStyle(s);
}

void Tarvex::setThemeColor(qint32 color)
{
    m_themeForm->setThemeColor(color);
}

void Tarvex::showHotkeysRunning(bool running)
{
    m_hotkeyState->setText(running ? HotkeysRunningText() : HotkeysOffText());
}

void Tarvex::Label1_Click()
{
    // Asked over this window, centred on it.
    if (m_dialogs.askYesNo(this, ProgramTitle, tr("Do you need help with using Tarvex?")))
        Q_EMIT helpRequested();
}

void Tarvex::Label3_Click()
{
    m_check1->setVisible(!m_check1->isVisible());
    m_hks->setVisible(!m_hks->isVisible());
    const int growth = Twips::toPixels(AdvancedGrowth);
    const int height = m_hks->isVisible() ? this->height() + growth : this->height() - growth;
    setFixedSize(width(), height);
    layOutFoot();
    m_label3->SetCaption(tr(m_label3->Caption() == tr(ShowAdvanced) ? HideAdvanced : ShowAdvanced));
}

// The note sits at the bottom, below the start-up options when they are shown, with its button
// under it.
void Tarvex::setKeyboardNote(const QString& text, bool offerAccess)
{
    if (!m_keyboardNote) {
        if (text.isEmpty())
            return;
        createKeyboardNote();
    }
    m_keyboardNote->setText(text);
    m_keyboardNote->setVisible(!text.isEmpty());
    m_keyboardAccess->setVisible(!text.isEmpty() && offerAccess);
    layOutFoot();
}

void Tarvex::createKeyboardNote()
{
    m_keyboardNote = new QLabel(m_themeForm);
    m_keyboardNote->setObjectName(QStringLiteral("KeyboardNote"));
    m_keyboardNote->setTextFormat(Qt::PlainText);
    m_keyboardNote->setWordWrap(true);
    m_keyboardAccess = new velbutton(m_themeForm, QStringLiteral("KeyboardAccess"));
    m_keyboardAccess->setObjectName(QStringLiteral("KeyboardAccess"));
    m_keyboardAccess->setCaption(tr("&Allow the Key Reader..."));
    m_keyboardAccess->setButtonStyle(m_command1->ButtonStyle());
    m_keyboardAccess->hide();
    connect(m_keyboardAccess, &velbutton::clicked, this, &Tarvex::keyboardAccessRequested);
}

// Without a notification area the hidden windows' icons have no place: the window lists them.
void Tarvex::setHiddenWindows(const QList<HiddenWindowList::Entry>& entries)
{
    if (!m_hiddenWindows) {
        if (entries.isEmpty())
            return;
        m_hiddenWindows = new HiddenWindowList(m_themeForm);
        connect(m_hiddenWindows, &HiddenWindowList::windowChosen, this,
                &Tarvex::hiddenWindowChosen);
    }
    m_hiddenWindows->setEntries(entries);
    m_hiddenWindows->setVisible(!entries.isEmpty());
    layOutFoot();
}

// The keyboard note (with the button that asks for the key reader's permission) and the list
// of hidden windows stand below the designed controls (and the start-up options when they are
// shown), one under the other; the window grows to hold them.
void Tarvex::layOutFoot()
{
    const int base = height() - m_footGrowth;
    const int margin = Twips::toPixels(240);
    const int footWidth = width() - 2 * margin;
    int y = base;
    const QList<QWidget*> parts{m_keyboardNote, m_keyboardAccess, m_hiddenWindows};
    for (QWidget* part : parts) {
        if (!part || part->isHidden())
            continue;
        if (part == m_keyboardNote)
            part->setGeometry(margin, y, footWidth, m_keyboardNote->heightForWidth(footWidth));
        else if (part == m_keyboardAccess)
            part->setGeometry(Twips::rect(360, 0, 4215, 495).translated(0, y));
        else
            part->setGeometry(margin, y, footWidth, part->height());
        y += part->height() + margin / 2;
    }
    m_footGrowth = y - base;
    setFixedSize(width(), y);
}

void Tarvex::Check1_Click()
{
    AppSettings(m_settings).setStartupNote(m_check1->isChecked());
}

void Tarvex::hks_Click()
{
    const bool run = m_hks->isChecked();
    AppSettings(m_settings).setRunChoice(run);
    Q_EMIT runAtLoginChosen(run);
}

void Tarvex::showRunsAtLogin(bool runs)
{
    m_hks->setChecked(runs);
}

bool Tarvex::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && watched == m_label1)
        Label1_Click();
    return QWidget::eventFilter(watched, event);
}

void Tarvex::closeEvent(QCloseEvent* event)
{
    // The window has no close box of its own; a close from the window manager ends the
    // program the way "  Exit Tarvex" does.
    event->ignore();
    Q_EMIT exitRequested();
}

} // namespace tarvex
