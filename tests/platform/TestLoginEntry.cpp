#include "platform/linux/DesktopEntryText.h"
#include "platform/linux/XdgLoginEntry.h"

#include <QtTest>

using namespace tarvex;

// The autostart file that starts the program at login, and Desktop Entry quoting.
class TestLoginEntry final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit()); }

    // As an Exec argument (quoted, escapes doubled: a backslash takes four; %d no field code).
    void quoting()
    {
        const std::tuple<bool, QString, QString> rows[] = {
            {true, "/a b/say \"hi\"%d\n", "\"/a b/say \\\\\"hi\\\\\"%%d\\n\""},
            {true, "/x/$HOME`id`\\", "\"/x/\\\\$HOME\\\\`id\\\\`\\\\\\\\\""},
            {false, " a\\b\tc\r ", "\\sa\\\\b\\tc\\r "},
        };
        for (const auto& [exec, argument, written] : rows)
            QCOMPARE(exec ? DesktopEntryText::quotedExecArgument(argument)
                          : DesktopEntryText::stringValue(argument),
                     written);
    }

    // Written again, the entry is replaced; removed, it is gone, and removing it again is silent.
    void writeAndRemove()
    {
        XdgLoginEntry entry;
        // A file where the autostart folder belongs: nothing can be written.
        QVERIFY(QFile(m_config.path() + "/autostart").open(QIODevice::WriteOnly));
        QVERIFY(entry.SetRunAtLogin("tarvex", "/opt", true).startsWith("Error "));
        QVERIFY(QFile::remove(m_config.path() + "/autostart"));
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/home/u/My Apps", true), QString());
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/new place", true), QString());
        QFile file(m_config.path() + "/autostart/tarvex.desktop");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = file.readAll();
        QVERIFY(text.startsWith("[Desktop Entry]\n") && !text.contains("My Apps"));
        QCOMPARE(text.split('\n').filter(QRegularExpression("^(Type|Name|Exec|TryExec)=")),
                 QStringList({"Type=Application", "Name=tarvex", "TryExec=/new place/tarvex",
                              "Exec=\"/new place/tarvex\" automatic"}));
        QVERIFY(entry.runsAtLogin("tarvex"));
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/opt", false), QString());
        QVERIFY(!file.exists() && !entry.runsAtLogin("tarvex"));
        QCOMPARE(entry.SetRunAtLogin("tarvex", "/opt", false), QString());
        QVERIFY(QDir().mkpath(file.fileName() + "/inside")); // a folder at the entry's path
        QVERIFY(entry.SetRunAtLogin("tarvex", "/opt", false).contains(" deleting key\n"));
    }

private:
    QTemporaryDir m_config;
};

QTEST_GUILESS_MAIN(TestLoginEntry)
#include "TestLoginEntry.moc"
