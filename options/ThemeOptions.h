#pragma once

#include <QWidget>

#include <functional>

class QComboBox;
class QCheckBox;
class QGroupBox;
class QLabel;

namespace tarvex {

class Hyperlink;
class TarvexShell;
class velbutton;
class velForms;

/// The appearance options window "Customize Tarvex Appearance": frame colour and style, button
/// style, the activation sound and the notification choice. Apply and OK store the look codes
/// and push them onto the main window; a preview shows them on this window first.
class ThemeOptions final : public QWidget
{
    Q_OBJECT

public:
    /// Designed client size in twips; the window grows to show every control placed below.
    static constexpr int DesignedWidth = 6150;
    static constexpr int DesignedHeight = 5145;
    /// Caption of the sound link while no file is chosen.
    static const QString NoSoundCaption;

    /// Asks the user for a file: parent, title, filter, starting folder; "" when cancelled.
    using FileChooser =
        std::function<QString(QWidget*, const QString&, const QString&, const QString&)>;

    /// Builds the window's controls and runs its load (icons, topmost, lists, boxes, link).
    explicit ThemeOptions(TarvexShell& shell, QWidget* parent = nullptr);
    ~ThemeOptions() override;

    /// The opening from the main window: frame style from the store, then shown and active.
    void openFromMainWindow();
    /// Pushes the current selections onto the main window's frame and buttons.
    void ChangesF();
    /// Returns the characters of `path` after its last "/" (the whole path when it has none).
    static QString FileNameOfPath(const QString& path);
    /// The full path of the chosen sound file (the link's tag); "" when none.
    QString soundPath() const;
    /// Replaces the open-file dialog (tests).
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

    /// Apply: stores the three look codes and pushes them onto the main window.
    void cmdApply_Click();
    /// OK: stores everything, pushes the look, brings back the main window, unloads.
    void cmdOK_Click();
    /// Cancel: hides (staying loaded), re-applies the stored look to the main window.
    void cmdCancel_Click();
    /// The sound link's Jump: the "Select sound file" dialog; a chosen file plays once.
    void soundFile_Jump();

    /// Controls, by their designer names (for the shell and for tests).
    velForms* ThemeForm() const { return m_themeForm; }
    QGroupBox* Frame1() const { return m_frame1; }
    QGroupBox* Frame2() const { return m_frame2; }
    QGroupBox* Frame3() const { return m_frame3; }
    QLabel* Label1() const { return m_label1; }
    QLabel* Label2() const { return m_label2; }
    QComboBox* theme() const { return m_theme; }
    QComboBox* wStyle() const { return m_wStyle; }
    QComboBox* btnTHEME() const { return m_btnTheme; }
    QCheckBox* chkSoundEffect() const { return m_chkSoundEffect; }
    Hyperlink* soundFile() const { return m_soundFile; }
    QCheckBox* chkNotification() const { return m_chkNotification; }
    QCheckBox* prev() const { return m_prev; }
    velbutton* cmdOK() const { return m_cmdOK; }
    velbutton* cmdCancel() const { return m_cmdCancel; }
    velbutton* cmdApply() const { return m_cmdApply; }

Q_SIGNALS:
    /// OK finished: the window asks its owner to unload it.
    void unloadRequested();

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
    void Form_Load();
    void Form_Activate();
    void loadSound();
    void fillList(QComboBox* list, const QStringList& entries, int selected);
    void theme_Click();
    void wStyle_Click();
    void btnTHEME_Click();
    void chkSoundEffect_Click();
    void setSoundPath(const QString& path);
    void fitToControls();
    void pushStoredLookToMainWindow();
    void showMainWindowRepainted();
    void record(const QString& error);
    void reportErrors();

    TarvexShell& m_shell;
    FileChooser m_chooseFile;
    QStringList m_errors;
    velForms* m_themeForm = nullptr;
    QGroupBox* m_frame1 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QGroupBox* m_frame3 = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QComboBox* m_theme = nullptr;
    QComboBox* m_wStyle = nullptr;
    QComboBox* m_btnTheme = nullptr;
    QCheckBox* m_chkSoundEffect = nullptr;
    Hyperlink* m_soundFile = nullptr;
    QCheckBox* m_chkNotification = nullptr;
    QCheckBox* m_prev = nullptr;
    velbutton* m_cmdOK = nullptr;
    velbutton* m_cmdCancel = nullptr;
    velbutton* m_cmdApply = nullptr;
};

} // namespace tarvex
