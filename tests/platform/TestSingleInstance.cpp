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
    void init();
    void cleanup();
    void firstClaimSucceedsAndRepeats();
    void secondProcessIsRefused();
    void lockOfCrashedProcessIsTakenOver();
    void lockIsReleasedAtExit();
    void lockLivesInRuntimeFolder();
    void documentsFolder_data();
    void documentsFolder();

private:
    void startHolder(const QByteArray& expected);

    std::unique_ptr<QTemporaryDir> m_runtime;
    QProcess m_holder;
};

void TestSingleInstance::init()
{
    m_runtime = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(m_runtime->path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", m_runtime->path().toLocal8Bit());
}

void TestSingleInstance::cleanup()
{
    if (m_holder.state() != QProcess::NotRunning) {
        m_holder.kill();
        m_holder.waitForFinished();
    }
}

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

void TestSingleInstance::firstClaimSucceedsAndRepeats()
{
    LockFileSingleInstance instance;
    QVERIFY(instance.tryClaim());
    QVERIFY(instance.tryClaim());
}

void TestSingleInstance::secondProcessIsRefused()
{
    LockFileSingleInstance instance;
    QVERIFY(instance.tryClaim());
    startHolder("refused");
}

void TestSingleInstance::lockOfCrashedProcessIsTakenOver()
{
    startHolder("claimed");
    m_holder.kill(); // a crash: the lock file stays behind
    QVERIFY(m_holder.waitForFinished());
    LockFileSingleInstance instance;
    QVERIFY(QFile::exists(instance.lockPath()));
    QVERIFY(instance.tryClaim());
}

void TestSingleInstance::lockIsReleasedAtExit()
{
    {
        LockFileSingleInstance first;
        QVERIFY(first.tryClaim());
    }
    startHolder("claimed");
}

void TestSingleInstance::lockLivesInRuntimeFolder()
{
    LockFileSingleInstance instance;
    QCOMPARE(instance.lockPath(), m_runtime->path() + "/tarvex.lock");
}

void TestSingleInstance::documentsFolder_data()
{
    QTest::addColumn<QString>("userDirs");
    QTest::addColumn<QString>("expected");
    QTest::newRow("default") << QString() << "/Documents";
    QTest::newRow("user dirs file") << "XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n"
                                    << "/Papiere";
}

void TestSingleInstance::documentsFolder()
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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
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
