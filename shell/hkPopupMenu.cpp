#include "shell/hkPopupMenu.h"

namespace tarvex {

hkPopupMenu::hkPopupMenu(QWidget* parent) : QMenu(QStringLiteral("Tarvex "), parent)
{
    setObjectName(QStringLiteral("mp"));
    m_open = addAction(tr("Open"));
    m_settings = addAction(tr("Settings"));
    addSeparator();
    m_pause = addAction(tr("Pause Hotkeys"));
    m_pause->setCheckable(true);
    addSeparator();
    m_help = addAction(tr("Help"));
    m_exit = addAction(tr("Exit"));
    m_open->setObjectName(QStringLiteral("msp"));
    m_settings->setObjectName(QStringLiteral("ms"));
    m_pause->setObjectName(QStringLiteral("mpause"));
    m_help->setObjectName(QStringLiteral("mh"));
    m_exit->setObjectName(QStringLiteral("me"));
    // The menu's default item is what a double-click on the icon does, "Open"; it is drawn
    // bold, and setting the font makes sure of it in every style.
    QFont bold = m_open->font();
    bold.setBold(true);
    m_open->setFont(bold);
    // Queued, so the menu has closed (and released its grab) before the command runs.
    connect(m_open, &QAction::triggered, this, &hkPopupMenu::openChosen, Qt::QueuedConnection);
    connect(m_settings, &QAction::triggered, this, &hkPopupMenu::settingsChosen,
            Qt::QueuedConnection);
    connect(m_pause, &QAction::triggered, this, &hkPopupMenu::pauseChosen, Qt::QueuedConnection);
    connect(m_help, &QAction::triggered, this, &hkPopupMenu::helpChosen, Qt::QueuedConnection);
    connect(m_exit, &QAction::triggered, this, &hkPopupMenu::exitChosen, Qt::QueuedConnection);
}

void hkPopupMenu::popupAt(const QPoint& globalPos)
{
    setDefaultAction(m_open);
    popup(globalPos);
    // A tray icon belongs to no active window; without activating, a click elsewhere would
    // not close the menu on some window managers.
    activateWindow();
}

} // namespace tarvex
