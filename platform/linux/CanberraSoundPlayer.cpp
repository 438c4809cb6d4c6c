#include "platform/linux/CanberraSoundPlayer.h"

#include "platform/linux/CanberraWorker.h"

#include <QFileInfo>

namespace tarvex {

CanberraSoundPlayer::CanberraSoundPlayer()
{
    m_thread.setObjectName(QStringLiteral("sound"));
}

CanberraSoundPlayer::~CanberraSoundPlayer()
{
    if (!m_thread.isRunning())
        return;
    m_thread.quit();
    m_thread.wait();
}

void CanberraSoundPlayer::playAsync(const QString& path)
{
    // libcanberra reports a missing file like a missing device; check it here.
    if (!isPlayableFile(path))
        return;
    if (!m_worker) {
        m_worker = new CanberraWorker;
        m_worker->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
        m_thread.start();
    }
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, path] { worker->play(path); }, Qt::QueuedConnection);
}

bool CanberraSoundPlayer::isPlayableFile(const QString& path)
{
    const QFileInfo file(path);
    return file.isFile() && file.isReadable();
}

} // namespace tarvex
