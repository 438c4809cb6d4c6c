#include "store/HotkeyDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace tarvex {
namespace {

QString DecodeLine(const QByteArray& bytes)
{
    // Files written by hand in an 8-bit code page are read as Latin-1 rather than losing
    // characters to replacement marks; the next save writes them as UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

qsizetype LineEnd(const QByteArray& block)
{
    const qsizetype cr = block.indexOf('\r');
    const qsizetype lf = block.indexOf('\n');
    return cr < 0 ? lf : (lf < 0 ? cr : std::min(cr, lf));
}

// Reads in blocks up to the first line end, so a long single line loads fast.
QByteArray FirstLineBytes(QFile& file)
{
    QByteArray line;
    for (;;) {
        const QByteArray block = file.read(1 << 16);
        const qsizetype end = LineEnd(block);
        if (end >= 0)
            return line + block.left(end);
        if (block.isEmpty())
            return line;
        line += block;
    }
}

// A short write (file size limit, full disk) is not reported as an error, and a commit after it
// would replace the file by the truncated text; so the file is unbuffered and the count checked.
bool WriteWhole(QSaveFile& file, const QByteArray& bytes)
{
    if (file.write(bytes) == bytes.size())
        return true;
    file.cancelWriting();
    return false;
}

QString SaveError(const QString& path, const QString& reason)
{
    return QStringLiteral("The hotkeys could not be saved to \"%1\": %2").arg(path, reason);
}

} // namespace

QString JoinPath(QString a, QString b)
{
    if (a.endsWith(u'/'))
        a.chop(1);
    if (b.startsWith(u'/'))
        b.remove(0, 1);
    return a + u'/' + b;
}

HotkeyDatabase::HotkeyDatabase(QString path) : m_path(std::move(path)) {}

HotkeyDatabase HotkeyDatabase::InFolder(const QString& documentsFolder)
{
    return HotkeyDatabase(JoinPath(documentsFolder, FileName));
}

QString HotkeyDatabase::ReadFirstLine(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("The hotkey file \"%1\" could not be read: %2")
                         .arg(path, file.errorString());
        return {};
    }
    return DecodeLine(FirstLineBytes(file));
}

QByteArray HotkeyDatabase::Serialize(const HotkeyList& list)
{
    QStringList records;
    records.reserve(list.count());
    for (const HotkeyEntry& entry : list.entries())
        records.append(entry.combination + u'*' + entry.target);
    return records.join(u'|').toUtf8() + "\r\n";
}

HotkeyEntry HotkeyDatabase::EntryFromRecord(const QString& record)
{
    const qsizetype star = record.indexOf(u'*');
    if (star < 0)
        return {record, QString()};
    const qsizetype next = record.indexOf(u'*', star + 1);
    return {record.left(star), record.mid(star + 1, next < 0 ? -1 : next - star - 1)};
}

QString HotkeyDatabase::load(HotkeyList& list, ActiveHotkeyTable& table) const
{
    QString error;
    table.replaceFromText(ReadFirstLine(m_path, &error));
    list.clear();
    for (const QString& record : table.records())
        list.append(EntryFromRecord(record));
    return error;
}

QString HotkeyDatabase::save(const HotkeyList& list, ActiveHotkeyTable& table) const
{
    QString error;
    const QString folder = QFileInfo(m_path).absolutePath();
    QSaveFile file(m_path);
    if (!QDir().mkpath(folder))
        error = SaveError(m_path, QStringLiteral("the folder cannot be created."));
    else if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        error = SaveError(m_path, file.errorString());
    else if (!WriteWhole(file, Serialize(list)) || !file.commit())
        error = SaveError(m_path, file.errorString());
    // The table always shows what really is on disk, whether the save worked or not.
    table.replaceFromText(ReadFirstLine(m_path));
    return error;
}

} // namespace tarvex
