#include "keys/KeyText.h"
#include "store/HotkeyDatabase.h"
#include "store/HotkeyFileIO.h"
#include "store/SettingsStore.h"
#include "tests/core/CodesText.h"
#include "tests/fakes/FullFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace tarvex;
using namespace Qt::StringLiterals;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The list and table a load of the file at path gives, and its report.
struct Loaded
{
    HotkeyList list;
    ActiveHotkeyTable table;
    QString report;
    explicit Loaded(const QString& path) { report = HotkeyDatabase(path).load(list, table); }
};

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestHotkeyDatabase final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void joinPath_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("joined");
        QTest::newRow("plain") << u"/home/u/Documents"_s << u"Hotkeys.TarvexDB"_s
                               << u"/home/u/Documents/Hotkeys.TarvexDB"_s;
        QTest::newRow("trailing slash") << u"/home/u/"_s << u"f"_s << u"/home/u/f"_s;
        QTest::newRow("leading slash") << u"/home/u"_s << u"/f"_s << u"/home/u/f"_s;
        QTest::newRow("only one of each dropped") << u"/a//"_s << u"//f"_s << u"/a///f"_s;
        QTest::newRow("empty folder") << u""_s << u"f"_s << u"/f"_s;
    }

    void joinPath()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, joined);
        QCOMPARE(JoinPath(a, b), joined);
    }

    void savesExactBytes()
    {
        HotkeyList list;
        list.append({"(Ctrl)(Alt)k", "/usr/bin/xterm"});
        list.append({"gofb", "-Restart-"});
        ActiveHotkeyTable table;
        QCOMPARE(HotkeyDatabase(path()).save(list, table), QString());
        QCOMPARE(ReadAll(path()), QByteArray("(Ctrl)(Alt)k*/usr/bin/xterm|gofb*-Restart-\r\n"));
        QCOMPARE(table.records(), (QStringList{"(Ctrl)(Alt)k*/usr/bin/xterm", "gofb*-Restart-"}));
    }

    void emptyListSavesCrLf()
    {
        ActiveHotkeyTable table;
        table.replaceFromText(QStringLiteral("old*x"));
        QCOMPARE(HotkeyDatabase(path()).save(HotkeyList(), table), QString());
        QCOMPARE(ReadAll(path()), QByteArray("\r\n"));
        QCOMPARE(table.size(), 0);
        HotkeyList loaded;
        loaded.append({"stale", "x"});
        HotkeyDatabase(path()).load(loaded, table);
        QCOMPARE(loaded.count(), 0);
    }

    void loadsFirstLineOnly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        QTest::newRow("crlf then more") << QByteArray("a*1|b*2\r\nc*3\r\n") << 2;
        QTest::newRow("lf only") << QByteArray("a*1|b*2\nc*3") << 2;
        QTest::newRow("cr only") << QByteArray("a*1\rc*3") << 1;
        QTest::newRow("no line end") << QByteArray("a*1|b*2|c*3") << 3;
        QTest::newRow("empty first line") << QByteArray("\r\na*1") << 0;
    }

    void loadsFirstLineOnly()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        WriteAll(path(), bytes);
        const Loaded loaded(path());
        QCOMPARE(loaded.report, QString());
        QCOMPARE(loaded.list.count(), records);
        QCOMPARE(loaded.table.size(), records);
        if (records > 0)
            QCOMPARE(loaded.list.at(1), (HotkeyEntry{"a", "1"}));
    }

    void missingFileLoadsEmpty()
    {
        const Loaded loaded(path());
        QCOMPARE(loaded.report, QString());
        QCOMPARE(loaded.list.count(), 0);
        QCOMPARE(loaded.table.size(), 0);
    }

    void decodesEachRecordOnItsOwn()
    {
        // One record in an 8-bit code page must not turn the UTF-8 of the others into mojibake.
        WriteAll(path(), QByteArray("a*/home/j\xc3\xbcrgen|b*/home/j\xfcrgen|c*/\xe2\x82\xac\r\n"));
        const Loaded loaded(path());
        QCOMPARE(loaded.list.at(1).target, QStringLiteral("/home/jürgen"));
        QCOMPARE(loaded.list.at(2).target, QStringLiteral("/home/jürgen"));
        QCOMPARE(loaded.list.at(3).target, QStringLiteral("/€"));
        QCOMPARE(loaded.table.targetAt(0), QStringLiteral("/home/jürgen"));
    }

    // Mixed encodings, further lines, third fields, a byte-order mark, records without "*" and
    // empty records are kept by the fuzz target's seeds (TestFuzzReplay, hotkey_file).
    void saveWithoutEditsKeepsBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("firstCombination");
        QTest::newRow("latin-1 record kept as it was") << QByteArray("a*/j\xfcrgen\r\n") << "a";
        QTest::newRow("line feed only") << QByteArray("a*1\n") << "a";
        QTest::newRow("no line end") << QByteArray("a*1|b*2") << "a";
        QTest::newRow("byte-order mark alone") << QByteArray("\xef\xbb\xbf") << "";
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("keys named by tokens")
            << QByteArray("(Num*)a*/m|(Ctrl)(F4)*/n\r\n") << "(Num*)a";
    }

    void saveWithoutEditsKeepsBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, firstCombination);
        // The list held another file's records before: nothing of them may stay.
        WriteAll(path(), "z*/old|y*/older|x*/oldest|w*4\r\n");
        HotkeyList list;
        ActiveHotkeyTable table;
        HotkeyDatabase database(path());
        database.load(list, table);
        WriteAll(path(), bytes);
        database.load(list, table);
        QCOMPARE(list.at(1).combination, firstCombination);
        QCOMPARE(database.save(list, table), QString());
        QCOMPARE(ReadAll(path()), bytes);
        QCOMPARE(table.records(), Loaded(path()).table.records()); // as a read of the file gives
    }

    void editedRecordsAreWrittenAsUtf8()
    {
        WriteAll(path(), QByteArray("a*/j\xfcrgen|b*/x*old\r\nsecond line\r\n"));
        HotkeyList list;
        ActiveHotkeyTable table;
        HotkeyDatabase database(path());
        database.load(list, table);
        list.replace(2, {"b", QStringLiteral("/ü")});
        list.append({"c", "/new"});
        QCOMPARE(database.save(list, table), QString());
        // The untouched record keeps its code page; the edited one is UTF-8 (its third field goes).
        QCOMPARE(ReadAll(path()), QByteArray("a*/j\xfcrgen|b*/\xc3\xbc|c*/new\r\nsecond line\r\n"));
        QCOMPARE(table.records(), (QStringList{"a*/jürgen", "b*/ü", "c*/new"}));
    }

    // A deleted record takes its bytes: the next (same hotkey, other code page) keeps its own.
    void deletedRecordTakesItsBytes()
    {
        WriteAll(path(), QByteArray("a*/j\xfcrgen|a*/j\xc3\xbcrgen\r\n"));
        HotkeyList list;
        ActiveHotkeyTable table;
        HotkeyDatabase database(path());
        database.load(list, table);
        list.remove(1);
        QCOMPARE(database.save(list, table), QString());
        QCOMPARE(ReadAll(path()), QByteArray("a*/j\xc3\xbcrgen\r\n"));
    }

    void reportsHotkeysThatWillNotRun()
    {
        WriteAll(path(),
                 QByteArrayLiteral("*/bin/every|a*/bin/fine|b*/tmp/count.sh\0.txt|  *x\r\n"));
        const Loaded loaded(path());
        const QString& report = loaded.report;
        QCOMPARE(loaded.list.count(), 4);
        QVERIFY2(report.contains(QStringLiteral("Hotkey 1 (action \"/bin/every\")")),
                 qPrintable(report));
        QVERIFY(report.contains(QStringLiteral("Hotkey 3 (action \"/tmp/count.sh\uFFFD.txt\")")));
        QVERIFY(report.contains(QStringLiteral("Hotkey 4 ")));
        QVERIFY(!report.contains(QStringLiteral("Hotkey 2")));
        WriteAll(path(), QByteArray("a*/bin/fine\r\n"));
        QCOMPARE(Loaded(path()).report, QString());
    }

    // A file of the released program (keys named by codes): every key kept, a save without
    // edits writes it back byte for byte; a stray parenthesis is reported.
    void fileOfTheReleasedProgram()
    {
        const QString released = qEnvironmentVariable("TARVEX_TEST_SOURCE_DIR") +
                                 QStringLiteral("/tests/core/data/written-by-tarvex-1.0.TarvexDB");
        const QByteArray bytes = ReadAll(released);
        WriteAll(path(), bytes);
        HotkeyList list;
        ActiveHotkeyTable table;
        HotkeyDatabase database(path());
        const QString report = database.load(list, table);
        QVERIFY2(report.contains(QStringLiteral("Hotkey 9 (action \"/tmp/paren\")")),
                 qPrintable(report));
        QCOMPARE(report.count(QStringLiteral("Hotkey ")), 1);
        const QList<QString> keys{Codes({17, 83}),
                                  Codes({71, 79, 87, 80}),
                                  Codes({17, 18, 75}),
                                  Codes({16, 32, 46, 91, 88}),
                                  Codes({48, 49, 50, 51, 52, 53, 54, 55, 56, 57}),
                                  Codes({65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77,
                                         78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90}),
                                  Codes({18, 17, 17}),
                                  Codes({65, 66, 67, 90}),
                                  Codes({65, 0, 66})};
        QCOMPARE(list.count(), keys.size());
        for (int position = 1; position <= list.count(); ++position)
            QCOMPARE(KeyCodesFromText(list.at(position).combination), keys.at(position - 1));
        QCOMPARE(database.save(list, table), QString());
        QCOMPARE(ReadAll(path()), bytes);
    }

    void readsOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("link to a device") << "device";
        QTest::newRow("folder") << "folder";
        QTest::newRow("over the size limit") << "huge";
    }

    void readsOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        const QByteArray name = QFile::encodeName(path());
        if (kind == "fifo")
            QCOMPARE(mkfifo(name.constData(), 0600), 0);
        else if (kind == "device")
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path()));
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(path()));
        else {
            WriteAll(path(), "a*b\r\n");
            QCOMPARE(truncate(name.constData(), MaxHotkeyFileSize + 1), 0); // sparse: no disk used
        }
        struct stat before
        {};
        QCOMPARE(lstat(name.constData(), &before), 0);
        HotkeyList list;
        list.append({"stale", "x"});
        ActiveHotkeyTable table;
        HotkeyDatabase database(path());
        // Reading neither blocks on the FIFO nor reads the endless device, and what it opened to
        // look is closed again.
        const auto openFiles = [] {
            return QDir(QStringLiteral("/proc/self/fd"))
                .entryList(QDir::AllEntries | QDir::System)
                .size();
        };
        const qsizetype open = openFiles();
        const QString loadError = database.load(list, table);
        QCOMPARE(openFiles(), open);
        QVERIFY2(loadError.contains(QStringLiteral("could not be read")), qPrintable(loadError));
        QCOMPARE(list.count(), 0);
        QCOMPARE(table.size(), 0);
        // A save never replaces what it could not read.
        list.append({"a", "b"});
        const QString saveError = database.save(list, table);
        QVERIFY2(saveError.contains(QStringLiteral("left as it is")), qPrintable(saveError));
        struct stat after
        {};
        QCOMPARE(lstat(name.constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_size, before.st_size);
    }

    void loadsMoreThan32767Records()
    {
        HotkeyList list;
        for (int i = 0; i < 40000; ++i)
            list.append({QStringLiteral("k%1").arg(i), QStringLiteral("/t/%1").arg(i)});
        ActiveHotkeyTable table;
        QCOMPARE(HotkeyDatabase(path()).save(list, table), QString());
        const Loaded loaded(path());
        QCOMPARE(loaded.table.size(), 40000);
        QCOMPARE(loaded.list.entries(), list.entries());
    }

    void failedWritesNameTheCause_data()
    {
        QTest::addColumn<FullFolder::Kind>("kind");
        QTest::addColumn<QString>("cause");
        QTest::newRow("full disk") << FullFolder::Kind::Full << "No space left on device";
        QTest::newRow("read-only disk") << FullFolder::Kind::ReadOnly << "Read-only file system";
    }

    // Refused writes: the message names the cause and the files keep what they held.
    void failedWritesNameTheCause()
    {
        QFETCH(FullFolder::Kind, kind);
        QFETCH(QString, cause);
        const FullFolder folder(
            kind, {{"Hotkeys.TarvexDB", "old*/x\r\n"}, {"Tarvex.ini", "[Theme]\nColor=1\n"}});
        if (folder.path().isEmpty())
            QSKIP("mounting a small file system needs root");
        HotkeyList list;
        list.append({"new", "/y"});
        ActiveHotkeyTable table;
        const QString hotkeys = HotkeyDatabase::InFolder(folder.path()).save(list, table);
        QVERIFY2(hotkeys.contains(cause), qPrintable(hotkeys));
        QCOMPARE(table.records(), QStringList{"old*/x"});
        SettingsStore settings(folder.path() + QStringLiteral("/Tarvex.ini"));
        const QString setting = settings.writeText(QStringLiteral("Theme"), QStringLiteral("Color"),
                                                   QStringLiteral("2"));
        QVERIFY2(setting.contains(cause), qPrintable(setting));
        QCOMPARE(settings.readInt32(QStringLiteral("Theme"), QStringLiteral("Color"), 0), 1);
    }

    void blockedFolderReportsError()
    {
        WriteAll(m_dir->filePath("blocker"), "x");
        HotkeyList list;
        list.append({"a", "b"});
        ActiveHotkeyTable table;
        table.replaceFromText(QStringLiteral("stale*x"));
        HotkeyDatabase database = HotkeyDatabase::InFolder(m_dir->filePath("blocker"));
        QVERIFY(!database.save(list, table).isEmpty());
        QCOMPARE(table.size(), 0);
    }

    void saveCreatesMissingFolder()
    {
        HotkeyDatabase database = HotkeyDatabase::InFolder(m_dir->filePath("Documents"));
        HotkeyList list;
        list.append({"a", "b"});
        ActiveHotkeyTable table;
        QCOMPARE(database.save(list, table), QString());
        QCOMPARE(ReadAll(database.path()), QByteArray("a*b\r\n"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath(QStringLiteral("Hotkeys.TarvexDB")); }
};

QTEST_GUILESS_MAIN(TestHotkeyDatabase)
#include "TestHotkeyDatabase.moc"
