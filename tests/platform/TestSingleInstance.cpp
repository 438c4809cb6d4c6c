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
        startHolder("claimed");
        m_holder.kill(); // a crash: the lock file stays behind
        QVERIFY(m_holder.waitForFinished());
        LockFileSingleInstance instance;
        QVERIFY(QFile::exists(instance.lockPath()));
        QVERIFY(instance.tryClaim());
    }

    void lockWithoutRunningOwnerIsTakenOver_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("permissions");
        const int readWrite = int(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        // What a crash or a full disk leaves while the file is written.
        QTest::newRow("empty") << QByteArray() << readWrite;
        QTest::newRow("garbage") << QByteArray("\xff\x00garbage\n\n\n") << readWrite;
        QTest::newRow("no permissions") << QByteArray() << 0;
        // The id of a running process, written on another machine: no instance runs here.
        QTest::newRow("other host") << QByteArray("1\ntarvex\nsomewhere-else\n") << readWrite;
    }
    void lockWithoutRunningOwnerIsTakenOver()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, permissions);
        const QString path = m_runtime->path() + "/tarvex.lock";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::Permissions(permissions)));
        LockFileSingleInstance instance;
        QVERIFY(instance.tryClaim());
        // And it is really held: a second process is refused.
        startHolder("refused");
    }

    void symlinkAtLockPathIsReplaced_data()
    {
        QTest::addColumn<bool>("dangling");
        QTest::newRow("to a file") << false;
        QTest::newRow("dangling") << true;
    }
    void symlinkAtLockPathIsReplaced()
    {
        QFETCH(bool, dangling);
        QTemporaryDir elsewhere;
        const QString victim = elsewhere.path() + "/victim";
        if (!dangling) {
            QFile file(victim);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("keep me");
        }
        const QString path = m_runtime->path() + "/tarvex.lock";
        QVERIFY(QFile::link(victim, path));
        LockFileSingleInstance instance;
        QVERIFY(instance.tryClaim());
        QVERIFY(!QFileInfo(path).isSymLink());
        QFile file(victim);
        if (dangling) {
            QVERIFY(!file.exists());
        } else {
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), QByteArray("keep me"));
        }
        startHolder("refused");
    }

    void lockIsReleasedAtExit()
    {
        {
            LockFileSingleInstance first;
            QVERIFY(first.tryClaim());
            QVERIFY(first.tryClaim()); // claiming again holds it still
        }
        startHolder("claimed");
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
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TARVEX_TEST_HOLD_LOCK", "ask");
        m_holder.setProcessEnvironment(env);
        m_holder.start(QCoreApplication::applicationFilePath(), {});
        QTRY_VERIFY_WITH_TIMEOUT(m_holder.canReadLine(), 10000);
        QCOMPARE(m_holder.readLine().trimmed(), QByteArray::number(presence));
        QCOMPARE(asked, handler ? 1 : 0);
    }

    void documentsFolder_data()
    {
        QTest::addColumn<QString>("userDirs");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default") << QString() << "/Documents";
        QTest::newRow("user dirs file") << "XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n"
                                        << "/Papiere";
    }
    void documentsFolder()
    {
        QFETCH(QString, userDirs);
        QFETCH(QString, expected);
        QTemporaryDir home;
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
        QDir(home.path()).mkpath(".config");
        if (!userDirs.isEmpty()) {
            QFile file(home.path() + "/.config/user-dirs.dirs");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(userDirs.toUtf8());
        }
        QCOMPARE(XdgDocumentsFolder().documentsFolder(), home.path() + expected);
    }

private:
    void startHolder(const QByteArray& expected);

    std::unique_ptr<QTemporaryDir> m_runtime;
    QProcess m_holder;
};

// Runs this program as a second instance that claims the lock and reports.
void TestSingleInstance::startHolder(const QByteArray& expected)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TARVEX_TEST_HOLD_LOCK", "1");
    m_holder.setProcessEnvironment(env);
    m_holder.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY(m_holder.waitForStarted());
    QVERIFY(m_holder.waitForReadyRead(10000));
    QCOMPARE(m_holder.readLine().trimmed(), expected);
}

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
