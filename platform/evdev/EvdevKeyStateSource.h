#pragma once

#include "platform/common/KeyLatch.h"
#include "platform/evdev/InputStream.h"
#include "platform/evdev/KeyboardState.h"
#include "platform/KeyStateSource.h"

#include <QObject>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace tarvex {

class SessionKeymap;

// The key-state source of a Wayland desktop (and of any desktop, when chosen):
// it reads the kernel's input devices directly, so it sees the keys typed into
// every program whatever the compositor. Devices are read passively, never
// grabbed: every program still gets its keys.
//
// It reads every keyboard among the event devices of a folder (/dev/input),
// picking up keyboards plugged in later and dropping removed ones (inotify on
// the folder); or, when given a list of paths, only those. A path that is a
// FIFO or a regular file is read as a raw stream of `struct input_event`
// records. All keyboards share one key state (KeyboardState); the keys get
// their numbers from the session's keymap (SessionKeymap), which gives the
// codes the X11 source reports: Shift, Ctrl and Alt of either side under 16,
// 17 and 18 only, the Windows keys under 91 and 92. Each new press runs the
// press callback once, in press order, before the release that follows it is
// applied. Reads are driven by the descriptors becoming readable; nothing runs
// while the keyboard is idle.
//
// Reading the devices needs the user's access to them (a udev rule that tags
// keyboards "uaccess", or the "input" group). While none can be read and at
// least one was refused, problem() says so with the fix; a keyboard that
// becomes readable later (its access changed, or start() is called again) is
// picked up.
class EvdevKeyStateSource final : public QObject, public KeyStateSource
{
    Q_OBJECT

public:
    /// The sentence problem() gives while no keyboard can be read for want of access.
    static QString NoAccessProblem();

    /// Reads the keyboards of `folder`, or only `devices` when that list is not empty, with
    /// key numbers from `keymap` (which must outlive the source). Nothing is read before start().
    explicit EvdevKeyStateSource(SessionKeymap& keymap,
                                 const QString& folder = QStringLiteral("/dev/input"),
                                 const QStringList& devices = {}, QObject* parent = nullptr);
    ~EvdevKeyStateSource() override;

    /// Starts watching and opens every keyboard that can be read now; a later call looks
    /// again for keyboards that could not be read before. Returns true.
    bool start();
    /// Returns the state of key code 1-255 (0x8001 = down and newly pressed).
    quint16 keyState(int code) override;
    QString problem() const override { return m_problem; }
    /// The paths read now, in the order they were opened.
    QStringList keyboards() const;

private:
    struct Stream
    {
        std::unique_ptr<InputStream> input;
        std::unique_ptr<QSocketNotifier> notifier;
        int fileWatch = -1;
    };
    struct Pending
    {
        int keyboard;
        InputRecord record;
    };
    struct Refused
    {
        InputStream::Refusal refusal;
        quint64 inode;
    };

    void watchFolders();
    void scan();
    bool isCandidate(const QString& path) const;
    void consider(const QString& path);
    void listen(int id);
    void drop(int id);
    void dropPath(const QString& path);
    void readStream(int id);
    void readWatches();
    void drain();
    void updateProblem();
    void keyDown(int key);
    void keyUp(int key);

    SessionKeymap& m_keymap;
    QString m_folder;
    QStringList m_devices;
    KeyLatch m_latch;
    KeyboardState m_state;
    std::map<int, Stream> m_streams;
    std::map<QString, Refused> m_refused;
    std::map<int, QString> m_folderWatches;
    int m_nextId = 1;
    int m_inotify = -1;
    std::unique_ptr<QSocketNotifier> m_inotifyNotifier;
    std::vector<Pending> m_queue;
    std::size_t m_next = 0;
    QString m_problem;
    bool m_started = false;
};

} // namespace tarvex
