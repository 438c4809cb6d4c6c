#pragma once

#include "platform/evdev/devices/KeyboardDevices.h"
#include "platform/evdev/EvdevHeldKeys.h"
#include "platform/KeyStateSource.h"

#include <QObject>
#include <QStringList>

namespace tarvex {

class SessionKeymap;

// The key-state source that reads the kernel's input devices directly (KeyboardDevices), so
// it sees the keys typed into every program whatever the compositor. The keys get their
// numbers from the session's keymap (SessionKeymap), which gives the codes the X11 source
// reports: Shift, Ctrl and Alt of either side under 16, 17 and 18 only, the Windows keys under
// 91 and 92. Each new press runs the press callback once, in press order, before the release
// that follows it is applied. Reads are driven by the descriptors becoming readable; nothing
// runs while the keyboard is idle.
//
// Reading the devices needs the user's own access to them (the "input" group). While none can
// be read, problem() says so with the ways out; a keyboard that becomes readable later (its
// access changed, or start() is called again) is picked up.
class EvdevKeyStateSource final : public QObject, public KeyStateSource
{
    Q_OBJECT

public:
    /// The text problem() gives while no keyboard can be read for want of access.
    static QString NoAccessProblem();
    /// The text problem() gives while there is no keyboard at all.
    static QString NoKeyboardProblem();

    /// Reads the keyboards of `folder`, or only `devices` when that list is not empty, with
    /// key numbers from `keymap` (which must outlive the source). Nothing is read before start().
    explicit EvdevKeyStateSource(SessionKeymap& keymap,
                                 const QString& folder = QStringLiteral("/dev/input"),
                                 const QStringList& devices = {}, QObject* parent = nullptr);
    ~EvdevKeyStateSource() override;

    /// Starts watching and opens every keyboard that can be read now; a later call looks
    /// again for keyboards that could not be read before. Returns true.
    bool start();
    QString problem() const override { return m_problem; }
    /// The paths read now, in the order they were opened.
    QStringList keyboards() const { return m_devices.keyboards(); }
    /// The devices read (for tests: the folders watched).
    const KeyboardDevices& devices() const { return m_devices; }

private:
    void updateProblem();

    EvdevHeldKeys m_keys;
    KeyboardDevices m_devices;
    QString m_problem;
};

} // namespace tarvex
