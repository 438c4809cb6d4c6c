#pragma once

#include "platform/common/HeldKeys.h"
#include "platform/KeyStateSource.h"
#include "platform/x11/XkbLayoutMap.h"

#include <QObject>

#include <memory>

class QSocketNotifier;
struct _XDisplay;
union _XEvent;

namespace tarvex {

// The key-state source of an X11 desktop. It watches every key press and
// release through XInput2 raw events on the root window: no focus, no
// keyboard grab, and the focused program still gets its keys. It uses an X
// connection of its own and sends no request that waits for a reply after
// start(), except to re-read the keymap after it changed. Each new press runs
// the press callback once, in press order, before the release that follows it
// is applied, so a short tap is never lost; a held key (auto-repeat included)
// is one press. Nothing wakes up while the keyboard is idle.
//
// Keys are numbered by the keysyms of the active layout (KeysymTable). Shift,
// Ctrl and Alt of either side are reported under their generic codes 16, 17
// and 18 only, so a hotkey with "(Ctrl)" fires with either Ctrl key and the
// detection never sees the sided codes 160-165; the left and right Windows keys
// keep their own codes 91 and 92, as the "(Win)" text stands for 91.
class X11KeyStateSource final : public QObject, public KeyStateSource
{
    Q_OBJECT

public:
    explicit X11KeyStateSource(QObject* parent = nullptr);
    ~X11KeyStateSource() override;

    /// Connects to the X display, grabs the reserved Ctrl+Alt+Space and starts
    /// listening; false when there is no display or it lacks XInput 2.2 or XKB.
    bool start();

    /// True when an X display can be opened (DISPLAY names a running server).
    static bool displayUsable();

private:
    void selectEvents();
    void drainEvents();
    void handleEvent(_XEvent& event);
    void handleRawKey(_XEvent& event);
    void handleXkb(_XEvent& event);
    void readXkbGroup();

    _XDisplay* m_display = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    HeldKeys m_held;
    XkbLayoutMap m_layout;
    int m_xiOpcode = 0;
    int m_xkbEventBase = 0;
};

} // namespace tarvex
