#include "store/AppSettings.h"
#include "store/IniDocument.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

using namespace tarvex;

class TestSettingsStore final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<SettingsStore>(m_dir->filePath(QStringLiteral("Tarvex.ini")));
    }

    void notANumberFallsBack_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("mainStyle");
        QTest::addColumn<int>("editorStyle");
        QTest::newRow("word") << "blue" << 3 << 13;
        QTest::newRow("empty") << "" << 3 << 13;
        QTest::newRow("too big for 16 bits") << "40000" << 3 << 13;
        QTest::newRow("padded number") << " 5 " << 5 << 5;
        QTest::newRow("negative") << "-2" << -2 << -2;
        QTest::newRow("decimal rounds") << "4.6" << 5 << 5;
        QTest::newRow("infinity") << "inf" << 3 << 13;
    }

    void notANumberFallsBack()
    {
        QFETCH(QString, stored);
        QFETCH(int, mainStyle);
        QFETCH(int, editorStyle);
        m_store->writeText(QStringLiteral("ButtonTheme"), QStringLiteral("Color"), stored);
        const AppSettings settings(*m_store);
        QCOMPARE(int(settings.mainWindowButtonStyle()), mainStyle);
        QCOMPARE(int(settings.editorButtonStyle()), editorStyle);
        QCOMPARE(int(settings.optionsButtonStyle()), mainStyle);
    }

    void soundEmptyVersusAbsent()
    {
        AppSettings settings(*m_store);
        settings.setActivationSound(QString());
        QCOMPARE(settings.activationSound(QStringLiteral("/opt/tarvex")), QString());
        settings.setActivationSound(QStringLiteral("/sounds/a, b.wav"));
        QCOMPARE(settings.activationSound(QStringLiteral("/opt/tarvex")),
                 QStringLiteral("/sounds/a, b.wav"));
    }

    void startupNoteBalloonRule_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("suppressed");
        QTest::addColumn<int>("checkBox");
        QTest::newRow("1") << "1" << true << 1;
        QTest::newRow("0") << "0" << false << 0;
        QTest::newRow("1.0") << "1.0" << true << 1;
        QTest::newRow("2") << "2" << false << 2;
        QTest::newRow("yes") << "yes" << false << 0;
    }

    void startupNoteBalloonRule()
    {
        QFETCH(QString, stored);
        QFETCH(bool, suppressed);
        QFETCH(int, checkBox);
        m_store->writeText(QStringLiteral("Startup"), QStringLiteral("Note"), stored);
        const AppSettings settings(*m_store);
        QCOMPARE(settings.startupBalloonSuppressed(), suppressed);
        QCOMPARE(int(settings.startupNote()), checkBox);
    }

    void valuesAreTextInIniFile()
    {
        AppSettings settings(*m_store);
        settings.setThemeColor(4);
        settings.setActivationSound(QStringLiteral("/s/x.wav"));
        QFile file(m_store->fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray ini = file.readAll();
        QVERIFY(ini.contains("[Theme]"));
        QVERIFY(ini.contains("Color=4"));
        QVERIFY(ini.contains("Sound=/s/x.wav"));
    }

    void defaultStoreIsTarvexIni()
    {
        const SettingsStore store;
        QCOMPARE(store.fileName(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Tarvex/Tarvex.ini"));
    }

    void unusableFileIsLeftAlone_data()
    {
        // A value that the settings library would decode as serialized data is plain text here.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("usable");
        const QByteArray head("[Hotkey%20Activation]\nNotification=0\n");
        QTest::newRow("fifo") << QByteArray() << false;
        QTest::newRow("serialized value") << head + "Sound=@@Variant(x)\n" << true;
    }

    void unusableFileIsLeftAlone()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, usable);
        const QString path = m_store->fileName();
        if (bytes.isEmpty()) {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        AppSettings settings(*m_store);
        QCOMPARE(settings.activationNotification(), usable ? false : true);
        const QString error = settings.setThemeColor(5);
        QCOMPARE(error.isEmpty(), usable);
        QCOMPARE(settings.themeColor(), usable ? 5 : 0);
        if (usable)
            QCOMPARE(settings.activationSound(QString()), QStringLiteral("@Variant(x)"));
        else
            QVERIFY2(error.contains(QStringLiteral("left as it is")), qPrintable(error));
    }

    void strayLinesDoNotFailAWrite()
    {
        // Lines that are no settings make the library report a format error, yet it writes.
        QFile file(m_store->fileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Theme]\nColor=2\nnot a setting]\n");
        file.close();
        AppSettings settings(*m_store);
        QCOMPARE(settings.setFrameStyle(4), QString());
        QCOMPARE(settings.frameStyle(), 4);
        QCOMPARE(settings.themeColor(), 2);
    }

    // Hand-edited keyboard paths: ";" between, spaces around, a comma inside a path.
    void keyboardSettingsAsWrittenByHand()
    {
        const AppSettings settings(*m_store);
        QCOMPARE(settings.keyboardSource(), QStringLiteral("auto"));
        QCOMPARE(settings.keyboardDevices(), QStringList{});
        QFile file(m_store->fileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Keyboard]\nSource = evdev \n"
                   "Devices=/dev/input/event3; /dev/input/by-id/usb-kbd,2-event-kbd;;\n");
        file.close();
        QCOMPARE(settings.keyboardSource(), QStringLiteral("evdev"));
        QCOMPARE(settings.keyboardDevices(),
                 (QStringList{"/dev/input/event3", "/dev/input/by-id/usb-kbd,2-event-kbd"}));
    }

    // Names and values written by the settings document read back the same through Qt's own
    // settings class and the other way round: escaped names (space, Latin-1, beyond Latin-1),
    // escapes at a value's end, and a section added once however many keys go into it.
    void sameFileAsQtSettings_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "Theme"
                               << "x-y_z.w"
                               << "1";
        QTest::newRow("space") << "Hotkey Activation"
                               << "Sound File"
                               << "a b";
        QTest::newRow("latin-1") << "Th\u00e8me"
                                 << "cl\u00e9"
                                 << "\u00e9t\u00e9";
        QTest::newRow("beyond latin-1") << "Euro\u20ac"
                                        << "k\u20ac"
                                        << "5\u20ac";
        QTest::newRow("escape at the end") << "Theme"
                                           << "Sound"
                                           << "a\tb\t";
        QTest::newRow("backslash at the end") << "Theme"
                                              << "Path"
                                              << "C:\\dir\\";
    }

    void sameFileAsQtSettings()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        IniDocument written;
        written.setValue(section, key, value);
        written.setValue(section, QStringLiteral("second"), QStringLiteral("2"));
        QCOMPARE(written.bytes().count('['), 1);
        const QString path = m_dir->filePath(QStringLiteral("both.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(written.bytes());
        file.close();
        {
            QSettings qt(path, QSettings::IniFormat);
            QCOMPARE(qt.value(section + u'/' + key).toString(), value);
            QCOMPARE(qt.value(section + QStringLiteral("/second")).toString(), QStringLiteral("2"));
            qt.setValue(section + QStringLiteral("/third"), value);
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        const IniDocument read(file.readAll());
        // The section's line is the one Qt wrote for the same name.
        const QString qtPath = m_dir->filePath(QStringLiteral("qt.ini"));
        QSettings(qtPath, QSettings::IniFormat).setValue(section + u'/' + key, value);
        QFile qtFile(qtPath);
        QVERIFY(qtFile.open(QIODevice::ReadOnly));
        const qsizetype end = written.bytes().indexOf(']');
        QCOMPARE(written.bytes().left(end), qtFile.readAll().left(end));
        QCOMPARE(read.value(section, key), std::optional<QString>(value));
        QCOMPARE(read.value(section, QStringLiteral("third")), std::optional<QString>(value));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "TestSettingsStore.moc"
