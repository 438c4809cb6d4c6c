#include "options/ThemeOptions.h"

#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "platform/Dialogs.h"
#include "platform/SoundPlayer.h"
#include "store/AppSettings.h"
#include "ui/AppearanceChoices.h"
#include "ui/ProgramIcon.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QShortcut>

namespace tarvex {
namespace {

const char* const TagProperty = "Tag";
const char* const DialogTitle = QT_TRANSLATE_NOOP("tarvex::ThemeOptions", "Select sound file");
const char* const WavFilter =
    QT_TRANSLATE_NOOP("tarvex::ThemeOptions", "WAV Sound Files (*.wav *.WAV)");
constexpr int BottomMargin = 120; // twips below the lowest control

} // namespace

QString ThemeOptions::NoSoundCaption()
{
    return tr("Click to select sound file");
}

ThemeOptions::ThemeOptions(SettingsStore& settings, SoundPlayer& sound, Dialogs& dialogs,
                           const QString& programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window), m_settings(settings), m_sound(sound), m_dialogs(dialogs),
      m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("ThemeOptions"));
    setWindowTitle(tr("Customize Tarvex Appearance"));
    setFixedSize(Twips::toPixels(DesignedWidth), Twips::toPixels(DesignedHeight));
    createFrame();
    createWindowOptions();
    createButtonOptions();
    createTarvexOptions();
    createButtons();
    connectControls();
    fitToControls();
    loadStoredChoices();
}

ThemeOptions::~ThemeOptions() = default;

void ThemeOptions::connectControls()
{
    connect(m_theme, &QComboBox::currentIndexChanged, this, &ThemeOptions::onThemeChosen);
    connect(m_wStyle, &QComboBox::currentIndexChanged, this, &ThemeOptions::onWindowStyleChosen);
    connect(m_btnTheme, &QComboBox::currentIndexChanged, this, &ThemeOptions::onButtonStyleChosen);
    connect(m_chkSoundEffect, &QCheckBox::toggled, this, &ThemeOptions::onSoundEffectToggled);
    connect(m_soundFile, &Hyperlink::Jump, this, &ThemeOptions::soundFile_Jump);
    connect(m_okButton, &velbutton::clicked, this, &ThemeOptions::acceptChoices);
    connect(m_cancelButton, &velbutton::clicked, this, &ThemeOptions::cancelChoices);
    connect(m_applyButton, &velbutton::clicked, this, &ThemeOptions::applyChoices);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &ThemeOptions::helpRequested);
    // Style 1 moves the controls down with its taller title bar: the window follows.
    connect(m_themeForm, &velForms::controlsShifted, this, &ThemeOptions::fitToControls);
}

// The designed client height leaves `prev` and `applyButton` below the window's edge: the window
// is made tall enough for its lowest control, so every control can be seen and reached.
void ThemeOptions::fitToControls()
{
    int bottom = Twips::toPixels(DesignedHeight) - Twips::toPixels(BottomMargin);
    for (QWidget* child : m_themeForm->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && !child->isHidden())
            bottom = std::max(bottom, child->geometry().bottom() + 1);
    }
    setFixedSize(width(), bottom + Twips::toPixels(BottomMargin));
}

void ThemeOptions::loadStoredChoices()
{
    const SettingsStore& store = m_settings;
    SetWindowIcons(this);
    m_themeForm->setThemeColor(AppearanceChoices::StoredThemeColor(store));
    m_themeForm->setAlwaysOnTop(true);
    fillList(m_theme, AppearanceChoices::WindowColors(),
             AppearanceChoices::StoredThemeColor(store));
    m_themeForm->setThemeColor(m_theme->currentIndex());
    fillList(m_btnTheme, AppearanceChoices::ButtonStyles(),
             AppearanceChoices::StoredButtonStyle(store));
    fillList(m_wStyle, AppearanceChoices::WindowStyles(),
             AppearanceChoices::StoredFrameStyle(store));
    m_chkNotification->setChecked(AppearanceChoices::StoredNotification(store));
    loadSound();
}

// Fills `list` without running its selection handler, then selects `selected` the way a user
// would, so the handler (and with it the preview) runs once for the loaded choice.
void ThemeOptions::fillList(QComboBox* list, const QStringList& entries, int selected)
{
    {
        const QSignalBlocker quiet(list);
        list->clear();
        list->addItems(entries);
        list->setCurrentIndex(-1);
    }
    list->setCurrentIndex(selected);
}

