#include "platform/linux/DesktopEntryText.h"
#include "platform/linux/XdgLoginEntry.h"
#include "tests/fakes/FullFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvex;

// The autostart file that starts the program at login, and Desktop Entry quoting.
class TestLoginEntry final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", m_config->path().toLocal8Bit());
    }

    // As an argument of Exec (quoted, with its escapes doubled by the string escapes) and as a
    // plain string value.
    void quoting()
    {
        const struct
        {
            bool exec;
            QString argument, written;
        } rows[] = {
            {true, "/opt/tarvex/tarvex", "\"/opt/tarvex/tarvex\""},
            {true, "/home/a b/my tarvex", "\"/home/a b/my tarvex\""},
            {true, "/x/say \"hi\"", "\"/x/say \\\\\"hi\\\\\"\""},
            {true, "/x/$HOME`id`", "\"/x/\\\\$HOME\\\\`id\\\\`\""},
            {true, "/x/a\\b", "\"/x/a\\\\\\\\b\""}, // a backslash takes four
            {true, "/x/100%d", "\"/x/100%%d\""},    // a percent sign is no field code
            {true, "/x/it's; rm", "\"/x/it's; rm\""},
            {true, "/x/a\nb", "\"/x/a\\nb\""},
            {false, "Tarvex", "Tarvex"},
            {false, " Tarvex", "\\sTarvex"},
            {false, "a\\b\tc", "a\\\\b\\tc"},
        };
        for (const auto& row : rows) {
            QCOMPARE(row.exec ? DesktopEntryText::quotedExecArgument(row.argument)
                              : DesktopEntryText::stringValue(row.argument),
                     row.written);
        }
    }

    void enableWritesEntry()
    {
        XdgLoginEntry entry;
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/home/u/My Apps", true), QString());
        QCOMPARE(XdgLoginEntry::entryPath("tarvex"),
                 m_config->path() + "/autostart/tarvex.desktop");
        const QString text = readEntry("tarvex");
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        // TryExec: a session starts nothing once the program file is gone.
        for (const char* line : {"\nType=Application\n", "\nName=tarvex\n",
                                 "\nExec=\"/home/u/My Apps/tarvex\" automatic\n",
                                 "\nTryExec=/home/u/My Apps/tarvex\n"})
            QVERIFY2(text.contains(line), line);
        QCOMPARE(text.count("\nExec="), 1);
        // Written again, it replaces the entry.
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/new place", true), QString());
        QVERIFY(readEntry("tarvex").contains("\nExec=\"/new place/tarvex\" automatic\n"));
        QVERIFY(!readEntry("tarvex").contains("My Apps"));
    }

    void disableRemovesEntry()
    {
        XdgLoginEntry entry;
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/opt", true), QString());
        QVERIFY(entry.runsAtLogin("tarvex"));
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/opt", false), QString());
        QVERIFY(!QFile::exists(XdgLoginEntry::entryPath("tarvex")));
        QVERIFY(!entry.runsAtLogin("tarvex"));
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/opt", false), QString()); // none left: silent
    }

    void unwritableFolderReportsOpeningError()
    {
        // A file where the autostart folder belongs: nothing can be written there.
        QFile blocker(m_config->path() + "/autostart");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        XdgLoginEntry entry;
        const QString error = entry.SetRunAtLogin("tarvex", "/opt", true);
        QVERIFY2(QRegularExpression("^Error \\d+ opening key\n.+").match(error).hasMatch(),
                 qPrintable(error));
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/opt", false), QString());
    }

    void fullDiskNamesTheCause()
    {
        const FullFolder full(FullFolder::Kind::Full, {{QStringLiteral("autostart/"), {}}});
        if (full.path().isEmpty())
            QSKIP("mounting a small file system needs root");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(full.path()));
        const QString error = XdgLoginEntry().SetRunAtLogin("tarvex", "/opt/tarvex", true);
        QVERIFY2(error.contains(QStringLiteral("No space left on device")), qPrintable(error));
        QVERIFY(!XdgLoginEntry().runsAtLogin("tarvex"));
    }

    void entryThatStaysIsReported()
    {
        // Something at the entry's path that removing the file cannot take away.
        QVERIFY(QDir().mkpath(XdgLoginEntry::entryPath("tarvex") + "/inside"));
        XdgLoginEntry entry;
        const QString error = entry.SetRunAtLogin("tarvex", "/opt", false);
        QVERIFY2(QRegularExpression("^Error \\d+ deleting key\n.+").match(error).hasMatch(),
                 qPrintable(error));
        QVERIFY(entry.runsAtLogin("tarvex"));
    }

private:
    static QString readEntry(const QString& name);
    std::unique_ptr<QTemporaryDir> m_config;
};

QString TestLoginEntry::readEntry(const QString& name)
{
    QFile file(XdgLoginEntry::entryPath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QTEST_GUILESS_MAIN(TestLoginEntry)
#include "TestLoginEntry.moc"
