#include "activation/HotkeyMatcher.h"
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

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// One database with the list and table its load gave, and the load's report.
struct Loaded
{
    HotkeyDatabase database;
    HotkeyList list;
    ActiveHotkeyTable table;
    QString report;
    explicit Loaded(const QString& path) : database(path) { report = reload(); }
    QString reload() { return database.load(list, table); }
    QString save() { return database.save(list, table); }
};

HotkeyList ListOf(const QList<HotkeyEntry>& entries)
{
    HotkeyList list;
    for (const HotkeyEntry& entry : entries)
        list.append(entry);
    return list;
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

    void joinPath()
    {
        const std::tuple<const char*, const char*, const char*> rows[] = {
            {"/home/u", "f", "/home/u/f"}, {"/a//", "//f", "/a///f"}, {"", "f", "/f"}};
        for (const auto& [a, b, joined] : rows)
            QCOMPARE(JoinPath(a, b), QString(joined));
    }

    // Exact bytes, CRLF for an empty list, a blocked folder reported.
    void savesExactBytes()
    {
        ActiveHotkeyTable table;
        QCOMPARE(HotkeyDatabase(path()).save(
                     ListOf({{"(Ctrl)(Alt)k", "/usr/bin/xterm"}, {"gofb", "-Restart-"}}), table),
                 QString());
        QCOMPARE(std::tuple(ReadAll(path()), table.records()),
                 std::tuple(QByteArray("(Ctrl)(Alt)k*/usr/bin/xterm|gofb*-Restart-\r\n"),
                            QStringList{"(Ctrl)(Alt)k*/usr/bin/xterm", "gofb*-Restart-"}));
        QCOMPARE(HotkeyDatabase(path()).save(HotkeyList(), table), QString());
        QCOMPARE(std::tuple(ReadAll(path()), table.size()), std::tuple(QByteArray("\r\n"), 0));
        WriteAll(m_dir->filePath("blocker"), "x");
        table.replaceFromText(QStringLiteral("stale*x"));
        HotkeyDatabase blocked = HotkeyDatabase::InFolder(m_dir->filePath("blocker"));
        QVERIFY(!blocked.save(ListOf({{"a", "b"}}), table).isEmpty());
        QCOMPARE(table.size(), 0);
    }

    void loadsFirstLineOnly()
    {
        const Loaded missing(path());
        QCOMPARE(std::tuple(missing.report, missing.list.count(), missing.table.size()),
                 std::tuple(QString(), 0, 0));
        const std::pair<QByteArray, int> rows[] = {{"a*1|b*2\nc*3", 2}, {"\r\na*1", 0}};
        for (const auto& [bytes, records] : rows) {
            WriteAll(path(), bytes);
            const Loaded loaded(path());
            QCOMPARE(std::tuple(loaded.report, loaded.list.count(), loaded.table.size()),
                     std::tuple(QString(), records, records));
            if (records > 0)
                QCOMPARE(loaded.list.at(1), (HotkeyEntry{"a", "1"}));
        }
    }

    // Mixed encodings, further lines, third fields, a byte-order mark, records without "*" and
    // empty records are kept by the fuzz target's seeds (TestFuzzReplay, hotkey_file).
    void saveWithoutEditsKeepsBytes()
    {
        const std::pair<QByteArray, const char*> rows[] = {
            {"a*/j\xfcrgen\r\n", "a"}, // a Latin-1 record kept as it was
            {"\xef\xbb\xbf", ""},
            {"(Num*)a*/m|(Ctrl)(F4)*/n", "(Num*)a"},
            {"a*1\nforeign\ttarvex-hotkey 1 a%2A1\toff\r\n\r\nlast", "a"}}; // others' lines
        for (const auto& [bytes, firstCombination] : rows) {
            // The list held another file's records before: nothing of them may stay.
            WriteAll(path(), "z*/old|y*/older|x*/oldest|w*4\r\n");
            Loaded file(path());
            WriteAll(path(), bytes);
            file.reload();
            QCOMPARE(std::tuple(file.list.at(1).combination, file.save()),
                     std::tuple(QString(firstCombination), QString()));
            QCOMPARE(ReadAll(path()), bytes);
            QCOMPARE(file.table.records(), Loaded(path()).table.records()); // as a read gives
        }
    }

    // Each record is decoded on its own (8-bit or UTF-8); untouched records keep their code
    // page, edited ones are UTF-8 (a third field goes).
    void editedRecordsAreWrittenAsUtf8()
    {
        ::close(STDIN_FILENO); // a run without standard input reads its file as descriptor 0
        WriteAll(path(), QByteArray("a*/j\xfcrgen|b*/x*old|c*/\xe2\x82\xac\r\nsecond line\r\n"));
        Loaded file(path());
        QCOMPARE(std::tuple(file.list.at(1).target, file.list.at(3).target),
                 std::tuple(QStringLiteral("/jürgen"), QStringLiteral("/€")));
        file.list.replace(2, {"b", QStringLiteral("/ü")});
        QCOMPARE(file.save(), QString());
        QCOMPARE(
            std::tuple(ReadAll(path()), file.table.records()),
            std::tuple(QByteArray("a*/j\xfcrgen|b*/\xc3\xbc|c*/\xe2\x82\xac\r\nsecond line\r\n"),
                       QStringList{"a*/jürgen", "b*/ü", "c*/€"}));
    }

    // A file of the released program (keys named by codes): every key kept, a save without
    // edits writes it back byte for byte; a stray parenthesis is reported.
    void fileOfTheReleasedProgram()
    {
        const QByteArray bytes = ReadAll(qEnvironmentVariable("TARVEX_TEST_SOURCE_DIR") +
                                         "/tests/core/data/written-by-tarvex-1.0.TarvexDB");
        WriteAll(path(), bytes);
        Loaded file(path());
        QVERIFY2(file.report.contains(QStringLiteral("Hotkey 9 (action \"/tmp/paren\")")) &&
                     file.report.count(QStringLiteral("Hotkey ")) == 1,
                 qPrintable(file.report));
        // A shown action: control characters (below 32, 127) replaced, a space or U+0080 kept.
        WriteAll(path(), QByteArray("a*/x y\x1f|b*/z\x7f|c*/\xc2\x80\r\n"));
        const QString shown = Loaded(path()).report;
        QVERIFY2(shown.contains(u"Hotkey 1 (action \"/x y\uFFFD\")") &&
                     shown.contains(u"Hotkey 2 (action \"/z\uFFFD\")") &&
                     !shown.contains(u"Hotkey 3"),
                 qPrintable(shown));
        QString letters;
        for (int code = 65; code <= 90; ++code)
            letters.append(QChar(code));
        const QStringList keys{Codes({17, 83}),     Codes({71, 79, 87, 80}),
                               Codes({17, 18, 75}), Codes({16, 32, 46, 91, 88}),
                               "0123456789",        letters,
                               Codes({18, 17, 17}), Codes({65, 66, 67, 90}),
                               Codes({65, 0, 66})};
        QStringList read;
        for (int position = 1; position <= file.list.count(); ++position)
            read.append(KeyCodesFromText(file.list.at(position).combination));
        QCOMPARE(read, keys);
        QCOMPARE(file.save(), QString());
        QCOMPARE(ReadAll(path()), bytes);
        for (const HotkeyEntry& entry : file.list.entries())
            QCOMPARE(std::tuple(entry.enabled, entry.arguments, entry.apps, entry.eraseTyped),
                     std::tuple(true, "", AppFilter(), false));
    }

    // Every option with blanks, tabs, "%" and non-ASCII text in the exact lines after the first
    // line; they read back whole, the table gets them and never matches a hotkey that is off.
    void optionsRoundTrip()
    {
        const QString text = QStringLiteral("--name \"a b\"\t100% \u00fc");
        HotkeyList list = ListOf({{"a", "/bin/x"}, {"b", "/usr/bin/p"}, {"c", "/y"}, {"d", "/z"}});
        HotkeyEntry off = list.at(1), options = list.at(2), erase = list.at(3), notIn = list.at(4);
        off.enabled = false;
        off.eraseTyped = erase.eraseTyped = true;
        options.arguments = text;
        options.apps = {AppFilter::Mode::OnlyIn, {"firefox", text}};
        notIn.apps = {AppFilter::Mode::NotIn, {"kate"}};
        list.replace(1, off);
        list.replace(2, options);
        list.replace(3, erase);
        list.replace(4, notIn);
        ActiveHotkeyTable table;
        QCOMPARE(HotkeyDatabase(path()).save(list, table), QString());
        const QByteArray bytes =
            "a*/bin/x|b*/usr/bin/p|c*/y|d*/z\r\n"
            "tarvex-hotkey 1 a%2A%2Fbin%2Fx\toff\terase\r\n"
            "tarvex-hotkey 2 b%2A%2Fusr%2Fbin%2Fp\targs=--name%20%22a%20b%22%09100%25%20%C3%BC"
            "\tonly=firefox,--name%20%22a%20b%22%09100%25%20%C3%BC\r\n"
            "tarvex-hotkey 3 c%2A%2Fy\terase\r\n"
            "tarvex-hotkey 4 d%2A%2Fz\texcept=kate\r\n";
        QCOMPARE(ReadAll(path()), bytes);
        Loaded file(path());
        QCOMPARE(file.list.entries(), list.entries());
        QCOMPARE(file.table.records(), (QStringList{"a*/bin/x", "b*/usr/bin/p", "c*/y", "d*/z"}));
        for (const ActiveHotkeyTable* loaded : {&table, &file.table}) {
            QCOMPARE(std::tuple(loaded->at(1).entry, loaded->at(2).entry.eraseTyped),
                     std::tuple(options, true));
            HotkeyMatcher matcher;
            matcher.compile(*loaded);
            QCOMPARE(std::tuple(matcher.feed('A'), matcher.feed('B')), std::tuple(-1, 1));
        }
        QCOMPARE(file.save(), QString());
        QCOMPARE(ReadAll(path()), bytes);
    }

    // The text of a "Type text" hotkey, line breaks and all, lives on its option line; the first
    // line holds only the marker, which names no program.
    void typedTextRoundTrip()
    {
        HotkeyList list = ListOf({{"t", "-Type Text-"}});
        HotkeyEntry entry = list.at(1);
        entry.typedText = QStringLiteral("Gr\u00fc\u00dfe\r\n\u20ac5\tok \U0001F600");
        list.replace(1, entry);
        ActiveHotkeyTable table;
        QCOMPARE(HotkeyDatabase(path()).save(list, table), QString());
        QCOMPARE(ReadAll(path()),
                 QByteArray("t*-Type Text-\r\n"
                            "tarvex-hotkey 1 t%2A-Type%20Text-\ttext=Gr%C3%BC%C3%9Fe"
                            "%0D%0A%E2%82%AC5%09ok%20%F0%9F%98%80\r\n"));
        Loaded file(path());
        QCOMPARE(std::tuple(file.list.at(1), file.table.at(0).entry.typedText),
                 std::tuple(entry, entry.typedText));
    }

    // Others' lines stay where they were; the option lines take the place of the old ones, and
    // keep the words a later release wrote.
    void optionLinesAmongOtherLines()
    {
        const std::tuple<QByteArray, QList<bool>, QByteArray> rows[] = {
            {"a*1|b*2\nmine\r\ntarvex-hotkey 2 b%2A2\toff\r\ntheirs",
             {false, true},
             "a*1|b*2\nmine\r\ntarvex-hotkey 1 a%2A1\toff\r\ntheirs"},
            {"a*1|b*2\nmine\r\ntarvex-hotkey 2 b%2A2\toff\r\ntheirs",
             {true, true},
             "a*1|b*2\nmine\r\ntheirs"},
            {"a*1\nmine", {false}, "a*1\ntarvex-hotkey 1 a%2A1\toff\r\nmine"},
            {"a*1", {false}, "a*1\r\ntarvex-hotkey 1 a%2A1\toff\r\n"},
            {"a*1\r\ntarvex-hotkey 1 a%2A1\tlater=%41\toff\tmore\r\n",
             {true},
             "a*1\r\ntarvex-hotkey 1 a%2A1\tlater=%41\tmore\r\n"}};
        for (const auto& [before, enabled, after] : rows) {
            WriteAll(path(), before);
            Loaded file(path());
            for (int position = 1; position <= file.list.count(); ++position) {
                HotkeyEntry entry = file.list.at(position);
                entry.enabled = enabled.at(position - 1);
                file.list.replace(position, entry);
            }
            QCOMPARE(file.save(), QString());
            QCOMPARE(ReadAll(path()), after);
        }
    }

    // A line whose row moved finds it by its record (never taking a row whose own line stayed);
    // one whose record is gone, and a malformed one, are dropped without harm to the others.
    void staleAndMalformedLines()
    {
        const std::pair<QByteArray, const char*> rows[] = {
            {"tarvex-hotkey 2 a%2A2\toff", "1011"},
            {"tarvex-hotkey 1 a%2A2\toff", "1011"},
            {"tarvex-hotkey 1 a%2A2\toff\ntarvex-hotkey 2 a%2A2\targs=z", "1101"},
            {"tarvex-hotkey 5 gone%2Ax\toff", "1111"},
            {"tarvex-hotkey 0 b%2A3\toff", "1111"},
            {"tarvex-hotkey 4b%2A3\toff", "1111"},
            {"tarvex-hotkey 4 b*3 x\toff", "1111"},
            {"tarvex-hotkey 4 b%2A3%z\toff", "1111"},
            {"tarvex-hotkey 4 b%2A3\toff\targs=%FF", "1111"},
            {"tarvex-hotkey 4 b%2a3\toff\targs=%2f", "1110"}, // hex digits written by hand
            {"tarvex-hotkey 4 b%2A3\toff\tonly=a,%", "1111"},
            {"tarvex-hotkey x\ntarvex-hotkey 4 b%2A3\tlater\toff", "1110"}};
        for (const auto& [lines, enabled] : rows) {
            WriteAll(path(), "x*1|a*2|a*2|b*3\r\n" + lines);
            const Loaded file(path());
            QString read, runs;
            for (int i = 0; i < file.table.size(); ++i) {
                read += QChar(file.list.at(i + 1).enabled ? '1' : '0');
                runs += QChar(file.table.at(i).runs ? '1' : '0');
            }
            QCOMPARE(std::tuple(file.report, read, runs),
                     std::tuple(QString(), QString(enabled), QString(enabled)));
        }
    }

    // A FIFO, a file over the size limit: a load neither blocks nor reads endlessly, says why,
    // closes what it opened, and a save never replaces what it could not read.
    void readsOnlyRegularFiles()
    {
        const auto openFiles = [] {
            return QDir(QStringLiteral("/proc/self/fd"))
                .entryList(QDir::AllEntries | QDir::System)
                .size();
        };
        for (const auto& [kind, why] :
             {std::pair<QString, QString>("fifo", "not a regular file"), {"huge", "larger than"}}) {
            const QString file = m_dir->filePath(kind);
            const QByteArray name = QFile::encodeName(file);
            if (kind == "fifo")
                QCOMPARE(mkfifo(name.constData(), 0600), 0);
            else {
                WriteAll(file, "a*b\r\n");
                QCOMPARE(truncate(name.constData(), MaxHotkeyFileSize + 1), 0); // sparse
            }
            const auto stamp = [&name] {
                struct stat st = {};
                return lstat(name.constData(), &st) == 0
                           ? std::tuple(st.st_mode, st.st_ino, st.st_size)
                           : std::tuple(mode_t(), ino_t(), off_t());
            };
            const auto before = stamp();
            HotkeyList list = ListOf({{"stale", "x"}});
            ActiveHotkeyTable table;
            HotkeyDatabase database(file);
            const qsizetype open = openFiles();
            const QString report = database.load(list, table);
            QVERIFY2(report.contains(QStringLiteral("could not be read")) && report.contains(why),
                     qPrintable(report));
            QCOMPARE(std::tuple(openFiles(), list.count(), table.size()), std::tuple(open, 0, 0));
            list.append({"a", "b"});
            QVERIFY(database.save(list, table).contains(QStringLiteral("left as it is")));
            QCOMPARE(stamp(), before);
        }
    }

    // Refused writes: the message names the cause and the files keep what they held.
    void failedWritesNameTheCause()
    {
        for (const auto& [kind, cause] :
             {std::tuple(FullFolder::Kind::Full, "No space left on device"),
              std::tuple(FullFolder::Kind::ReadOnly, "Read-only file system")}) {
            const FullFolder folder(
                kind, {{"Hotkeys.TarvexDB", "old*/x\r\n"}, {"Tarvex.ini", "[Theme]\nColor=1\n"}});
            if (folder.path().isEmpty())
                QSKIP("mounting a small file system needs root");
            ActiveHotkeyTable table;
            const QString hotkeys =
                HotkeyDatabase::InFolder(folder.path()).save(ListOf({{"new", "/y"}}), table);
            QVERIFY2(hotkeys.contains(cause), qPrintable(hotkeys));
            QCOMPARE(table.records(), QStringList{"old*/x"});
            SettingsStore settings(folder.path() + QStringLiteral("/Tarvex.ini"));
            const QString setting = settings.writeText("Theme", "Color", "2");
            QVERIFY2(setting.contains(cause), qPrintable(setting));
            QCOMPARE(settings.readInt32("Theme", "Color", 0), 1);
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path() const { return m_dir->filePath(QStringLiteral("Hotkeys.TarvexDB")); }
};

QTEST_GUILESS_MAIN(TestHotkeyDatabase)
#include "TestHotkeyDatabase.moc"
