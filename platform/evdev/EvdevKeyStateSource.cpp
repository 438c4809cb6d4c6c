#include "platform/evdev/EvdevKeyStateSource.h"

#include "platform/evdev/EvdevLogging.h"
#include "platform/evdev/SessionKeymap.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvex {

QString EvdevKeyStateSource::NoAccessProblem()
{
    return QCoreApplication::translate(
        "tarvex::EvdevKeyStateSource",
        "Tarvex cannot read the keyboard: allow it with the udev rule in the README (or join the "
        "input group), then start Tarvex again.");
}

namespace {

// X keycodes are evdev key codes + 8, as in every XKB keymap.
constexpr int KeycodeOffset = 8;
constexpr uint32_t FolderEvents = IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM;

quint64 inodeOf(const QString& path)
{
    struct stat info
    {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? quint64(info.st_ino) : 0;
}

QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

} // namespace

EvdevKeyStateSource::EvdevKeyStateSource(SessionKeymap& keymap, const QString& folder,
                                         const QStringList& devices, QObject* parent)
    : QObject(parent), m_keymap(keymap),
      m_folder(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())),
      m_state({[this](int key) { keyDown(key); }, [this](int key) { keyUp(key); },
               [this](int id) {
                   const auto it = m_streams.find(id);
                   return it == m_streams.end() ? std::nullopt : it->second.input->heldKeys();
               }})
{
    for (const QString& device : devices) {
        if (!device.trimmed().isEmpty())
            m_devices << QDir::cleanPath(QFileInfo(device.trimmed()).absoluteFilePath());
    }
}

EvdevKeyStateSource::~EvdevKeyStateSource()
{
    m_streams.clear();
    m_inotifyNotifier.reset();
    if (m_inotify >= 0)
        ::close(m_inotify);
}

bool EvdevKeyStateSource::start()
{
    if (!m_started) {
        m_started = true;
        watchFolders();
    }
    scan();
    updateProblem();
    drain();
    if (m_streams.empty())
        qCInfo(lcEvdev, "no keyboard can be read%s", m_problem.isEmpty() ? "" : " (no access)");
    else
        qCInfo(lcEvdev, "reading %s", qPrintable(keyboards().join(QStringLiteral(", "))));
    return true;
}

quint16 EvdevKeyStateSource::keyState(int code)
{
    return m_latch.query(code);
}

QStringList EvdevKeyStateSource::keyboards() const
{
    QStringList paths;
    for (const auto& [id, stream] : m_streams)
        paths << stream.input->path();
    return paths;
}

// The folder of the devices, or the folders of the listed paths, so that a device that
// appears (or gets its access) later is found without asking.
void EvdevKeyStateSource::watchFolders()
{
    m_inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify < 0) {
        const int error = errno;
        qCWarning(lcEvdev, "keyboards plugged in later are not seen: inotify failed (%s)",
                  strerror(error));
        return;
    }
    QStringList folders;
    if (m_devices.isEmpty())
        folders << m_folder;
    for (const QString& device : std::as_const(m_devices))
        folders << folderOf(device);
    folders.removeDuplicates();
    for (const QString& folder : std::as_const(folders)) {
        const int watch =
            ::inotify_add_watch(m_inotify, QFile::encodeName(folder).constData(), FolderEvents);
        const int error = errno;
        if (watch >= 0)
            m_folderWatches[watch] = folder;
        else
            qCInfo(lcEvdev, "cannot watch %s for keyboards (%s)", qPrintable(folder),
                   strerror(error));
    }
    m_inotifyNotifier = std::make_unique<QSocketNotifier>(m_inotify, QSocketNotifier::Read);
    connect(m_inotifyNotifier.get(), &QSocketNotifier::activated, this,
            &EvdevKeyStateSource::readWatches);
}

