#pragma once

#include "platform/evdev/devices/FolderWatch.h"
#include "platform/evdev/devices/InputStream.h"
#include "platform/evdev/devices/KeyboardState.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace tarvex {

// The keyboards of the computer read as one keyboard, from the kernel's input devices. Devices
// are opened read-only and never grabbed: every program still gets its keys.
//
// It reads every keyboard among the event devices of a folder (/dev/input), picking up
// keyboards plugged in later and dropping removed ones; or, when given a list of paths, only
// those (their folders are watched, and waited for while they are missing). A path that is a
// FIFO or a regular file is read as a raw stream of `struct input_event` records. All
// keyboards share one key state (KeyboardState): each key going down on the first keyboard
// and up on the last one reaches the handlers once, in the order read.
class KeyboardDevices final : public QObject
{
    Q_OBJECT

public:
    struct Handlers
    {
        /// A key went down (evdev key code below 248).
        std::function<void(int key)> keyDown;
        /// A key went up.
        std::function<void(int key)> keyUp;
        /// The keyboards read, or those refused for want of access, changed.
        std::function<void()> changed;
    };

    /// Reads the keyboards of `folder`, or only `devices` when that list is not empty.
    KeyboardDevices(Handlers handlers, const QString& folder, const QStringList& devices = {},
                    QObject* parent = nullptr);
    ~KeyboardDevices() override;

    /// Only paths `accept` agrees to are opened (all, while it is empty).
    void setAcceptance(std::function<bool(const QString& path)> accept);
    /// Starts watching and opens every keyboard that can be read now; a later call looks
    /// again for keyboards that could not be read before.
    void start();
    /// Closes every keyboard (their held keys go up) and stops watching.
    void stop();
    /// True between start() and stop().
    bool isStarted() const { return m_started; }
    /// The paths read now, in the order they were opened.
    QStringList keyboards() const;
    /// True while some keyboard could not be opened for want of access.
    bool anyRefused() const;
    /// The folder watch (for tests: what is watched now).
    const FolderWatch& folderWatch() const { return m_watch; }

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

    void scan();
    bool isCandidate(const QString& path) const;
    void consider(const QString& path);
    void listen(int id);
    void drop(int id);
    void dropPath(const QString& path);
    void readStream(int id);
    void onFileGrew(int fileId);
    void drain();
    void announce();

    Handlers m_handlers;
    QString m_folder;
    QStringList m_devices;
    std::function<bool(const QString&)> m_accept;
    KeyboardState m_state;
    FolderWatch m_watch;
    std::map<int, Stream> m_streams;
    std::map<QString, Refused> m_refused;
    int m_nextId = 1;
    std::vector<Pending> m_queue;
    std::size_t m_next = 0;
    bool m_started = false;
};

} // namespace tarvex
