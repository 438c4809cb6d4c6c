#include "activation/HiddenWindowRecord.h"

#include "store/HotkeyFileIO.h"

#include <QFile>

namespace tarvex {

namespace {
// A record is a few lines; anything larger is not one.
constexpr qint64 MostRecordBytes = 64 * 1024;
} // namespace

HiddenWindowRecord::HiddenWindowRecord(QString folder)
    : m_path(folder.isEmpty() ? QString() : folder + u'/' + FileName)
{}

QString HiddenWindowRecord::write(const QList<WindowId>& windows) const
{
    if (m_path.isEmpty())
        return {};
    if (windows.isEmpty()) {
        QFile file(m_path);
        return !file.exists() || file.remove() ? QString() : file.errorString();
    }
    QByteArray text;
    for (const WindowId window : windows)
        text += QByteArray::number(window) + '\n';
    return ReplaceFile(m_path, text);
}

QList<WindowId> HiddenWindowRecord::take() const
{
    if (m_path.isEmpty())
        return {};
    const RegularFileRead file = ReadRegularFile(m_path, MostRecordBytes);
    QList<WindowId> windows;
    for (const QByteArray& line : file.bytes.split('\n')) {
        bool ok = false;
        const WindowId window = line.trimmed().toULongLong(&ok);
        if (ok && window != 0)
            windows.append(window);
    }
    QFile::remove(m_path);
    return windows;
}

} // namespace tarvex