void EvdevKeyStateSource::scan()
{
    // A stream whose path went while nobody watched is dropped.
    std::vector<int> gone;
    for (const auto& [id, stream] : m_streams) {
        if (inodeOf(stream.input->path()) == 0)
            gone.push_back(id);
    }
    for (const int id : gone)
        drop(id);
    if (!m_devices.isEmpty()) {
        for (const QString& device : std::as_const(m_devices))
            consider(device);
        return;
    }
    const QDir folder(m_folder);
    const QStringList names = folder.entryList(
        {QStringLiteral("event*")}, QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    for (const QString& name : names)
        consider(folder.filePath(name));
}

bool EvdevKeyStateSource::isCandidate(const QString& path) const
{
    if (!m_devices.isEmpty())
        return m_devices.contains(path);
    return folderOf(path) == m_folder && QFileInfo(path).fileName().startsWith(u"event");
}

void EvdevKeyStateSource::consider(const QString& path)
{
    for (const auto& [id, stream] : m_streams) {
        if (stream.input->path() == path)
            return;
    }
    const quint64 inode = inodeOf(path);
    const auto refused = m_refused.find(path);
    // A device that is no keyboard stays none; asking it again would only cost.
    if (refused != m_refused.end() &&
        refused->second.refusal == InputStream::Refusal::NotKeyboard &&
        refused->second.inode == inode)
        return;
    InputStream::Refusal refusal = InputStream::Refusal::None;
    std::unique_ptr<InputStream> input = InputStream::open(path, !m_devices.isEmpty(), refusal);
    if (!input) {
        if (refusal == InputStream::Refusal::Missing)
            m_refused.erase(path);
        else
            m_refused[path] = {refusal, inode};
        if (refusal == InputStream::Refusal::Unreadable)
            qCInfo(lcEvdev, "cannot read %s", qPrintable(path));
        return;
    }
    m_refused.erase(path);
    qCInfo(lcEvdev, "reading keyboard %s (%s)", qPrintable(path), qPrintable(input->name()));
    const int id = m_nextId++;
    const InputStream::Kind kind = input->kind();
    m_streams[id].input = std::move(input);
    m_state.add(id);
    if (kind == InputStream::Kind::File) {
        // A file is always readable: its growth is watched instead.
        if (m_inotify >= 0)
            m_streams[id].fileWatch =
                ::inotify_add_watch(m_inotify, QFile::encodeName(path).constData(), IN_MODIFY);
        readStream(id);
    } else {
        listen(id);
    }
}

void EvdevKeyStateSource::listen(int id)
{
    Stream& stream = m_streams.at(id);
    if (stream.notifier) {
        // It may be the sender of the signal being handled.
        stream.notifier->setEnabled(false);
        stream.notifier.release()->deleteLater();
    }
    stream.notifier = std::make_unique<QSocketNotifier>(stream.input->fd(), QSocketNotifier::Read);
    connect(stream.notifier.get(), &QSocketNotifier::activated, this,
            [this, id] { readStream(id); });
}

void EvdevKeyStateSource::drop(int id)
{
    const auto it = m_streams.find(id);
    if (it == m_streams.end())
        return;
    qCInfo(lcEvdev, "keyboard %s is gone", qPrintable(it->second.input->path()));
    if (it->second.notifier) {
        it->second.notifier->setEnabled(false);
        it->second.notifier.release()->deleteLater();
    }
    if (it->second.fileWatch >= 0)
        ::inotify_rm_watch(m_inotify, it->second.fileWatch);
    m_streams.erase(it);
    // Its keys go up; a key another keyboard still holds stays down.
    m_state.remove(id);
}

void EvdevKeyStateSource::dropPath(const QString& path)
{
    for (const auto& [id, stream] : m_streams) {
        if (stream.input->path() == path) {
            drop(id);
            return;
        }
    }
}

void EvdevKeyStateSource::readStream(int id)
{
    const auto it = m_streams.find(id);
    if (it == m_streams.end())
        return;
    InputStream& input = *it->second.input;
    std::vector<InputRecord> records;
    const InputStream::ReadEnd end = input.read(records);
    for (const InputRecord& record : records)
        m_queue.push_back({id, record});
    bool dropped = false;
    if (end == InputStream::ReadEnd::Gone ||
        (end == InputStream::ReadEnd::Finished && input.kind() == InputStream::Kind::Fifo)) {
        // Every writer of a FIFO has gone: read it again from the next writer on.
        if (input.kind() == InputStream::Kind::Fifo && input.reopen()) {
            listen(id);
        } else {
            drain();
            drop(id);
            dropped = true;
        }
    }
    drain();
    if (dropped)
        updateProblem();
}

void EvdevKeyStateSource::readWatches()
{
    alignas(inotify_event) char buffer[4096];
    bool rescan = false;
    for (;;) {
        const ssize_t count = ::read(m_inotify, buffer, sizeof(buffer));
        if (count <= 0)
            break;
        for (ssize_t at = 0; at < count;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                rescan = true;
                continue;
            }
            if (event->mask & IN_MODIFY) {
                for (const auto& [id, stream] : m_streams) {
                    if (stream.fileWatch == event->wd) {
                        readStream(id);
                        break;
                    }
                }
                continue;
            }
            const auto folder = m_folderWatches.find(event->wd);
            if (folder == m_folderWatches.end() || event->len == 0)
                continue;
            const QString path = folder->second + u'/' + QFile::decodeName(event->name);
            if (event->mask & (IN_DELETE | IN_MOVED_FROM)) {
                dropPath(path);
                m_refused.erase(path);
            } else if (isCandidate(path)) {
                consider(path);
            }
        }
    }
    if (rescan)
        scan();
    updateProblem();
    drain();
}

// Records are handled in the order they were read, one at a time. A press may run an
// action that opens a modal window; records read by the event loop it runs join the
// same queue and are handled there, so none overtakes an earlier one.
void EvdevKeyStateSource::drain()
{
    while (m_next < m_queue.size()) {
        const Pending pending = m_queue[m_next++];
        m_state.feed(pending.keyboard, pending.record.type, pending.record.code,
                     pending.record.value);
    }
    m_queue.clear();
    m_next = 0;
}

void EvdevKeyStateSource::updateProblem()
{
    const bool refused = std::any_of(m_refused.begin(), m_refused.end(), [](const auto& entry) {
        return entry.second.refusal == InputStream::Refusal::Unreadable;
    });
    const QString problem = m_streams.empty() && refused ? NoAccessProblem() : QString();
    if (problem == m_problem)
        return;
    m_problem = problem;
    notifyProblemChanged();
}

void EvdevKeyStateSource::keyDown(int key)
{
    const int keycode = key + KeycodeOffset;
    const int code = m_keymap.codeFor(keycode);
    m_keymap.keyDown(keycode);
    if (m_latch.press(keycode, code))
        notifyPressed();
}

void EvdevKeyStateSource::keyUp(int key)
{
    const int keycode = key + KeycodeOffset;
    m_keymap.keyUp(keycode);
    m_latch.release(keycode);
}

} // namespace tarvex
