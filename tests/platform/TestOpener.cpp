#include "platform/linux/DetachedLauncher.h"
#include "platform/linux/ProcessOpener.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace tarvex;

// Opening targets: executables run directly, everything else through
// xdg-open, always as one argument and never through a shell.
class TestOpener final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const char* folder : {"bin", "home/bin", "cwd"})
            QDir(m_dir.path()).mkpath(folder);
        // A stand-in desktop opener that writes each argument on a line of its own, and fails
        // for names holding "fail-me" as xdg-open fails for a file that does not exist.
        writeScript("bin/xdg-open", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done" +
                                        into(m_record) +
                                        "case \"$1\" in *fail-me*) exit 4;; esac\n");
        writeScript("bin/tarvex-probe", "exit 0\n");
        writeScript("home/bin/tool.sh", "exit 0\n");
        // Programs planted in the current folder, as a download folder might hold them.
        writeScript("cwd/tarvex-probe", "touch '" + m_dir.path() + "/pwned'\n");
        writeScript("cwd/planted", "touch '" + m_dir.path() + "/pwned'\n");
        QFile doc(m_home + "/notes.txt");
        QVERIFY(doc.open(QIODevice::WriteOnly));
        qputenv("PATH", (m_bin + ":/usr/bin:/bin").toLocal8Bit());
        qputenv("HOME", m_home.toLocal8Bit());
        QDir::setCurrent(m_dir.path() + "/cwd");
        qInstallMessageHandler(recordMessage);
    }
    void cleanupTestCase() { qInstallMessageHandler(nullptr); }

    // What each target starts; what goes to the desktop's opener is also opened, and reaches it
    // as its one argument.
    void launch()
    {
        const QString dir = m_dir.path(), home = m_home, tool = home + "/bin/tool.sh";
        const QString opener = "xdg-open";
        const struct
        {
            QString target, program;
            QStringList arguments;
        } rows[] = {
            {tool, tool, {}},
            {"bin/tool.sh", tool, {}}, // a relative path is below home
            {"./bin/tool.sh", tool, {}},
            {"tarvex-probe", m_bin + "/tarvex-probe", {}}, // on the PATH, not the current folder
            {"planted", opener, {home + "/planted"}},      // only in the current folder: not run
            {home + "/notes.txt", opener, {home + "/notes.txt"}},
            {"notes.txt", opener, {home + "/notes.txt"}},
            {dir, opener, {dir}}, // a folder is not run
            {"http://example.com/a?b=1", opener, {"http://example.com/a?b=1"}},
            {"https://example.com", opener, {"https://example.com"}},
            {"www.example.com", opener, {"http://www.example.com"}},
            {"tarvex-probe --help", opener, {home + "/tarvex-probe --help"}}, // one name
            {"a b; touch pwned", opener, {home + "/a b; touch pwned"}},
            {"$(touch pwned) `touch pwned`", opener, {home + "/$(touch pwned) `touch pwned`"}},
            {dir + "/gone.txt", opener, {dir + "/gone.txt"}},
            {"/no such/file name.txt", opener, {"/no such/file name.txt"}},
            // No target reaches the opener as one of its options.
            {"-x", opener, {home + "/-x"}},
            {"--help", opener, {home + "/--help"}},
            {"-", opener, {home + "/-"}},
            {"-Hide All-", opener, {home + "/-Hide All-"}},
            {"", "", {}},
        };
        ProcessOpener processOpener;
        for (const auto& row : rows) {
            const ProcessOpener::Launch launch = ProcessOpener::launchFor(row.target);
            QCOMPARE(launch.program, row.program);
            QCOMPARE(launch.arguments, row.arguments);
            if (row.program == opener) {
                QFile::remove(m_record);
                QVERIFY(processOpener.open(row.target));
                QCOMPARE(waitForFile(m_record), row.arguments.first() + '\n');
            }
        }
        QVERIFY(!QFile::exists(m_dir.path() + "/pwned"));
    }

    void executableRunsItself()
    {
        const QString ran = m_dir.path() + "/ran";
        ProcessOpener opener;
        for (const QString name : {"run.sh", "run me; touch pwned", "it's \"$(touch pwned)\""}) {
            QFile::remove(ran);
            QVERIFY(opener.open(writeScript(name, "echo \"$#\"" + into(ran))));
            QCOMPARE(waitForFile(ran), QString("0\n"));
        }
        QVERIFY(!QFile::exists(m_dir.path() + "/pwned"));
    }

    // As files on FAT or NTFS mounts often are: a document marked executable.
    void documentWithExecuteBitGoesToOpener()
    {
        const QString path = m_home + "/letter.txt";
        ProcessOpener opener;
        for (const char* content :
             {"Dear diary,\n", "", "#!/no/such/interpreter\nhello\n", "#!/usr\nhello\n"}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
            file.close();
            QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
            QCOMPARE(ProcessOpener::launchFor(path).program, path);
            QFile::remove(m_record);
            QVERIFY(opener.open(path));
            QCOMPARE(waitForFile(m_record), path + '\n');
        }
    }

    void failuresAreLogged()
    {
        s_messages.clear();
        ProcessOpener opener;
        QVERIFY(!opener.open(QString()));
        QCOMPARE(s_messages.size(), 1);
        QVERIFY2(s_messages[0].startsWith("tarvex.opener: "), qPrintable(s_messages[0]));
        // The opener starts, then fails to open the file: that is reported when it ends.
        s_messages.clear();
        QVERIFY(opener.open(m_home + "/fail-me.txt"));
        QTRY_COMPARE(s_messages.size(), 1);
        QVERIFY2(s_messages[0].startsWith("tarvex.opener: ") &&
                     s_messages[0].contains("fail-me.txt") && s_messages[0].contains("status 4"),
                 qPrintable(s_messages[0]));
        // No opener at all.
        s_messages.clear();
        qputenv("PATH", "/nonexistent");
        const bool opened = opener.open(m_home + "/notes.txt");
        qputenv("PATH", (m_bin + ":/usr/bin:/bin").toLocal8Bit());
        QVERIFY(!opened);
        QCOMPARE(s_messages.size(), 1);
        QVERIFY2(s_messages[0].contains("xdg-open"), qPrintable(s_messages[0]));
    }

    void launcherReapsChildren()
    {
        DetachedLauncher launcher;
        for (int i = 0; i < 5; ++i)
            QVERIFY(launcher.start("true", {}));
        QVERIFY(launcher.runningChildren() > 0);
        QTRY_COMPARE(launcher.runningChildren(), 0);
        // A missing program, one not on the PATH and a file that is no program are not started.
        QFile(m_dir.path() + "/plain").open(QIODevice::WriteOnly);
        for (const QString& program :
             {m_dir.path() + "/none", QString("tarvex-no-such-program"), m_dir.path() + "/plain"}) {
            QVERIFY(!launcher.start(program, {}));
            QCOMPARE(launcher.runningChildren(), 0);
        }
    }

    void childGetsNoInheritedDescriptors()
    {
        // A descriptor without close-on-exec, as a library might leave one.
        const int leaked = 200;
        QVERIFY(::dup2(STDIN_FILENO, leaked) == leaked);
        const QString listing = m_dir.path() + "/fds";
        DetachedLauncher launcher;
        QVERIFY(launcher.start(writeScript("fds.sh", "ls /proc/$$/fd" + into(listing)), {}));
        const QStringList fds = waitForFile(listing).split('\n', Qt::SkipEmptyParts);
        ::close(leaked);
        QVERIFY(fds.contains("2"));
        QVERIFY2(!fds.contains(QString::number(leaked)), qPrintable(fds.join(' ')));
    }

private:
    // Shell text that sends a command's output to `path`, written aside and moved in place so
    // that the file never shows before its text.
    static QString into(const QString& path)
    {
        return " > '" + path + ".tmp' && mv '" + path + ".tmp' '" + path + "'\n";
    }
    QString writeScript(const QString& name, const QString& body)
    {
        QFile file(m_dir.path() + '/' + name);
        if (!file.open(QIODevice::WriteOnly))
            return QString();
        file.write(("#!/bin/sh\n" + body).toUtf8());
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return file.fileName();
    }
    static QString waitForFile(const QString& path)
    {
        QFile file(path);
        (void)QTest::qWaitFor([&file] { return file.exists(); }, 10000);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    static void recordMessage(QtMsgType type, const QMessageLogContext& context,
                              const QString& text)
    {
        if (type == QtWarningMsg || type == QtCriticalMsg)
            s_messages.append(QString::fromLatin1(context.category) + ": " + text);
    }

    QTemporaryDir m_dir;
    const QString m_bin = m_dir.path() + "/bin", m_home = m_dir.path() + "/home";
    const QString m_record = m_dir.path() + "/record";
    static inline QStringList s_messages;
};

QTEST_GUILESS_MAIN(TestOpener)
#include "TestOpener.moc"
