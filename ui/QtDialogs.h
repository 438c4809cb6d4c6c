#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QPointer>

class QMessageBox;

namespace tarvex {

/// The dialogs as Qt draws them on every desktop: message boxes with the program's icon and the
/// desktop's file and folder choosers. Boxes that do not wait and are still open when this goes
/// are closed (a question as if No was chosen).
class QtDialogs final : public Dialogs
{
public:
    QtDialogs() = default;
    ~QtDialogs() override;
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;

    void inform(QWidget* parent, const QString& title, const QString& text) override;
    void warn(QWidget* parent, const QString& title, const QString& text) override;
    Answer ask(QWidget* parent, const QString& title, const QString& question,
               bool withCancel) override;
    QString choose(QWidget* parent, const QString& title, const QString& text,
                   const QStringList& choices) override;
    QString chooseFile(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter) override;
    QString chooseSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                           const QString& filter) override;
    QString chooseFolder(QWidget* parent, const QString& title) override;
    void informLater(const QString& title, const QString& text) override;
    void askLater(const QString& title, const QString& question,
                  std::function<void(bool yes)> answered) override;

private:
    void showLater(QMessageBox* box);

    QList<QPointer<QMessageBox>> m_open;
};

} // namespace tarvex
