#include "store/HotkeyDatabase.h"

#include "store/HotkeyFileIO.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace tarvex {
namespace {

constexpr int MostNamedEntries = 10;
constexpr int MostShownTargetLength = 80;

QString ReadError(const QString& path, const QString& reason)
{
    return QCoreApplication::translate(
               "tarvex::HotkeyDatabase",
               "The hotkey file \"%1\" could not be read: %2 It was left as it is.")
        .arg(path, reason);
}

QString SaveError(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("tarvex::HotkeyDatabase",
                                       "The hotkeys could not be saved to \"%1\": %2")
        .arg(path, reason);
}

// A target as a message shows it: control characters made visible, a long one shortened.
QString ShownTarget(QString target)
{
    for (QChar& c : target) {
        if (c.unicode() < 32 || c.unicode() == 127)
            c = QChar::ReplacementCharacter;
    }
    if (target.size() > MostShownTargetLength)
        target = target.left(MostShownTargetLength) + QChar(0x2026);
    return target;
}

QByteArray RecordBytes(const HotkeyList& list, int position)
{
    const HotkeyEntry entry = list.at(position);
    const std::optional<QByteArray> stored = list.storedAt(position);
    if (stored && SplitHotkeyRecord(DecodeRecord(*stored)).entry == entry)
        return *stored;
    return (entry.combination + u'*' + entry.target).toUtf8();
}

// The records of `list` as Serialize writes them, each decoded as a read of the file decodes it.
QStringList WrittenRecords(const HotkeyList& list)
{
    QStringList records;
    records.reserve(list.count());
    for (int position = 1; position <= list.count(); ++position)
        records.append(DecodeRecord(RecordBytes(list, position)));
    return records;
}

// The first line of a hotkey file's bytes, each record decoded on its own.
QString DecodedFirstLine(const QByteArray& bytes)
{
    const QList<QByteArray> records = SplitHotkeyFile(bytes).records;
    QStringList texts;
    texts.reserve(records.size());
    for (const QByteArray& record : records)
        texts.append(DecodeRecord(record));
    return texts.join(u'|');
}

// The stamp of what reading a file gave: none for a missing file, one of size -1 for a file
// that was not read.
FileStamp StampOf(const RegularFileRead& file)
{
    if (!file.reason.isEmpty())
        return {true, -1, file.modified, {}};
    return file.exists ? FileStamp::Of(file.bytes, file.modified) : FileStamp{};
}

} // namespace

FileStamp FileStamp::Of(const QByteArray& bytes, qint64 modified)
{
    return {true, bytes.size(), modified,
            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}

bool FileStamp::sameContent(const FileStamp& other) const
{
    return exists == other.exists && size == other.size && hash == other.hash;
}

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
    const RegularFileRead file = ReadRegularFile(path);
    if (!file.reason.isEmpty() && error)
        *error = ReadError(path, file.reason);
    return DecodedFirstLine(file.bytes);
}

QByteArray HotkeyDatabase::Serialize(const HotkeyList& list)
{
    QByteArray bytes;
    for (int position = 1; position <= list.count(); ++position) {
        if (position > 1)
            bytes += '|';
        bytes += RecordBytes(list, position);
    }
    // The reader takes a byte-order mark at the start of the file for one: a first record
    // that begins with one gets another in front, so it reads back whole.
    if (list.leader().isEmpty() && QByteArrayView(bytes).startsWith(Utf8Bom))
        bytes.prepend(Utf8Bom.data(), Utf8Bom.size());
    return list.leader() + bytes + list.trailer();
}

