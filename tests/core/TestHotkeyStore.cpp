#include "store/ActiveHotkeyTable.h"
#include "store/ExecArguments.h"
#include "store/HotkeyEntry.h"
#include "store/HotkeyList.h"
#include "store/WebAddress.h"

#include <QTest>

using namespace tarvex;

class TestHotkeyStore final : public QObject
{
    Q_OBJECT

private slots:
    // The kind of a target, its icon key and its place in the type list (7: kept as it was).
    void classify()
    {
        using K = TargetKind;
        const std::pair<const char*, TargetKind> rows[] = {{"HTTPS:example.org", K::Website},
                                                           {"svn+ssh.2://h", K::Website},
                                                           {"mailto:a@example.org", K::File},
                                                           {"9p://h", K::File},
                                                           {"  ", K::None},
                                                           {"-whatever", K::Special},
                                                           {"-type text-", K::Special},
                                                           {"-Type Text-", K::TypeText},
                                                           {" -Restart-", K::File}};
        for (const auto& [target, kind] : rows)
            QVERIFY2(ClassifyTarget(target) == kind, target);
        const std::tuple<const char*, const char*, int> icons[] = {
            {"https://a", "website", 1},
            {" ", "file", 7},
            {"-Type Text-", "action", 3},
            {"/home/u/a.txt", "/home/u/a.txt", 0}};
        for (const auto& [target, iconKey, position] : icons) {
            QCOMPARE(IconKeyFor({QStringLiteral("a"), target}), QString(iconKey));
            QCOMPARE(TypeSelectorPosition(ClassifyTarget(target), 7), position);
        }
    }

    // Order and duplicates kept; positions outside the list change nothing and read empty.
    void listKeepsOrderAndDuplicates()
    {
        HotkeyList list;
        QCOMPARE((QList<int>{list.append({"a", "/x"}), list.append({"a", "/x"}),
                             list.append({"b", "/y"})}),
                 (QList<int>{1, 2, 3}));
        list.remove(1);
        list.replace(2, {"c", "/z"});
        list.remove(0);
        list.remove(3);
        list.replace(5, {"q", "q"});
        QCOMPARE(list.entries(), (QList<HotkeyEntry>{{"a", "/x"}, {"c", "/z"}}));
        QCOMPARE(std::tuple(list.at(0), list.at(-3)), std::tuple(HotkeyEntry{}, HotkeyEntry{}));
    }

    void tableSplits()
    {
        // Combinations and targets ("<none>": no target element) of each record.
        const std::tuple<const char*, QStringList, QStringList> rows[] = {
            {"", {}, {}},
            {"a*t|", {"a", ""}, {"t", "<none>"}},
            {"(Num*)*/m|a(Num*)(Num*)b*/n*x", {"(Num*)", "a(Num*)(Num*)b"}, {"/m", "/n"}}};
        for (const auto& [line, combinations, targets] : rows) {
            ActiveHotkeyTable table;
            table.replaceFromText(line);
            QStringList readCombinations, readTargets;
            for (int i = 0; i < table.size(); ++i) {
                readCombinations << table.combinationAt(i);
                readTargets << table.targetAt(i).value_or(QStringLiteral("<none>"));
            }
            QCOMPARE(std::tuple(readCombinations, readTargets), std::tuple(combinations, targets));
        }
    }

    void validation()
    {
        // What the error mentions; empty: valid. A line break would split the hotkey file.
        const std::tuple<QString, QString, const char*> rows[] = {
            {"(Ctrl)(Num*)", "/home/u/My Files/a b.txt", ""},
            {"a", "ls | wc", "target"},
            {"a", "x\ry", "line break"},
            {"(Num*)*", "/x", "combination"},
            {"a", "a\tb", "control characters"}};
        for (const auto& [combination, target, mentions] : rows) {
            const QString error = ValidateHotkeyEntry({combination, target});
            QCOMPARE(error.isEmpty(), !*mentions);
            QVERIFY2(error.contains(mentions), qPrintable(error));
        }
    }

    // Arguments taken apart as a desktop entry's Exec key quotes them, or what the fault names.
    void execArguments()
    {
        const std::tuple<const char*, QStringList, const char*> rows[] = {
            {"  --private-window   -a ", {"--private-window", "-a"}, ""},
            {"\"two words\" \"\" --t=\"A B\"", {"two words", "", "--t=A B"}, ""},
            {"\"\\\"q\\\" \\`c\\` \\$HOME \\\\ 'x' |*;\"", {"\"q\" `c` $HOME \\ 'x' |*;"}, ""},
            {"50%% 100%%%%", {"50%", "100%%"}, ""},
            {"\"open", {}, "never closed"},
            {"a|b", {}, "|"},
            {"it's", {}, "'"},
            {"\"\\n\"", {}, "backslash"},
            {"\"$HOME\"", {}, "\\$"},
            {"%u a", {}, "%u is"},
            {"50%", {}, "field code"},
            {"a\tb", {}, "control character"}};
        for (const auto& [text, arguments, mentions] : rows) {
            const ExecArguments split = SplitExecArguments(text);
            QCOMPARE(split.arguments, arguments);
            QVERIFY2(split.error.contains(mentions) && split.error.isEmpty() == !*mentions,
                     qPrintable(split.error));
        }
        const QStringList shown = {"/a b", "", "50%", "say \"hi\" $x", "-v"};
        QCOMPARE(JoinExecArguments(shown),
                 QString("\"/a b\" \"\" 50%% \"say \\\"hi\\\" \\$x\" -v"));
        QCOMPARE(SplitExecArguments(JoinExecArguments(shown)).arguments, shown);
    }

    // Typed into a box prefilled with "http://": what is kept, and whether it names a host.
    void webAddressEntry()
    {
        const std::tuple<const char*, const char*, bool> rows[] = {
            {"http://", "http://", false},
            {"http://https://example.org/a?b", "https://example.org/a?b", true},
            {"http://ftp.example.org", "http://ftp.example.org", true},
            {"https:///index.html", "https:///index.html", false}};
        for (const auto& [typed, kept, hasHost] : rows) {
            QCOMPARE(WithoutDoubledWebPrefix(typed), QString(kept));
            QCOMPARE(ValidateWebAddress(kept).isEmpty(), hasHost);
        }
    }
};

QTEST_GUILESS_MAIN(TestHotkeyStore)
#include "TestHotkeyStore.moc"
