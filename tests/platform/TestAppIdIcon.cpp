#include "platform/linux/AppIdIcon.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using namespace tarvex;

// A hidden window's icon on Wayland, found from its app id through the desktop files of a
// private XDG data folder.
class TestAppIdIcon final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_data.path()));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(m_data.filePath("none")));
        QVERIFY(QDir(m_data.path()).mkpath("applications"));
        m_red = m_data.filePath("red.png");
        m_blue = m_data.filePath("blue.png");
        for (const auto& [path, colour] :
             {std::pair(m_red, Qt::red), std::pair(m_blue, Qt::blue)}) {
            QImage image(16, 16, QImage::Format_ARGB32);
            image.fill(colour);
            QVERIFY(image.save(path));
        }
    }

    void iconOfTheDesktopEntry()
    {
        // Only the entry's own Icon counts: not an action's, not a translation.
        QVERIFY(writeEntry("org.example.Editor",
                           "[Desktop Action new]\nIcon=" + m_blue.toUtf8() +
                               "\n[Desktop Entry]\nName=Editor\nIcon[de]=" + m_blue.toUtf8() +
                               "\nIcon = " + m_red.toUtf8() + "\nExec=editor\n"));
        const QIcon icon = appIdIcon("org.example.Editor");
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.pixmap(16).toImage().pixelColor(8, 8), QColor(Qt::red));
    }

    void noIconWithoutEntryOrTheme()
    {
        QVERIFY(appIdIcon("org.example.Unknown").isNull());
        QVERIFY(appIdIcon("").isNull());
        QVERIFY(writeEntry("org.example.Gone",
                           "[Desktop Entry]\nIcon=" + m_data.filePath("gone.png").toUtf8() + "\n"));
        QVERIFY(appIdIcon("org.example.Gone").isNull());
        // A path in place of an app id reads no file outside the applications folders.
        QVERIFY(writeEntry("../escape", "[Desktop Entry]\nIcon=" + m_red.toUtf8() + "\n"));
        QVERIFY(appIdIcon("../escape").isNull());
    }

private:
    bool writeEntry(const QString& appId, const QByteArray& text)
    {
        QFile file(m_data.filePath("applications/" + appId + ".desktop"));
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    }
    QTemporaryDir m_data;
    QString m_red, m_blue;
};

QTEST_MAIN(TestAppIdIcon)
#include "TestAppIdIcon.moc"
