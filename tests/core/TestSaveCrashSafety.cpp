#include "store/HotkeyDatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace tarvex;

namespace {

constexpr int RecordCount = 20000;

QByteArray Expected(const QString& key)
{
    HotkeyList list;
    for (int i = 0; i < RecordCount; ++i)
        list.append({key + QString::number(i), QStringLiteral("/targets/%1/%2").arg(key).arg(i)});
    return HotkeyDatabase::Serialize(list);
}

ino_t Inode(const QString& path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

// Replaces the file's bytes with `bytes` (when given) and returns what it holds.
QByteArray Bytes(const QString& path, const QByteArray& bytes = {})
{
    QFile file(path);
    if (!bytes.isEmpty() && file.open(QIODevice::WriteOnly))
        file.write(bytes);
    file.close();
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestSaveCrashSafety final : public QObject
{
    Q_OBJECT

private slots:
    // Past the size limit SIGXFSZ would end a save: it must fail instead, the old file whole.
    // A save killed at any moment leaves the old file or the new one, never a mix.
    void savesFailOrLandWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Hotkeys.TarvexDB"));
        QCOMPARE(Bytes(path, "old*/x\r\n"), "old*/x\r\n");
        QProcess limited;
        limited.start(QStringLiteral(TARVEX_SAVE_CHILD), {path, QStringLiteral("2000"), "4096"});
        QVERIFY(limited.waitForFinished());
        QCOMPARE(std::tuple(limited.exitStatus(), limited.exitCode()),
                 std::tuple(QProcess::NormalExit, 3));
        QVERIFY(limited.readAllStandardError().contains("File too large"));
        QCOMPARE(std::tuple(Bytes(path), QDir(dir.path()).entryList(QDir::Files)),
                 std::tuple(QByteArray("old*/x\r\n"), QStringList{"Hotkeys.TarvexDB"}));
        const QByteArray a = Expected(QStringLiteral("a")), b = Expected(QStringLiteral("b"));
        QCOMPARE(Bytes(path, a), a);
        for (int round = 0; round < 12; ++round) {
            QProcess child;
            child.start(QStringLiteral(TARVEX_SAVE_CHILD), {path, QString::number(RecordCount)});
            QVERIFY(child.waitForStarted());
            // Once a save has replaced the file the child is in the middle of the next one.
            const ino_t before = Inode(path);
            QTRY_VERIFY(Inode(path) != before);
            child.kill(); // SIGKILL: no clean-up runs in the child
            QVERIFY(child.waitForFinished());
            const QByteArray bytes = Bytes(path);
            QVERIFY2(bytes == a || bytes == b, qPrintable(QString::number(bytes.size())));
        }
    }
};

QTEST_GUILESS_MAIN(TestSaveCrashSafety)
#include "TestSaveCrashSafety.moc"
