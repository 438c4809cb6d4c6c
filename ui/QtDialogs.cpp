#include "ui/QtDialogs.h"

#include "ui/ProgramIcon.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tarvex {
namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    SetWindowIcons(&box);
    box.exec();
}

} // namespace

void QtDialogs::inform(QWidget* parent, const QString& title, const QString& text)
{
    ShowBox(parent, QMessageBox::Information, title, text);
}

void QtDialogs::warn(QWidget* parent, const QString& title, const QString& text)
{
    ShowBox(parent, QMessageBox::Warning, title, text);
}

// A box left without a button (closed, or its event loop ended with the program) counts as
// the Escape button: No, or Cancel where it is offered.
Dialogs::Answer QtDialogs::ask(QWidget* parent, const QString& title, const QString& question,
                               bool withCancel)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, title, question, buttons, parent);
    SetWindowIcons(&box);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return withCancel ? Answer::Cancel : Answer::No;
    }
}

QString QtDialogs::choose(QWidget* parent, const QString& title, const QString& text,
                          const QStringList& choices)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, parent);
    SetWindowIcons(&box);
    QList<QPushButton*> buttons;
    for (const QString& choice : choices) {
        // The first button is the affirmative one, the others its alternatives.
        const QMessageBox::ButtonRole role =
            buttons.isEmpty() ? QMessageBox::YesRole : QMessageBox::NoRole;
        buttons.append(box.addButton(choice, role));
    }
    if (!buttons.isEmpty())
        box.setDefaultButton(buttons.first());
    box.exec();
    const qsizetype pressed = buttons.indexOf(box.clickedButton());
    return pressed < 0 ? QString() : choices.at(pressed);
}

QString QtDialogs::chooseFile(QWidget* parent, const QString& title, const QString& folder,
                              const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtDialogs::chooseFolder(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title, QString(), QFileDialog::ShowDirsOnly);
}

} // namespace tarvex
