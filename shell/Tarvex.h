#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;

namespace tarvex {

class AppSettings;
class Hyperlink;
class TarvexShell;
class velbutton;
class velForms;

/// The main window: start the hotkeys, configure them, customize the look, exit; the two
/// start-up options behind "Show Advanced Settings"; the help question.
class Tarvex final : public QWidget
{
    Q_OBJECT

public:
    /// Designed client size (twips) and the growth that shows the advanced settings.
    static constexpr int DesignedWidth = 4965;
    static constexpr int DesignedHeight = 4575;
    static constexpr int AdvancedGrowth = 600;
    /// The line that says whether the hotkeys run.
    static const QString HotkeysRunningText;
    static const QString HotkeysOffText;

    /// Builds the window's controls (hidden); load() runs its load steps.
    explicit Tarvex(TarvexShell& shell, QWidget* parent = nullptr);
    ~Tarvex() override;

    /// The window's load: stored look, start-up options, first-run login entry, hotkeys off,
    /// icons, the run's hook; then shows itself or, for "automatic", starts the hotkeys.
    void load();

    /// Sets the style code of the four buttons.
    void ButtonCfg(qint16 s);
    /// Sets the style code of the window frame.
    void cStyle(qint32 s);
    /// Sets the colour code of the window frame.
    void setThemeColor(qint32 color);
    /// Says whether the hotkeys run (the line at the window's foot).
    void showHotkeysRunning(bool running);
    /// The line that says whether the hotkeys run.
    QLabel* hotkeyState() const { return m_hotkeyState; }
    /// Shows `text` (why the keyboard cannot be read, and the fix) below the buttons, growing
    /// the window to hold it; an empty text removes it.
    void setKeyboardNote(const QString& text);
    /// The keyboard note, or nullptr while none was ever shown.
    QLabel* KeyboardNote() const { return m_keyboardNote; }
    /// Receives a hidden-window icon's double-click: Button 1 restores the window of slot Shift.
    void Tarvex_Mouse(int Button, int Shift, int X, int Y);

    /// Controls, by their designer names (for the shell and for tests).
    velbutton* Command1() const { return m_command1; }
    velbutton* Command2() const { return m_command2; }
    velbutton* Command3() const { return m_command3; }
    velbutton* Command4() const { return m_command4; }
    QLabel* Label1() const { return m_label1; }
    QLabel* Label2() const { return m_label2; }
    Hyperlink* Label3() const { return m_label3; }
    QLabel* Image1() const { return m_image1; }
    QCheckBox* hks() const { return m_hks; }
    QCheckBox* Check1() const { return m_check1; }
    velForms* ThemeForm() const { return m_themeForm; }

    /// The help question and, on Yes, the help file (`Label1` click).
    void Label1_Click();
    /// Shows or hides the two start-up options and resizes the window (`Label3` click).
    void Label3_Click();
    /// Stores "Disable Notification" (`Check1` click).
    void Check1_Click();
    /// Stores "Run Tarvex When I Login" and writes or removes the login entry (`hks` click).
    void hks_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createFrame();
    void createButtons();
    void createLabels();
    void createOptions();
    void applyStoredLook();
    void showLoginEntryState();

    TarvexShell& m_shell;
    velForms* m_themeForm = nullptr;
    velbutton* m_command1 = nullptr;
    velbutton* m_command2 = nullptr;
    velbutton* m_command3 = nullptr;
    velbutton* m_command4 = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    Hyperlink* m_label3 = nullptr;
    QLabel* m_image1 = nullptr;
    QCheckBox* m_hks = nullptr;
    QCheckBox* m_check1 = nullptr;
    QLabel* m_hotkeyState = nullptr;
    QLabel* m_keyboardNote = nullptr;
    int m_keyboardNoteGrowth = 0;
};

} // namespace tarvex
