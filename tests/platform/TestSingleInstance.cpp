#include "platform/linux/LockFileSingleInstance.h"
#include "platform/linux/XdgDocumentsFolder.h"

#include <QtTest>

#include <cstdio>

using namespace tarvex;
using Presence = SingleInstance::Presence;

// One instance per user, tried with a second process; and the XDG Documents folder.
class TestSingleInstance final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit()); }
    void cleanup() { m_holder.kill(), m_holder.waitForFinished(); }
    // A crashed holder's file or a link (replaced at the first claim, not followed) is taken
    // over, freed at the end.
    void leftoverAtLockPathIsTakenOver()
    {
        QCOMPARE(holderSays("hold"), QByteArray("claimed"));
        cleanup(); // a crash: the lock file stays behind
        const QString path = m_runtime.path() + "/tarvex.lock", victim = m_runtime.path() + "/v";
        for (const int link : {0, 1, 2}) { // 0: none, 1: to a file, 2: dangling
            QVERIFY(link != 1 || QFile::copy(path, victim));
            QVERIFY(!link || (QFile::remove(path) && QFile::link(victim, path)));
            auto instance = std::make_unique<LockFileSingleInstance>();
            QVERIFY(instance->tryClaim() && QFileInfo(path).isFile() && instance->tryClaim());
            QCOMPARE(QList({QFileInfo(path).isSymLink(), QFile::exists(victim)}),
                     QList({false, link == 1}));
            QCOMPARE(holderSays("hold"), QByteArray("refused"));
            cleanup();
            instance.reset(); // its socket goes, its lock file stays
            QCOMPARE(
                QList({QFile::exists(path), QFile::exists(m_runtime.path() + "/tarvex.socket")}),
                QList({true, false}));
            QFile::remove(victim);
        }
        QCOMPARE(holderSays("hold"), QByteArray("claimed"));
    }
    void laterStartIsAnswered() // by the holder, from its event loop
    {
        LockFileSingleInstance instance;
        QVERIFY(instance.tryClaim());
        QCOMPARE(holderSays("ask"), QByteArray::number(int(Presence::NoAnswer))); // still starting
        cleanup();
        instance.setActivationHandler([] { return Presence::TrayIcon; });
        QCOMPARE(holderSays("ask"), QByteArray::number(int(Presence::TrayIcon)));
    }
    // The holder's file names it; a refused start keeps no descriptor open.
    void holderNamedAndRefusedStartClosesItsFile()
    {
        QCOMPARE(holderSays("hold"), QByteArray("claimed"));
        QFile file(m_runtime.path() + "/tarvex.lock");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray::number(m_holder.processId()) + '\n');
        const auto descriptors = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
        const qsizetype before = descriptors();
        QVERIFY(!LockFileSingleInstance().tryClaim());
        QCOMPARE(descriptors(), before);
    }
    void documentsFolder()
    {
        QTemporaryDir home;
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        QCOMPARE(XdgDocumentsFolder().documentsFolder(), home.path() + "/Documents");
        QFile file(home.path() + "/user-dirs.dirs");
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("XDG_DOCUMENTS_DIR=\"$HOME/P\"\n"));
        file.close();
        QCOMPARE(XdgDocumentsFolder().documentsFolder(), home.path() + "/P");
    }

private:
    // The first line this program prints as a second instance that holds the lock or asks.
    QByteArray holderSays(const QByteArray& mode)
    {
        m_holder.setEnvironment(QProcess::systemEnvironment() << "TARVEX_TEST_HOLD_LOCK=" + mode);
        m_holder.start(QCoreApplication::applicationFilePath(), {});
        (void)QTest::qWaitFor([this] { return m_holder.canReadLine(); }, 10000);
        return m_holder.readLine().trimmed();
    }

    QTemporaryDir m_runtime;
    QProcess m_holder;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (const QByteArray mode = qgetenv("TARVEX_TEST_HOLD_LOCK"); !mode.isEmpty()) {
        LockFileSingleInstance instance;
        const bool claimed = instance.tryClaim();
        if (mode == "ask")
            return std::printf("%d\n", claimed ? -1 : int(instance.activateRunning())), 0;
        std::puts(claimed ? "claimed" : "refused");
        std::fflush(stdout);
        return std::getchar(), 0; // hold the lock until stdin closes or the process is killed
    }
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSingleInstance.moc"
