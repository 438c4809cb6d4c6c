#pragma once

#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

namespace tarvex {

/// Watches one file for changes made by anyone: written in place, replaced by a rename (as
/// editors and sync clients save), removed or created. It watches the file and its folder (or,
/// while the folder is missing, the nearest folder above that exists) and watches again after
/// each change, since a replaced file is no longer the one watched. A burst of changes is
/// reported once, after it has settled.
class HotkeyFileWatcher final : public QObject
{
    Q_OBJECT

public:
    /// How long changes must have settled before they are reported (milliseconds).
    static constexpr int SettleMilliseconds = 300;

    /// Watches `path` from now on.
    explicit HotkeyFileWatcher(QString path, QObject* parent = nullptr);
    ~HotkeyFileWatcher() override;

Q_SIGNALS:
    /// The file may have changed (its contents are for the receiver to compare).
    void changed();

private:
    void arm();

    QString m_path;
    QFileSystemWatcher* m_watcher = nullptr;
    QTimer* m_settle = nullptr;
};

} // namespace tarvex
