#include "editor/AppFilterRow.h"

#include "ui/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace tarvex {

AppFilterRow::AppFilterRow(QWidget* parent) : QWidget(parent)
{
    auto* label = new QLabel(tr("A&pplications:"), this);
    label->setObjectName(QStringLiteral("appsLabel"));
    label->setGeometry(Twips::rect(0, 45, 1095, 255));
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("appsMode"));
    m_mode->setAccessibleName(tr("Applications the hotkey acts in"));
    m_mode->addItems({tr("All applications"), tr("Only in"), tr("Not in")});
    m_mode->setGeometry(Twips::rect(1200, 0, 1815, 360));
    m_names = new QLineEdit(this);
    m_names->setObjectName(QStringLiteral("appsNames"));
    m_names->setAccessibleName(tr("Application names"));
    m_names->setPlaceholderText(tr("app ids or window classes, separated by commas"));
    m_names->setGeometry(Twips::rect(3120, 30, 5880, 300));
    label->setBuddy(m_mode);
    m_choose = new QPushButton(tr("Choose…"), this);
    m_choose->setObjectName(QStringLiteral("appsChoose"));
    m_choose->setAccessibleName(tr("Choose a running application"));
    m_choose->setGeometry(Twips::rect(9105, 0, 1335, 360));
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("appsNote"));
    m_note->setGeometry(Twips::rect(0, 390, 10440, 255));
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("appsMenu"));
    m_names->setEnabled(false);
    connect(m_mode, &QComboBox::activated, this, [this] {
        m_names->setEnabled(m_mode->currentIndex() != 0);
        Q_EMIT edited();
    });
    connect(m_names, &QLineEdit::textEdited, this, &AppFilterRow::edited);
    connect(m_choose, &QPushButton::clicked, this, &AppFilterRow::choose);
}

void AppFilterRow::setFilter(const AppFilter& filter)
{
    m_mode->setCurrentIndex(int(filter.mode));
    m_names->setText(filter.apps.join(QStringLiteral(", ")));
    m_names->setEnabled(filter.mode != AppFilter::Mode::Everywhere);
    showNote();
}

void AppFilterRow::showEvent(QShowEvent* event)
{
    showNote();
    QWidget::showEvent(event);
}

void AppFilterRow::showNote()
{
    const bool cannotTell = m_desktop.canTell && !m_desktop.canTell();
    m_note->setText(cannotTell
                        ? tr("This desktop does not tell Tarvex which application is in front; "
                             "hotkeys limited to applications will not fire.")
                        : QString());
}

AppFilter AppFilterRow::filter() const
{
    AppFilter filter;
    filter.mode = AppFilter::Mode(m_mode->currentIndex());
    for (const QString& name : m_names->text().split(u',')) {
        if (!name.trimmed().isEmpty())
            filter.apps.append(name.trimmed());
    }
    return filter;
}

void AppFilterRow::setDesktop(DesktopApplications desktop)
{
    m_desktop = std::move(desktop);
    showNote();
}

// Offers the running applications; the one picked joins the names (and a hotkey that acted
// everywhere acts only in it).
void AppFilterRow::choose()
{
    m_menu->clear();
    const QStringList running = m_desktop.running ? m_desktop.running() : QStringList();
    for (const QString& name : running)
        m_menu->addAction(name, this, [this, name] { addName(name); });
    if (running.isEmpty())
        m_menu->addAction(tr("No running applications are known"))->setEnabled(false);
    m_menu->popup(m_choose->mapToGlobal(QPoint(0, m_choose->height())));
}

void AppFilterRow::addName(const QString& name)
{
    AppFilter current = filter();
    if (current.mode == AppFilter::Mode::Everywhere)
        current.mode = AppFilter::Mode::OnlyIn;
    if (!current.apps.contains(name, Qt::CaseInsensitive))
        current.apps.append(name);
    setFilter(current);
    Q_EMIT edited();
}

} // namespace tarvex
