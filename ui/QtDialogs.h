#pragma once

#include "platform/Dialogs.h"

namespace tarvex {

/// The dialogs as Qt draws them on every desktop: message boxes with the program's icon and the
/// desktop's file and folder choosers.
class QtDialogs final : public Dialogs
{
public:
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    void warn(QWidget* parent, const QString& title, const QString& text) override;
    Answer ask(QWidget* parent, const QString& title, const QString& question,
               bool withCancel) override;
    QString choose(QWidget* parent, const QString& title, const QString& text,
                   const QStringList& choices) override;
    QString chooseFile(QWidget* parent, const QString& title, const QString& folder,
                       const QString& filter) override;
    QString chooseFolder(QWidget* parent, const QString& title) override;
};

} // namespace tarvex
