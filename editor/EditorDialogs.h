#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tarvex {

/// The message boxes and file dialogs of the editor and the wizard, in one place so that tests
/// can answer them: in answering mode no dialog is shown, each request is logged as
/// "title|text" and takes the next queued answer (an empty text when none is left).
class EditorDialogs final
{
public:
    /// The title of the program's message boxes.
    static const QString Title;

    /// Shows `text` in a box titled "Tarvex" with the information icon and an OK button.
    static void Inform(QWidget* parent, const QString& text);
    /// Shows `text` in a box titled "Tarvex" with the warning icon and an OK button.
    static void Warn(QWidget* parent, const QString& text);
    /// Asks "Do You Want To Add A File Or A Folder?"; returns "File", "Folder" or "" (closed).
    static QString AskFileOrFolder(QWidget* parent);
    /// Asks "Save changes to your hotkeys?"; returns "Yes", "No" or "Cancel" (also when the box
    /// is closed without an answer).
    static QString AskSaveChanges(QWidget* parent);
    /// The open-file dialog with `title`; returns the chosen file or "" when cancelled.
    static QString OpenFile(QWidget* parent, const QString& title);
    /// The folder browser with `title` (file-system folders only); returns the folder or "".
    static QString ChooseFolder(QWidget* parent, const QString& title);

    /// Switches answering mode on (tests) or off, clearing the queue and the log.
    static void SetAnswering(bool on);
    /// Queues the answer of the next dialog in answering mode.
    static void QueueAnswer(const QString& answer);
    /// The dialogs requested in answering mode, as "title|text", oldest first.
    static const QStringList& Log();

private:
    static bool Answered(const QString& title, const QString& text, QString* answer = nullptr);
};

} // namespace tarvex
