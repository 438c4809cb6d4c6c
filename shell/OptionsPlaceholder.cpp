#include "shell/OptionsPlaceholder.h"

#include "shell/ProgramIcon.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tarvex {

OptionsPlaceholder::OptionsPlaceholder(qint32 frameStyle, QWidget* parent)
    : QWidget(parent), m_frameStyle(frameStyle)
{
    setObjectName(QStringLiteral("ThemeOptions"));
    setWindowTitle(QStringLiteral("Customize Appearance"));
    SetWindowIcons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("The appearance options are not available in "
                                                "this version of Tarvex yet."),
                                 this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    layout->addWidget(buttons);
}

void OptionsPlaceholder::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Q_EMIT closed();
}

} // namespace tarvex