QString HotkeyDatabase::NotRunReport(const HotkeyList& list)
{
    QStringList named;
    int more = 0;
    for (int position = 1; position <= list.count(); ++position) {
        const HotkeyEntry entry = list.at(position);
        const QString reason = ReasonNotRun(entry);
        if (reason.isEmpty())
            continue;
        if (named.size() == MostNamedEntries) {
            ++more;
            continue;
        }
        named.append(
            QCoreApplication::translate("tarvex::HotkeyDatabase", "Hotkey %1 (action \"%2\"): %3.")
                .arg(position)
                .arg(ShownTarget(entry.target), reason));
    }
    if (named.isEmpty())
        return {};
    if (more > 0)
        named.append(
            QCoreApplication::translate("tarvex::HotkeyDatabase", "... and %1 more.").arg(more));
    return QCoreApplication::translate(
               "tarvex::HotkeyDatabase",
               "These hotkeys will not run:\n%1\nGive them keys and a proper action, "
               "or delete them, in \"Configure Hotkeys\".")
        .arg(named.join(u'\n'));
}

QString HotkeyDatabase::load(HotkeyList& list, ActiveHotkeyTable& table)
{
    const RegularFileRead file = ReadRegularFile(m_path);
    if (!file.reason.isEmpty()) {
        list.clear();
        table.replaceFromText(QString());
        m_stamp = StampOf(file);
        return ReadError(m_path, file.reason);
    }
    return fill(file, list, table);
}

QString HotkeyDatabase::fill(const RegularFileRead& file, HotkeyList& list,
                             ActiveHotkeyTable& table)
{
    list.clear();
    const HotkeyFileParts parts = SplitHotkeyFile(file.bytes);
    QStringList records;
    records.reserve(parts.records.size());
    for (const QByteArray& record : parts.records) {
        records.append(DecodeRecord(record));
        list.appendStored(SplitHotkeyRecord(records.last()).entry, record);
    }
    if (file.exists)
        list.setFraming(parts.leader, parts.trailer);
    table.replace(std::move(records));
    m_stamp = StampOf(file);
    return NotRunReport(list);
}

bool HotkeyDatabase::changedOnDisk() const
{
    return !StampOf(ReadRegularFile(m_path)).sameContent(m_stamp);
}

HotkeyDatabase::Refresh HotkeyDatabase::refresh(HotkeyList& list, ActiveHotkeyTable& table,
                                                QString& problem)
{
    const RegularFileRead file = ReadRegularFile(m_path);
    if (StampOf(file).sameContent(m_stamp))
        return Refresh::Unchanged;
    if (!file.exists || !file.reason.isEmpty()) {
        problem = file.exists ? ReadError(m_path, file.reason)
                              : QCoreApplication::translate("tarvex::HotkeyDatabase",
                                                            "The hotkey file \"%1\" is gone.")
                                    .arg(m_path);
        return Refresh::KeptLastGood;
    }
    problem = fill(file, list, table);
    return Refresh::Reloaded;
}

QString HotkeyDatabase::save(const HotkeyList& list, ActiveHotkeyTable& table)
{
    const QByteArray bytes = Serialize(list);
    if (const QString error = write(bytes); !error.isEmpty()) {
        // What runs is what is on disk: whatever the file still holds.
        table.replaceFromText(DecodedFirstLine(ReadRegularFile(m_path).bytes));
        return error;
    }
    // The file was replaced whole: the records just written run, without reading them back.
    table.replace(WrittenRecords(list));
    // The applications each hotkey acts in run as the editor left them.
    QList<AppFilter> apps;
    for (const HotkeyEntry& entry : list.entries())
        apps.append(entry.apps);
    table.setAppFilters(apps);
    m_stamp = FileStamp::Of(bytes, 0);
    return {};
}

QString HotkeyDatabase::write(const QByteArray& bytes) const
{
    const QString notReplaceable = ReasonNotToReplace(m_path);
    if (!notReplaceable.isEmpty())
        return SaveError(m_path,
                         notReplaceable + QCoreApplication::translate("tarvex::HotkeyDatabase",
                                                                      " It was left as it is."));
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return SaveError(m_path, QCoreApplication::translate("tarvex::HotkeyDatabase",
                                                             "the folder cannot be created."));
    const QString reason = ReplaceFile(m_path, bytes);
    return reason.isEmpty() ? QString() : SaveError(m_path, reason);
}

} // namespace tarvex
