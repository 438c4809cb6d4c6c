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
    m_startButton->setFocus();
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
    m_startButton = make("startButton", tr(" Start Tarvex"), Twips::rect(360, 1380, 4215, 615));
    m_configureButton =
        make("configureButton", tr(" Configure Hotkeys"), Twips::rect(360, 2090, 4215, 585));
    m_appearanceButton =
        make("appearanceButton", tr(" Customize Appearance"), Twips::rect(360, 2760, 4215, 615));
    m_exitButton = make("exitButton", tr("  Exit Tarvex"), Twips::rect(360, 3480, 4215, 615));
    connect(m_startButton, &velbutton::clicked, this, &Tarvex::startRequested);
    connect(m_configureButton, &velbutton::clicked, this, &Tarvex::configureRequested);
    connect(m_appearanceButton, &velbutton::clicked, this, &Tarvex::appearanceRequested);
    connect(m_exitButton, &velbutton::clicked, this, &Tarvex::exitRequested);
    connect(m_configureButton, &velbutton::pointerMoved, this, [this] {
        ShowInfoTip(m_configureButton, tr("Click Me to Edit Your Hotkeys!"), tr(InfoTitle));
    });
    connect(m_exitButton, &velbutton::pointerMoved, this, [this] {
        ShowInfoTip(m_exitButton, tr("Finishing using Tarvex Already?"), tr(InfoTitle));
    });
}

