#pragma once

#include "platform/evdev/devices/KeyboardState.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace tarvex {

/// One record of the kernel's input events, without its time.
struct InputRecord
{
    quint16 type = 0;
    quint16 code = 0;
    qint32 value = 0;
};

// One opened source of input-event records: an evdev device (read passively,
// never grabbed, so every other program still gets its keys), or a FIFO or a
// regular file holding a raw stream of `struct input_event` records.
class InputStream final
{
public:
    enum class Kind { Device, Fifo, File };
    /// Why a path was not opened.
    enum class Refusal { None, Missing, Unreadable, NotKeyboard };
    /// What a read found.
    enum class ReadEnd {
        Drained,  ///< everything there was read; more may come
        Finished, ///< the end of a file, or every writer of a FIFO has gone (reopen it)
        Gone,     ///< the device was removed or failed
    };

    /// Opens `path` for reading. A device counts when it reports letter keys (with
    /// `anyKeyDevice`, any key at all); a FIFO and a regular file always count.
    static std::unique_ptr<InputStream> open(const QString& path, bool anyKeyDevice,
                                             Refusal& refusal);
    ~InputStream();
    InputStream(const InputStream&) = delete;
    InputStream& operator=(const InputStream&) = delete;

    int fd() const { return m_fd; }
    Kind kind() const { return m_kind; }
    const QString& path() const { return m_path; }
    /// The device's name, or the path of a stream.
    const QString& name() const { return m_name; }

    /// Reads every whole record there is now into `records` (a partial one waits for its rest).
    ReadEnd read(std::vector<InputRecord>& records);
    /// Opens a FIFO again after its writers have gone; false when it is no longer there.
    bool reopen();
    /// The keys a device holds now (EVIOCGKEY); nothing for streams.
    std::optional<KeyboardState::Keys> heldKeys() const;

    /// True when a device's key capabilities as sysfs lists them (hexadecimal words, the
    /// highest first) hold letter keys (with `anyKey`, any key).
    static bool capabilitiesShowKeyboard(const QByteArray& keyCapabilities, bool anyKey);

private:
    InputStream(int fd, Kind kind, QString path);

    int m_fd;
    Kind m_kind;
    QString m_path;
    QString m_name;
    QByteArray m_partial;
};

} // namespace tarvex
