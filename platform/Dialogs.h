#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace tarvex {

/// The program's modal dialogs: messages, questions and the file and folder choosers. Each
/// takes the window it belongs to (nullptr: none), so a dialog stays above its window.
///
/// A dialog that ends without an answer (closed by the window manager, or every event loop
/// left because the program is ending) answers as closed: No, Cancel where it is offered, no
/// choice, no file.
class Dialogs
{
public:
    /// The answers to a question.
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;

    /// Shows `text` under `title` with the information icon and an OK button.
    virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
    /// Shows `text` under `title` with the warning icon and an OK button.
    virtual void warn(QWidget* parent, const QString& title, const QString& text) = 0;
    /// Asks `question` under `title` with the question icon and the buttons Yes and No, and
    /// with `withCancel` also Cancel. Yes is the default button.
    virtual Answer ask(QWidget* parent, const QString& title, const QString& question,
                       bool withCancel = false) = 0;
    /// Asks `text` under `title` with the information icon, one button per entry of `choices`
    /// (the first the default) and Cancel; returns the caption of the button pressed, or an
    /// empty text for Cancel, Escape or a closed box.
    virtual QString choose(QWidget* parent, const QString& title, const QString& text,
                           const QStringList& choices) = 0;
    /// The open-file dialog titled `title`, starting in `folder` (empty: the dialog's own
    /// choice) and showing the files that `filter` lets through (empty: all); returns the chosen
    /// file, or an empty text when cancelled.
    virtual QString chooseFile(QWidget* parent, const QString& title, const QString& folder = {},
                               const QString& filter = {}) = 0;
    /// The save-file dialog titled `title`, proposing `suggested` (a path) and showing the files
    /// that `filter` lets through; asks before replacing a file. Returns the chosen path, or an
    /// empty text when cancelled.
    virtual QString chooseSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                                   const QString& filter) = 0;
    /// The folder browser titled `title`, showing folders only; returns the chosen folder, or
    /// an empty text when cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& title) = 0;

    /// Shows `text` under `title` with the information icon and an OK button, and returns at
    /// once: the box belongs to no window and nothing waits for it.
    virtual void informLater(const QString& title, const QString& text) = 0;
    /// Asks the Yes/No `question` under `title` with the question icon, No the default button,
    /// and returns at once; `answered` runs once the box is left, with true for Yes only. The
    /// same question still open is brought to the front instead of asked twice (its first
    /// `answered` alone runs).
    virtual void askLater(const QString& title, const QString& question,
                          std::function<void(bool yes)> answered) = 0;

    /// Asks the Yes/No `question`; true only for Yes.
    bool askYesNo(QWidget* parent, const QString& title, const QString& question)
    {
        return ask(parent, title, question) == Answer::Yes;
    }
};

} // namespace tarvex
