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

    void quoting_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain path") << "/opt/tarvex/tarvex"
                                    << R"("/opt/tarvex/tarvex")";
        QTest::newRow("spaces") << "/home/a b/my tarvex"
                                << R"("/home/a b/my tarvex")";
        QTest::newRow("double quote") << R"(/x/say "hi")"
                                      << R"("/x/say \\"hi\\"")";
        QTest::newRow("dollar and backtick") << "/x/$HOME`id`"
                                             << R"("/x/\\$HOME\\`id\\`")";
        QTest::newRow("backslash takes four") << R"(/x/a\b)"
                                              << R"("/x/a\\\\b")";
        QTest::newRow("percent is no field code") << "/x/100%d"
                                                  << R"("/x/100%%d")";
        QTest::newRow("single quote and semicolon") << "/x/it's; rm"
                                                    << R"("/x/it's; rm")";
        QTest::newRow("line break") << "/x/a\nb"
                                    << R"("/x/a\nb")";
    }

    void quoting()
    {
        QFETCH(QString, argument);
        QFETCH(QString, written);
        QCOMPARE(DesktopEntryText::quotedExecArgument(argument), written);
    }

    void stringValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << "Tarvex"
                               << "Tarvex";
        QTest::newRow("leading space") << " Tarvex"
                                       << R"(\sTarvex)";
        QTest::newRow("backslash and tab") << "a\\b\tc"
                                           << R"(a\\b\tc)";
    }

    void stringValue()
    {
        QFETCH(QString, value);
        QFETCH(QString, written);
        QCOMPARE(DesktopEntryText::stringValue(value), written);
    }

    void enableWritesEntry()
    {
        XdgLoginEntry entry;
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/home/u/My Apps", true), QString());
        QCOMPARE(XdgLoginEntry::entryPath("tarvex"),
                 m_config->path() + "/autostart/tarvex.desktop");
        const QString text = readEntry("tarvex");
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nType=Application\n"));
        QVERIFY(text.contains("\nName=tarvex\n"));
        QVERIFY(text.contains("\nExec=\"/home/u/My Apps/tarvex\" automatic\n"));
        // A session starts nothing once the program file is gone.
        QVERIFY(text.contains("\nTryExec=/home/u/My Apps/tarvex\n"));
        QCOMPARE(text.count("\nExec="), 1);
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

    void enableTwiceReplaces()
    {
        XdgLoginEntry entry;
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/old", true), QString());
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/new place", true), QString());
        const QString text = readEntry("tarvex");
        QVERIFY(text.contains("Exec=\"/new place/tarvex\" automatic\n"));
        QVERIFY(!text.contains("/old"));
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
