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

    // A stored button colour that is no 16-bit number gives each window its own default.
    void notANumberFallsBack()
    {
        const std::tuple<const char*, int, int> rows[] = {
            {"blue", 3, 13}, {"40000", 3, 13}, {" 5 ", 5, 5}, {"4.6", 5, 5}};
        for (const auto& [stored, mainStyle, editorStyle] : rows) {
            m_store->writeText(QStringLiteral("ButtonTheme"), QStringLiteral("Color"), stored);
            const AppSettings settings(*m_store);
            QCOMPARE((QList<int>{settings.mainWindowButtonStyle(), settings.editorButtonStyle(),
                                 settings.optionsButtonStyle()}),
                     (QList<int>{mainStyle, editorStyle, mainStyle}));
        }
    }

    // An empty sound is none (not the default chime); a chosen one is read back whole.
    void soundEmptyVersusAbsent()
    {
        AppSettings settings(*m_store);
        settings.setActivationSound(QString());
        const QString none = settings.activationSound(QStringLiteral("/opt/tarvex"));
        settings.setActivationSound(QStringLiteral("/sounds/a, b.wav"));
        QCOMPARE(QStringList({none, settings.activationSound(QStringLiteral("/opt/tarvex"))}),
                 QStringList({QString(), "/sounds/a, b.wav"}));
    }

    // Whether the start-up balloon is suppressed, and the box's state, for a stored note.
    void startupNoteBalloonRule()
    {
        const std::tuple<const char*, bool, int> rows[] = {
            {"1.0", true, 1}, {"2", false, 2}, {"yes", false, 0}};
        for (const auto& [stored, suppressed, checkBox] : rows) {
            m_store->writeText(QStringLiteral("Startup"), QStringLiteral("Note"), stored);
            const AppSettings settings(*m_store);
            QCOMPARE(std::tuple(settings.startupBalloonSuppressed(), int(settings.startupNote())),
                     std::tuple(suppressed, checkBox));
        }
    }

    // Values are text in an INI file; lines that are no settings (a format error to Qt's
    // settings library) do not fail a write.
    void valuesAreTextInIniFile()
    {
        QCOMPARE(SettingsStore().fileName(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Tarvex/Tarvex.ini"));
        Write(m_store->fileName(), "[Theme]\nColor=2\nnot a setting]\n");
        AppSettings settings(*m_store);
        QCOMPARE(settings.setFrameStyle(4), QString());
        QCOMPARE(std::tuple(settings.frameStyle(), settings.themeColor()), std::tuple(4, 2));
        QVERIFY(Read(m_store->fileName()).contains("[Theme]\nColor=2\n"));
    }

    // A FIFO is left alone (defaults read, writes refused); a value the settings library would
    // decode as serialized data is plain text here; hand-written escapes take at most four hex
    // digits (either case) or three octal ones, and "\x" without one is an "x".
    void unusableFileIsLeftAlone()
    {
        QCOMPARE(mkfifo(QFile::encodeName(m_store->fileName()).constData(), 0600), 0);
        AppSettings fifo(*m_store);
        QCOMPARE(fifo.activationNotification(), true);
        QVERIFY(fifo.setThemeColor(5).contains(QStringLiteral("left as it is")));
        QCOMPARE(fifo.themeColor(), 0);
        SettingsStore store(m_dir->filePath(QStringLiteral("other.ini")));
        Write(store.fileName(), "[Hotkey%20Activation]\nNotification=0\nSound=@@Variant(x)"
                                "\\x4A\\x004FA\\xg\\1012\\18\n");
        AppSettings settings(store);
        QCOMPARE(std::tuple(settings.activationNotification(), settings.activationSound(QString())),
                 std::tuple(false, QStringLiteral("@Variant(x)JOAxgA2\0018")));
    }

    // Hand-edited keyboard paths: ";" between, spaces around, a comma inside a path.
    void keyboardSettingsAsWrittenByHand()
    {
        const AppSettings settings(*m_store);
        Write(m_store->fileName(),
              "[Keyboard]\nSource = evdev \n"
              "Devices=/dev/input/event3; /dev/input/by-id/usb-kbd,2-event-kbd;;\n");
        QCOMPARE(
            std::tuple(settings.keyboardSource(), settings.keyboardDevices()),
            std::tuple(QStringLiteral("evdev"),
                       QStringList{"/dev/input/event3", "/dev/input/by-id/usb-kbd,2-event-kbd"}));
    }

    // Names and values written by the settings document read back the same through Qt's own
    // settings class and the other way round: escaped names (space, Latin-1, beyond Latin-1),
    // escapes (at a value's end, control characters), one section however many keys it holds.
    void sameFileAsQtSettings()
    {
        const std::tuple<QString, QString, QString> rows[] = {
            {"Theme", "x-y_z.w", "1"},
            {"Hotkey Activation", "Sound File", "a b"},
            {"Th\u00e8me", "cl\u00e9", "\u00e9t\u00e9"},
            {"Euro\u20ac", "k\u20ac", "5\u20ac"},
            {"Theme", "Sound", "a\tb\t"},
            {"Theme", "Path", "C:\\dir\\"},
            {"Theme", "List", "x,y"},
            {"Theme", "Pad", " pad "},
            {"Theme", "Ctl", "\x01:\x1fg\x7f"}};
        int row = 0;
        for (const auto& [section, key, value] : rows) {
            ++row;
            IniDocument written;
            written.setValue(section, key, value);
            written.setValue(section, QStringLiteral("second"), QStringLiteral("2"));
            QCOMPARE(std::tuple(written.bytes().count('['), written.bytes().contains('\x7f')),
                     std::tuple(1, false));
            const QString path = m_dir->filePath(QStringLiteral("both%1.ini").arg(row));
            Write(path, written.bytes());
            {
                QSettings qt(path, QSettings::IniFormat);
                QCOMPARE(qt.value(section + u'/' + key).toString(), value);
                QCOMPARE(qt.value(section + QStringLiteral("/second")).toString(), "2");
                qt.setValue(section + QStringLiteral("/third"), value);
            }
            const IniDocument read(Read(path));
            // The section's line is the one Qt wrote for the same name.
            const QString qtPath = m_dir->filePath(QStringLiteral("qt%1.ini").arg(row));
            QSettings(qtPath, QSettings::IniFormat).setValue(section + u'/' + key, value);
            const qsizetype end = written.bytes().indexOf(']');
            QCOMPARE(written.bytes().left(end), Read(qtPath).left(end));
            QCOMPARE(std::tuple(read.value(section, key), read.value(section, "third")),
                     std::tuple(std::optional(value), std::optional(value)));
        }
    }

private:
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SettingsStore> m_store;
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "TestSettingsStore.moc"