void Tarvex::createLabels()
{
    m_titleLabel = new QLabel(QStringLiteral("Tarvex"), m_themeForm);
    m_titleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_titleLabel->setGeometry(Twips::rect(1800, 750, 2535, 495));
    m_titleLabel->setFont(QFont(QStringLiteral("Tahoma"), 15.75 * 1, QFont::Normal));
    m_titleLabel->setCursor(Qt::PointingHandCursor);
    m_titleLabel->installEventFilter(this);
    m_iconImage = new QLabel(m_themeForm);
    m_iconImage->setObjectName(QStringLiteral("iconImage"));
    m_iconImage->setGeometry(Twips::rect(1200, 720, 480, 480));
    m_iconImage->setPixmap(ProgramIcon::icon().pixmap(32, 32));
    // This label sits on the form itself, beneath the frame that covers the whole window, so
    // its one-pixel strip of text never shows.
    m_hiddenAdvancedLabel = new QLabel(tr("Show Advanced Options"), this);
    m_hiddenAdvancedLabel->setObjectName(QStringLiteral("hiddenAdvancedLabel"));
    m_hiddenAdvancedLabel->setGeometry(Twips::rect(0, 0, 2295, 15));
    m_hiddenAdvancedLabel->lower();
    // Never seen, so hidden: screen readers would otherwise read it out as showing.
    m_hiddenAdvancedLabel->hide();
    m_advancedLink = new Hyperlink(m_themeForm, QStringLiteral("advancedLink"));
    m_advancedLink->setObjectName(QStringLiteral("advancedLink"));
    m_advancedLink->SetCaption(tr(ShowAdvanced));
    // Sized to its text: the caption grows to "Hide Advanced Settings".
    m_advancedLink->SetAutoSize(true);
    m_advancedLink->move(Twips::rect(240, 4230, 1800, 195).topLeft());
    connect(m_advancedLink, &Hyperlink::Jump, this, &Tarvex::toggleAdvancedOptions);
    // Whether the hotkeys run, at the foot across from "Show Advanced Settings".
    m_hotkeyState = new QLabel(HotkeysOffText(), m_themeForm);
    m_hotkeyState->setObjectName(QStringLiteral("HotkeyState"));
    m_hotkeyState->setGeometry(Twips::rect(2520, 4215, 2055, 225));
    m_hotkeyState->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void Tarvex::createOptions()
{
    m_runAtLoginBox = new QCheckBox(tr("Run Tarvex When I Login"), m_themeForm);
    m_runAtLoginBox->setObjectName(QStringLiteral("runAtLoginBox"));
    m_runAtLoginBox->setGeometry(Twips::rect(360, 4540, 3735, 255));
    m_runAtLoginBox->hide();
    m_noNotificationBox = new QCheckBox(tr("Disable Notification"), m_themeForm);
    m_noNotificationBox->setObjectName(QStringLiteral("noNotificationBox"));
    m_noNotificationBox->setGeometry(Twips::rect(360, 4800, 1815, 255));
    m_noNotificationBox->hide();
    // A desktop font wider than the designed one would cut the captions: the boxes grow to
    // their text (there is room to the right).
    for (QCheckBox* box : {m_runAtLoginBox, m_noNotificationBox}) {
        const QSize text = box->sizeHint();
        box->resize(std::max(box->width(), text.width()), std::max(box->height(), text.height()));
    }
    // `clicked` comes from the user only, so setting the boxes at load stores nothing.
    connect(m_runAtLoginBox, &QCheckBox::clicked, this, &Tarvex::storeRunAtLogin);
    connect(m_noNotificationBox, &QCheckBox::clicked, this, &Tarvex::storeNotificationChoice);
    // Always at hand, so it stands in the foot below the designed controls (layOutFoot), where
    // the window grows to hold it; the pause lasts for the run only, nothing is stored.
    m_pauseBox = new QCheckBox(tr("Pause Hotkeys"), m_themeForm);
    m_pauseBox->setObjectName(QStringLiteral("pauseBox"));
    m_pauseBox->resize(m_pauseBox->sizeHint());
    connect(m_pauseBox, &QCheckBox::clicked, this, &Tarvex::pauseChosen);
    layOutFoot();
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
    m_noNotificationBox->setChecked(settings.startupNote() == 1);
    if (!settings.runChoiceStored()) {
        m_runAtLoginBox->setChecked(true);
        storeRunAtLogin();
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
    for (velbutton* button : {m_startButton, m_configureButton, m_appearanceButton, m_exitButton})
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

void Tarvex::showPaused(bool paused)
{
    m_pauseBox->setChecked(paused);
}

void Tarvex::askAboutHelp()
{
    // Asked over this window, centred on it.
    if (m_dialogs.askYesNo(this, ProgramTitle, tr("Do you need help with using Tarvex?")))
        Q_EMIT helpRequested();
}

void Tarvex::toggleAdvancedOptions()
{
    m_noNotificationBox->setVisible(!m_noNotificationBox->isVisible());
    m_runAtLoginBox->setVisible(!m_runAtLoginBox->isVisible());
    const int growth = Twips::toPixels(AdvancedGrowth);
    const int height =
        m_runAtLoginBox->isVisible() ? this->height() + growth : this->height() - growth;
    setFixedSize(width(), height);
    layOutFoot();
    m_advancedLink->SetCaption(
        tr(m_advancedLink->Caption() == tr(ShowAdvanced) ? HideAdvanced : ShowAdvanced));
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
    m_keyboardAccess->setButtonStyle(m_startButton->ButtonStyle());
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

// "Pause Hotkeys", the keyboard note (with the button that asks for the key reader's permission)
// and the list of hidden windows stand below the designed controls (and the start-up options when
// they are shown), one under the other; the window grows to hold them.
void Tarvex::layOutFoot()
{
    const int base = height() - m_footGrowth;
    const int margin = Twips::toPixels(240);
    const int footWidth = width() - 2 * margin;
    int y = base;
    const QList<QWidget*> parts{m_pauseBox, m_keyboardNote, m_keyboardAccess, m_hiddenWindows};
    for (QWidget* part : parts) {
        if (!part || part->isHidden())
            continue;
        if (part == m_pauseBox)
            part->move(Twips::toPixels(360), y);
        else if (part == m_keyboardNote)
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

void Tarvex::storeNotificationChoice()
{
    AppSettings(m_settings).setStartupNote(m_noNotificationBox->isChecked());
}

void Tarvex::storeRunAtLogin()
{
    const bool run = m_runAtLoginBox->isChecked();
    AppSettings(m_settings).setRunChoice(run);
    Q_EMIT runAtLoginChosen(run);
}

void Tarvex::showRunsAtLogin(bool runs)
{
    m_runAtLoginBox->setChecked(runs);
}

bool Tarvex::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && watched == m_titleLabel)
        askAboutHelp();
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