void ThemeOptions::loadSound()
{
    const QString sound = AppSettings(m_settings).activationSound(m_programFolder);
    if (sound.isEmpty()) {
        m_soundFile->SetEnabled(false);
        m_soundFile->SetCaption(NoSoundCaption());
        setSoundPath(QString());
        m_chkSoundEffect->setChecked(false);
    } else {
        m_soundFile->SetEnabled(true);
        setSoundPath(sound);
        m_soundFile->SetCaption(FileNameOfPath(sound));
        m_chkSoundEffect->setChecked(true);
    }
}

QString ThemeOptions::soundPath() const
{
    return m_soundFile->property(TagProperty).toString();
}

void ThemeOptions::setSoundPath(const QString& path)
{
    m_soundFile->setProperty(TagProperty, path);
    m_soundFile->setToolTip(path); // the caption shows the file name only
}

QString ThemeOptions::FileNameOfPath(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

void ThemeOptions::openFromMainWindow()
{
    m_themeForm->setStyle(AppearanceChoices::StoredFrameStyle(m_settings));
    m_theme->setFocus();
    m_themeForm->placeBeforeShowing();
    show();
    activateWindow();
}

void ThemeOptions::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showStoredButtonStyle();
}

// Whenever the window comes to the front its own buttons show the stored button style.
void ThemeOptions::showStoredButtonStyle()
{
    const int style = AppearanceChoices::StoredButtonStyle(m_settings);
    for (velbutton* button : {m_okButton, m_cancelButton, m_applyButton})
        button->setButtonStyle(ButtonStyleKind(style));
}

void ThemeOptions::onThemeChosen()
{
    if (m_prev->isChecked())
        m_themeForm->setThemeColor(m_theme->currentIndex());
}

void ThemeOptions::onWindowStyleChosen()
{
    if (m_prev->isChecked())
        m_themeForm->setStyle(m_wStyle->currentIndex());
}

void ThemeOptions::onButtonStyleChosen()
{
    if (!m_prev->isChecked())
        return;
    m_okButton->setButtonStyle(ButtonStyleKind(m_btnTheme->currentIndex()));
    m_cancelButton->setButtonStyle(ButtonStyleKind(m_btnTheme->currentIndex()));
}

void ThemeOptions::onSoundEffectToggled()
{
    m_soundFile->SetEnabled(m_chkSoundEffect->isChecked());
}

// A cancelled dialog changes nothing; a chosen file is played once so the user hears it.
void ThemeOptions::soundFile_Jump()
{
    const QString folder = soundPath().isEmpty() ? QString() : QFileInfo(soundPath()).path();
    const QString file = m_dialogs.chooseFile(this, tr(DialogTitle), folder, tr(WavFilter));
    if (file.isEmpty())
        return;
    setSoundPath(file);
    m_soundFile->SetCaption(FileNameOfPath(file));
    m_sound.playAsync(file);
}

// The frame style goes out as stored: a style that could not be stored is not shown.
void ThemeOptions::ChangesF()
{
    Q_EMIT lookApplied(AppearanceChoices::StoredFrameStyle(m_settings), m_theme->currentIndex(),
                       m_btnTheme->currentIndex());
}

void ThemeOptions::applyChoices()
{
    AppSettings settings(m_settings);
    record(settings.setButtonStyle(qint16(m_btnTheme->currentIndex())));
    record(settings.setThemeColor(m_theme->currentIndex()));
    record(settings.setFrameStyle(m_wStyle->currentIndex()));
    ChangesF();
    reportErrors();
}

// Every step runs even when storing fails; the failures are reported together at the end.
void ThemeOptions::acceptChoices()
{
    AppSettings settings(m_settings);
    record(settings.setThemeColor(m_theme->currentIndex()));
    record(settings.setButtonStyle(qint16(m_btnTheme->currentIndex())));
    record(settings.setFrameStyle(m_wStyle->currentIndex()));
    record(settings.setActivationSound(m_chkSoundEffect->isChecked() ? soundPath() : QString()));
    record(settings.setActivationNotification(m_chkNotification->isChecked()));
    ChangesF();
    Q_EMIT mainWindowRequested();
    hide();
    reportErrors();
    Q_EMIT unloadRequested();
}

void ThemeOptions::cancelChoices()
{
    hide();
    Q_EMIT cancelled();
}

// The window has no close button; a close from the window manager or the frame's menu
// leaves it the way Cancel does, so the hidden main window always comes back.
void ThemeOptions::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (isVisible())
        cancelChoices();
}

void ThemeOptions::record(const QString& error)
{
    if (!error.isEmpty() && !m_errors.contains(error))
        m_errors.append(error);
}

void ThemeOptions::reportErrors()
{
    if (m_errors.isEmpty())
        return;
    const QString text =
        tr("Your appearance choices could not all be saved:\n\n") + m_errors.join(u'\n');
    m_errors.clear();
    m_dialogs.inform(nullptr, ProgramTitle, text);
}

} // namespace tarvex
