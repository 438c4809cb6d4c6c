#include "platform/evdev/devices/InputStream.h"

#include <QFile>

#include <libevdev/libevdev.h>
#include <linux/input.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace tarvex {

namespace {

constexpr int OpenFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;

// A keyboard has letters; a power button, a mouse or a lid switch does not.
constexpr unsigned int LetterKeys[] = {KEY_Q, KEY_A, KEY_Z, KEY_P, KEY_L, KEY_M};

bool hasLetterKeys(const libevdev* device)
{
    for (const unsigned int key : LetterKeys) {
        if (!libevdev_has_event_code(device, EV_KEY, key))
            return false;
    }
    return true;
}

// A device that cannot be opened can still say what it is: sysfs shows its keys to anyone.
// Without that (not a device, or no sysfs) it may be a keyboard.
InputStream::Refusal unreadable(const struct stat& info, bool anyKeyDevice)
{
    if (!S_ISCHR(info.st_mode))
        return InputStream::Refusal::Unreadable;
    QFile capabilities(QStringLiteral("/sys/dev/char/%1:%2/device/capabilities/key")
                           .arg(major(info.st_rdev))
                           .arg(minor(info.st_rdev)));
    if (!capabilities.open(QIODevice::ReadOnly))
        return InputStream::Refusal::Unreadable;
    return InputStream::capabilitiesShowKeyboard(capabilities.readAll(), anyKeyDevice)
               ? InputStream::Refusal::Unreadable
               : InputStream::Refusal::NotKeyboard;
}

InputStream::Refusal refusalOf(int error, const QByteArray& path, bool anyKeyDevice)
{
    struct stat info
    {};
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return InputStream::Refusal::Missing;
    default:
        if (::stat(path.constData(), &info) != 0)
            return InputStream::Refusal::Unreadable;
        return unreadable(info, anyKeyDevice);
    }
}

} // namespace

InputStream::InputStream(int fd, Kind kind, QString path)
    : m_fd(fd), m_kind(kind), m_path(std::move(path)), m_name(m_path)
{}

InputStream::~InputStream()
{
    ::close(m_fd);
}

std::unique_ptr<InputStream> InputStream::open(const QString& path, bool anyKeyDevice,
                                               Refusal& refusal)
{
    const QByteArray encoded = QFile::encodeName(path);
    const int fd = ::open(encoded.constData(), OpenFlags);
    if (fd < 0) {
        refusal = refusalOf(errno, encoded, anyKeyDevice);
        return nullptr;
    }
    struct stat info
    {};
    if (::fstat(fd, &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISREG(info.st_mode))) {
        refusal = Refusal::None;
        const Kind kind = S_ISFIFO(info.st_mode) ? Kind::Fifo : Kind::File;
        return std::unique_ptr<InputStream>(new InputStream(fd, kind, path));
    }
    libevdev* device = nullptr;
    const bool keys = S_ISCHR(info.st_mode) && libevdev_new_from_fd(fd, &device) == 0 &&
                      libevdev_has_event_type(device, EV_KEY) &&
                      (anyKeyDevice || hasLetterKeys(device));
    if (!keys) {
        libevdev_free(device);
        ::close(fd);
        refusal = Refusal::NotKeyboard;
        return nullptr;
    }
    std::unique_ptr<InputStream> stream(new InputStream(fd, Kind::Device, path));
    stream->m_name = QString::fromUtf8(libevdev_get_name(device));
    libevdev_free(device);
    refusal = Refusal::None;
    return stream;
}

bool InputStream::capabilitiesShowKeyboard(const QByteArray& keyCapabilities, bool anyKey)
{
    constexpr int WordBits = int(sizeof(unsigned long) * 8);
    QList<QByteArray> words = keyCapabilities.trimmed().split(' ');
    std::reverse(words.begin(), words.end());
    const auto has = [&words](unsigned int key) {
        const auto word = qsizetype(key / WordBits);
        return word < words.size() && (words[word].toULong(nullptr, 16) >> (key % WordBits)) & 1;
    };
    if (anyKey)
        return std::any_of(words.begin(), words.end(),
                           [](const QByteArray& word) { return word.toULong(nullptr, 16) != 0; });
    return std::all_of(std::begin(LetterKeys), std::end(LetterKeys), has);
}

InputStream::ReadEnd InputStream::read(std::vector<InputRecord>& records)
{
    ReadEnd end = ReadEnd::Drained;
    char buffer[64 * sizeof(input_event)];
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer, sizeof(buffer));
        if (count > 0) {
            m_partial.append(buffer, count);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        if (count == 0)
            end = ReadEnd::Finished;
        else if (errno != EAGAIN)
            end = ReadEnd::Gone;
        break;
    }
    const qsizetype whole = m_partial.size() / qsizetype(sizeof(input_event));
    for (qsizetype i = 0; i < whole; ++i) {
        input_event event{};
        std::memcpy(&event, m_partial.constData() + i * sizeof(input_event), sizeof(event));
        records.push_back({event.type, event.code, event.value});
    }
    m_partial.remove(0, whole * qsizetype(sizeof(input_event)));
    return end;
}

bool InputStream::reopen()
{
    const int fd = ::open(QFile::encodeName(m_path).constData(), OpenFlags);
    struct stat info
    {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISFIFO(info.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    ::close(m_fd);
    m_fd = fd;
    // A writer that left in the middle of a record does not finish it.
    m_partial.clear();
    return true;
}

std::optional<KeyboardState::Keys> InputStream::heldKeys() const
{
    if (m_kind != Kind::Device)
        return std::nullopt;
    unsigned char bits[KEY_MAX / 8 + 1] = {};
    if (::ioctl(m_fd, EVIOCGKEY(sizeof(bits)), bits) < 0)
        return std::nullopt;
    KeyboardState::Keys keys;
    for (std::size_t key = 0; key < keys.size(); ++key)
        keys[key] = (bits[key / 8] >> (key % 8)) & 1;
    return keys;
}

} // namespace tarvex
