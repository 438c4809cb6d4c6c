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
    void initTestCase();
    void launch_data();
    void launch();
    void executableRunsItself_data();
    void executableRunsItself();
    void openerGetsOneArgument_data();
    void openerGetsOneArgument();
    void launcherReapsChildren();
    void childGetsNoInheritedDescriptors();
    void launcherReportsMissingProgram_data();
    void launcherReportsMissingProgram();

private:
    QString writeScript(const QString& name, const QString& body);
    static QString waitForFile(const QString& path);

    QTemporaryDir m_dir;
    QString m_bin;
    QString m_record;
};

void TestOpener::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).mkpath("bin");
    m_bin = m_dir.path() + "/bin";
    m_record = m_dir.path() + "/record";
    // A stand-in desktop opener that writes each argument on a line of its own.
    writeScript("bin/xdg-open", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + m_record +
                                    ".tmp'\n"
                                    "mv '" +
                                    m_record + ".tmp' '" + m_record + "'\n");
    writeScript("bin/tarvex-probe", "exit 0\n");
    qputenv("PATH", (m_bin + ":/usr/bin:/bin").toLocal8Bit());
    QDir::setCurrent(m_dir.path());
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
    for (int waited = 0; !file.exists() && waited < 5000; waited += 20)
        QTest::qWait(20);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TestOpener::launch_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    const QString dir = m_dir.path();
    writeScript("tool.sh", "exit 0\n");
    QFile::setPermissions(dir + "/tool.sh",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile doc(dir + "/notes.txt");
    QVERIFY(doc.open(QIODevice::WriteOnly));
    QTest::newRow("executable path") << dir + "/tool.sh" << dir + "/tool.sh" << QStringList();
    QTest::newRow("relative executable") << "tool.sh" << dir + "/tool.sh" << QStringList();
    QTest::newRow("program on the PATH")
        << "tarvex-probe" << m_bin + "/tarvex-probe" << QStringList();
    QTest::newRow("document") << dir + "/notes.txt"
                              << "xdg-open" << QStringList{dir + "/notes.txt"};
    QTest::newRow("folder is not run") << dir << "xdg-open" << QStringList{dir};
    QTest::newRow("web address") << "http://example.com/a?b=1"
                                 << "xdg-open" << QStringList{"http://example.com/a?b=1"};
    QTest::newRow("secure address") << "https://example.com"
                                    << "xdg-open" << QStringList{"https://example.com"};
    QTest::newRow("address without scheme") << "www.example.com"
                                            << "xdg-open" << QStringList{"http://www.example.com"};
    QTest::newRow("program with arguments is one name")
        << "tarvex-probe --help"
        << "xdg-open" << QStringList{"tarvex-probe --help"};
    QTest::newRow("shell text stays one argument") << "a b; touch pwned"
                                                   << "xdg-open" << QStringList{"a b; touch pwned"};
    QTest::newRow("missing file") << dir + "/gone.txt"
                                  << "xdg-open" << QStringList{dir + "/gone.txt"};
}

void TestOpener::launch()
{
    QFETCH(QString, target);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const ProcessOpener::Launch launch = ProcessOpener::launchFor(target);
    QCOMPARE(launch.program, program);
    QCOMPARE(launch.arguments, arguments);
}

void TestOpener::executableRunsItself_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "run.sh";
    QTest::newRow("space and semicolon") << "run me; touch pwned";
    QTest::newRow("quotes and dollar") << "it's \"$(touch pwned)\"";
}

void TestOpener::executableRunsItself()
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

void TestOpener::openerGetsOneArgument_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("shell injection") << "a b; touch pwned";
    QTest::newRow("command substitution") << "$(touch pwned) `touch pwned`";
    QTest::newRow("document with spaces") << "/no such/file name.txt";
}

void TestOpener::openerGetsOneArgument()
{
    QFETCH(QString, target);
    QFile::remove(m_record);
    ProcessOpener opener;
    QVERIFY(opener.open(target));
    QCOMPARE(waitForFile(m_record), target + '\n');
    QVERIFY(!QFile::exists(m_dir.path() + "/pwned"));
}

void TestOpener::launcherReapsChildren()
{
    DetachedLauncher launcher;
    for (int i = 0; i < 5; ++i)
        QVERIFY(launcher.start("true", {}));
    QVERIFY(launcher.runningChildren() > 0);
    QTRY_COMPARE(launcher.runningChildren(), 0);
}

void TestOpener::childGetsNoInheritedDescriptors()
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

void TestOpener::launcherReportsMissingProgram_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("missing path") << m_dir.path() + "/none";
    QTest::newRow("not on the PATH") << "tarvex-no-such-program";
    QTest::newRow("not executable") << m_dir.path() + "/record";
}

void TestOpener::launcherReportsMissingProgram()
{
    QFETCH(QString, program);
    QFile::remove(m_record);
    QFile(m_record).open(QIODevice::WriteOnly);
    DetachedLauncher launcher;
    QVERIFY(!launcher.start(program, {}));
    QCOMPARE(launcher.runningChildren(), 0);
}

QTEST_GUILESS_MAIN(TestOpener)
#include "TestOpener.moc"
