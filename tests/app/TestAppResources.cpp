// The data files beside the program and its compiled-in icon, read by the code that uses them.

#include "ui/ProgramIcon.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <QTest>

using namespace tarvex;

class TestAppResources final : public QObject
{
    Q_OBJECT

private:
    static QString resource(const QString& name)
    {
        return qEnvironmentVariable("TARVEX_TEST_SOURCE_DIR") + "/resources/" + name;
    }

    template <typename T> static T at(const QByteArray& bytes, int offset)
    {
        return qFromLittleEndian<T>(bytes.constData() + offset);
    }

private Q_SLOTS:
    // Each row icon holds three square images: 16, 32 and 48 pixels.
    void rowIconsReadable()
    {
        for (const char* name : {"Icons/file.ico", "Icons/Website.ico", "Icons/action.ico"}) {
            QImageReader reader(resource(name));
            QCOMPARE(reader.format(), QByteArray("ico"));
            QCOMPARE(reader.imageCount(), 3);
            QList<int> sizes;
            for (int i = 0; i < reader.imageCount(); ++i) {
                QVERIFY(reader.jumpToImage(i));
                const QImage image = reader.read();
                QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
                QCOMPARE(image.width(), image.height());
                sizes << image.width();
            }
            std::sort(sizes.begin(), sizes.end());
            QCOMPARE(sizes, (QList<int>{16, 32, 48}));
        }
    }

    void programIconHasEverySize()
    {
        const QIcon icon = ProgramIcon::icon();
        // Window managers pick from the sizes listed for the window's icon.
        QCOMPARE(icon.availableSizes().size(), 8);
        for (int size : {16, 20, 32, 48, 256}) {
            const QImage image = icon.pixmap(size, size).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            // Transparent corners, an opaque body: a drawn icon, not an empty square.
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(size / 2, size / 2)), 255);
        }
    }

    void chimeIsShortPcm()
    {
        QFile file(resource("Sounds/Bing.wav"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray wav = file.readAll();
        QCOMPARE(wav.left(4) + wav.mid(8, 8), QByteArray("RIFFWAVEfmt "));
        QCOMPARE(std::tuple(at<quint16>(wav, 20), at<quint16>(wav, 34)), std::tuple(1, 16));
        const quint32 rate = at<quint32>(wav, 24);
        const quint32 dataBytes = at<quint32>(wav, 40);
        QCOMPARE(qsizetype(44 + dataBytes), wav.size());
        const double seconds = double(dataBytes) / (2.0 * rate * at<quint16>(wav, 22));
        QVERIFY(seconds > 0.2 && seconds < 2.0);
    }
};

QTEST_MAIN(TestAppResources)
#include "TestAppResources.moc"
