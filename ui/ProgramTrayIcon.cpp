#include "ui/ProgramTrayIcon.h"

#include "platform/TrayActivation.h"
#include "ui/ProgramIcon.h"
#include "ui/TrayFallbackWindow.h"

#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QSystemTrayIcon>
#include <QTimer>

namespace tarvex {

namespace {
constexpr int TipLength = 128;
constexpr int TrayCheckMilliseconds = 250;
constexpr int SteadyCheckMilliseconds = 5000;
// How long a balloon waits for a new icon to be placed in the tray, so that it points at it.
constexpr int PlacementWaitMilliseconds = 2000;
int g_defaultFallbackDelay = 3000;
} // namespace

const QString ProgramTrayIcon::BalloonTitle = QStringLiteral("Tarvex");
QString ProgramTrayIcon::BalloonText()
{
    return tr("Tarvex is now running. The hotkeys you have set will be instantly activated when "
              "you press their keyboard combinations.");
}

ProgramTrayIcon::ProgramTrayIcon(QObject* parent)
    : QObject(parent), m_fallbackDelay(g_defaultFallbackDelay)
{
    m_trayCheck = new QTimer(this);
    m_trayCheck->setInterval(TrayCheckMilliseconds);
    connect(m_trayCheck, &QTimer::timeout, this, &ProgramTrayIcon::onTrayCheck);
}

ProgramTrayIcon::~ProgramTrayIcon() = default;

bool ProgramTrayIcon::add(const QString& tip, bool balloon)
{
    remove();
    m_icon = std::make_unique<QSystemTrayIcon>(m_paused ? ProgramIcon::pausedIcon()
                                                        : ProgramIcon::icon());
    connect(
        m_icon.get(), &QSystemTrayIcon::activated, this,
        [this, activation = TrayActivation()](QSystemTrayIcon::ActivationReason reason) mutable {
            // While a dialog is open the icon waits, as the windows behind the dialog do
            // (an XEmbed tray's clicks are blocked anyway; a D-Bus tray's are not): its
            // commands unload the windows such a dialog belongs to.
            if (QApplication::activeModalWidget())
                return;
            if (reason == QSystemTrayIcon::Context)
                Q_EMIT menuRequested(QCursor::pos());
            else if (activation.opens(reason))
                Q_EMIT doubleClicked();
        });
    m_tip = tip.left(TipLength);
    m_icon->setToolTip(m_tip);
    m_icon->show();
    m_shown = true;
    m_balloonPrepared = balloon;
    m_waitedSince = QDateTime::currentMSecsSinceEpoch();
    m_trayCheck->start();
    onTrayCheck();
    return true;
}

void ProgramTrayIcon::setTip(const QString& tip)
{
    if (!m_shown)
        return;
    m_tip = tip.left(TipLength);
    m_icon->setToolTip(m_tip);
    if (m_fallback)
        m_fallback->setTip(m_tip);
    if (m_balloonPrepared) {
        m_balloonPrepared = false;
        m_balloonPending = true;
        onTrayCheck();
    }
}

void ProgramTrayIcon::remove()
{
    m_trayCheck->stop();
    // Hidden now, deleted later: a removal often runs inside the icon's own click handling.
    if (m_fallback) {
        m_fallback->hide();
        m_fallback.release()->deleteLater();
    }
    if (m_icon) {
        m_icon->hide();
        m_icon.release()->deleteLater();
    }
    m_shown = m_balloonPrepared = m_balloonPending = false;
}

void ProgramTrayIcon::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (m_icon)
        m_icon->setIcon(paused ? ProgramIcon::pausedIcon() : ProgramIcon::icon());
}

void ProgramTrayIcon::setHiddenWindows(const QList<HiddenWindowList::Entry>& entries)
{
    m_hiddenWindows = entries;
    if (m_fallback)
        m_fallback->setHiddenWindows(entries);
}

bool ProgramTrayIcon::usesFallbackWindow() const
{
    return m_fallback && m_fallback->isVisible();
}

void ProgramTrayIcon::setFallbackDelay(int milliseconds)
{
    m_fallbackDelay = milliseconds;
}

void ProgramTrayIcon::setDefaultFallbackDelay(int milliseconds)
{
    g_defaultFallbackDelay = milliseconds;
}

// Tray availability has no change signal, so it is watched while it matters: closely while a
// balloon waits for its place or the icon for a tray, slowly while the stand-in window shows (to
// hand the icon back to a tray that appears). Once the icon sits in a tray the watch stops, so a
// program idling in the tray never wakes up; Qt itself re-embeds the icon if the tray restarts.
void ProgramTrayIcon::onTrayCheck()
{
    checkTray();
    const bool trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    const bool waiting = m_balloonPending || (m_shown && !usesFallbackWindow() && !trayAvailable);
    if (waiting)
        m_trayCheck->start(TrayCheckMilliseconds);
    else if (m_shown && usesFallbackWindow())
        m_trayCheck->start(SteadyCheckMilliseconds);
    else
        m_trayCheck->stop();
}

void ProgramTrayIcon::checkTray()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        if (m_fallback)
            m_fallback->hide();
        showBalloon();
        return;
    }
    const qint64 waited = QDateTime::currentMSecsSinceEpoch() - m_waitedSince;
    if (!usesFallbackWindow() && waited >= m_fallbackDelay) {
        createFallbackWindow();
        m_fallback->showInCorner();
    }
    showBalloon();
}

// The balloon waits until there is a place to show it: the tray or the stand-in window.
void ProgramTrayIcon::showBalloon()
{
    if (!m_balloonPending)
        return;
    if (usesFallbackWindow()) {
        m_fallback->showBalloon(BalloonTitle, BalloonText());
    } else if (QSystemTrayIcon::isSystemTrayAvailable() && isPlacedOrWaitedEnough()) {
        m_icon->showMessage(BalloonTitle, BalloonText(), QSystemTrayIcon::Information);
    } else {
        return;
    }
    m_balloonPending = false;
    Q_EMIT balloonShown(BalloonTitle, BalloonText());
}

bool ProgramTrayIcon::isPlacedOrWaitedEnough() const
{
    const qint64 waited = QDateTime::currentMSecsSinceEpoch() - m_waitedSince;
    // An icon that the tray has not placed yet reports an empty rectangle or one at the
    // screen's origin (an XEmbed tray moves it without telling).
    const QRect place = m_icon->geometry();
    const bool placed = !place.isEmpty() && place.topLeft() != QPoint(0, 0);
    return placed || waited >= PlacementWaitMilliseconds;
}

void ProgramTrayIcon::createFallbackWindow()
{
    if (m_fallback)
        return;
    m_fallback = std::make_unique<TrayFallbackWindow>();
    m_fallback->setTip(m_tip);
    m_fallback->setHiddenWindows(m_hiddenWindows);
    connect(m_fallback.get(), &TrayFallbackWindow::hiddenWindowChosen, this,
            &ProgramTrayIcon::hiddenWindowChosen);
    connect(m_fallback.get(), &TrayFallbackWindow::doubleClicked, this,
            &ProgramTrayIcon::doubleClicked);
    connect(m_fallback.get(), &TrayFallbackWindow::menuRequested, this,
            &ProgramTrayIcon::menuRequested);
}

} // namespace tarvex
