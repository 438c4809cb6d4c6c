#include "store/HotkeyFileWatcher.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

namespace tarvex {

HotkeyFileWatcher::HotkeyFileWatcher(QString path, QObject* parent)
    : QObject(parent), m_path(std::move(path)), m_watcher(new QFileSystemWatcher(this)),
      m_settle(new QTimer(this))
{
    m_settle->setSingleShot(true);
    m_settle->setInterval(SettleMilliseconds);
    connect(m_settle, &QTimer::timeout, this, &HotkeyFileWatcher::changed);
    const auto onChange = [this] {
        arm();
        m_settle->start();
    };
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, onChange);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, onChange);
    arm();
}

HotkeyFileWatcher::~HotkeyFileWatcher() = default;

// Watches the file when it exists, and the nearest existing folder on its way, so that a file
// renamed into place, a folder created later and a change in place are all seen. The file is
// watched anew each time: after a rename the old watch follows the replaced file.
void HotkeyFileWatcher::arm()
{
    QString folder = QFileInfo(m_path).absolutePath();
    while (!QFileInfo(folder).isDir() && folder != QDir::rootPath())
        folder = QFileInfo(folder).absolutePath();
    if (!m_watcher->files().isEmpty())
        m_watcher->removePaths(m_watcher->files());
    const QStringList folders = m_watcher->directories();
    if (!folders.isEmpty() && folders != QStringList{folder})
        m_watcher->removePaths(folders);
    if (m_watcher->directories().isEmpty())
        m_watcher->addPath(folder);
    if (QFileInfo::exists(m_path))
        m_watcher->addPath(m_path);
}

} // namespace tarvex
