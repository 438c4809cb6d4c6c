#include "platform/linux/CanberraSoundPlayer.h"
#include "platform/linux/CanberraWorker.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace tarvex;

// Whether libcanberra is mapped into this process.
static bool canberraLoaded()
{
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libcanberra.so");
}

// The activation sound: libcanberra on a thread of its own. The tests give
// ALSA a silent device through the private HOME's .asoundrc.
class TestSoundPlayer final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("PULSE_SERVER", "unix:/nonexistent"); // no sound server: straight to ALSA
        writeFile(".asoundrc", "pcm.!default { type null }\nctl.!default { type hw card 0 }\n");
        QFile chime(qEnvironmentVariable("TARVEX_TEST_SOURCE_DIR") + "/resources/Sounds/Bing.wav");
        QVERIFY(chime.open(QIODevice::ReadOnly));
        m_wav = writeFile("chime.wav", chime.readAll());
    }

    // A missing file and a folder are not playable.
    void playable()
    {
        for (const auto& [name, playable] :
             {std::pair("chime.wav", true), {"gone.wav", false}, {"", false}})
            QCOMPARE(CanberraSoundPlayer::isPlayableFile(QDir::homePath() + '/' + name), playable);
    }

    void workerPlaysOnSilentDevice()
    {
        // Nothing of the library is loaded before the first sound.
        CanberraSoundPlayer player;
        QVERIFY(!canberraLoaded());
        CanberraWorker worker;
        worker.play(m_wav);
        QVERIFY(canberraLoaded());
        QCOMPARE(worker.lastResult(), 0);
        worker.play(QDir::homePath() + "/gone.wav");
        QVERIFY(worker.lastResult() != 0);
    }

private:
    static QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(QDir::homePath() + '/' + name);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                   ? file.fileName()
                   : QString();
    }
    QString m_wav;
};

QTEST_GUILESS_MAIN(TestSoundPlayer)
#include "TestSoundPlayer.moc"
