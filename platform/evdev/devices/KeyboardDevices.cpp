#include "platform/evdev/devices/KeyboardDevices.h"

#include "platform/evdev/devices/EvdevLogging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <algorithm>
#include <sys/stat.h>

namespace tarvex {

Q_LOGGING_CATEGORY(lcEvdev, "tarvex.evdev")

namespace {

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

KeyboardDevices::KeyboardDevices(Handlers handlers, const QString& folder,
                                 const QStringList& devices, QObject* parent)
    : QObject(parent), m_handlers(std::move(handlers)),
      m_folder(QDir::cleanPath(QFileInfo(folder).absoluteFilePath())),
      m_state({m_handlers.keyDown, m_handlers.keyUp, [this](int id) {
                   const auto it = m_streams.find(id);
                   return it == m_streams.end() ? std::nullopt : it->second.input->heldKeys();
               }})
{
    for (const QString& device : devices) {
        if (!device.trimmed().isEmpty())
            m_devices << QDir::cleanPath(QFileInfo(device.trimmed()).absoluteFilePath());
    }
    connect(&m_watch, &FolderWatch::entryAdded, this, [this](const QString& path) {
        if (isCandidate(path))
            consider(path);
        announce();
        drain();
    });
    connect(&m_watch, &FolderWatch::entryRemoved, this, [this](const QString& path) {
        dropPath(path);
        m_refused.erase(path);
        announce();
    });
    connect(&m_watch, &FolderWatch::fileGrew, this, &KeyboardDevices::onFileGrew);
    connect(&m_watch, &FolderWatch::rescanNeeded, this, [this] {
        scan();
        announce();
        drain();
    });
}

KeyboardDevices::~KeyboardDevices() = default;

void KeyboardDevices::setAcceptance(std::function<bool(const QString&)> accept)
{
    m_accept = std::move(accept);
}

// The folder of the devices, or the folders of the listed paths, so that a device that
// appears (or gets its access) later is found without asking.
void KeyboardDevices::start()
{
    if (!m_started) {
        m_started = true;
        QStringList folders;
        if (m_devices.isEmpty())
            folders << m_folder;
        for (const QString& device : std::as_const(m_devices))
            folders << folderOf(device);
        m_watch.watch(folders);
    }
    scan();
    announce();
    drain();
}

void KeyboardDevices::stop()
{
    m_watch.clear();
    while (!m_streams.empty())
        drop(m_streams.begin()->first);
    m_refused.clear();
    m_queue.clear();
    m_next = 0;
    m_started = false;
}

QStringList KeyboardDevices::keyboards() const
{
    QStringList paths;
    for (const auto& [id, stream] : m_streams)
        paths << stream.input->path();
    return paths;
}

bool KeyboardDevices::anyRefused() const
{
    return std::any_of(m_refused.begin(), m_refused.end(), [](const auto& entry) {
        return entry.second.refusal == InputStream::Refusal::Unreadable;
    });
}

void KeyboardDevices::scan()
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

bool KeyboardDevices::isCandidate(const QString& path) const
{
    if (!m_devices.isEmpty())
        return m_devices.contains(path);
    return folderOf(path) == m_folder && QFileInfo(path).fileName().startsWith(u"event");
}

void KeyboardDevices::consider(const QString& path)
{
    for (const auto& [id, stream] : m_streams) {
        if (stream.input->path() == path)
            return;
    }
    if (m_accept && !m_accept(path))
        return;
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
        m_streams[id].fileWatch = m_watch.watchFile(path);
        readStream(id);
    } else {
        listen(id);
    }
}

void KeyboardDevices::listen(int id)
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

void KeyboardDevices::drop(int id)
{
    const auto it = m_streams.find(id);
    if (it == m_streams.end())
        return;
    qCInfo(lcEvdev, "keyboard %s is gone", qPrintable(it->second.input->path()));
    if (it->second.notifier) {
        it->second.notifier->setEnabled(false);
        it->second.notifier.release()->deleteLater();
    }
    m_watch.forget(it->second.fileWatch);
    m_streams.erase(it);
    // Its keys go up; a key another keyboard still holds stays down.
    m_state.remove(id);
}

void KeyboardDevices::dropPath(const QString& path)
{
    for (const auto& [id, stream] : m_streams) {
        if (stream.input->path() == path) {
            drop(id);
            return;
        }
    }
}

void KeyboardDevices::readStream(int id)
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
        announce();
}

void KeyboardDevices::onFileGrew(int fileId)
{
    for (const auto& [id, stream] : m_streams) {
        if (stream.fileWatch == fileId) {
            readStream(id);
            return;
        }
    }
}

// Records are handled in the order they were read, one at a time. A press may run an
// action that opens a modal window; records read by the event loop it runs join the
// same queue and are handled there, so none overtakes an earlier one.
void KeyboardDevices::drain()
{
    while (m_next < m_queue.size()) {
        const Pending pending = m_queue[m_next++];
        m_state.feed(pending.keyboard, pending.record.type, pending.record.code,
                     pending.record.value);
    }
    m_queue.clear();
    m_next = 0;
}

void KeyboardDevices::announce()
{
    if (m_handlers.changed)
        m_handlers.changed();
}

} // namespace tarvex
