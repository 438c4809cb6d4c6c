#include "shell/MessageBoxConfirmation.h"

#include "shell/ProgramIcon.h"

#include <QMessageBox>

namespace tarvex {

bool MessageBoxConfirmation::askYesNo(const QString& question, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Yes | QMessageBox::No);
    SetWindowIcons(&box);
    box.setDefaultButton(QMessageBox::Yes);
    // Closing the box counts as No.
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxConfirmation::showInformation(const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tarvex"), text, QMessageBox::Ok);
    SetWindowIcons(&box);
    box.exec();
}

} // namespace tarvex
