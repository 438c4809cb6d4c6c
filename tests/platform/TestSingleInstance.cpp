#include "platform/linux/LockFileSingleInstance.h"
#include "platform/linux/XdgDocumentsFolder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace tarvex;

// One instance per user, tried with a second process that holds the lock;
// and the Documents folder of the XDG user directories.
class TestSingleInstance final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_runtime = std::make_unique<QTemporaryDir>();
        QFile::setPermissions(m_runtime->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", m_runtime->path().toLocal8Bit());
    }

    void cleanup()
    {
        if (m_holder.state() != QProcess::NotRunning) {
            m_holder.kill();
            m_holder.waitForFinished();
        }
    }

    void lockOfCrashedProcessIsTakenOver()
    {
        QCOMPARE(holderSays("hold"), QByteArray("claimed"));
        m_holder.kill(); // a crash: the lock file stays behind
        QVERIFY(m_holder.waitForFinished());
        LockFileSingleInstance instance;
        QVERIFY(QFile::exists(instance.lockPath()));
        QVERIFY(instance.tryClaim());
    }

    // What a crash or a full disk leaves while the file is written; the id of a running process
    // written on another machine (no instance runs here); or a link to a file or to nothing,
    // which must be replaced, not followed.
    void leftoverAtLockPathIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("permissions");
        QTest::addColumn<int>("link"); // 0: none, 1: to a file, 2: dangling
        const int readWrite = int(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QTest::newRow("empty") << QByteArray() << readWrite << 0;
        QTest::newRow("garbage") << QByteArray("\xff\x00garbage\n\n\n") << readWrite << 0;
        QTest::newRow("no permissions") << QByteArray() << 0 << 0;
        QTest::newRow("other host") << QByteArray("1\ntarvex\nsomewhere-else\n") << readWrite << 0;
        QTest::newRow("link to a file") << QByteArray() << readWrite << 1;
        QTest::newRow("dangling link") << QByteArray() << readWrite << 2;
    }
    void leftoverAtLockPathIsTakenOver()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, permissions);
        QFETCH(int, link);
        QTemporaryDir elsewhere;
        const QString path = m_runtime->path() + "/tarvex.lock";
        const QString victim = elsewhere.path() + "/victim";
        QFile file(link ? victim : path);
        if (link != 2) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(link ? QByteArray("keep me") : content);
            file.close();
            QVERIFY(file.setPermissions(QFileDevice::Permissions(permissions)));
        }
        if (link)
            QVERIFY(QFile::link(victim, path));
        LockFileSingleInstance instance;
        QVERIFY(instance.tryClaim());
        QVERIFY(!QFileInfo(path).isSymLink());
        if (link == 1) {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("keep me"));
        }
        QCOMPARE(QFile::exists(victim), link == 1);
        // And it is really held: a second process is refused.
        QCOMPARE(holderSays("hold"), QByteArray("refused"));
    }

    void lockIsReleasedAtExit()
    {
        {
            LockFileSingleInstance first;
            QVERIFY(first.tryClaim());
            QVERIFY(first.tryClaim()); // claiming again holds it still
        }
        QCOMPARE(holderSays("hold"), QByteArray("claimed"));
    }

    void laterStartIsAnswered_data()
    {
        QTest::addColumn<bool>("handler");
        QTest::addColumn<int>("presence");
        using P = SingleInstance::Presence;
        QTest::newRow("window raised") << true << int(P::WindowRaised);
        QTest::newRow("in the notification area") << true << int(P::TrayIcon);
        QTest::newRow("in the stand-in window") << true << int(P::StandInWindow);
        QTest::newRow("holder still starting") << false << int(P::NoAnswer);
    }
    // A later start asks the holder to come forward and hears what it shows; the holder answers
    // from its event loop.
    void laterStartIsAnswered()
    {
        QFETCH(bool, handler);
        QFETCH(int, presence);
        LockFileSingleInstance instance;
        QVERIFY(instance.tryClaim());
        int asked = 0;
        if (handler)
            instance.setActivationHandler([&asked, presence] {
                ++asked;
                return SingleInstance::Presence(presence);
            });
        QCOMPARE(holderSays("ask"), QByteArray::number(presence));
        QCOMPARE(asked, handler ? 1 : 0);
    }

    void documentsFolder()
    {
        for (const bool userDirs : {false, true}) {
            QTemporaryDir home;
            qputenv("HOME", home.path().toLocal8Bit());
            qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
            QDir(home.path()).mkpath(".config");
            QFile file(home.path() + "/.config/user-dirs.dirs");
            QVERIFY(!userDirs || (file.open(QIODevice::WriteOnly) &&
                                  file.write("XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n") > 0));
            file.close();
            QCOMPARE(XdgDocumentsFolder().documentsFolder(),
                     home.path() + (userDirs ? "/Papiere" : "/Documents"));
        }
    }

private:
    // Runs this program as a second instance ("hold": it claims the lock and holds it; "ask": it
    // asks the holder to come forward) and returns the first line it prints.
    QByteArray holderSays(const QByteArray& mode)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TARVEX_TEST_HOLD_LOCK", mode);
        m_holder.setProcessEnvironment(env);
        m_holder.start(QCoreApplication::applicationFilePath(), {});
        (void)QTest::qWaitFor([this] { return m_holder.canReadLine(); }, 10000);
        return m_holder.readLine().trimmed();
    }

    std::unique_ptr<QTemporaryDir> m_runtime;
    QProcess m_holder;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariable("TARVEX_TEST_HOLD_LOCK") == "ask") {
        LockFileSingleInstance instance;
        if (instance.tryClaim())
            return 1;
        std::printf("%d\n", int(instance.activateRunning()));
        return 0;
    }
    if (qEnvironmentVariableIsSet("TARVEX_TEST_HOLD_LOCK")) {
        LockFileSingleInstance instance;
        std::puts(instance.tryClaim() ? "claimed" : "refused");
        std::fflush(stdout);
        std::getchar(); // hold the lock until stdin closes or the process is killed
        return 0;
    }
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSingleInstance.moc"
