#include "platform/linux/AppIdIcon.h"

#include <QImage>
#include <QtTest>
using namespace tarvex;

// A hidden window's icon on Wayland from its app id's desktop file: only the entry's own Icon
// counts (not an action's, nor a translation); an unknown id or a path (outside) gives none.
class TestAppIdIcon final : public QObject
{
    Q_OBJECT
private slots:
    void iconOfTheDesktopEntry()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(data.filePath("none")));
        const QByteArray red = data.filePath("red.png").toUtf8(), gone = red + ".gone";
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(red) && QDir(data.path()).mkpath("applications"));
        for (const auto& [appId, text] :
             {std::pair("org.example.Editor", "[Desktop Action new]\nIcon=" + gone +
                                                  "\n[Desktop Entry]\nIcon[de]=" + gone +
                                                  "\nIcon = " + red + "\n"),
              std::pair("../escape", "[Desktop Entry]\nIcon=" + red + "\n")}) {
            QFile file(data.filePath(QString("applications/%1.desktop").arg(appId)));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text));
        }
        QCOMPARE(appIdIcon("org.example.Editor").pixmap(16).toImage().pixel(8, 8), qRgb(255, 0, 0));
        QVERIFY(appIdIcon("org.example.Unknown").isNull() && appIdIcon("../escape").isNull());
    }
};
QTEST_MAIN(TestAppIdIcon)
#include "TestAppIdIcon.moc"
