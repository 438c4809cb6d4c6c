// Runs the saved crash inputs and the seed corpus through the fuzz targets' entry functions.
#include "tests/fuzz/FuzzTargets.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tarvex::fuzz;

namespace {

struct Target
{
    const char* name;
    QString (*entry)(QByteArrayView);
};

#ifdef TARVEX_FUZZ_REPLAY_LOGIN_ENTRY
const Target Targets[] = {{"login_entry", FuzzLoginEntry}};
#else
const Target Targets[] = {{"hotkey_file", FuzzHotkeyFile},
                          {"key_texts", FuzzKeyTexts},
                          {"key_capture", FuzzKeyCapture},
                          {"matcher", FuzzMatcher},
                          {"settings", FuzzSettings}};
#endif

} // namespace

class TestFuzzReplay final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savedInputs_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("file");
        const QDir fuzz(qEnvironmentVariable("TARVEX_TEST_SOURCE_DIR") +
                        QStringLiteral("/tests/fuzz"));
        for (int t = 0; t < int(std::size(Targets)); ++t) {
            int seeds = 0;
            for (const char* kind : {"crashes", "corpus"}) {
                const QDir dir(fuzz.filePath(QStringLiteral("%1/%2").arg(kind, Targets[t].name)));
                for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
                    QTest::addRow("%s/%s/%s", Targets[t].name, kind, qPrintable(name))
                        << t << dir.filePath(name);
                    seeds += kind == QLatin1String("corpus") ? 1 : 0;
                }
            }
            if (seeds == 0)
                qFatal("no seed corpus for the fuzz target %s", Targets[t].name);
        }
    }

    void savedInputs()
    {
        QFETCH(int, target);
        QFETCH(QString, file);
        QFile input(file);
        QVERIFY(input.open(QIODevice::ReadOnly));
        const QString broken = Targets[target].entry(input.readAll());
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
    }
};

QTEST_GUILESS_MAIN(TestFuzzReplay)
#include "TestFuzzReplay.moc"
