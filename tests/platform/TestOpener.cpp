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
        m_bin = m_dir.path() + "/bin";
        m_home = m_dir.path() + "/home";
        m_record = m_dir.path() + "/record";
        // A stand-in desktop opener that writes each argument on a line of its own, and fails
        // for names holding "fail-me" as xdg-open fails for a file that does not exist.
        writeScript("bin/xdg-open", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                                        m_record +
                                        ".tmp'\n"
                                        "mv '" +
                                        m_record + ".tmp' '" + m_record +
                                        "'\n"
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

    void init()
    {
        s_messages.clear();
        QFile::remove(m_record);
    }

    void cleanupTestCase() { qInstallMessageHandler(nullptr); }

    void launch_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        const QString dir = m_dir.path();
        const QString home = m_home;
        const auto row = [](const char* name, const QString& target, const QString& program,
                            const QStringList& arguments = {}) {
            QTest::newRow(name) << target << program << arguments;
        };
        const QString tool = home + "/bin/tool.sh";
        row("executable path", tool, tool);
        row("relative path is below home", "bin/tool.sh", tool);
        row("dot path is below home", "./bin/tool.sh", tool);
        row("program name on the PATH, not the current folder", "tarvex-probe",
            m_bin + "/tarvex-probe");
        row("program only in the current folder is not run", "planted", "xdg-open",
            {home + "/planted"});
        row("document", home + "/notes.txt", "xdg-open", {home + "/notes.txt"});
        row("document name is below home", "notes.txt", "xdg-open", {home + "/notes.txt"});
        row("folder is not run", dir, "xdg-open", {dir});
        row("web address", "http://example.com/a?b=1", "xdg-open", {"http://example.com/a?b=1"});
        row("secure address", "https://example.com", "xdg-open", {"https://example.com"});
        row("address without scheme", "www.example.com", "xdg-open", {"http://www.example.com"});
        row("program with arguments is one name", "tarvex-probe --help", "xdg-open",
            {home + "/tarvex-probe --help"});
        row("shell text stays one argument", "a b; touch pwned", "xdg-open",
            {home + "/a b; touch pwned"});
        row("missing file", dir + "/gone.txt", "xdg-open", {dir + "/gone.txt"});
        row("nothing to open", "", "");
    }

    void launch()
    {
        QFETCH(QString, target);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const ProcessOpener::Launch launch = ProcessOpener::launchFor(target);
        QCOMPARE(launch.program, program);
        QCOMPARE(launch.arguments, arguments);
    }

    void executableRunsItself_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "run.sh";
        QTest::newRow("space and semicolon") << "run me; touch pwned";
        QTest::newRow("quotes and dollar") << "it's \"$(touch pwned)\"";
    }

    void executableRunsItself()
    {
        QFETCH(QString, name);
        const QString ran = m_dir.path() + "/ran";
        QFile::remove(ran);
        // Written aside and moved in place, so the file never shows before its text.
        const QString script = writeScript(name, "echo \"$#\" > '" + ran + ".tmp' && mv '" + ran +
                                                     ".tmp' '" + ran + "'\n");
        ProcessOpener opener;
        QVERIFY(opener.open(script));
        QCOMPARE(waitForFile(ran), QString("0\n"));
        QVERIFY(!QFile::exists(m_dir.path() + "/pwned"));
    }

    void openerGetsOneArgument_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("received");
        const QString home = m_home;
        QTest::newRow("shell injection") << "a b; touch pwned" << home + "/a b; touch pwned";
        QTest::newRow("command substitution")
            << "$(touch pwned) `touch pwned`" << home + "/$(touch pwned) `touch pwned`";
        QTest::newRow("document with spaces") << "/no such/file name.txt"
                                              << "/no such/file name.txt";
        // No target reaches the opener as one of its options.
        QTest::newRow("dash") << "-x" << home + "/-x";
        QTest::newRow("long option") << "--help" << home + "/--help";
        QTest::newRow("lone dash") << "-" << home + "/-";
        QTest::newRow("unknown action name") << "-Hide All-" << home + "/-Hide All-";
    }

    void openerGetsOneArgument()
    {
        QFETCH(QString, target);
        QFETCH(QString, received);
        ProcessOpener opener;
        QVERIFY(opener.open(target));
        QCOMPARE(waitForFile(m_record), received + '\n');
        QVERIFY(!QFile::exists(m_dir.path() + "/pwned"));
    }

    void documentWithExecuteBitGoesToOpener_data()
    {
        QTest::addColumn<QString>("content");
        QTest::newRow("text") << "Dear diary,\n";
        QTest::newRow("empty") << "";
        QTest::newRow("missing interpreter") << "#!/no/such/interpreter\nhello\n";
        QTest::newRow("interpreter is a folder") << "#!/usr\nhello\n";
    }

    void documentWithExecuteBitGoesToOpener()
    {
        QFETCH(QString, content);
        // As files on FAT or NTFS mounts often are: a document marked executable.
        const QString path = m_home + "/letter.txt";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content.toUtf8());
        file.close();
        QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
        QCOMPARE(ProcessOpener::launchFor(path).program, path);
        ProcessOpener opener;
        QVERIFY(opener.open(path));
        QCOMPARE(waitForFile(m_record), path + '\n');
    }

    void failuresAreLogged()
    {
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
    }

    void childGetsNoInheritedDescriptors()
    {
        // A descriptor without close-on-exec, as a library might leave one.
        const int leaked = 200;
        QVERIFY(::dup2(STDIN_FILENO, leaked) == leaked);
        const QString listing = m_dir.path() + "/fds";
        const QString script = writeScript("fds.sh", "ls /proc/$$/fd > '" + listing +
                                                         ".tmp'\n"
                                                         "mv '" +
                                                         listing + ".tmp' '" + listing + "'\n");
        DetachedLauncher launcher;
        QVERIFY(launcher.start(script, {}));
        const QStringList fds = waitForFile(listing).split('\n', Qt::SkipEmptyParts);
        ::close(leaked);
        QVERIFY(fds.contains("2"));
        QVERIFY2(!fds.contains(QString::number(leaked)), qPrintable(fds.join(' ')));
    }

    void launcherReportsMissingProgram_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("missing path") << m_dir.path() + "/none";
        QTest::newRow("not on the PATH") << "tarvex-no-such-program";
        QTest::newRow("not executable") << m_dir.path() + "/record";
    }

    void launcherReportsMissingProgram()
    {
        QFETCH(QString, program);
        QFile::remove(m_record);
        QFile(m_record).open(QIODevice::WriteOnly);
        DetachedLauncher launcher;
        QVERIFY(!launcher.start(program, {}));
        QCOMPARE(launcher.runningChildren(), 0);
    }

private:
    QString writeScript(const QString& name, const QString& body);
    static QString waitForFile(const QString& path);
    static void recordMessage(QtMsgType type, const QMessageLogContext& context,
                              const QString& text);

    QTemporaryDir m_dir;
    QString m_bin;
    QString m_home;
    QString m_record;
    static QStringList s_messages;
};

QStringList TestOpener::s_messages;

void TestOpener::recordMessage(QtMsgType type, const QMessageLogContext& context,
                               const QString& text)
{
    if (type == QtWarningMsg || type == QtCriticalMsg)
        s_messages.append(QString::fromLatin1(context.category) + ": " + text);
}

QString TestOpener::writeScript(const QString& name, const QString& body)
{
    QFile file(m_dir.path() + '/' + name);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(("#!/bin/sh\n" + body).toUtf8());
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return file.fileName();
}

QString TestOpener::waitForFile(const QString& path)
{
    QFile file(path);
    (void)QTest::qWaitFor([&file] { return file.exists(); }, 10000);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QTEST_GUILESS_MAIN(TestOpener)
#include "TestOpener.moc"
