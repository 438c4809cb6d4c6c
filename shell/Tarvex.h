#pragma once

#include "ui/HiddenWindowList.h"

#include <QWidget>

class QCheckBox;
class QLabel;

namespace tarvex {

class Dialogs;
class Hyperlink;
class SettingsStore;
class velbutton;
class velForms;

/// The main window: start the hotkeys, configure them, customize the look, exit; the two
/// start-up options behind "Show Advanced Settings"; "Pause Hotkeys" at its foot; the help
/// question. It says what the user asked for through its signals; the shell decides.
class Tarvex final : public QWidget
{
    Q_OBJECT

public:
    /// Designed client size (twips) and the growth that shows the advanced settings.
    static constexpr int DesignedWidth = 4965;
    static constexpr int DesignedHeight = 4575;
    static constexpr int AdvancedGrowth = 600;
    /// The line that says whether the hotkeys run.
    static QString HotkeysRunningText();
    static QString HotkeysOffText();

    /// Builds the window's controls (hidden); load() runs its load steps. The look and the
    /// start-up options are read from and stored in `settings`; the help question goes through
    /// `dialogs`. Both must outlive the window.
    Tarvex(SettingsStore& settings, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Tarvex() override;

    /// Shows the window where it was last hidden (the window manager would place it anew), or
    /// hides it.
    void setVisible(bool visible) override;

    /// The window's own load steps: stored look, start-up options, the first-run login entry
    /// (runAtLoginChosen), icons. Showing it is its owner's choice.
    void load();

    /// Sets the style code of the four buttons.
    void ButtonCfg(qint16 s);
    /// Sets the style code of the window frame.
    void cStyle(qint32 s);
    /// Sets the colour code of the window frame.
    void setThemeColor(qint32 color);
    /// Says whether the hotkeys run (the line at the window's foot).
    void showHotkeysRunning(bool running);
    /// Ticks "Pause Hotkeys" while the user has paused the hotkeys, wherever that was done.
    void showPaused(bool paused);
    /// The line that says whether the hotkeys run.
    QLabel* hotkeyState() const { return m_hotkeyState; }
    /// Shows `text` (why no key reaches Tarvex, and the ways out) below the buttons, growing the
    /// window to hold it, with the button that asks for the key reader's permission when
    /// `offerAccess`; an empty text removes both.
    void setKeyboardNote(const QString& text, bool offerAccess = false);
    /// The keyboard note, or nullptr while none was ever shown.
    QLabel* KeyboardNote() const { return m_keyboardNote; }
    /// Lists the windows hidden by "-Hide Window-" below the buttons (none: no list).
    void setHiddenWindows(const QList<HiddenWindowList::Entry>& entries);
    /// The list of hidden windows, or nullptr while none was ever shown.
    HiddenWindowList* hiddenWindows() const { return m_hiddenWindows; }
    /// The button below the note that asks for the key reader's permission (nullptr likewise).
    velbutton* KeyboardAccess() const { return m_keyboardAccess; }

    /// The window's controls (for the shell and for tests).
    velbutton* startButton() const { return m_startButton; }
    velbutton* configureButton() const { return m_configureButton; }
    velbutton* appearanceButton() const { return m_appearanceButton; }
    velbutton* exitButton() const { return m_exitButton; }
    QLabel* titleLabel() const { return m_titleLabel; }
    QLabel* hiddenAdvancedLabel() const { return m_hiddenAdvancedLabel; }
    Hyperlink* advancedLink() const { return m_advancedLink; }
    QLabel* iconImage() const { return m_iconImage; }
    QCheckBox* runAtLoginBox() const { return m_runAtLoginBox; }
    QCheckBox* noNotificationBox() const { return m_noNotificationBox; }
    QCheckBox* pauseBox() const { return m_pauseBox; }
    velForms* ThemeForm() const { return m_themeForm; }

    /// The help question; Yes asks for the help file (a click on the title).
    void askAboutHelp();
    /// Shows or hides the two start-up options and resizes the window (the advanced-settings link).
    void toggleAdvancedOptions();
    /// Stores "Disable Notification" as the box shows it.
    void storeNotificationChoice();
    /// Stores "Run Tarvex When I Login" and asks for the login entry to follow.
    void storeRunAtLogin();
    /// Ticks "Run Tarvex When I Login" when the login entry exists, whoever made or removed it.
    void showRunsAtLogin(bool runs);

Q_SIGNALS:
    /// " Start Tarvex".
    void startRequested();
    /// " Configure Hotkeys".
    void configureRequested();
    /// " Customize Appearance".
    void appearanceRequested();
    /// "  Exit Tarvex", or a close from the window manager.
    void exitRequested();
    /// Yes to the help question, or F1: the help document is to be opened.
    void helpRequested();
    /// The button below the keyboard note: the user is to be asked to let Tarvex see the keys.
    void keyboardAccessRequested();
    /// "Run Tarvex When I Login" was ticked (`run`) or unticked, or ticked at the first run:
    /// the login entry is to be written or removed.
    void runAtLoginChosen(bool run);
    /// The hidden window of `slot` was chosen from the list to be shown again.
    void hiddenWindowChosen(int slot);
    /// "Pause Hotkeys" was ticked (`paused`) or unticked by the user.
    void pauseChosen(bool paused);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createFrame();
    void createButtons();
    void createLabels();
    void createOptions();
    void applyStoredLook();
    void layOutFoot();
    void createKeyboardNote();

    SettingsStore& m_settings;
    Dialogs& m_dialogs;
    velForms* m_themeForm = nullptr;
    velbutton* m_startButton = nullptr;
    velbutton* m_configureButton = nullptr;
    velbutton* m_appearanceButton = nullptr;
    velbutton* m_exitButton = nullptr;
    QLabel* m_titleLabel = nullptr;
    QLabel* m_hiddenAdvancedLabel = nullptr;
    Hyperlink* m_advancedLink = nullptr;
    QLabel* m_iconImage = nullptr;
    QCheckBox* m_runAtLoginBox = nullptr;
    QCheckBox* m_noNotificationBox = nullptr;
    QCheckBox* m_pauseBox = nullptr;
    QLabel* m_hotkeyState = nullptr;
    QLabel* m_keyboardNote = nullptr;
    HiddenWindowList* m_hiddenWindows = nullptr;
    int m_footGrowth = 0;
    velbutton* m_keyboardAccess = nullptr;
    QPoint m_hiddenAt;
    bool m_wasShown = false;
};

} // namespace tarvex
