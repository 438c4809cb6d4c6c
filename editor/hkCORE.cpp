#include "editor/hkCORE.h"

#include "editor/HotkeyEditorPanel.h"
#include "ui/AppearanceChoices.h"
#include "ui/ProgramIcon.h"

#include <QCloseEvent>
#include <QScreen>
#include <QWindow>

#include <utility>

namespace tarvex {

QString hkCORE::Caption()
{
    return tr("Configure Hotkeys");
}

hkCORE::hkCORE(HotkeyList& list, ActiveHotkeyTable& table, SettingsStore& settings,
               Dialogs& dialogs, const QString& programFolder, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_list(list), m_table(table), m_dialogs(dialogs),
      m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("hkCORE"));
    setWindowTitle(Caption());
    SetWindowIcons(this);
}

hkCORE::~hkCORE() = default;

void hkCORE::load(HotkeyDatabase& database)
{
    m_database = &database;
    m_loaded = true;
    if (m_editing)
        loadEditing();
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
    const bool appearing = visible && !isVisible();
    if (visible)
        editing();
    if (appearing) {
        // Shown again without a position of its own, the window manager would place it anew.
        // Set on the window itself: a move to the position the widget still holds does nothing.
        if (m_placed && windowHandle())
            windowHandle()->setFramePosition(m_hiddenAt);
        placeFirstTime();
        m_editing->focusFirstControl();
    } else if (!visible && isVisible()) {
        m_hiddenAt = pos();
    }
    QWidget::setVisible(visible);
}

// The first showing centres the form on its screen's work area (beside panels and docks) and
// keeps a margin to the edges; a form taller or wider than the work area keeps its title bar
// on the screen. Later showings keep wherever the user put it.
void hkCORE::placeFirstTime()
{
    if (std::exchange(m_placed, true))
        return;
    QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry().adjusted(ScreenMargin, ScreenMargin,
                                                            -ScreenMargin, -ScreenMargin);
    // A window's position is that of its frame, whose size is known once it was shown.
    const QSize frame = frameGeometry().size().expandedTo(size());
    const int x = area.x() + std::max(0, (area.width() - frame.width()) / 2);
    const int y = area.y() + std::max(0, (area.height() - frame.height()) / 2);
    move(x, y);
}

void hkCORE::setDesktopApplications(DesktopApplications desktop)
{
    m_desktopApplications = std::move(desktop);
    if (m_editing)
        m_editing->setDesktopApplications(m_desktopApplications);
}

void hkCORE::createEditing()
{
    m_editing = new HotkeyEditorPanel(this, m_list, m_table, m_dialogs, m_programFolder);
    m_editing->setDesktopApplications(m_desktopApplications);
    connect(m_editing, &HotkeyEditorPanel::saved, this, [this] {
        hide();
        Q_EMIT settingsSaved();
    });
    // Leaving without saving unloads the form; its owner decides what comes back.
    connect(m_editing, &HotkeyEditorPanel::helpRequested, this, &hkCORE::helpRequested);
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
    m_editing->load(*m_database, look);
}

void hkCORE::ButtonCfg(int s)
{
    // Not built yet: it reads the stored style when it is.
    if (m_editing)
        m_editing->ButtonCfg(s);
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
