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
    struct stat status
    {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

class TestSaveCrashSafety final : public QObject
{
    Q_OBJECT

private slots:
    void killedSaveLeavesOldOrNewFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Hotkeys.TarvexDB"));
        const QByteArray a = Expected(QStringLiteral("a")), b = Expected(QStringLiteral("b"));
        Write(path, a);
        int sawB = 0;
        for (int round = 0; round < 12; ++round) {
            QProcess child;
            child.start(QStringLiteral(TARVEX_SAVE_CHILD), {path, QString::number(RecordCount)});
            QVERIFY(child.waitForStarted());
            // Once a save has replaced the file the child is in the middle of the next one.
            const ino_t before = Inode(path);
            QTRY_VERIFY(Inode(path) != before);
            child.kill(); // SIGKILL: no clean-up runs in the child
            QVERIFY(child.waitForFinished());
            QCOMPARE(child.exitStatus(), QProcess::CrashExit);
            const QByteArray bytes = Read(path);
            QVERIFY2(bytes == a || bytes == b,
                     qPrintable(QStringLiteral("mixed file of %1 bytes").arg(bytes.size())));
            sawB += bytes == b ? 1 : 0;
        }
        qInfo("file held the second list after %d of 12 kills", sawB);
    }

    void fileSizeLimitIsReportedNotFatal()
    {
        // Past the limit SIGXFSZ would end the save: it must fail instead, the old file whole.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Hotkeys.TarvexDB"));
        const QByteArray old = QByteArray("old*/x\r\n");
        Write(path, old);
        QProcess child;
        child.start(QStringLiteral(TARVEX_SAVE_CHILD), {path, QStringLiteral("2000"), "4096"});
        QVERIFY(child.waitForFinished());
        QCOMPARE(std::tuple(child.exitStatus(), child.exitCode()),
                 std::tuple(QProcess::NormalExit, 3));
        const QByteArray error = child.readAllStandardError();
        QVERIFY(error.contains("could not be saved") && error.contains("File too large"));
        QVERIFY(error.contains(QFile::encodeName(path)));
        QCOMPARE(Read(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Hotkeys.TarvexDB"});
    }
};

QTEST_GUILESS_MAIN(TestSaveCrashSafety)
#include "TestSaveCrashSafety.moc"
