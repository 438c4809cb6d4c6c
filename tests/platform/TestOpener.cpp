#include "platform/linux/DetachedLauncher.h"
#include "platform/linux/ProcessOpener.h"

#include <QtTest>

#include <unistd.h>

using namespace tarvex;

// Executables run directly, everything else through xdg-open as one argument, never a shell.
class TestOpener final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const char* folder : {"bin", "home/bin", "cwd"})
            QDir(m_dir.path()).mkpath(folder);
        writeScript("bin/xdg-open",
                    "printf '%s\\n' \"$@\"" + into(m_record)); // lists its arguments
        writeScript("bin/tarvex-probe", "exit 0\n");
        writeScript("home/bin/tool.sh", "exit 0\n");
        writeScript("cwd/tarvex-probe", "touch '" + m_dir.path() + "/pwned'\n"); // planted
        qputenv("PATH", (m_dir.path() + "/bin:/usr/bin:/bin").toLocal8Bit());
        qputenv("HOME", m_home.toLocal8Bit());
        QDir::setCurrent(m_dir.path() + "/cwd");
    }

    // What each target starts; what goes to the desktop's opener reaches it as one argument.
    void launch()
    {
        const QString home = m_home, tool = home + "/bin/tool.sh", opener = "xdg-open";
        const std::tuple<QString, QString, QStringList> rows[] = {
            {"bin/tool.sh", tool, {}}, // a relative path is below home
            {"tarvex-probe", m_dir.path() + "/bin/tarvex-probe", {}}, // on the PATH, not here
            {"www.example.com", opener, {"http://www.example.com"}},
            {"a b; touch pwned", opener, {home + "/a b; touch pwned"}},
            {"--help", opener, {home + "/--help"}}, // never one of the opener's options
            {"mailto:a@example.org", opener, {"mailto:a@example.org"}},
            {"/no/such.txt", opener, {"/no/such.txt"}},
            {"", "", {}},
        };
        ProcessOpener processOpener;
        for (const auto& [target, program, arguments] : rows) {
            const ProcessOpener::Launch launch = ProcessOpener::launchFor(target);
            QCOMPARE(QList({QStringList{launch.program}, launch.arguments}),
                     QList({QStringList{program}, arguments}));
            if (program == opener) {
                QFile::remove(m_record);
                QVERIFY(processOpener.open(target));
                QTRY_COMPARE(read(m_record), arguments.first() + '\n');
            }
        }
        QVERIFY(!QFile::exists(m_dir.path() + "/pwned"));
    }

    // An executable runs itself with its arguments; a document marked executable (FAT mounts)
    // goes to the opener, without them.
    void executablesAndDocuments()
    {
        const QString ran = m_dir.path() + "/ran";
        ProcessOpener opener;
        QVERIFY(opener.open(writeScript("run me; touch pwned", "echo \"$#\"" + into(ran))));
        QTRY_COMPARE(read(ran), QString("0\n"));
        QVERIFY(!QFile::exists(m_dir.path() + "/pwned"));
        // A program gets exactly its arguments, one each; nothing reads them as a shell would.
        const QString listed = m_dir.path() + "/argv";
        QVERIFY(opener.open(writeScript("argv.sh", "printf '%s\\n' \"$@\"" + into(listed)),
                            {"two words", "", "$HOME;*", "-x"}));
        QTRY_COMPARE(read(listed), QString("two words\n\n$HOME;*\n-x\n"));
        for (const QString content : {"Dear diary,\n", "#!/no/such/interpreter\nhello\n"}) {
            const QString path = writeScript("home/letter.txt", content, "");
            QFile::remove(m_record);
            QVERIFY(opener.open(path, {"--for-programs-only"}));
            QTRY_COMPARE(read(m_record), path + '\n');
        }
    }

    // Children are reaped; no descriptor left without close-on-exec reaches them.
    void launcher()
    {
        const int leaked = 200;
        QVERIFY(::dup2(STDIN_FILENO, leaked) == leaked);
        const QString listing = m_dir.path() + "/fds";
        DetachedLauncher launcher;
        QVERIFY(launcher.start(writeScript("fds.sh", "ls /proc/$$/fd" + into(listing)), {}));
        QVERIFY(launcher.start("true", {}) && launcher.runningChildren() > 0);
        QTRY_VERIFY(read(listing).split('\n').contains("2"));
        ::close(leaked);
        QVERIFY(!read(listing).split('\n').contains(QString::number(leaked)));
        QTRY_COMPARE(launcher.runningChildren(), 0);
        QVERIFY(!launcher.start("tarvex-no-such-program", {}) && launcher.runningChildren() == 0);
    }

private:
    static QString into(const QString& path) { return " > '" + path + "'\n"; }
    QString writeScript(const QString& name, const QString& body,
                        const QString& shebang = "#!/bin/sh\n")
    {
        QFile file(m_dir.path() + '/' + name);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write((shebang + body).toUtf8());
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return file.fileName();
    }
    static QString read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir m_dir;
    const QString m_home = m_dir.path() + "/home", m_record = m_dir.path() + "/record";
};

QTEST_GUILESS_MAIN(TestOpener)
#include "TestOpener.moc"
