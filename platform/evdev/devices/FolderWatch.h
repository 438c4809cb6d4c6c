#pragma once

#include <QObject>
#include <QStringList>

#include <map>
#include <memory>

class QSocketNotifier;

namespace tarvex {

// Watches folders of device nodes for entries that come and go (inotify), and regular files
// for growth. A folder that does not exist, or that goes away (udev removes /dev/input/by-id
// with the last USB keyboard), is waited for: its nearest existing parent is watched until it
// is there again, then the folder itself is watched once more.
class FolderWatch final : public QObject
{
    Q_OBJECT

public:
    /// Watches nothing until watch() is called.
    explicit FolderWatch(QObject* parent = nullptr);
    ~FolderWatch() override;

    /// Starts watching `folders` (absolute, clean paths); false when inotify is not usable.
    bool watch(const QStringList& folders);
    /// Stops watching everything.
    void clear();
    /// Watches the regular file `path` for growth; returns an id for forget(), or -1.
    int watchFile(const QString& path);
    /// Stops watching a file watched by watchFile().
    void forget(int fileId);
    /// The folders watched now; a missing one is stood in for by its nearest existing parent.
    QStringList watched() const;

Q_SIGNALS:
    /// An entry appeared in (or was moved into, or changed its access in) a watched folder.
    void entryAdded(const QString& path);
    /// An entry left a watched folder.
    void entryRemoved(const QString& path);
    /// A watched file grew.
    void fileGrew(int fileId);
    /// A watched folder came back, or events were lost: look at every folder again.
    void rescanNeeded();

private:
    void arm();
    void read();
    void handle(int wd, quint32 mask, const QString& name);
    bool leadsToFolder(const QString& path) const;

    QStringList m_folders;
    int m_inotify = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    // What each watch descriptor watches: a folder, or a parent standing in for one.
    std::map<int, QString> m_watches;
};

} // namespace tarvex
