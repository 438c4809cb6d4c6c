#include "platform/x11/X11KeyStateSource.h"

#include "platform/x11/ReservedHotkey.h"
#include "platform/x11/X11Errors.h"

#include <QSocketNotifier>

#include <X11/extensions/XInput2.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace tarvex {

namespace {

bool hasXInput22(Display* display, int* opcode)
{
    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "XInputExtension", opcode, &event, &error))
        return false;
    int major = 2;
    int minor = 2;
    return XIQueryVersion(display, &major, &minor) == Success;
}

bool hasXkb(Display* display, int* eventBase)
{
    int opcode = 0;
    int error = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    return XkbQueryExtension(display, &opcode, eventBase, &error, &major, &minor);
}

} // namespace

X11KeyStateSource::X11KeyStateSource(QObject* parent) : QObject(parent) {}

X11KeyStateSource::~X11KeyStateSource()
{
    m_notifier.reset();
    if (m_display)
        XCloseDisplay(m_display);
}

bool X11KeyStateSource::start()
{
    if (m_display)
        return true;
    installX11ErrorHandler();
    m_display = XOpenDisplay(nullptr);
    if (!m_display)
        return false;
    if (!hasXInput22(m_display, &m_xiOpcode) || !hasXkb(m_display, &m_xkbEventBase)) {
        XCloseDisplay(m_display);
        m_display = nullptr;
        return false;
    }
    selectEvents();
    m_notifier =
        std::make_unique<QSocketNotifier>(ConnectionNumber(m_display), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11KeyStateSource::drainEvents);
    drainEvents();
    return true;
}

bool X11KeyStateSource::displayUsable()
{
    Display* display = XOpenDisplay(nullptr);
    if (display)
        XCloseDisplay(display);
    return display != nullptr;
}

void X11KeyStateSource::selectEvents()
{
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(mask, XI_RawKeyPress);
    XISetMask(mask, XI_RawKeyRelease);
    XIEventMask events{XIAllMasterDevices, int(sizeof(mask)), mask};
    XISelectEvents(m_display, DefaultRootWindow(m_display), &events, 1);

    const unsigned long mapChanges = XkbNewKeyboardNotifyMask | XkbMapNotifyMask;
    XkbSelectEvents(m_display, XkbUseCoreKbd, mapChanges | XkbStateNotifyMask,
                    mapChanges | XkbStateNotifyMask);
    // Only layout switches matter; plain modifier presses would wake us twice.
    XkbSelectEventDetails(m_display, XkbUseCoreKbd, XkbStateNotify, XkbAllStateComponentsMask,
                          XkbGroupStateMask);
    m_layout.reload(m_display);
    readXkbGroup();
    grabReservedHotkey(m_display);
}

void X11KeyStateSource::readXkbGroup()
{
    XkbStateRec state{};
    if (XkbGetState(m_display, XkbUseCoreKbd, &state) == Success)
        m_layout.setGroup(state.group);
}

// Xlib may already hold events in its queue (read while waiting for a reply),
// and the socket notifier does not see those: empty the queue completely.
void X11KeyStateSource::drainEvents()
{
    if (!m_display)
        return;
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        handleEvent(event);
    }
}

void X11KeyStateSource::handleEvent(XEvent& event)
{
    if (event.type == GenericEvent && event.xcookie.extension == m_xiOpcode)
        handleRawKey(event);
    else if (event.type == m_xkbEventBase)
        handleXkb(event);
    else if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        m_layout.reload(m_display);
    }
}

void X11KeyStateSource::handleRawKey(XEvent& event)
{
    if (!XGetEventData(m_display, &event.xcookie))
        return;
    const int type = event.xcookie.evtype;
    const int keycode = static_cast<XIRawEvent*>(event.xcookie.data)->detail;
    // Freed before the press callback runs: it may open a modal box whose event loop
    // brings us back here for the next events.
    XFreeEventData(m_display, &event.xcookie);
    if (type == XI_RawKeyRelease) {
        m_held.release(keycode);
        return;
    }
    const int code = m_layout.codeFor(keycode);
    if (type == XI_RawKeyPress && m_held.press(keycode, code))
        notifyPressed(code);
}

void X11KeyStateSource::handleXkb(XEvent& event)
{
    const auto& xkb = reinterpret_cast<const XkbEvent&>(event);
    if (xkb.any.xkb_type == XkbStateNotify) {
        m_layout.setGroup(xkb.state.group);
        return;
    }
    if (xkb.any.xkb_type == XkbMapNotify)
        XkbRefreshKeyboardMapping(const_cast<XkbMapNotifyEvent*>(&xkb.map));
    m_layout.reload(m_display);
}

} // namespace tarvex
