#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

// A keyboard for the key sources: a FIFO in the folder they watch, written the way the kernel
// writes an event device.
class FifoKeyboard final
{
public:
    explicit FifoKeyboard(QString path) : m_path(std::move(path))
    {
        ::mkfifo(QFile::encodeName(m_path).constData(), 0644);
    }
    ~FifoKeyboard() { close(); }

    const QString& path() const { return m_path; }
    /// Writes one record; the source must have the FIFO open for reading.
    bool write(quint16 type, quint16 code, qint32 value)
    {
        // Between two writers the reader may be reopening the FIFO for a moment.
        if (m_fd < 0)
            (void)QTest::qWaitFor(
                [this] {
                    m_fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NONBLOCK);
                    return m_fd >= 0;
                },
                5000);
        const input_event event{{0, 0}, type, code, value};
        return m_fd >= 0 && ::write(m_fd, &event, sizeof(event)) == ssize_t(sizeof(event));
    }
    bool type(std::initializer_list<int> keys)
    {
        bool written = true;
        for (int key : keys)
            written = write(EV_KEY, quint16(key), 1) && write(EV_KEY, quint16(key), 0) && written;
        return written;
    }
    /// Returns once the source has read everything written so far.
    bool waitUntilRead()
    {
        const bool read = QTest::qWaitFor(
            [this] {
                int pending = 0;
                return m_fd < 0 || ::ioctl(m_fd, FIONREAD, &pending) != 0 || pending == 0;
            },
            10000);
        QCoreApplication::processEvents();
        return read;
    }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    void remove()
    {
        close();
        QFile::remove(m_path);
    }

private:
    QString m_path;
    int m_fd = -1;
};
