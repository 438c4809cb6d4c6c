#include "editor/EditorDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tarvex {
namespace {

struct AnsweringState
{
    bool on = false;
    QStringList answers;
    QStringList log;
};

AnsweringState& Answering()
{
    static AnsweringState state;
    return state;
}

const QString FileOrFolderTitle = QStringLiteral("Add File or Folder");
const QString FileOrFolderText = QStringLiteral("Do You Want To Add A File Or A Folder?");
const QString FileCaption = QStringLiteral("File");
const QString FolderCaption = QStringLiteral("Folder");

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, EditorDialogs::Title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

const QString EditorDialogs::Title = QStringLiteral("Tarvex");

void EditorDialogs::Inform(QWidget* parent, const QString& text)
{
    if (!Answered(Title, text))
        ShowBox(parent, QMessageBox::Information, text);
}

void EditorDialogs::Warn(QWidget* parent, const QString& text)
{
    if (!Answered(Title, text))
        ShowBox(parent, QMessageBox::Warning, text);
}

QString EditorDialogs::AskFileOrFolder(QWidget* parent)
{
    QString answer;
    if (Answered(FileOrFolderTitle, FileOrFolderText, &answer))
        return answer;
    QMessageBox box(QMessageBox::Information, FileOrFolderTitle, FileOrFolderText,
                    QMessageBox::NoButton, parent);
    QPushButton* file = box.addButton(FileCaption, QMessageBox::YesRole);
    QPushButton* folder = box.addButton(FolderCaption, QMessageBox::NoRole);
    box.setDefaultButton(file);
    box.exec();
    if (box.clickedButton() == file)
        return FileCaption;
    return box.clickedButton() == folder ? FolderCaption : QString();
}

QString EditorDialogs::AskSaveChanges(QWidget* parent)
{
    const QString question = QStringLiteral("Save changes to your hotkeys?");
    QString answer;
    if (Answered(Title, question, &answer))
        return answer;
    QMessageBox box(QMessageBox::Question, Title, question,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    if (clicked == QMessageBox::Yes)
        return QStringLiteral("Yes");
    return clicked == QMessageBox::No ? QStringLiteral("No") : QStringLiteral("Cancel");
}

QString EditorDialogs::OpenFile(QWidget* parent, const QString& title)
{
    QString answer;
    if (Answered(title, QString(), &answer))
        return answer;
    return QFileDialog::getOpenFileName(parent, title);
}

QString EditorDialogs::ChooseFolder(QWidget* parent, const QString& title)
{
    QString answer;
    if (Answered(title, QString(), &answer))
        return answer;
    return QFileDialog::getExistingDirectory(parent, title, QString(), QFileDialog::ShowDirsOnly);
}

void EditorDialogs::SetAnswering(bool on)
{
    Answering() = AnsweringState{on, {}, {}};
}

void EditorDialogs::QueueAnswer(const QString& answer)
{
    Answering().answers.append(answer);
}

const QStringList& EditorDialogs::Log()
{
    return Answering().log;
}

bool EditorDialogs::Answered(const QString& title, const QString& text, QString* answer)
{
    AnsweringState& state = Answering();
    if (!state.on)
        return false;
    state.log.append(title + QLatin1Char('|') + text);
    const QString next = state.answers.isEmpty() ? QString() : state.answers.takeFirst();
    if (answer)
        *answer = next;
    return true;
}

} // namespace tarvex
