#pragma once

#include "platform/ConfirmationBox.h"

namespace tarvex {

/// The desktop's Yes/No question: a modal message box with the question icon.
class MessageBoxConfirmation final : public ConfirmationBox
{
public:
    /// Asks `question` under `title` (the program name when empty); true only for Yes.
    bool askYesNo(const QString& question, const QString& title) override;

    /// Shows `text` in a modal box titled "Tarvex" with the information icon and OK.
    static void showInformation(const QString& text);
};

} // namespace tarvex
