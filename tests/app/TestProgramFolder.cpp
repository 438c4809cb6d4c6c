// Where the program finds its data files (build folder, share/tarvex), and missing-file logs.

#include "shell/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvex;

class TestProgramFolder final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;

    QString make(const QString& relative)
    {
        const QString path = m_root.filePath(relative);
        QDir().mkpath(path);
        return path;
    }

    static void touch(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

private Q_SLOTS:
    void buildFolderReadsBesideItself()
    {
        const QString build = make("work/build");
        QCOMPARE(ProgramFolder::locate(build, "../share/tarvex"), build);
        // A file in place of the data folder is no data folder.
        touch(m_root.filePath("work/share/tarvex"));
        QCOMPARE(ProgramFolder::locate(build, "../share/tarvex"), build);
    }

    void missingFilesAreLoggedByName()
    {
        const QString folder = make("data");
        for (const QString& name : ProgramFolder::Files)
            touch(folder + '/' + name);
        QCOMPARE(ProgramFolder::reportMissing(folder), QStringList());
        QFile::remove(folder + "/Sounds/Bing.wav");
        QDir(folder + "/Icons").removeRecursively();
        QDir().mkpath(folder + "/Icons/action.ico"); // a folder is no icon
        const QStringList missing{"Icons/file.ico", "Icons/Website.ico", "Icons/action.ico",
                                  "Sounds/Bing.wav"};
        for (const QString& name : missing)
            QTest::ignoreMessage(QtWarningMsg, qPrintable("Missing resource: " + folder + '/' +
                                                          name + " is not a readable file"));
        QCOMPARE(ProgramFolder::reportMissing(folder), missing);
    }

    // The list the program checks is the list the build copies beside it.
    void buildFolderHoldsEveryFile()
    {
        const QString build = qEnvironmentVariable("TARVEX_TEST_BUILD_DIR");
        QVERIFY(!build.isEmpty());
        QCOMPARE(ProgramFolder::reportMissing(build), QStringList());
    }
};

QTEST_MAIN(TestProgramFolder)
#include "TestProgramFolder.moc"
