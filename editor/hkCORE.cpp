#include "editor/hkCORE.h"

#include "activation/GlobalFlags.h"
#include "editor/HotkeyEditorPanel.h"
#include "editor/HotkeyHost.h"
#include "options/AppearanceChoices.h"
#include "shell/ProgramIcon.h"
#include "shell/ProgramTrayIcon.h"
#include "store/SettingsStore.h"

#include <QCloseEvent>

namespace tarvex {

const QString hkCORE::Caption = QStringLiteral("Configure Hotkeys");

hkCORE::hkCORE(KeyStateSource& keys, SettingsStore& settings, const QString& programFolder,
               std::function<void(const QString& combination, const QString& target)> runAction,
               QWidget* parent)
    : QWidget(parent), m_settings(settings), m_programFolder(programFolder)
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
    const QString problem = m_host->load(database);
    m_loaded = true;
    if (m_editing)
        loadEditing();
    return problem;
}

HotkeyEditorPanel& hkCORE::editing()
{
    if (!m_editing)
        createEditing();
    return *m_editing;
}

void hkCORE::setVisible(bool visible)
{
    // The editing controls are built when the form is first shown: while the hotkeys run in
    // the background nobody sees them, and they would only hold memory.
    if (visible)
        editing();
    QWidget::setVisible(visible);
}

void hkCORE::createEditing()
{
    m_editing = new HotkeyEditorPanel(this, m_host->list(), m_host->table(), m_programFolder);
    connect(m_editing, &HotkeyEditorPanel::saved, this, [this] {
        hide();
        Q_EMIT settingsSaved();
    });
    // Leaving without saving unloads the form; its owner decides what comes back.
    connect(m_editing, &HotkeyEditorPanel::cancelled, this, [this] {
        hide();
        Q_EMIT editingCancelled();
    });
    if (m_loaded)
        loadEditing();
}

void hkCORE::loadEditing()
{
    // Codes outside their lists read as the defaults, as the appearance window reads them.
    EditorLook look;
    look.buttonStyle = AppearanceChoices::StoredButtonStyle(m_settings, look.buttonStyle);
    look.frameStyle = AppearanceChoices::StoredFrameStyle(m_settings);
    look.themeColor = AppearanceChoices::StoredThemeColor(m_settings);
    m_editing->load(m_host->database(), look);
}

void hkCORE::SetHK(bool s)
{
    tarvex::SetHK(s);
}

void hkCORE::ButtonCfg(int s)
{
    // Not built yet: it reads the stored style when it is.
    if (m_editing)
        m_editing->ButtonCfg(s);
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
    // Closing the window is "Cancel": unsaved edits are asked about, and the owner unloads
    // (deletes) the form rather than Qt closing it.
    event->ignore();
    if (isVisible())
        m_editing->requestClose();
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
