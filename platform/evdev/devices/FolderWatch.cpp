#include "platform/evdev/devices/FolderWatch.h"

#include "platform/evdev/devices/EvdevLogging.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace tarvex {

namespace {

// One mask for every folder: the kernel keeps one watch per folder, and a folder may be
// watched both for itself and as the parent of a missing one.
constexpr quint32 FolderEvents = IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM |
                                 IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
constexpr quint32 FileEvents = IN_MODIFY;

QString nearestExisting(QString folder)
{
    while (!QFileInfo(folder).isDir() && folder != u"/")
        folder = QFileInfo(folder).absolutePath();
    return folder;
}

} // namespace

FolderWatch::FolderWatch(QObject* parent) : QObject(parent) {}

FolderWatch::~FolderWatch()
{
    clear();
}

bool FolderWatch::watch(const QStringList& folders)
{
    clear();
    m_inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify < 0) {
        const int error = errno;
        qCWarning(lcEvdev, "keyboards plugged in later are not seen: inotify failed (%s)",
                  strerror(error));
        return false;
    }
    m_folders = folders;
    m_folders.removeDuplicates();
    m_notifier = std::make_unique<QSocketNotifier>(m_inotify, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &FolderWatch::read);
    arm();
    return true;
}

void FolderWatch::clear()
{
    m_notifier.reset();
    if (m_inotify >= 0)
        ::close(m_inotify);
    m_inotify = -1;
    m_watches.clear();
    m_folders.clear();
}

int FolderWatch::watchFile(const QString& path)
{
    if (m_inotify < 0)
        return -1;
    return ::inotify_add_watch(m_inotify, QFile::encodeName(path).constData(), FileEvents);
}

void FolderWatch::forget(int fileId)
{
    if (m_inotify >= 0 && fileId >= 0 && !m_watches.count(fileId))
        ::inotify_rm_watch(m_inotify, fileId);
}

QStringList FolderWatch::watched() const
{
    QStringList folders;
    for (const auto& [wd, folder] : m_watches)
        folders << folder;
    return folders;
}

// Each folder, or its nearest existing parent; adding a watch the kernel already has gives
// its descriptor again, so arming twice changes nothing.
void FolderWatch::arm()
{
    for (const QString& folder : std::as_const(m_folders)) {
        const QString existing = nearestExisting(folder);
        const int wd =
            ::inotify_add_watch(m_inotify, QFile::encodeName(existing).constData(), FolderEvents);
        const int error = errno;
        if (wd >= 0)
            m_watches[wd] = existing;
        else
            qCInfo(lcEvdev, "cannot watch %s for keyboards (%s)", qPrintable(existing),
                   strerror(error));
        if (wd >= 0 && existing != folder)
            qCInfo(lcEvdev, "%s is missing: waiting for it in %s", qPrintable(folder),
                   qPrintable(existing));
    }
}

void FolderWatch::read()
{
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(m_inotify, buffer, sizeof(buffer));
        if (count <= 0)
            break;
        for (ssize_t at = 0; at < count;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            const QString name = event->len ? QFile::decodeName(event->name) : QString();
            handle(event->wd, event->mask, name);
            if (m_inotify < 0)
                return; // a handler cleared the watch
        }
    }
}

void FolderWatch::handle(int wd, quint32 mask, const QString& name)
{
    if (mask & IN_Q_OVERFLOW) {
        Q_EMIT rescanNeeded();
        return;
    }
    const auto watch = m_watches.find(wd);
    if (watch == m_watches.end()) {
        if (mask & IN_MODIFY)
            Q_EMIT fileGrew(wd);
        return;
    }
    // The folder went (IN_IGNORED follows its deletion) or moved away: wait for it again.
    if (mask & (IN_IGNORED | IN_MOVE_SELF | IN_DELETE_SELF)) {
        if (mask & IN_MOVE_SELF)
            ::inotify_rm_watch(m_inotify, wd);
        m_watches.erase(watch);
        arm();
        return;
    }
    const QString path = watch->second + u'/' + name;
    if (name.isEmpty())
        return;
    if ((mask & (IN_CREATE | IN_MOVED_TO)) && leadsToFolder(path)) {
        arm();
        Q_EMIT rescanNeeded();
    } else if (mask & (IN_DELETE | IN_MOVED_FROM)) {
        Q_EMIT entryRemoved(path);
    } else {
        Q_EMIT entryAdded(path);
    }
}

// True when `path` is a wanted folder, or a folder on the way to one.
bool FolderWatch::leadsToFolder(const QString& path) const
{
    for (const QString& folder : m_folders) {
        if (folder == path || folder.startsWith(path + u'/'))
            return true;
    }
    return false;
}

} // namespace tarvex
