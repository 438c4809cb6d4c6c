#include "ui/QtDialogs.h"

#include "ui/ProgramIcon.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace tarvex {
namespace {

// A message box centred on the window it belongs to: its parent's window, or for a message
// of the program as a whole the program's window in front; kept inside that screen's work area.
class CentredBox final : public QMessageBox
{
public:
    CentredBox(Icon icon, const QString& title, const QString& text, StandardButtons buttons,
               QWidget* parent)
        : QMessageBox(icon, title, text, buttons, parent),
          m_owner(parent ? parent->window() : QApplication::activeWindow())
    {
        SetWindowIcons(this);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event); // lays the box out at its final size
        if (!m_owner || !m_owner->isVisible())
            return;
        const QRect owner = m_owner->frameGeometry();
        QRect box = frameGeometry();
        box.moveCenter(owner.center());
        if (const QScreen* screen = m_owner->screen()) {
            const QRect area = screen->availableGeometry();
            box.moveLeft(std::clamp(box.left(), area.left(),
                                    std::max(area.left(), area.right() - box.width() + 1)));
            box.moveTop(std::clamp(box.top(), area.top(),
                                   std::max(area.top(), area.bottom() - box.height() + 1)));
        }
        move(box.topLeft());
    }

private:
    QPointer<QWidget> m_owner;
};

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text)
{
    CentredBox box(icon, title, text, QMessageBox::Ok, parent);
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
    CentredBox box(QMessageBox::Question, title, question, buttons, parent);
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
    CentredBox box(QMessageBox::Information, title, text, QMessageBox::NoButton, parent);
    QList<QPushButton*> buttons;
    for (const QString& choice : choices) {
        // The first button is the affirmative one, the others its alternatives.
        const QMessageBox::ButtonRole role =
            buttons.isEmpty() ? QMessageBox::YesRole : QMessageBox::NoRole;
        buttons.append(box.addButton(choice, role));
    }
    if (!buttons.isEmpty())
        box.setDefaultButton(buttons.first());
    // Escape and the window's close box take Cancel, never one of the choices.
    box.setEscapeButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    const qsizetype pressed = buttons.indexOf(box.clickedButton());
    return pressed < 0 ? QString() : choices.at(pressed);
}

QtDialogs::~QtDialogs()
{
    for (const QPointer<QMessageBox>& box : std::as_const(m_open))
        if (box)
            box->close();
}

// A box that waits for nobody: it belongs to no window, deletes itself once closed, and comes
// to the front, since whatever the user was doing goes on meanwhile.
void QtDialogs::showLater(QMessageBox* box)
{
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    m_open.removeAll(nullptr);
    m_open.append(box);
    box->show();
    box->raise();
    box->activateWindow();
}

void QtDialogs::informLater(const QString& title, const QString& text)
{
    showLater(new CentredBox(QMessageBox::Information, title, text, QMessageBox::Ok, nullptr));
}

void QtDialogs::askLater(const QString& title, const QString& question,
                         std::function<void(bool yes)> answered)
{
    for (const QPointer<QMessageBox>& open : std::as_const(m_open)) {
        if (open && open->windowTitle() == title && open->text() == question && open->isVisible()) {
            open->raise();
            open->activateWindow();
            return;
        }
    }
    auto* box = new CentredBox(QMessageBox::Question, title, question,
                               QMessageBox::Yes | QMessageBox::No, nullptr);
    // A question that ends the session waits for a deliberate Yes: Enter, Escape and the
    // window's close box all answer No.
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    QObject::connect(box, &QMessageBox::finished, box, [box, answered = std::move(answered)] {
        if (answered)
            answered(box->standardButton(box->clickedButton()) == QMessageBox::Yes);
    });
    showLater(box);
}

QString QtDialogs::chooseFile(QWidget* parent, const QString& title, const QString& folder,
                              const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtDialogs::chooseSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                                  const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

QString QtDialogs::chooseFolder(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title, QString(), QFileDialog::ShowDirsOnly);
}

} // namespace tarvex
