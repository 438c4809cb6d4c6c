#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tarvex {

class ArgumentsField;
class CaptureBox;
class Dialogs;
class velbutton;
class velForms;

/// The add-hotkey wizard "Hotkey Wizard": one panel per step, from the kind of action through
/// the target to the key combination. It changes nothing itself; the editor adds its result.
class FormWizard final : public QDialog
{
    Q_OBJECT

public:
    /// The result of a cancelled wizard, three times.
    static const QString None;

    /// A wizard at its first step, owned by `owner`; its messages and choosers go through
    /// `dialogs`, which must outlive it.
    explicit FormWizard(Dialogs& dialogs, QWidget* owner = nullptr);
    ~FormWizard() override;

    /// Shows a fresh wizard modally over `owner` and returns (kind word "File", "URL" or
    /// "Special", target, combination), or "none" three times when it was closed early; a
    /// file chosen with arguments has them as a fourth text.
    static QStringList GetUserHotkey(Dialogs& dialogs, QWidget* owner);
    /// The three texts GetUserHotkey returns for this wizard as it stands.
    QStringList result() const;
    /// The panel shown now.
    QWidget* currentPanel() const { return m_current; }
    /// Shows the wizard centred over its owner, placed before it is shown (see
    /// velForms::placeBeforeShowing for why), or hides it.
    void setVisible(bool visible) override;

Q_SIGNALS:
    /// F1: the help document is to be opened.
    void helpRequested();

private:
    QWidget* addPanel(const char* name, const QString& caption);
    velbutton* addButton(QWidget* panel, const char* name, const QString& caption, int top);
    void createStep1();
    void createOpenFile();
    void createEnterWebsite();
    void createSpecialAction();
    void createChooseTarget();
    void addArgumentsField();
    void createChooseKey();
    void showPanel(QWidget* panel);
    void chooseTarget(const QString& kindWord, const QString& target);
    void placeOverOwner();

    void websiteDone();
    void specialDone();
    void chooseFileClicked();
    void chooseFolderClicked();
    void keyDone();

    Dialogs& m_dialogs;
    velForms* m_frame = nullptr;
    QWidget* m_current = nullptr;
    QWidget* m_step1 = nullptr;
    QWidget* m_openFile = nullptr;
    QWidget* m_enterWebsite = nullptr;
    QWidget* m_specialAction = nullptr;
    QWidget* m_sOpenFile = nullptr;
    QWidget* m_sOpenFolder = nullptr;
    QWidget* m_chooseKey = nullptr;
    QLineEdit* m_txtURL = nullptr;
    QComboBox* m_sp = nullptr;
    CaptureBox* m_txtKey = nullptr;
    ArgumentsField* m_arguments = nullptr;
    QString m_kindWord;
    QString m_target;
    QString m_combination;
    QString m_chosenArguments;
    bool m_finished = false;
};

} // namespace tarvex
