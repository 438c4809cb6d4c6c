#pragma once

#include <QString>

namespace tarvex {

/// A modal Yes/No question with the question icon (the app shows it with QMessageBox).
class ConfirmationBox
{
public:
    virtual ~ConfirmationBox() = default;

    /// Asks `question` under the window title `title` (may be empty); true only for Yes.
    virtual bool askYesNo(const QString& question, const QString& title) = 0;
};

} // namespace tarvex
