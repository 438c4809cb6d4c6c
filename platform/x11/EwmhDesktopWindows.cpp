#include "platform/x11/EwmhDesktopWindows.h"

#include "platform/x11/X11Errors.h"
#include "platform/x11/X11Property.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <vector>

namespace tarvex {

namespace {

constexpr int kTitleLength = 50;
// Source indication of EWMH client messages: 2 = a pager or similar tool,
// which window managers obey without focus-stealing checks.
constexpr long kSourcePager = 2;
constexpr long kStateAdd = 1;
// The states a window had when it was hidden; present while it is hidden by the program.
constexpr char HiddenStateName[] = "_TARVEX_HIDDEN_STATE";

} // namespace

EwmhDesktopWindows::~EwmhDesktopWindows()
{
    if (m_display)
        XCloseDisplay(m_display);
}

_XDisplay* EwmhDesktopWindows::display()
{
    if (!m_display) {
        installX11ErrorHandler();
        m_display = XOpenDisplay(nullptr);
    }
    return m_display;
}

unsigned long EwmhDesktopWindows::atom(const char* name)
{
    return XInternAtom(display(), name, False);
}

WindowId EwmhDesktopWindows::foregroundWindow()
{
    if (!display())
        return 0;
    const QList<unsigned long> active = X11Property::cardinals(
        m_display, DefaultRootWindow(m_display), atom("_NET_ACTIVE_WINDOW"), XA_WINDOW);
    if (active.isEmpty() || active.first() == 0)
        return 0;
    // A window manager may leave the property naming a window that is gone.
    XWindowAttributes attributes;
    return XGetWindowAttributes(m_display, active.first(), &attributes) ? active.first() : 0;
}

void EwmhDesktopWindows::closeWindow(WindowId window)
{
    sendToRoot(window, "_NET_CLOSE_WINDOW", {CurrentTime, kSourcePager, 0, 0, 0});
}

void EwmhDesktopWindows::minimizeWindow(WindowId window)
{
    if (window == 0 || !display())
        return;
    XIconifyWindow(m_display, window, DefaultScreen(m_display));
    XFlush(m_display);
}

void EwmhDesktopWindows::maximizeWindow(WindowId window)
{
    if (window == 0 || !display())
        return;
    const long vertical = long(atom("_NET_WM_STATE_MAXIMIZED_VERT"));
    const long horizontal = long(atom("_NET_WM_STATE_MAXIMIZED_HORZ"));
    sendToRoot(window, "_NET_WM_STATE", {kStateAdd, vertical, horizontal, kSourcePager, 0});
    activate(window);
}

// The window manager drops _NET_WM_STATE when a window is withdrawn; the window keeps it in a
// property of its own, which also marks it as hidden by this program.
void EwmhDesktopWindows::hideWindow(WindowId window)
{
    if (window == 0 || !display())
        return;
    const QList<unsigned long> states =
        X11Property::cardinals(m_display, window, atom("_NET_WM_STATE"), XA_ATOM);
    setAtoms(window, atom(HiddenStateName), states);
    XWithdrawWindow(m_display, window, DefaultScreen(m_display));
    XFlush(m_display);
}

// A window mapped with _NET_WM_STATE set starts in those states (a maximized one maximized).
void EwmhDesktopWindows::showWindow(WindowId window)
{
    if (window == 0 || !display())
        return;
    if (hasProperty(window, atom(HiddenStateName))) {
        const QList<unsigned long> states =
            X11Property::cardinals(m_display, window, atom(HiddenStateName), XA_ATOM);
        setAtoms(window, atom("_NET_WM_STATE"), states);
        XDeleteProperty(m_display, window, atom(HiddenStateName));
    }
    XMapWindow(m_display, window);
    activate(window);
}

bool EwmhDesktopWindows::stillHidden(WindowId window)
{
    if (window == 0 || !display())
        return false;
    XWindowAttributes attributes;
    return XGetWindowAttributes(m_display, window, &attributes) &&
           attributes.map_state == IsUnmapped && hasProperty(window, atom(HiddenStateName));
}

bool EwmhDesktopWindows::canTellApplications()
{
    return display() && hasProperty(DefaultRootWindow(m_display), atom("_NET_ACTIVE_WINDOW"));
}

QStringList EwmhDesktopWindows::applicationNames(WindowId window)
{
    QStringList names;
    XClassHint hint{nullptr, nullptr};
    if (window == 0 || !display() || !XGetClassHint(m_display, window, &hint))
        return names;
    for (char* name : {hint.res_name, hint.res_class}) {
        if (name && *name)
            names.append(QString::fromLocal8Bit(name));
        if (name)
            XFree(name);
    }
    return names;
}

QStringList EwmhDesktopWindows::runningApplications()
{
    QStringList classes;
    if (!display())
        return classes;
    const QList<unsigned long> windows = X11Property::cardinals(
        m_display, DefaultRootWindow(m_display), atom("_NET_CLIENT_LIST"), XA_WINDOW);
    for (unsigned long window : windows) {
        const QStringList names = applicationNames(window);
        if (!names.isEmpty() && !classes.contains(names.last(), Qt::CaseInsensitive))
            classes.append(names.last());
    }
    return classes;
}

bool EwmhDesktopWindows::hasProperty(WindowId window, unsigned long property)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(m_display, window, property, 0, 0, False, AnyPropertyType,
                                          &type, &format, &count, &after, &data);
    if (data)
        XFree(data);
    return status == Success && type != None;
}

void EwmhDesktopWindows::setAtoms(WindowId window, unsigned long property,
                                  const QList<unsigned long>& atoms)
{
    // Xlib takes 32-bit properties as an array of longs.
    const std::vector<long> values(atoms.begin(), atoms.end());
    XChangeProperty(m_display, window, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()), int(values.size()));
}

void EwmhDesktopWindows::activate(WindowId window)
{
    sendToRoot(window, "_NET_ACTIVE_WINDOW", {kSourcePager, CurrentTime, 0, 0, 0});
}

QString EwmhDesktopWindows::windowTitle(WindowId window)
{
    return fullTitle(window).left(kTitleLength);
}

QString EwmhDesktopWindows::fullTitle(WindowId window)
{
    if (window == 0 || !display())
        return QString();
    const QByteArray name =
        X11Property::bytes(m_display, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"));
    if (!name.isEmpty())
        return QString::fromUtf8(name);
    return X11Property::textProperty(m_display, window, XA_WM_NAME);
}

QList<QImage> EwmhDesktopWindows::windowIcons(WindowId window)
{
    if (window == 0 || !display())
        return {};
    QList<QImage> icons = X11Property::argbImages(
        X11Property::cardinals(m_display, window, atom("_NET_WM_ICON"), XA_CARDINAL));
    std::sort(icons.begin(), icons.end(),
              [](const QImage& a, const QImage& b) { return a.width() > b.width(); });
    if (icons.isEmpty()) {
        const QImage hinted = X11Property::hintsIcon(m_display, window);
        if (!hinted.isNull())
            icons.append(hinted);
    }
    return icons;
}

void EwmhDesktopWindows::sendToRoot(WindowId window, const char* messageType, const long (&data)[5])
{
    if (window == 0 || !display())
        return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom(messageType);
    event.xclient.format = 32;
    std::copy(std::begin(data), std::end(data), event.xclient.data.l);
    XSendEvent(m_display, DefaultRootWindow(m_display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(m_display);
}

} // namespace tarvex
