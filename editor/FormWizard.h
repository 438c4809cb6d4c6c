#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
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
    /// The kind word of a hotkey that types the text given as its target.
    static const QString TextWord;
    /// Where a finished wizard's result says whether the sequence erases its typed keys, and
    /// the word it says so with (an empty text when not).
    static constexpr int ErasePosition = 4;
    static const QString EraseWord;

    /// A wizard at its first step, owned by `owner`; its messages and choosers go through
    /// `dialogs`, which must outlive it.
    explicit FormWizard(Dialogs& dialogs, QWidget* owner = nullptr);
    ~FormWizard() override;

    /// Shows a fresh wizard modally over `owner` and returns (kind word "File", "URL",
    /// "Special" or "Text", target (for "Text" the text to type), combination, the arguments
    /// of a file (else empty), EraseWord or empty), or "none" three times when it was closed
    /// early.
    static QStringList GetUserHotkey(Dialogs& dialogs, QWidget* owner);
    /// The texts GetUserHotkey returns for this wizard as it stands.
    QStringList result() const;
    /// Says whether this desktop can type keys (`available`), and if not, why (`reason`):
    /// typing a text and erasing the typed keys are offered only where it can.
    void setKeyInjection(bool available, const QString& reason);
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
    void createTypeText();
    void createChooseTarget();
    void addArgumentsField();
    void createChooseKey();
    void showPanel(QWidget* panel);
    void chooseTarget(const QString& kindWord, const QString& target);
    void placeOverOwner();

    void websiteDone();
    void specialDone();
    void typedTextEdited();
    void showEraseBox();
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
    QWidget* m_typeText = nullptr;
    QRadioButton* m_typeTextOption = nullptr;
    QLabel* m_typeTextNote = nullptr;
    QPlainTextEdit* m_typedText = nullptr;
    QLabel* m_typedCount = nullptr;
    velbutton* m_typedDone = nullptr;
    QCheckBox* m_eraseBox = nullptr;
    QLineEdit* m_txtURL = nullptr;
    QComboBox* m_sp = nullptr;
    CaptureBox* m_txtKey = nullptr;
    ArgumentsField* m_arguments = nullptr;
    QString m_kindWord;
    QString m_target;
    QString m_combination;
    QString m_chosenArguments;
    bool m_finished = false;
    bool m_canInject = false;
    QString m_injectionProblem;
    // The box's tick as the user left it; a new printing sequence comes ticked.
    bool m_eraseChosen = true;
};

} // namespace tarvex
