#pragma once

#include "controls/ColorOps.h"

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QWindow;

namespace tarvex {

// The window a frame turns into a themed window, and what the frame does to
// it: no system frame, an emulated maximize onto the screen's work area and
// back, minimize, always on top, moving with the window manager (or by hand
// where the window manager cannot), resizing within the frame's minimum, and
// painting the window's controls in the frame's background colour.
class FrameHostWindow final
{
public:
    // How a resize is handed to the window manager: QWindow::startSystemResize, replaceable so
    // that tests can stand in for a window manager that takes (or refuses) the drag.
    using SystemResize = bool (*)(QWindow* window, Qt::Edges edges);
    static SystemResize systemResize;

    // True where the compositor places top-level windows and ignores the positions a client
    // asks for (Wayland): centring is then left to the compositor.
    static bool compositorPlacesWindows();

    // The edges a grip drag with pointer code pointer (see FrameGrip) moves.
    static Qt::Edges EdgesOf(int pointer);

    // Smallest width a drag may give the window.
    static constexpr int MinimumWidth = 130;

    // Works on host (the top-level form).
    explicit FrameHostWindow(QWidget* host) : m_host(host) {}

    // The form, null once it is gone.
    QWidget* widget() const { return m_host; }

    // Removes the system frame (showing the window again if it was shown).
    void makeFrameless();

    // The work area of the screen the window is on, in pixels.
    QRect workArea() const;

    // Covers the work area.
    void maximize();

    // Returns to restore, or to its size centred on the screen when centred is set.
    void restore(const QRect& restore, bool centred);

    // Centres the window on its screen, keeping its size (left to the compositor where it
    // places windows itself).
    void centre();

    // Makes the window dy pixels taller (shorter when negative), also when its size is fixed.
    void growHeight(int dy);

    // Iconifies the window.
    void minimize();

    // Keeps the window above others (or not).
    void setAlwaysOnTop(bool onTop);

    // Starts a move of the window by the window manager; false when it cannot.
    bool startSystemMove();

    // Starts a resize by the window manager for a grip drag with pointer code pointer, at
    // least MinimumWidth wide and minHeight high; false when it cannot (resizeTo then follows
    // the pointer by hand).
    bool startSystemResize(int pointer, int minHeight);

    // Size for a grip drag to pos (frame coordinates): pointer 7 height only,
    // 9 width only, 8 both; at least MinimumWidth wide and minHeight high.
    void resizeTo(const QPoint& pos, int pointer, int minHeight);

    // Gives the window's controls the background colour; controls that use the
    // text-entry (window) colour, the frame itself and its grips are left alone.
    void paintControls(OleColor colour, const QWidget* frame) const;

private:
    QPointer<QWidget> m_host;
};

} // namespace tarvex
