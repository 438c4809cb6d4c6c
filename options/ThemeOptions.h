#pragma once

#include <QWidget>

class QComboBox;
class QCheckBox;
class QGroupBox;
class QLabel;

namespace tarvex {

class Dialogs;
class Hyperlink;
class SettingsStore;
class SoundPlayer;
class velbutton;
class velForms;

/// The appearance options window "Customize Tarvex Appearance": frame colour and style, button
/// style, the activation sound and the notification choice. Apply and OK store the look codes
/// and announce them for the main window (lookApplied); a preview shows them on this window
/// first.
class ThemeOptions final : public QWidget
{
    Q_OBJECT

public:
    /// Designed client size in twips; the window grows to show every control placed below.
    static constexpr int DesignedWidth = 6150;
    static constexpr int DesignedHeight = 5145;
    /// Caption of the sound link while no file is chosen.
    static QString NoSoundCaption();

    /// Builds the window's controls and runs its load (icons, topmost, lists, boxes, link).
    /// The choices are read from and stored in `settings`; a chosen sound plays through
    /// `sound`; the sound file is chosen through `dialogs`; the default sound lies in
    /// `programFolder`. All must outlive the window.
    ThemeOptions(SettingsStore& settings, SoundPlayer& sound, Dialogs& dialogs,
                 const QString& programFolder, QWidget* parent = nullptr);
    ~ThemeOptions() override;

    /// The opening from the main window: frame style from the store, then shown and active with
    /// the keyboard on its first list.
    void openFromMainWindow();
    /// Announces the chosen look for the main window's frame and buttons (lookApplied).
    void ChangesF();
    /// Returns the characters of `path` after its last "/" (the whole path when it has none).
    static QString FileNameOfPath(const QString& path);
    /// The full path of the chosen sound file (the link's tag); "" when none.
    QString soundPath() const;

    /// Apply: stores the three look codes and announces them.
    void applyChoices();
    /// OK: stores everything, announces the look, asks for the main window, unloads.
    void acceptChoices();
    /// Cancel: hides (staying loaded) and says so; the stored look goes back to the main window.
    void cancelChoices();
    /// The sound link's Jump: the "Select sound file" dialog; a chosen file plays once.
    void soundFile_Jump();

    /// Controls, by their designer names (for the shell and for tests).
    velForms* ThemeForm() const { return m_themeForm; }
    QGroupBox* windowOptions() const { return m_windowOptions; }
    QGroupBox* buttonOptions() const { return m_buttonOptions; }
    QGroupBox* programOptions() const { return m_programOptions; }
    QLabel* colorLabel() const { return m_colorLabel; }
    QLabel* styleLabel() const { return m_styleLabel; }
    QComboBox* theme() const { return m_theme; }
    QComboBox* wStyle() const { return m_wStyle; }
    QComboBox* btnTHEME() const { return m_btnTheme; }
    QCheckBox* chkSoundEffect() const { return m_chkSoundEffect; }
    Hyperlink* soundFile() const { return m_soundFile; }
    QCheckBox* chkNotification() const { return m_chkNotification; }
    QCheckBox* prev() const { return m_prev; }
    velbutton* okButton() const { return m_okButton; }
    velbutton* cancelButton() const { return m_cancelButton; }
    velbutton* applyButton() const { return m_applyButton; }

Q_SIGNALS:
    /// Apply or OK: the main window is to show the frame style `frameStyle` (the stored one),
    /// the frame colour `themeColor` and the button style `buttonStyle`.
    void lookApplied(int frameStyle, int themeColor, int buttonStyle);
    /// OK: the main window is to come back, drawn anew.
    void mainWindowRequested();
    /// Cancel (also Escape and a close from the window manager): the window is hidden; the main
    /// window is to come back in the stored look.
    void cancelled();
    /// OK finished: the window asks its owner to unload it.
    void unloadRequested();
    /// F1: the help document is to be opened.
    void helpRequested();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createFrame();
    void createWindowOptions();
    void createButtonOptions();
    void createTarvexOptions();
    void createButtons();
    velbutton* createButton(const char* name, const QString& caption, QRect place);
    QComboBox* createList(const char* name, QWidget* parent, QRect place);
    void connectControls();
    void loadStoredChoices();
    void showStoredButtonStyle();
    void loadSound();
    void fillList(QComboBox* list, const QStringList& entries, int selected);
    void onThemeChosen();
    void onWindowStyleChosen();
    void onButtonStyleChosen();
    void onSoundEffectToggled();
    void setSoundPath(const QString& path);
    void fitToControls();
    void record(const QString& error);
    void reportErrors();

    SettingsStore& m_settings;
    SoundPlayer& m_sound;
    Dialogs& m_dialogs;
    QString m_programFolder;
    QStringList m_errors;
    velForms* m_themeForm = nullptr;
    QGroupBox* m_windowOptions = nullptr;
    QGroupBox* m_buttonOptions = nullptr;
    QGroupBox* m_programOptions = nullptr;
    QLabel* m_colorLabel = nullptr;
    QLabel* m_styleLabel = nullptr;
    QComboBox* m_theme = nullptr;
    QComboBox* m_wStyle = nullptr;
    QComboBox* m_btnTheme = nullptr;
    QCheckBox* m_chkSoundEffect = nullptr;
    Hyperlink* m_soundFile = nullptr;
    QCheckBox* m_chkNotification = nullptr;
    QCheckBox* m_prev = nullptr;
    velbutton* m_okButton = nullptr;
    velbutton* m_cancelButton = nullptr;
    velbutton* m_applyButton = nullptr;
};

} // namespace tarvex
