#pragma once

#include "ui/HiddenWindowList.h"

#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>

class QSystemTrayIcon;
class QTimer;

namespace tarvex {

class TrayFallbackWindow;

/// The program's own icon in the notification area, present while the hotkeys run.
///
/// A tray that starts after the program (usual at login) still receives the icon: the icon is
/// created at once and embeds itself when the tray appears. When no tray has appeared after a
/// short wait, a small window of its own takes the icon's place (tip, balloon, double-click,
/// menu) and goes away again as soon as a tray exists.
class ProgramTrayIcon final : public QObject
{
    Q_OBJECT

public:
    /// Title and text of the balloon shown when the hotkeys start.
    static const QString BalloonTitle;
    static QString BalloonText();

    /// Creates the object; no icon is shown before add().
    explicit ProgramTrayIcon(QObject* parent = nullptr);
    ~ProgramTrayIcon() override;

    /// Shows the icon with `tip`; with `balloon`, the next setTip() shows the start-up balloon.
    bool add(const QString& tip, bool balloon);
    /// Changes the tip (cut to 128 characters) and shows the prepared balloon, if any.
    void setTip(const QString& tip);
    /// Removes the icon (and the stand-in window); nothing happens when there is none.
    void remove();
    /// Shows the icon greyed while the hotkeys are paused (`paused`), in colour otherwise; an
    /// icon added later follows it too.
    void setPaused(bool paused);
    /// True while the icon is greyed for paused hotkeys.
    bool isPaused() const { return m_paused; }

    /// True between add() and remove().
    bool isShown() const { return m_shown; }
    /// The current tip.
    QString tip() const { return m_tip; }
    /// True while the stand-in window takes the place of a missing tray.
    bool usesFallbackWindow() const;
    /// Sets how long to wait for a tray before the stand-in window appears.
    void setFallbackDelay(int milliseconds);
    /// Sets the wait of icons created from now on (3 seconds unless changed).
    static void setDefaultFallbackDelay(int milliseconds);
    /// The stand-in window while one exists, else nullptr.
    TrayFallbackWindow* fallbackWindow() const { return m_fallback.get(); }
    /// The windows hidden by "-Hide Window-", which the stand-in window lists.
    void setHiddenWindows(const QList<HiddenWindowList::Entry>& entries);

Q_SIGNALS:
    /// The icon was double-clicked with the left button (clicked once on a tray that reports no
    /// double-clicks).
    void doubleClicked();
    /// The menu was asked for (right button) at the screen position `globalPos`.
    void menuRequested(const QPoint& globalPos);
    /// A balloon was shown with `title` and `text`.
    void balloonShown(const QString& title, const QString& text);
    /// The hidden window of `slot` was chosen from the stand-in window's list.
    void hiddenWindowChosen(int slot);

private:
    void onTrayCheck();
    void checkTray();
    void showBalloon();
    bool isPlacedOrWaitedEnough() const;
    void createFallbackWindow();

    std::unique_ptr<QSystemTrayIcon> m_icon;
    std::unique_ptr<TrayFallbackWindow> m_fallback;
    QTimer* m_trayCheck = nullptr;
    QString m_tip;
    QList<HiddenWindowList::Entry> m_hiddenWindows;
    int m_fallbackDelay;
    qint64 m_waitedSince = 0;
    bool m_shown = false;
    bool m_balloonPrepared = false;
    bool m_balloonPending = false;
    bool m_paused = false;
};

} // namespace tarvex
