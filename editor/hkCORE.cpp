#include "editor/hkCORE.h"

#include "activation/GlobalFlags.h"
#include "editor/HotkeyHost.h"
#include "shell/ProgramIcon.h"
#include "shell/ProgramTrayIcon.h"

#include <QCloseEvent>

namespace tarvex {

const QString hkCORE::Caption = QStringLiteral("Configure Hotkeys");

hkCORE::hkCORE(KeyStateSource& keys, std::function<void(const QString&)> runAction, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("hkCORE"));
    setWindowTitle(Caption);
    SetWindowIcons(this);
    m_host = new HotkeyHost(keys, std::move(runAction), this);
    m_host->setEditorVisibleQuery([this] { return isVisible(); });
    connect(&m_host->trayIcon(), &ProgramTrayIcon::doubleClicked, this,
            &hkCORE::onTrayDoubleClicked);
    connect(&m_host->trayIcon(), &ProgramTrayIcon::menuRequested, this, &hkCORE::trayMenuRequested);
}

hkCORE::~hkCORE() = default;

QString hkCORE::load(const HotkeyDatabase& database)
{
    return m_host->load(database);
}

void hkCORE::SetHK(bool s)
{
    tarvex::SetHK(s);
}

void hkCORE::setTimer1Enabled(bool enabled)
{
    m_host->setPollingEnabled(enabled);
}

void hkCORE::onTrayDoubleClicked()
{
    if (isMinimized()) {
        restorePlacement();
    } else if (!isVisible()) {
        // The usual case: the hotkeys run in the background. Unloading stops them; the
        // main window comes back unless the program is exiting.
        Q_EMIT unloadRequested();
    } else {
        savePlacement();
        showMinimized();
        hide();
    }
}

void hkCORE::closeEvent(QCloseEvent* event)
{
    // The owner unloads (deletes) the form, which stops the hotkeys it hosts.
    event->ignore();
    Q_EMIT unloadRequested();
}

void hkCORE::savePlacement()
{
    m_savedState = windowState();
    if (!(m_savedState & Qt::WindowMinimized))
        m_savedGeometry = geometry();
}

void hkCORE::restorePlacement()
{
    if (m_savedState & Qt::WindowMaximized) {
        showMaximized();
    } else if (m_savedState & Qt::WindowMinimized) {
        setWindowState(Qt::WindowMinimized);
    } else {
        showNormal();
        if (m_savedGeometry.isValid())
            setGeometry(m_savedGeometry);
    }
}

} // namespace tarvex
